#pragma once

#include "gui/controls/Base.h"
#include "gui/controls/ControlType.h"
#include "gui/controls/Text.h"

namespace Gui
{
    namespace Controls
    {
        // A text control: one Text child placed inside it by an alignment. Its font is the
        // skin's default unless SetFont(face, size, bold) makes one of its own, which the
        // label owns and gives back to the renderer when it goes (delayed or deleted directly).
        class Label : public Base
        {
            GUI_CONTROL_TYPE(Label, Base)

        public:
            explicit Label(Base* parent, const std::string& name = "");
            ~Label() override;

            // Nothing happens, and OnTextChanged is not called, when the text is unchanged.
            virtual void SetText(const TextPair& text, bool doEvents = true);
            virtual const TextPair& GetText() const { return _text->GetText(); }
            // The label becomes as large as its text plus its padding.
            virtual void SizeToContents();
            // Pos flags; Left | Top by default.
            virtual void SetAlignment(int alignment);
            virtual int GetAlignment() { return _alignment; }
            // Not owned: the font must outlive the label.
            virtual void SetFont(Font* font) { _text->SetFont(font); }
            // A font of the label's own, replacing (and releasing) any made before.
            virtual void SetFont(const std::wstring& face, float size, bool bold);
            virtual Font* GetFont() { return _text->GetFont(); }
            virtual void SetTextColor(const Color& color) { _text->SetTextColor(color); }
            virtual void SetTextColorOverride(const Color& color) { _text->SetTextColorOverride(color); }
            virtual int TextWidth() { return _text->Width(); }
            virtual int TextRight() { return _text->Right(); }
            virtual int TextHeight() { return _text->Height(); }
            virtual int TextX() { return _text->X(); }
            virtual int TextY() { return _text->Y(); }
            virtual int TextLength() { return _text->Length(); }
            virtual void SetTextPadding(const Padding& padding);
            virtual const Padding& GetTextPadding() { return _text->GetPadding(); }
            // The skin's label colours.
            virtual void MakeColorNormal();
            virtual void MakeColorBright();
            virtual void MakeColorDark();
            virtual void MakeColorHighlight();
            virtual bool Wrap() { return _text->Wrap(); }
            virtual void SetWrap(bool wrap) { _text->SetWrap(wrap); }
            virtual void OnTextChanged() {}

            void PreDelete(Skin::Base* skin) override;
            void PostLayout(Skin::Base* skin) override;
            TextPair GetValue() override { return GetText(); }
            void SetValue(const TextPair& value) override { SetText(value, true); }

            Rect GetCharacterPosition(int index);
            ControlsInternal::Text* GetTextControl() { return _text; }

        protected:
            void OnBoundsChanged(Rect oldBounds) override;

        private:
            void ReleaseCreatedFont(Skin::Base* skin);
            void UseSkinColor(int index);

            Font* _createdFont = nullptr;
            ControlsInternal::Text* _text = nullptr;
            int _alignment = Pos::Left | Pos::Top;
        };
    }
}
