#include "engine/console/DistinctCharacters.h"

#include <gtest/gtest.h>

// "é" twice, "€", four bytes and a stray continuation byte; a sequence cut short ends there.
TEST(DistinctCharacters, KeepsEachCharacterOnceWholeAndInTheOrderSeen)
{
    DistinctCharacters characters;
    const String seen = "ab\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\x80";
    EXPECT_TRUE(characters.Add("ab\xc3\xa9" "ba\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\x80"));
    EXPECT_EQ(seen, characters.GetText());
    EXPECT_FALSE(characters.Add("ba\xe2\x82\xac"));
    EXPECT_TRUE(characters.Add("\xc3\xa8\xe2\x82"));
    EXPECT_EQ(seen + "\xc3\xa8\xe2\x82", characters.GetText());
    characters.Clear();
    EXPECT_TRUE(characters.Add("b"));
    EXPECT_EQ("b", characters.GetText());
}
