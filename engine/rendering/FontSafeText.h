#pragma once

#include "engine/util/StringTypes.h"

// A String as the font library may be handed it, to measure or to draw. Strings are bytes
// with no encoding assumed, but the library decodes them as UTF-8 without checking: a lead
// byte makes it read as many bytes as it announces (0xF8 to 0xFF announce five and six),
// past the string's terminating zero when the string ends sooner, and a code point above
// U+10FFFF has no place in its glyph tables, so drawing one reads a glyph that isn't there.
// Every character the library gets from here is well-formed UTF-8: each ill-formed piece
// (a stray continuation byte, a sequence cut short, an overlong form, a surrogate, a code
// point past U+10FFFF, the bytes 0xC0, 0xC1 and 0xF5 to 0xFF) becomes one Replacement, a
// glyph every font has. Measuring and drawing both go through here, so layout and picture
// agree. A zero byte still ends the text for the library, as it always did.
//
// Well-formed text, plain ASCII above all, is handed on as it is: nothing is copied or
// allocated. The text given must outlive this object, and Get() lives as long as both.
class FontSafeText
{
public:
    static constexpr char Replacement = '?';

    explicit FontSafeText(const String& text);
    FontSafeText(const FontSafeText&) = delete;
    FontSafeText& operator=(const FontSafeText&) = delete;

    const String& Get() const { return _mended.empty() ? _text : _mended; }
    const char* CStr() const { return Get().c_str(); }

    // Where the character that starts at position ends, never past the end of text: a
    // well-formed sequence, or the ill-formed piece that is drawn as one Replacement.
    // Cutting text there cuts what reaches the font between two of its characters.
    static size_t CharacterEnd(const String& text, size_t position);

private:
    const String& _text;
    // Empty while the text is well-formed (an ill-formed text never mends to nothing).
    String _mended;
};
