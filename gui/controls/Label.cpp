#include "gui/controls/Label.h"

#include "gui/platform/Debug.h"
#include "gui/skin/Base.h"
#include "gui/skin/ColorIndex.h"

#include <new>

namespace Gui
{
namespace Controls
{
GUI_CONTROL_IDENTIFIER(Label, "Controls::Base:Label")

Label::Label(Base* parent, const std::string& name) : Base(parent, name)
{
    _text = new ControlsInternal::Text(this);
    Skin::Base* skin = GetSkin();
    if (skin != nullptr)
    {
        _text->SetFont(skin->GetDefaultFont());
    }
    SetMouseInputEnabled(false);
    SetBounds(0, 0, 100, 10);
}

Label::~Label()
{
    // A label deleted directly (not through the canvas) gives its font back here.
    ReleaseCreatedFont(_skin != nullptr || _parent != nullptr ? GetSkin() : nullptr);
}

void Label::ReleaseCreatedFont(Skin::Base* skin)
{
    if (_createdFont == nullptr)
    {
        return;
    }
    if (skin != nullptr)
    {
        skin->ReleaseFont(_createdFont);
    }
    delete _createdFont;
    _createdFont = nullptr;
    _text->SetFont(nullptr);
}

void Label::PreDelete(Skin::Base* skin) { ReleaseCreatedFont(skin); }

void Label::SetText(const TextPair& text, bool doEvents)
{
    if (text == _text->GetText())
    {
        return;
    }
    _text->SetString(text);
    Redraw();
    if (doEvents)
    {
        OnTextChanged();
    }
}

void Label::SizeToContents()
{
    const Padding& padding = GetPadding();
    _text->SetPos(padding.left, padding.top);
    _text->RefreshSize();
    SetSize(_text->Width() + padding.left + padding.right, _text->Height() + padding.top + padding.bottom);
}

void Label::SetAlignment(int alignment)
{
    if (alignment == _alignment)
    {
        return;
    }
    _alignment = alignment;
    Invalidate();
}

void Label::SetFont(const std::wstring& face, float size, bool bold)
{
    ReleaseCreatedFont(GetSkin());
    _createdFont = new (std::nothrow) Font();
    if (!Assert(_createdFont != nullptr, "Couldn't Create Font!"))
    {
        return;
    }
    _createdFont->bold = bold;
    _createdFont->facename = face;
    _createdFont->size = size;
    _text->SetFont(_createdFont);
    _text->RefreshSize();
}

void Label::SetTextPadding(const Padding& padding)
{
    _text->SetPadding(padding);
    Invalidate();
    InvalidateParent();
}

void Label::UseSkinColor(int index)
{
    Skin::Base* skin = GetSkin();
    if (skin != nullptr)
    {
        SetTextColor(skin->Colors[index]);
    }
}

void Label::MakeColorNormal() { UseSkinColor(Skin::ColorIndex::LabelNormal); }
void Label::MakeColorBright() { UseSkinColor(Skin::ColorIndex::LabelBright); }
void Label::MakeColorDark() { UseSkinColor(Skin::ColorIndex::LabelDark); }
void Label::MakeColorHighlight() { UseSkinColor(Skin::ColorIndex::LabelHighlight); }

void Label::PostLayout(Skin::Base*)
{
    // Wrapped lines follow the text area's width, whatever changed it (a new padding too).
    if (_text->Wrap() && _text->WrappedWidth() != _text->WrapWidth())
    {
        _text->RefreshSize();
    }
    _text->Position(_alignment);
}

void Label::OnBoundsChanged(Rect oldBounds)
{
    Base::OnBoundsChanged(oldBounds);
    if (_text->Wrap())
    {
        _text->RefreshSize();
        Invalidate();
    }
}

Rect Label::GetCharacterPosition(int index)
{
    Rect r = _text->GetCharacterPosition(index);
    r.x += _text->X();
    r.y += _text->Y();
    return r;
}
}
}
