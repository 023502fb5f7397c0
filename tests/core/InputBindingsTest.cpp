// The binding file, the key-name table and what a binding sends.
#include "engine/input/InputBinding.h"
#include "engine/input/InputManager.h"
#include "engine/log/CompoundLog.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/MessageListener.h"
#include "engine/messaging/Switchboard.h"
#include "engine/util/FileUtil.h"
#include "support/CapturingLog.h"
#include "support/ScratchDirectory.h"

#include "support/SystemLogCapture.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class InputBindingsTest : public ::testing::Test
{
protected:
    void SetUp() override { SystemLogCapture().Lines.clear(); }
    void TearDown() override { InputManager::Destroy(); }

    // Writes the binding file into the scratch working directory and reads it afresh.
    InputManager& ReadBindings(const StringList& lines)
    {
        MakeDirectories("Config");
        EXPECT_TRUE(WriteLinesToFile("Config/input_bindings.ini", lines));
        InputManager::Destroy();
        return *InputManager::GetInstance();
    }

    InputBinding& BindingOf(const char* keyName)
    {
        InputManager& input = *InputManager::GetInstance();
        InputBinding* binding = input.GetBinding(input.GetKeyCode(keyName));
        static InputBinding none;
        none = InputBinding();
        EXPECT_NE(nullptr, binding) << keyName;
        return binding != 0 ? *binding : none;
    }

    std::vector<String> Warnings() const
    {
        std::vector<String> warnings;
        for (const String& line : SystemLogCapture().Lines)
        {
            if (line.rfind("WARNING: ", 0) == 0)
            {
                warnings.push_back(line);
            }
        }
        return warnings;
    }

    ScratchDirectory scratch;
};
}

TEST_F(InputBindingsTest, ReadsDownUpAndBareValuesWithEitherSeparator)
{
    ReadBindings({"w=+Forward", "W=-Stop", "SPACE = +FireBroadside", "SPACE = -StopFiring",
                  "TAB : OpenCloseShop", "\tf1\t=\t+Help\r", "ENTER=a=b", "p1button_a = +Fire"});

    EXPECT_EQ("Forward", BindingOf("w").GetDownMessage());
    EXPECT_EQ("Stop", BindingOf("w").GetUpMessage());
    EXPECT_EQ("FireBroadside", BindingOf("SPACE").GetDownMessage());
    EXPECT_EQ("StopFiring", BindingOf("SPACE").GetUpMessage());
    EXPECT_EQ("OpenCloseShop", BindingOf("TAB").GetDownMessage());
    EXPECT_EQ("", BindingOf("TAB").GetUpMessage());
    EXPECT_EQ("Help", BindingOf("F1").GetDownMessage());
    EXPECT_EQ("a", BindingOf("ENTER").GetDownMessage());
    EXPECT_EQ("Fire", BindingOf("P1BUTTON_A").GetDownMessage());
    EXPECT_TRUE(Warnings().empty());
}

TEST_F(InputBindingsTest, SkipsCommentsEmptyFieldsAndLinesWithoutSeparator)
{
    InputManager& input =
        ReadBindings({"; a=Comment", "", "q = : x", "e=", "r = ", "t", "y = +Later", "y = +Latest"});

    EXPECT_EQ(nullptr, input.GetBinding('a'));
    EXPECT_EQ(nullptr, input.GetBinding('q'));
    EXPECT_EQ(nullptr, input.GetBinding('e'));
    EXPECT_EQ(nullptr, input.GetBinding('r'));
    EXPECT_EQ(nullptr, input.GetBinding('t'));
    EXPECT_EQ("Latest", BindingOf("y").GetDownMessage());
    EXPECT_TRUE(Warnings().empty());
}

TEST_F(InputBindingsTest, UnknownKeyNamesAreReportedAndBindNothing)
{
    InputManager& input = ReadBindings({" ;x=y", "BOGUS = +Nope", "GRAVE = +Console", "k = +Kept"});

    EXPECT_EQ(nullptr, input.GetBinding(-1));
    EXPECT_EQ("Kept", BindingOf("k").GetDownMessage());
    const std::vector<String> warnings = Warnings();
    ASSERT_EQ(3u, warnings.size());
    EXPECT_NE(String::npos, warnings[0].find(";x"));
    EXPECT_NE(String::npos, warnings[1].find("BOGUS"));
    EXPECT_NE(String::npos, warnings[2].find("GRAVE"));

    // A key the window library can't name must not pick up someone's binding either.
    EXPECT_FALSE(input.OnKeyDown(-1));
}

TEST_F(InputBindingsTest, ControlBytesInUnknownKeyNamesAreEscapedInTheWarning)
{
    InputManager& input = ReadBindings({"\x1b[31mRED\x07\x7f = +Paint", "K = +"});

    const std::vector<String> warnings = Warnings();
    ASSERT_EQ(1u, warnings.size());
    EXPECT_NE(String::npos, warnings[0].find("\"\\x1b[31mRED\\x07\\x7f\"")) << warnings[0];
    for (const char byte : warnings[0])
    {
        EXPECT_FALSE((unsigned char)byte < 32 || byte == 127) << "raw control byte " << (int)byte;
    }
    // A bare sign is still an empty binding, not a warning.
    ASSERT_NE(nullptr, input.GetBinding('k'));
    EXPECT_EQ("", input.GetBinding('k')->GetDownMessage());
}

