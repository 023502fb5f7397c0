#include "engine/util/StringUtil.h"

#include <gtest/gtest.h>

#include <regex>

TEST(StringConversion, NumbersToText)
{
    EXPECT_EQ("-42", IntToString(-42));
    EXPECT_EQ("0.1", FloatToString(0.1f));
    EXPECT_EQ("1.2e+06", FloatToString(1200001.0f));
    EXPECT_EQ("1", BoolToString(true));
    EXPECT_EQ("0", BoolToString(false));
    EXPECT_EQ("1.5 -2", Vector2ToString(Vector2(1.5f, -2.0f)));
    EXPECT_EQ("18446744073709551615", ULongToString(18446744073709551615ULL));
}

TEST(StringConversion, IntReadsLeadingDigitsOnly)
{
    EXPECT_EQ(12, StringToInt("12abc"));
    EXPECT_EQ(0, StringToInt("abc"));
    EXPECT_EQ(-7, StringToInt("  -7"));
    EXPECT_EQ(0, StringToInt(""));
}

TEST(StringConversion, FailedReadsLeaveTheTargetAlone)
{
    int number = 99;
    EXPECT_FALSE(StringToInt("abc", number));
    EXPECT_EQ(99, number);
    // Too large for an int: refused rather than saturated.
    EXPECT_FALSE(StringToInt("99999999999", number));
    EXPECT_EQ(99, number);
    EXPECT_TRUE(StringToInt("5 apples", number));
    EXPECT_EQ(5, number);

    float real = 2.5f;
    EXPECT_FALSE(StringToFloat("x1.5", real));
    EXPECT_EQ(2.5f, real);
    EXPECT_TRUE(StringToFloat(" 1.5e2m", real));
    EXPECT_EQ(150.0f, real);
    EXPECT_EQ(0.0f, StringToFloat("nope"));
}

TEST(StringConversion, BoolAcceptsWordsInAnyCaseOrNumbers)
{
    EXPECT_TRUE(StringToBool("TRUE"));
    EXPECT_FALSE(StringToBool("False"));
    EXPECT_TRUE(StringToBool("2"));
    EXPECT_FALSE(StringToBool("0"));
    EXPECT_FALSE(StringToBool("abc"));
}

TEST(StringConversion, Vector2FillsWhatIsThere)
{
    EXPECT_EQ(Vector2(1.5f, -2.0f), StringToVector2(" 1.5\t-2 "));
    EXPECT_EQ(Vector2(3.0f, 0.0f), StringToVector2("3"));
    EXPECT_EQ(Vector2(0.0f, 0.0f), StringToVector2(""));
    EXPECT_EQ(Vector2(0.0f, 4.0f), StringToVector2("x 4"));
}

TEST(StringCase, ConvertsAsciiAndLeavesHighBytesIntact)
{
    EXPECT_EQ("ABC_1", ToUpper("aBc_1"));
    EXPECT_EQ("abc_1", ToLower("aBc_1"));
    const String highBytes = "\xe9\xff";
    EXPECT_EQ(highBytes, ToUpper(highBytes));
    EXPECT_EQ(highBytes, ToLower(highBytes));
}

TEST(StringSplit, KeepsInnerEmptyTokensOnlyWhenAsked)
{
    EXPECT_EQ(StringList({"a", "", "b"}), SplitString("a==b=", "=", false));
    EXPECT_EQ(StringList({"a", "b"}), SplitString("a==b=", "=", true));
    EXPECT_EQ(StringList({"", "a"}), SplitString(":a", ":", false));
    EXPECT_TRUE(SplitString("", ":", false).empty());
}

TEST(StringSplit, DefaultSplitsAtWhitespace)
{
    EXPECT_EQ(StringList({"one", "two", "three"}), SplitString("  one\ttwo\r\nthree \n"));
}

TEST(StringJoin, SeparatorOnlyBetweenItems)
{
    EXPECT_EQ("a, b, c", JoinStrings(StringList({"a", "b", "c"}), ", "));
    EXPECT_EQ("a", JoinStrings(StringList({"a"}), ", "));
    EXPECT_EQ("", JoinStrings(StringList(), ", "));
}

TEST(StringSeparateFirstWord, SplitsOffTheCommandAndJoinsTheRest)
{
    const StringList words = {"say", "hello", "big", "world"};
    String first, rest;
    SeparateFirstWord(words, first, rest);
    EXPECT_EQ("say", first);
    EXPECT_EQ("hello big world", rest);

    String limitedFirst, limitedRest;
    SeparateFirstWord(words, limitedFirst, limitedRest, 3);
    EXPECT_EQ("hello big", limitedRest);
}

TEST(StringSeparateFirstWord, EdgeCounts)
{
    const StringList words = {"a", "b"};
    String first = "unchanged", rest = "kept";
    SeparateFirstWord(StringList(), first, rest);
    EXPECT_EQ("unchanged", first);

    SeparateFirstWord(words, first, rest, 1);
    EXPECT_EQ("a", first);
    EXPECT_EQ("kept", rest);

    // A count past the end takes what is there instead of reading past it.
    String longRest;
    SeparateFirstWord(words, first, longRest, 10);
    EXPECT_EQ("b", longRest);

    // rest is extended, not replaced.
    SeparateFirstWord(words, first, rest);
    EXPECT_EQ("keptb", rest);
}

TEST(StringTrim, RemovesOnlyTheEnds)
{
    EXPECT_EQ("x", TrimString(" \tx \n"));
    EXPECT_EQ("a b", TrimString("  a b\r"));
    EXPECT_EQ("", TrimString(" \t\r\n"));
    EXPECT_EQ("--ab-c", TrimString("--ab-c", "+"));
    EXPECT_EQ("ab-c", TrimString("--ab-c--", "-"));
    EXPECT_EQ(" a ", TrimString(" a ", ""));
}

TEST(StringWrap, JoinsWordsWhileTheyFit)
{
    EXPECT_EQ("ab cd\nef", WrapString("ab cd ef", 5));
    // Lengths adding up to exactly the width do not fit.
    EXPECT_EQ("ab\ncd", WrapString("ab cd", 4));
    EXPECT_EQ("one\ntwo", WrapString("  one   two ", 0));
    EXPECT_EQ("", WrapString("", 10));
}

TEST(TimeString, HasTheFixedTwentyFourCharacterForm)
{
    const String now = GetTimeString();
    EXPECT_EQ(24u, now.size());
    EXPECT_TRUE(std::regex_match(now, std::regex("[A-Z][a-z]{2} [A-Z][a-z]{2} [0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}")))
        << now;
}
