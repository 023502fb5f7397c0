#include "engine/rendering/FontSafeText.h"

namespace
{
// The bytes of the character at text[position] (at least 1, never past the end) and whether
// they are a well-formed UTF-8 sequence. An ill-formed piece is as long as the part of a
// well-formed sequence it starts with, so a cut or broken sequence is one piece and the byte
// that broke it starts the next.
size_t CharacterLength(const String& text, size_t position, bool& wellFormed)
{
    const unsigned char lead = static_cast<unsigned char>(text[position]);
    wellFormed = true;
    if (lead < 0x80)
    {
        return 1;
    }
    size_t length = 0;
    // The range the second byte must lie in; later bytes take any continuation byte. The
    // narrower ranges keep out overlong forms, surrogates and code points past U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
    {
        length = 2;
    }
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    else
    {
        wellFormed = false;
        return 1;
    }
    size_t taken = 1;
    while (taken < length && position + taken < text.size())
    {
        const unsigned char next = static_cast<unsigned char>(text[position + taken]);
        if (next < low || next > high)
        {
            break;
        }
        low = 0x80;
        high = 0xBF;
        ++taken;
    }
    wellFormed = taken == length;
    return taken;
}

// How many bytes at the start of text are well-formed: all of them for well-formed text. The
// common text is ASCII, passed over a byte at a time.
size_t WellFormedStart(const String& text)
{
    const char* const bytes = text.data();
    size_t position = 0;
    while (position < text.size())
    {
        if (static_cast<unsigned char>(bytes[position]) < 0x80)
        {
            ++position;
            continue;
        }
        bool wellFormed = true;
        const size_t length = CharacterLength(text, position, wellFormed);
        if (!wellFormed)
        {
            break;
        }
        position += length;
    }
    return position;
}
}

FontSafeText::FontSafeText(const String& text) : _text(text)
{
    size_t position = WellFormedStart(text);
    if (position == text.size())
    {
        return;
    }
    _mended.assign(text, 0, position);
    while (position < text.size())
    {
        bool wellFormed = true;
        const size_t length = CharacterLength(text, position, wellFormed);
        if (wellFormed)
        {
            _mended.append(text, position, length);
        }
        else
        {
            _mended += Replacement;
        }
        position += length;
    }
}

size_t FontSafeText::CharacterEnd(const String& text, size_t position)
{
    if (position >= text.size())
    {
        return text.size();
    }
    bool wellFormed = true;
    return position + CharacterLength(text, position, wellFormed);
}
