#pragma once

#include "gui/Color.h"
#include "gui/Font.h"
#include "gui/controls/Base.h"
#include "gui/controls/ControlType.h"

#include <list>

namespace Gui
{
    namespace ControlsInternal
    {
        // A run of text in one font and colour that sizes itself to its measured text. With
        // wrapping on it splits into line children (each a Text) that fit its parent's inner
        // width (a Label's text area), and draws nothing itself. The font is not owned and
        // must outlive the Text (a Label owns it).
        class Text : public Controls::Base
        {
            GUI_CONTROL_TYPE(Text, Controls::Base)

        public:
            explicit Text(Controls::Base* parent, const std::string& name = "");

            const TextPair& GetText() const { return _string; }
            void SetString(const TextPair& text);
            Font* GetFont() const { return _font; }
            // Given to every line child too.
            void SetFont(Font* font);
            // Measures again now (at once, not at the next layout).
            void RefreshSize();

            virtual void SetTextColor(const Color& color);
            // Used instead of the text colour while its alpha is not 0.
            virtual void SetTextColorOverride(const Color& color);
            virtual void RefreshSizeLater() { _textDirty = true; }
            virtual bool Wrap() { return _wrap; }
            virtual void SetWrap(bool wrap);
            // Null when there is no such line.
            virtual Text* GetLine(int index);
            virtual int GetLineFromChar(int index);
            virtual int GetStartCharFromLine(int line);
            virtual int GetEndCharFromLine(int line);
            virtual int GetCharPosOnLine(int index);
            virtual int NumLines() { return (int)_lines.size(); }
            virtual void RefreshSizeWrap();
            void Layout(Skin::Base* skin) override;
            // The width wrapped lines may take: the parent's width inside its padding, or the
            // Text's own without a parent.
            int WrapWidth() const;
            // The width the lines were last wrapped against; -1 before the first wrap.
            int WrappedWidth() const { return _wrappedWidth; }

            int Length() const { return (int)_string.GetUnicode().size(); }
            // Where the character of that index starts, in this Text's coordinates.
            Rect GetCharacterPosition(int index);
            // The index of the character nearest the point, in this Text's coordinates.
            int GetClosestCharacter(Point point);

        protected:
            void OnScaleChanged() override { Invalidate(); }
            void Render(Skin::Base* skin) override;

        private:
            Point Measure(const std::wstring& text);
            void DeleteLines();

            TextPair _string;
            Font* _font = nullptr;
            Color _color;
            Color _colorOverride = Color(255, 255, 255, 0);
            bool _wrap = false;
            bool _textDirty = true;
            int _wrappedWidth = -1;
            std::list<Text*> _lines;
        };
    }
}
