#include "engine/rendering/FontSafeText.h"

#include <gtest/gtest.h>

// Well-formed text reaches the font as it is, not copied; each ill-formed piece becomes one
// "?", and characters are cut where the mended text's are.
TEST(FontSafeText, HandsWellFormedTextOnAsItIsAndCutsBrokenTextWhereItIsMended)
{
    for (const String& text : {String("Ahoy"), String("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"), String("a\0b", 3)})
    {
        const FontSafeText safe(text);
        EXPECT_EQ(&text, &safe.Get());
    }
    const String broken = "\xe2\x82" "A\xf0\x9f\x98";
    EXPECT_EQ("?A?", FontSafeText(broken).Get());
    EXPECT_EQ(2u, FontSafeText::CharacterEnd(broken, 0));
    EXPECT_EQ(3u, FontSafeText::CharacterEnd(broken, 2));
    EXPECT_EQ(broken.size(), FontSafeText::CharacterEnd(broken, 3));
}
