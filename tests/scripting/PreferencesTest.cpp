#include "scripting/ScriptTestSupport.h"

#include "engine/config/ConfigValue.h"
#include "engine/config/Preferences.h"
#include "engine/scripting/LuaScriptingModule.h"
#include "engine/util/FileUtil.h"

#include "support/SystemLogCapture.h"

#include <climits>
#include <cmath>
#include <limits>

TEST(ConfigValueForms, NumbersAndTextsConvertWithoutOverflow)
{
    EXPECT_EQ(3, ConfigValue(2.5f).GetInt());
    EXPECT_EQ(2, ConfigValue(2.4f).GetInt());
    EXPECT_EQ(INT_MAX, ConfigValue(1e20f).GetInt());
    EXPECT_EQ(INT_MIN, ConfigValue(-1e20f).GetInt());
    EXPECT_EQ(0, ConfigValue(std::numeric_limits<float>::quiet_NaN()).GetInt());
    EXPECT_EQ(INT_MAX, ConfigValue(String("99999999999999999999")).GetInt());
    EXPECT_EQ(12, ConfigValue(String("12abc")).GetInt());
    EXPECT_EQ(12.0f, ConfigValue(String("12abc")).GetFloat());
    EXPECT_EQ(0, ConfigValue(String("abc")).GetInt());
    EXPECT_EQ("{1, 2}", ConfigValue(Vector2(1.0f, 2.0f)).GetString());
    EXPECT_EQ(0.0f, ConfigValue(Vector2(1.0f, 2.0f)).GetFloat());
}

