#include "engine/math/Color.h"

#include <gtest/gtest.h>

namespace
{
    void ExpectColor(const Color& expected, const Color& actual)
    {
        EXPECT_FLOAT_EQ(expected.R, actual.R);
        EXPECT_FLOAT_EQ(expected.G, actual.G);
        EXPECT_FLOAT_EQ(expected.B, actual.B);
        EXPECT_FLOAT_EQ(expected.A, actual.A);
    }

    const Color kWhite(1.0f, 1.0f, 1.0f, 1.0f);
}

TEST(ColorConstruction, ClampsUnlessAskedNotTo)
{
    ExpectColor(Color(1.0f, 0.0f, 0.5f, 1.0f), Color(2.0f, -1.0f, 0.5f));
    const Color raw(2.0f, -1.0f, 0.5f, 1.0f, false);
    EXPECT_EQ(2.0f, raw.R);
    EXPECT_EQ(-1.0f, raw.G);
    ExpectColor(kWhite, Color());
}

TEST(ColorConstruction, FromIntsDividesBy255)
{
    ExpectColor(Color(1.0f, 0.0f, 51.0f / 255.0f, 1.0f), Color::FromInts(255, 0, 51));
    ExpectColor(Color(1.0f, 0.0f, 0.0f, 0.0f), Color::FromInts(300, -5, 0, 0));
    EXPECT_FLOAT_EQ(300.0f / 255.0f, Color::FromInts(300, 0, 0, 255, false).R);
}

TEST(ColorFromHexString, ReadsPrefixedLongAndShortForms)
{
    ExpectColor(Color(1.0f, 136.0f / 255.0f, 0.0f, 1.0f), Color::FromHexString("#F80"));
    ExpectColor(Color(1.0f, 0.0f, 0.0f, 1.0f), Color::FromHexString("0Xff0000"));
    ExpectColor(Color(0.0f, 1.0f, 0.0f, 1.0f), Color::FromHexString("0x00ff00"));
    // Both prefixes, "#" first.
    ExpectColor(Color(0.0f, 0.0f, 1.0f, 1.0f), Color::FromHexString("#0x0000FF"));
}

TEST(ColorFromHexString, UnprefixedOrOddLengthGivesWhite)
{
    ExpectColor(kWhite, Color::FromHexString("ff0000"));
    ExpectColor(kWhite, Color::FromHexString("#FF00"));
    ExpectColor(kWhite, Color::FromHexString(""));
    ExpectColor(kWhite, Color::FromHexString("#"));
}

TEST(ColorFromHexString, InvalidDigitsReadAsFarAsTheyGo)
{
    // "zz" has no digits (0); "1g" stops after the 1.
    ExpectColor(Color(0.0f, 1.0f / 255.0f, 1.0f, 1.0f), Color::FromHexString("#zz1gff"));
}

TEST(ColorArithmetic, DoesNotClamp)
{
    const Color sum = Color(0.8f, 0.5f, 0.0f, 1.0f) + Color(0.8f, 0.0f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(1.6f, sum.R);
    EXPECT_FLOAT_EQ(2.0f, sum.A);
    const Color difference = Color(0.0f, 0.0f, 0.0f, 0.0f) - Color(0.5f, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(-0.5f, difference.R);
    EXPECT_FLOAT_EQ(2.0f, (Color(1.0f, 1.0f, 1.0f, 1.0f) * 2.0f).G);
    EXPECT_FLOAT_EQ(0.25f, (Color(0.5f, 0.5f, 0.5f, 0.5f) / 2.0f).B);

    Color clamped = sum;
    clamped.Clamp();
    EXPECT_EQ(Color(1.0f, 0.5f, 0.0f, 1.0f), clamped);
}
