// The control tree, geometry, docking layout and deletion of Gui::Controls::Base.
#include "gui/controls/Base.h"

#include "gui/animation/Animations.h"
#include "gui/animation/SizeAnimation.h"
#include "gui/controls/Canvas.h"
#include "gui/input/DragAndDrop.h"
#include "gui/input/Hook.h"
#include "gui/input/InputState.h"
#include "gui/input/ToolTip.h"
#include "gui/renderer/Base.h"
#include "gui/renderer/CacheToTexture.h"
#include "gui/skin/Base.h"

#include <algorithm>

namespace Gui
{
namespace Controls
{
namespace
{
void ForgetReference(Base*& reference, Base* control)
{
    if (reference == control)
    {
        reference = nullptr;
    }
}
}

Base::Base(Base* parent, const std::string& name) : _name(name)
{
    SetParent(parent);
}

Base::~Base()
{
    if (_queuedOn != nullptr)
    {
        _queuedOn->RemoveDelayedDelete(this);
    }
    while (!_children.empty())
    {
        Base* child = _children.front();
        _children.pop_front();
        delete child;
    }
    for (auto& accelerator : _accelerators)
    {
        delete accelerator.second;
    }
    _accelerators.clear();
    SetParent(nullptr);
    ForgetReference(HoveredControl, this);
    ForgetReference(KeyboardFocus, this);
    ForgetReference(MouseFocus, this);
    Input::ControlDeleted(this);
    DragAndDrop::ControlDeleted(this);
    for (Hook::BaseHook* hook : Hook::GetHookList())
    {
        hook->OnControlDeleted(this);
    }
    ToolTip::ControlDeleted(this);
    Anim::Cancel(this);
    delete _dragAndDropPackage;
}

void Base::DelayedDelete()
{
    Canvas* canvas = GetCanvas();
    if (canvas != nullptr)
    {
        canvas->AddDelayedDelete(this);
    }
}

void Base::SetParent(Base* parent)
{
    if (_parent == parent)
    {
        return;
    }
    if (_parent != nullptr)
    {
        _parent->RemoveChild(this);
    }
    _parent = parent;
    _actualParent = nullptr;
    if (_parent != nullptr)
    {
        _parent->AddChild(this);
    }
}

Canvas* Base::GetCanvas()
{
    return _parent != nullptr ? _parent->GetCanvas() : nullptr;
}

List& Base::GetChildren()
{
    return _innerPanel != nullptr ? _innerPanel->GetChildren() : _children;
}

bool Base::IsChild(Base* child)
{
    return std::find(_children.begin(), _children.end(), child) != _children.end();
}

unsigned int Base::NumChildren()
{
    return (unsigned int)_children.size();
}

Base* Base::GetChild(unsigned int index)
{
    if (index >= NumChildren())
    {
        return nullptr;
    }
    List::iterator it = _children.begin();
    std::advance(it, index);
    return *it;
}

Point Base::ChildrenSize()
{
    Point size;
    for (Base* child : _children)
    {
        if (child->Hidden() || !child->ShouldIncludeInSize())
        {
            continue;
        }
        size.x = std::max(size.x, child->Right());
        size.y = std::max(size.y, child->Bottom());
    }
    return size;
}

bool Base::SizeToChildren(bool w, bool h)
{
    Point size = ChildrenSize();
    size.x = w ? size.x + GetPadding().right : Width();
    size.y = h ? size.y + GetPadding().bottom : Height();
    return SetSize(size.x, size.y);
}

Base* Base::FindChildByName(const std::string& name, bool recursive)
{
    for (Base* child : _children)
    {
        if (!child->GetName().empty() && child->GetName() == name)
        {
            return child;
        }
        if (recursive)
        {
            Base* found = child->FindChildByName(name, true);
            if (found != nullptr)
            {
                return found;
            }
        }
    }
    return nullptr;
}

void Base::AddChild(Base* child)
{
    if (_innerPanel != nullptr)
    {
        _innerPanel->AddChild(child);
        return;
    }
    _children.push_back(child);
    OnChildAdded(child);
    child->_actualParent = this;
}

void Base::RemoveChild(Base* child)
{
    if (child == _innerPanel)
    {
        _innerPanel = nullptr;
    }
    if (_innerPanel != nullptr)
    {
        _innerPanel->RemoveChild(child);
    }
    _children.remove(child);
    OnChildRemoved(child);
}

void Base::OnChildAdded(Base*)
{
    Invalidate();
}

void Base::OnChildRemoved(Base*)
{
    Invalidate();
}

void Base::RemoveAllChildren()
{
    while (!_children.empty())
    {
        RemoveChild(_children.front());
    }
}

void Base::SendToBack()
{
    if (_actualParent == nullptr || _actualParent->_children.front() == this)
    {
        return;
    }
    _actualParent->_children.remove(this);
    _actualParent->_children.push_front(this);
    InvalidateParent();
}

void Base::BringToFront()
{
    if (_actualParent == nullptr || _actualParent->_children.back() == this)
    {
        return;
    }
    _actualParent->_children.remove(this);
    _actualParent->_children.push_back(this);
    InvalidateParent();
    Redraw();
}

void Base::BringNextToControl(Base* sibling, bool behind)
{
    if (_actualParent == nullptr)
    {
        return;
    }
    List& siblings = _actualParent->_children;
    siblings.remove(this);
    List::iterator found = std::find(siblings.begin(), siblings.end(), sibling);
    if (found == siblings.end() || (behind && std::next(found) == siblings.end()))
    {
        // Put back at the end, where BringToFront expects to find it.
        siblings.push_back(this);
        BringToFront();
        return;
    }
    siblings.insert(behind ? std::next(found) : found, this);
    InvalidateParent();
}

Point Base::LocalPosToCanvas(const Point& in)
{
    if (_parent == nullptr)
    {
        return in;
    }
    Point out(in.x + X(), in.y + Y());
    Base* inner = _parent->GetInnerPanel();
    if (inner != nullptr && inner->IsChild(this))
    {
        out.x += inner->X();
        out.y += inner->Y();
    }
    return _parent->LocalPosToCanvas(out);
}

Point Base::CanvasPosToLocal(const Point& in)
{
    if (_parent == nullptr)
    {
        return in;
    }
    Point out(in.x - X(), in.y - Y());
    Base* inner = _parent->GetInnerPanel();
    if (inner != nullptr && inner->IsChild(this))
    {
        out.x -= inner->X();
        out.y -= inner->Y();
    }
    return _parent->CanvasPosToLocal(out);
}

void Base::Dock(int dock)
{
    if (_dock == dock)
    {
        return;
    }
    _dock = dock;
    Invalidate();
    InvalidateParent();
}

void Base::SetPos(int x, int y)
{
    SetBounds(x, y, Width(), Height());
}

bool Base::SetSize(int w, int h)
{
    return SetBounds(X(), Y(), w, h);
}

bool Base::SetBounds(int x, int y, int w, int h)
{
    if (_bounds == Rect(x, y, w, h))
    {
        return false;
    }
    const Rect old = _bounds;
    _bounds = Rect(x, y, w, h);
    OnBoundsChanged(old);
    return true;
}

void Base::SetPadding(const Padding& padding)
{
    if (_padding == padding)
    {
        return;
    }
    _padding = padding;
    Invalidate();
    InvalidateParent();
}

void Base::SetMargin(const Margin& margin)
{
    if (_margin == margin)
    {
        return;
    }
    _margin = margin;
    Invalidate();
    InvalidateParent();
}

void Base::MoveTo(int x, int y)
{
    if (_restrictToParent && _parent != nullptr)
    {
        const Margin& parentMargin = _parent->GetMargin();
        if (x - GetPadding().left < parentMargin.left)
        {
            x = parentMargin.left + GetPadding().left;
        }
        if (y - GetPadding().top < parentMargin.top)
        {
            y = parentMargin.top + GetPadding().top;
        }
        if (x + Width() + GetPadding().right > _parent->Width() - parentMargin.right)
        {
            x = _parent->Width() - parentMargin.right - GetPadding().right - Width();
        }
        if (y + Height() + GetPadding().bottom > _parent->Height() - parentMargin.bottom)
        {
            y = _parent->Height() - parentMargin.bottom - GetPadding().bottom - Height();
        }
    }
    SetBounds(x, y, Width(), Height());
}

void Base::OnBoundsChanged(Rect oldBounds)
{
    if (_parent != nullptr)
    {
        _parent->OnChildBoundsChanged(oldBounds, this);
    }
    if (_bounds.w != oldBounds.w || _bounds.h != oldBounds.h)
    {
        Invalidate();
    }
    Redraw();
    UpdateRenderBounds();
}

void Base::OnScaleChanged()
{
    for (Base* child : _children)
    {
        child->OnScaleChanged();
    }
}

void Base::UpdateRenderBounds()
{
    _renderBounds = Rect(0, 0, _bounds.w, _bounds.h);
}

bool Base::IsOnTop()
{
    // The front-most child is the last one drawn.
    return _parent != nullptr && _actualParent != nullptr && !_actualParent->_children.empty() &&
           _actualParent->_children.back() == this;
}

void Base::SetDisabled(bool disabled)
{
    if (_disabled == disabled)
    {
        return;
    }
    _disabled = disabled;
    Redraw();
}

bool Base::IsMenuComponent()
{
    return _parent != nullptr && _parent->IsMenuComponent();
}

void Base::CloseMenus()
{
    // A copy: closing a menu may remove it from this list.
    const List children = _children;
    for (Base* child : children)
    {
        child->CloseMenus();
    }
}

void Base::Invalidate()
{
    _needsLayout = true;
    _cacheTextureDirty = true;
}

void Base::InvalidateParent()
{
    if (_parent != nullptr)
    {
        _parent->Invalidate();
    }
}

void Base::InvalidateChildren(bool recursive)
{
    for (Base* child : _children)
    {
        child->Invalidate();
        if (recursive)
        {
            child->InvalidateChildren(true);
        }
    }
    if (_innerPanel != nullptr)
    {
        for (Base* child : _innerPanel->_children)
        {
            child->Invalidate();
            if (recursive)
            {
                child->InvalidateChildren(true);
            }
        }
    }
}

void Base::Position(int pos, int xpadding, int ypadding)
{
    if (_parent == nullptr)
    {
        return;
    }
    const Rect inner = _parent->GetInnerBounds();
    const Margin& margin = GetMargin();
    int x = X();
    int y = Y();
    if (pos & Pos::Left)
    {
        x = inner.x + margin.left + xpadding;
    }
    if (pos & Pos::Right)
    {
        x = inner.x + inner.w - margin.right - xpadding - Width();
    }
    if (pos & Pos::CenterH)
    {
        x = inner.x + (int)((inner.w - Width()) * 0.5f);
    }
    if (pos & Pos::Top)
    {
        y = inner.y + ypadding;
    }
    if (pos & Pos::Bottom)
    {
        y = inner.y + inner.h - ypadding - Height();
    }
    if (pos & Pos::CenterV)
    {
        y = inner.y + (int)((inner.h - Height()) * 0.5f);
    }
    SetPos(x, y);
}

void Base::Layout(Skin::Base* skin)
{
    Renderer::Base* render = skin != nullptr ? skin->GetRender() : nullptr;
    if (render != nullptr && render->GetRenderCache() != nullptr && ShouldCacheToTexture())
    {
        render->GetRenderCache()->CreateControlCacheTexture(this);
    }
}

void Base::RecurseLayout(Skin::Base* skin)
{
    if (_skin != nullptr)
    {
        skin = _skin;
    }
    if (Hidden())
    {
        return;
    }
    if (_needsLayout)
    {
        _needsLayout = false;
        Layout(skin);
    }

    Rect free(_padding.left, _padding.top, Width() - _padding.left - _padding.right,
              Height() - _padding.top - _padding.bottom);
    for (Base* child : _children)
    {
        if (child->Hidden())
        {
            continue;
        }
        const int dock = child->GetDock();
        if (dock & Pos::Fill)
        {
            continue;
        }
        const Margin& m = child->GetMargin();
        if (dock & Pos::Top)
        {
            child->SetBounds(free.x + m.left, free.y + m.top, free.w - m.left - m.right, child->Height());
            const int used = child->Height() + m.top + m.bottom;
            free.y += used;
            free.h -= used;
        }
        if (dock & Pos::Left)
        {
            child->SetBounds(free.x + m.left, free.y + m.top, child->Width(), free.h - m.top - m.bottom);
            const int used = child->Width() + m.left + m.right;
            free.x += used;
            free.w -= used;
        }
        if (dock & Pos::Right)
        {
            child->SetBounds(free.x + free.w - m.right - child->Width(), free.y + m.top, child->Width(),
                             free.h - m.top - m.bottom);
            free.w -= child->Width() + m.left + m.right;
        }
        if (dock & Pos::Bottom)
        {
            child->SetBounds(free.x + m.left, free.y + free.h - m.bottom - child->Height(), free.w - m.left - m.right,
                             child->Height());
            free.h -= child->Height() + m.top + m.bottom;
        }
        child->RecurseLayout(skin);
    }
    _innerBounds = free;

    for (Base* child : _children)
    {
        if (!(child->GetDock() & Pos::Fill))
        {
            continue;
        }
        const Margin& m = child->GetMargin();
        child->SetBounds(free.x + m.left, free.y + m.top, free.w - m.left - m.right, free.h - m.top - m.bottom);
        child->RecurseLayout(skin);
    }
    PostLayout(skin);

    Canvas* canvas = IsTabable() || HasFocus() ? GetCanvas() : nullptr;
    if (canvas != nullptr && IsTabable())
    {
        if (canvas->FirstTab == nullptr)
        {
            canvas->FirstTab = this;
        }
        if (canvas->NextTab == nullptr)
        {
            canvas->NextTab = this;
        }
    }
    if (canvas != nullptr && HasFocus())
    {
        // The next tabable control laid out after the focused one is the next tab.
        canvas->NextTab = nullptr;
    }
}

TextPair Base::GetChildValue(const std::string& name)
{
    Base* child = FindChildByName(name, true);
    return child != nullptr ? child->GetValue() : TextPair();
}

List* Base::GetNamedChildren(const std::string& name, bool deep)
{
    List* list = new List;
    GetNamedChildren(*list, name, deep);
    return list;
}

int Base::GetNamedChildren(List& list, const std::string& name, bool deep)
{
    int matches = 0;
    for (Base* child : _children)
    {
        if (!child->GetName().empty() && child->GetName() == name)
        {
            if (std::find(list.begin(), list.end(), child) == list.end())
            {
                list.push_back(child);
            }
            ++matches;
        }
        if (deep)
        {
            matches += child->GetNamedChildren(list, name, true);
        }
    }
    return matches;
}

void Base::Anim_WidthIn(float length, float delay, float ease)
{
    Anim::Add(this, new Anim::Size::Width(0, Width(), length, false, delay, ease));
    SetWidth(0);
}

void Base::Anim_HeightIn(float length, float delay, float ease)
{
    Anim::Add(this, new Anim::Size::Height(0, Height(), length, false, delay, ease));
    SetHeight(0);
}

void Base::Anim_WidthOut(float length, bool hide, float delay, float ease)
{
    Anim::Add(this, new Anim::Size::Width(Width(), 0, length, hide, delay, ease));
}

void Base::Anim_HeightOut(float length, bool hide, float delay, float ease)
{
    Anim::Add(this, new Anim::Size::Height(Height(), 0, length, hide, delay, ease));
}

void Base::DragAndDrop_SetPackage(bool draggable, const std::string& name, void* userData)
{
    if (_dragAndDropPackage == nullptr)
    {
        _dragAndDropPackage = new DragAndDrop::Package;
    }
    _dragAndDropPackage->draggable = draggable;
    _dragAndDropPackage->name = name;
    _dragAndDropPackage->userdata = userData;
}

bool Base::DragAndDrop_Draggable()
{
    return _dragAndDropPackage != nullptr && _dragAndDropPackage->draggable;
}

void Base::DragAndDrop_StartDragging(DragAndDrop::Package* package, int x, int y)
{
    const Point hold = CanvasPosToLocal(Point(x, y));
    package->holdoffsetx = hold.x;
    package->holdoffsety = hold.y;
    package->drawcontrol = this;
}

DragAndDrop::Package* Base::DragAndDrop_GetPackage(int, int)
{
    return _dragAndDropPackage;
}

bool Base::DragAndDrop_HandleDrop(DragAndDrop::Package*, int, int)
{
    Base* source = DragAndDrop::SourceControl();
    // A control dropped onto itself or into its own subtree stays where it is.
    for (Base* ancestor = this; ancestor != nullptr; ancestor = ancestor->GetParent())
    {
        if (ancestor == source)
        {
            return false;
        }
    }
    if (source != nullptr)
    {
        source->SetParent(this);
    }
    return true;
}
}
}