TEST(ConfigValueForms, LuaNamesAndLiterals)
{
    EXPECT_TRUE(ConfigValue::IsLuaIdentifier("Window_Settings2"));
    EXPECT_FALSE(ConfigValue::IsLuaIdentifier("2fast"));
    EXPECT_FALSE(ConfigValue::IsLuaIdentifier("end"));
    EXPECT_FALSE(ConfigValue::IsLuaIdentifier("a b"));
    EXPECT_FALSE(ConfigValue::IsLuaIdentifier(""));
    EXPECT_EQ("1/0", ConfigValue::FloatToLua(std::numeric_limits<float>::infinity()));
    EXPECT_EQ("-1/0", ConfigValue::FloatToLua(-std::numeric_limits<float>::infinity()));
    EXPECT_EQ("0/0", ConfigValue::FloatToLua(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_EQ("\"a\\\"b\\\\c\\nd\\0011\"", ConfigValue::QuoteForLua(String("a\"b\\c\nd\x01" "1")));
}

TEST_F(ScriptTest, DefaultsSetTheWindowSettings)
{
    StartScripts();
    Preferences* preferences = Preferences::GetInstance();
    EXPECT_EQ(1024, preferences->GetInt("WindowSettings", "width"));
    EXPECT_EQ(768, preferences->GetInt("WindowSettings", "height"));
    EXPECT_EQ("Zarvo Engine", preferences->GetString("WindowSettings", "name"));
    EXPECT_EQ(0, preferences->OverrideInt("WindowSettings", "fullScreen", 1));
    EXPECT_EQ("fallback", preferences->OverrideString("Missing", "name", "fallback"));
    EXPECT_EQ("", preferences->GetString("Missing", "name"));
}

TEST_F(ScriptTest, SavedPreferencesReadBackInAFreshState)
{
    StartScripts();
    const String hostile = "say \"hi\" \\ there\nnext ]] line";
    const float third = 1.0f / 3.0f;
    EXPECT_EQ("", Run(R"(
      local p = zarvo.Preferences_GetInstance()
      p:SetString("Game", "motto", ")" + std::string("say \\\"hi\\\" \\\\ there\\nnext ]] line") + R"(")
      p:SetString("odd category", "not a name", "x")
      p:SetFloat("Game", "end", 2.5)
      p:SetFloat("Game", "huge", math.huge)
      p:SetInt("Game", "count", -7)
    )"));
    Preferences::GetInstance()->SetFloat("Game", "third", third);
    SystemLogCapture().Lines.clear();
    Preferences::GetInstance()->SetInt("", "", 4);
    ASSERT_FALSE(SystemLogCapture().Lines.empty());
    EXPECT_EQ("ERROR: Null strings passed for category or name in preference setting.", SystemLogCapture().Lines[0]);
    Preferences::GetInstance()->SavePreferences();
    EXPECT_FALSE(FileExists("user_prefs.lua.tmp"));

    LuaScriptingModule::Close();
    Preferences::GetInstance()->Clear();
    StartScripts();
    Preferences* preferences = Preferences::GetInstance();
    EXPECT_EQ(hostile, preferences->GetString("Game", "motto"));
    EXPECT_EQ("x", preferences->GetString("odd category", "not a name"));
    EXPECT_EQ(3, preferences->GetInt("Game", "end"));
    EXPECT_EQ(2.5f, preferences->GetFloat("Game", "end"));
    EXPECT_TRUE(std::isinf(preferences->GetFloat("Game", "huge")));
    EXPECT_EQ(-7, preferences->GetInt("Game", "count"));
    EXPECT_EQ(third, preferences->GetFloat("Game", "third"));
    EXPECT_EQ(4, preferences->GetInt("", ""));
    EXPECT_EQ(1024, preferences->GetInt("WindowSettings", "width"));
}

TEST_F(ScriptTest, CategoriesNamedLikeTheFilesOwnNamesReadBack)
{
    // A saved file sees its categories as globals: none may change what another line means.
    StartScripts();
    Preferences* preferences = Preferences::GetInstance();
    preferences->SetInt("_ENV", "a", 1);
    preferences->SetInt("_G", "b", 2);
    preferences->SetInt("math", "huge", 3);
    preferences->SetInt("odd category", "c", 4);
    preferences->SetFloat("Game", "far", -std::numeric_limits<float>::infinity());
    preferences->SavePreferences();

    LuaScriptingModule::Close();
    preferences->Clear();
    StartScripts();
    EXPECT_EQ(1, preferences->GetInt("_ENV", "a"));
    EXPECT_EQ(2, preferences->GetInt("_G", "b"));
    EXPECT_EQ(3, preferences->GetInt("math", "huge"));
    EXPECT_EQ(4, preferences->GetInt("odd category", "c"));
    EXPECT_EQ(-std::numeric_limits<float>::infinity(), preferences->GetFloat("Game", "far"));
    EXPECT_EQ(1024, preferences->GetInt("WindowSettings", "width"));
}

TEST_F(ScriptTest, ABrokenFileIsReportedWithItsControlBytesEscaped)
{
    WriteFile("user_prefs.lua", "Game = { name = \"tab\there\001\n");
    SystemLogCapture().Lines.clear();
    StartScripts();
    ASSERT_FALSE(SystemLogCapture().Lines.empty());
    const String line = SystemLogCapture().Lines[0];
    EXPECT_EQ(0u, line.find("ERROR: Couldn't load preferences: ./user_prefs.lua:1: unfinished string")) << line;
    EXPECT_NE(String::npos, line.find("near '\"tab\\x09here\\x01'")) << line;
    EXPECT_EQ(1024, Preferences::GetInstance()->GetInt("WindowSettings", "width"));
}

TEST_F(ScriptTest, AFailedSaveKeepsTheOldFileAndSaysSo)
{
    MakeDirectories("user_prefs.lua/blocked");
    Preferences::GetInstance()->SetInt("A", "b", 1);
    SystemLogCapture().Lines.clear();
    Preferences::GetInstance()->SavePreferences();
    ASSERT_FALSE(SystemLogCapture().Lines.empty());
    EXPECT_EQ(0u, SystemLogCapture().Lines.back().find("ERROR: Couldn't save the preferences"));
}

// Every value copied as its text; the text "2.5" reads back as the int 2, the stored float as 3.
TEST_F(ScriptTest, ACategoryCopyHoldsEveryValueRebuiltFromItsText)
{
    Preferences* preferences = Preferences::GetInstance();
    preferences->SetInt("Copied", "width", 1024);
    preferences->SetFloat("Copied", "scale", 2.5f);
    preferences->SetString("Copied", "name", "12 ships");
    const Preferences::Category copy = preferences->CopyCategoryAsStrings("Copied");
    ASSERT_EQ(3u, copy.size());
    for (const auto& setting : copy)
        EXPECT_EQ(ConfigValue::KIND_String, setting.second.GetKind()) << setting.first;
    EXPECT_EQ(1024, copy.at("width").GetInt());
    EXPECT_EQ(2, copy.at("scale").GetInt());
    EXPECT_EQ(2.5f, copy.at("scale").GetFloat());
    EXPECT_EQ(3, preferences->GetInt("Copied", "scale"));
    EXPECT_TRUE(preferences->CopyCategoryAsStrings("Missing").empty());
}
