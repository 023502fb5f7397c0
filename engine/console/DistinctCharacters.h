#pragma once

#include "engine/util/StringTypes.h"

#include <unordered_set>

// The distinct characters of a text, each once, in the order they first appear. Drawn on one
// line they cover the same rows as the whole text (glyphs on a line differ only in where they
// stand across it), so a long line's height is measured on a few glyphs instead of all of
// them. Characters are cut as the font drawing sees its 8-bit strings (FontSafeText): a
// well-formed UTF-8 sequence, or an ill-formed piece that is drawn as one replacement.
class DistinctCharacters
{
public:
    DistinctCharacters();

    // Adds the characters of text not seen yet; returns whether there were any.
    bool Add(const String& text);
    void Clear();
    // Every character seen, once each.
    const String& GetText() const { return _text; }

private:
    bool _seenByte[256];
    // Longer characters, their bytes packed into one number.
    std::unordered_set<unsigned long long> _seenSequences;
    String _text;
};
