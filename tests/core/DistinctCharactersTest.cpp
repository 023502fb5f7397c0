// The characters of a console line, each once, cut as the font decodes them.
#include "engine/console/DistinctCharacters.h"

#include <gtest/gtest.h>

TEST(DistinctCharacters, KeepsEachCharacterOnceWholeAndInTheOrderSeen)
{
    DistinctCharacters characters;
    // "é" twice, "€" once, a four-byte character, and a stray continuation byte.
    EXPECT_TRUE(characters.Add("ab\xc3\xa9" "ba\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\x80"));
    EXPECT_EQ("ab\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\x80", characters.GetText());
    EXPECT_FALSE(characters.Add("ba\xe2\x82\xac"));
    // A sequence cut off by the end of the text ends there.
    EXPECT_TRUE(characters.Add("\xc3\xa8\xe2\x82"));
    EXPECT_EQ("ab\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\x80\xc3\xa8\xe2\x82", characters.GetText());

    characters.Clear();
    EXPECT_TRUE(characters.Add("b"));
    EXPECT_EQ("b", characters.GetText());
}