// A file saved with a UTF-8 byte-order mark keeps its first line; a key name with bytes
// beyond ASCII (a mark later in the file among them) is reported with them escaped.
TEST_F(InputBindingsTest, AByteOrderMarkIsSkippedAndHighBytesAreEscapedInTheWarning)
{
    ReadBindings({"\xef\xbb\xbfSPACE = +Fire", "\xef\xbb\xbfTAB = +Shop", "caf\xc3\xa9 = +Order"});

    EXPECT_EQ("Fire", BindingOf("SPACE").GetDownMessage());
    const std::vector<String> warnings = Warnings();
    ASSERT_EQ(2u, warnings.size());
    EXPECT_NE(String::npos, warnings[0].find("\"\\xef\\xbb\\xbfTAB\"")) << warnings[0];
    EXPECT_NE(String::npos, warnings[1].find("\"caf\\xc3\\xa9\"")) << warnings[1];
}

TEST_F(InputBindingsTest, MissingFileLeavesNoBindingsAndSaysNothing)
{
    InputManager& input = *InputManager::GetInstance();
    EXPECT_EQ(nullptr, input.GetBinding('w'));
    EXPECT_FALSE(input.OnKeyDown('W'));
    EXPECT_TRUE(SystemLogCapture().Lines.empty());
}

TEST_F(InputBindingsTest, KeyNameTableCoversEveryFamily)
{
    InputManager& input = *InputManager::GetInstance();
    EXPECT_EQ(97, input.GetKeyCode("a"));
    EXPECT_EQ(122, input.GetKeyCode("Z"));
    EXPECT_EQ(48, input.GetKeyCode("zero"));
    EXPECT_EQ(43, input.GetKeyCode("PLUS"));
    EXPECT_EQ(47, input.GetKeyCode("FORWARDSLASH"));
    EXPECT_EQ(256, input.GetKeyCode("Escape"));
    EXPECT_EQ(265, input.GetKeyCode("UP_ARROW"));
    EXPECT_EQ(269, input.GetKeyCode("END"));
    EXPECT_EQ(290, input.GetKeyCode("F1"));
    EXPECT_EQ(314, input.GetKeyCode("F25"));
    EXPECT_EQ(320, input.GetKeyCode("KP_0"));
    EXPECT_EQ(336, input.GetKeyCode("KP_EQUAL"));
    EXPECT_EQ(342, input.GetKeyCode("L_ALT"));
    EXPECT_EQ(344, input.GetKeyCode("R_SHIFT"));
    EXPECT_EQ(1000, input.GetKeyCode("P1BUTTON_A"));
    EXPECT_EQ(1011, input.GetKeyCode("P1BUTTON_RIGHTBUMPER"));
    EXPECT_EQ(1020, input.GetKeyCode("P2BUTTON_A"));
    EXPECT_EQ(1031, input.GetKeyCode("P2BUTTON_RIGHTBUMPER"));
    EXPECT_EQ(-1, input.GetKeyCode("F26"));
    EXPECT_EQ(-1, input.GetKeyCode(""));
}

TEST_F(InputBindingsTest, BindingsSendTheirMessagesAtTheNextDelivery)
{
    MessageNameRecorder recorder;
    Switchboard::GetInstance()->SubscribeTo(&recorder, "Forward");
    Switchboard::GetInstance()->SubscribeTo(&recorder, "Stop");
    InputManager& input = ReadBindings({"w=+Forward", "W=-Stop", "x = +", "ESCAPE=-Stop"});

    // Upper-case letters from the window library reach the lower-case binding.
    EXPECT_TRUE(input.OnKeyDown('W'));
    EXPECT_TRUE(recorder.names.empty());
    Switchboard::GetInstance()->SendAllMessages();
    EXPECT_EQ(std::vector<std::string>({"Forward"}), recorder.names);

    EXPECT_TRUE(input.OnKeyUp('w'));
    // Bindings with an empty name, or with nothing for this direction, take the key silently.
    EXPECT_TRUE(input.OnKeyDown('x'));
    EXPECT_TRUE(input.OnKeyDown(256));
    Switchboard::GetInstance()->SendAllMessages();
    EXPECT_EQ(std::vector<std::string>({"Forward", "Stop"}), recorder.names);
}

TEST_F(InputBindingsTest, BindingsCanBeAddedAndRemovedByName)
{
    InputManager& input = *InputManager::GetInstance();
    input.AddBinding("space", "-Up");
    input.AddBinding("SPACE", "Down");
    EXPECT_EQ("Down", BindingOf("SPACE").GetDownMessage());
    EXPECT_EQ("Up", BindingOf("SPACE").GetUpMessage());

    input.RemoveBinding("Space");
    EXPECT_EQ(nullptr, input.GetBinding(32));
    input.RemoveBinding("NOSUCHKEY");
    input.RemoveBinding("SPACE");
}
