#include "engine/console/DistinctCharacters.h"

#include "engine/rendering/FontSafeText.h"

#include <algorithm>

DistinctCharacters::DistinctCharacters() { Clear(); }

void DistinctCharacters::Clear()
{
    std::fill(_seenByte, _seenByte + 256, false);
    _seenSequences.clear();
    _text.clear();
}

bool DistinctCharacters::Add(const String& text)
{
    const size_t before = _text.size();
    for (size_t start = 0; start < text.size();)
    {
        const size_t end = FontSafeText::CharacterEnd(text, start);
        const unsigned char lead = static_cast<unsigned char>(text[start]);
        if (end - start == 1)
        {
            if (!_seenByte[lead])
            {
                _seenByte[lead] = true;
                _text += text[start];
            }
        }
        else
        {
            unsigned long long key = end - start;
            for (size_t i = start; i < end; ++i)
                key = (key << 8) | static_cast<unsigned char>(text[i]);
            if (_seenSequences.insert(key).second)
                _text.append(text, start, end - start);
        }
        start = end;
    }
    return _text.size() != before;
}
