// Hit testing, input hooks, focus, accelerators, visibility, the skin and the recursive
// drawing of Gui::Controls::Base.
#include "gui/controls/Base.h"

#include "gui/controls/Canvas.h"
#include "gui/controls/Label.h"
#include "gui/input/InputState.h"
#include "gui/input/Keys.h"
#include "gui/input/ToolTip.h"
#include "gui/platform/Cursor.h"
#include "gui/platform/Debug.h"
#include "gui/renderer/Base.h"
#include "gui/renderer/CacheToTexture.h"
#include "gui/skin/Base.h"
#include "gui/skin/ColorIndex.h"

namespace Gui
{
namespace Controls
{
Base* Base::GetControlAt(int x, int y, bool onlyIfMouseEnabled)
{
    if (Hidden() || x < 0 || y < 0 || x >= Width() || y >= Height())
    {
        return nullptr;
    }
    for (List::reverse_iterator it = _children.rbegin(); it != _children.rend(); ++it)
    {
        Base* child = *it;
        Base* found = child->GetControlAt(x - child->X(), y - child->Y(), onlyIfMouseEnabled);
        if (found != nullptr)
        {
            return found;
        }
    }
    if (onlyIfMouseEnabled && !GetMouseInputEnabled())
    {
        return nullptr;
    }
    return this;
}

bool Base::OnMouseWheeled(int delta)
{
    return _actualParent != nullptr && _actualParent->OnMouseWheeled(delta);
}

bool Base::OnKeyPress(int key, bool press)
{
    bool handled = false;
    switch (key)
    {
    case Key::Return: handled = OnKeyReturn(press); break;
    case Key::Backspace: handled = OnKeyBackspace(press); break;
    case Key::Delete: handled = OnKeyDelete(press); break;
    case Key::Left: handled = OnKeyLeft(press); break;
    case Key::Right: handled = OnKeyRight(press); break;
    case Key::Tab: handled = OnKeyTab(press); break;
    case Key::Space: handled = OnKeySpace(press); break;
    case Key::Home: handled = OnKeyHome(press); break;
    case Key::End: handled = OnKeyEnd(press); break;
    case Key::Up: handled = OnKeyUp(press); break;
    case Key::Down: handled = OnKeyDown(press); break;
    case Key::Code14: handled = OnKeyCode14(press); break;
    default: break;
    }
    if (!handled && _parent != nullptr)
    {
        _parent->OnKeyPress(key, press);
    }
    return handled;
}

bool Base::OnKeyTab(bool down)
{
    if (!down)
    {
        return true;
    }
    Canvas* canvas = GetCanvas();
    if (canvas != nullptr && canvas->NextTab != nullptr)
    {
        canvas->NextTab->Focus();
        Redraw();
    }
    return true;
}

void Base::OnMouseEnter()
{
    onHoverEnter.Fire(this);
    if (GetToolTip() != nullptr)
    {
        ToolTip::Enable(this);
    }
    else if (_parent != nullptr && _parent->GetToolTip() != nullptr)
    {
        ToolTip::Enable(_parent);
    }
    Redraw();
}

void Base::OnMouseLeave()
{
    onHoverLeave.Fire(this);
    if (GetToolTip() != nullptr)
    {
        ToolTip::Disable(this);
    }
    Redraw();
}

bool Base::IsHovered()
{
    return HoveredControl == this;
}

bool Base::ShouldDrawHover()
{
    return MouseFocus == this || MouseFocus == nullptr;
}

void Base::Touch()
{
    if (_parent != nullptr)
    {
        _parent->OnChildTouched(this);
    }
}

void Base::OnChildTouched(Base*)
{
    Touch();
}

bool Base::HasFocus()
{
    return KeyboardFocus == this;
}

void Base::Focus()
{
    if (KeyboardFocus == this)
    {
        return;
    }
    if (KeyboardFocus != nullptr)
    {
        KeyboardFocus->OnLostKeyboardFocus();
    }
    KeyboardFocus = this;
    OnKeyboardFocus();
    Redraw();
}

void Base::Blur()
{
    if (KeyboardFocus != this)
    {
        return;
    }
    KeyboardFocus = nullptr;
    OnLostKeyboardFocus();
    Redraw();
}

void Base::Redraw()
{
    UpdateColours();
    _cacheTextureDirty = true;
    if (_parent != nullptr)
    {
        _parent->Redraw();
    }
}

void Base::UpdateCursor()
{
    WindowsLayer::SetCursor(_cursor);
}

void Base::SetToolTip(Base* tooltip)
{
    _toolTip = tooltip;
    _toolTipIsOwnLabel = false;
    if (tooltip != nullptr)
    {
        tooltip->SetParent(this);
        tooltip->SetHidden(true);
    }
}

void Base::SetToolTip(const TextPair& text)
{
    if (_toolTipIsOwnLabel)
    {
        // A text tip replaced by another would otherwise stay on as a hidden child.
        delete _toolTip;
        _toolTip = nullptr;
    }
    Label* tip = new Label(this);
    tip->SetText(text);
    Skin::Base* skin = GetSkin();
    if (skin != nullptr)
    {
        tip->SetTextColor(skin->Colors[Skin::ColorIndex::TooltipText]);
    }
    tip->SetPadding(Padding(5, 3, 5, 3));
    tip->SizeToContents();
    SetToolTip(tip);
    _toolTipIsOwnLabel = true;
}

bool Base::HandleAccelerator(const std::wstring& accelerator)
{
    if (HasFocus() || !AccelOnlyFocus())
    {
        std::map<std::wstring, Event::Dispatcher*>::iterator found = _accelerators.find(accelerator);
        if (found != _accelerators.end())
        {
            found->second->Fire(this);
            return true;
        }
    }
    // A copy: an accelerator's handler may change the tree.
    const List children = _children;
    for (Base* child : children)
    {
        if (child->HandleAccelerator(accelerator))
        {
            return true;
        }
    }
    return false;
}

Event::Dispatcher& Base::AddAccelerator(const TextPair& accelerator)
{
    Event::Dispatcher*& source = _accelerators[accelerator.GetUnicode()];
    if (source == nullptr)
    {
        source = new Event::Dispatcher;
    }
    return *source;
}

void Base::SetHidden(bool hidden)
{
    if (_hidden == hidden)
    {
        return;
    }
    _hidden = hidden;
    Invalidate();
    Redraw();
}

bool Base::Visible() const
{
    if (Hidden())
    {
        return false;
    }
    return _parent == nullptr || _parent->Visible();
}

void Base::SetSkin(Skin::Base* skin, bool recursive)
{
    if (_skin == skin)
    {
        return;
    }
    _skin = skin;
    Invalidate();
    Redraw();
    OnSkinChanged(skin);
    if (recursive)
    {
        for (Base* child : _children)
        {
            child->SetSkin(skin, true);
        }
    }
}

Skin::Base* Base::GetSkin()
{
    if (_skin != nullptr)
    {
        return _skin;
    }
    if (_parent != nullptr)
    {
        return _parent->GetSkin();
    }
    Assert(false, "Base::GetSkin Returning NULL!\n");
    return nullptr;
}

void Base::DoRender(Skin::Base* skin)
{
    if (_skin != nullptr)
    {
        skin = _skin;
    }
    if (skin == nullptr || skin->GetRender() == nullptr)
    {
        return;
    }
    Think();
    Renderer::Base* render = skin->GetRender();
    if (render->GetRenderCache() != nullptr && ShouldCacheToTexture())
    {
        DoCacheRender(skin, this);
        return;
    }
    RenderRecursive(skin, GetBounds());
}

void Base::DoCacheRender(Skin::Base* skin, Base* master)
{
    Renderer::Base* render = skin->GetRender();
    Renderer::ICacheToTexture* cache = render->GetRenderCache();
    if (cache == nullptr)
    {
        return;
    }
    const Point oldOffset = render->GetRenderOffset();
    const Rect oldClip = render->ClipRegion();
    if (this != master)
    {
        render->AddRenderOffset(GetBounds());
        render->AddClipRegion(GetBounds());
    }
    else
    {
        render->SetRenderOffset(Point(0, 0));
        render->SetClipRegion(GetBounds());
    }
    if (_cacheTextureDirty && render->ClipRegionVisible())
    {
        render->StartClip();
        if (this == master)
        {
            cache->SetupCacheTexture(this);
        }
        Render(skin);
        for (Base* child : _children)
        {
            if (!child->Hidden())
            {
                child->DoCacheRender(skin, master);
            }
        }
        if (this == master)
        {
            cache->FinishCacheTexture(this);
            _cacheTextureDirty = false;
        }
    }
    render->SetClipRegion(oldClip);
    render->StartClip();
    render->SetRenderOffset(oldOffset);
    cache->DrawCachedControlTexture(this);
}

void Base::RenderRecursive(Skin::Base* skin, const Rect& cliprect)
{
    Renderer::Base* render = skin->GetRender();
    const Point oldOffset = render->GetRenderOffset();
    render->AddRenderOffset(cliprect);
    RenderUnder(skin);
    const Rect oldClip = render->ClipRegion();
    if (ShouldClip())
    {
        render->AddClipRegion(cliprect);
        if (!render->ClipRegionVisible())
        {
            render->SetRenderOffset(oldOffset);
            render->SetClipRegion(oldClip);
            return;
        }
    }
    render->StartClip();
    Render(skin);
    for (Base* child : _children)
    {
        if (!child->Hidden())
        {
            child->DoRender(skin);
        }
    }
    render->EndClip();
    render->SetClipRegion(oldClip);
    render->StartClip();
    RenderOver(skin);
    RenderFocus(skin);
    render->EndClip();
    render->SetRenderOffset(oldOffset);
}

void Base::RenderFocus(Skin::Base* skin)
{
    if (KeyboardFocus != this || !IsTabable())
    {
        return;
    }
    skin->DrawKeyboardHighlight(this, GetRenderBounds(), 3);
}
}
}
