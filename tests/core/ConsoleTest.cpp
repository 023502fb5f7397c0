// The console's line editing, history, completion cycling and output, without a window.
#include "engine/console/TestConsole.h"
#include "engine/core/World.h"
#include "engine/log/ConsoleLog.h"
#include "engine/util/StringUtil.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <climits>

namespace
{
// Records the lines it runs and the inputs it is asked to complete; offers set candidates.
class RecordingConsole : public TestConsole
{
public:
    void Execute(const String& input) override { executed.push_back(input); }
    StringList GetCompletions(const String& input) override
    {
        queries.push_back(input);
        return candidates;
    }

    StringList executed, queries, candidates;
};

class ConsoleTest : public ::testing::Test
{
protected:
    void SetUp() override { console.Enable(true); }

    void Type(const String& text)
    {
        for (char c : text)
            EXPECT_TRUE(console.GetInput(static_cast<unsigned char>(c)));
    }
    void Press(int key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            EXPECT_TRUE(console.GetSpecialInputDown(key));
    }
    void ExpectLine(const String& input, unsigned int cursor)
    {
        EXPECT_EQ(input, console.GetCurrentInput());
        EXPECT_EQ(cursor, console.GetCursorPosition());
    }

    RecordingConsole console;
};
}

TEST_F(ConsoleTest, OpenTakesEveryKeyAndRefusesCharactersOutsideSpaceToBrace)
{
    Press(GLFW_KEY_F5);
    // 0x160 and 0x17E narrow to the grave accent and "~", 0x141 to "A": all refused whole.
    for (unsigned int code : {126u, 127u, 31u, 0x160u, 0x17Eu, 0x141u, 0xFFFFFFFFu})
        EXPECT_TRUE(console.GetInput(code)) << code;
    Type(" }");
    ExpectLine(" }", 2);
    ASSERT_TRUE(console.IsOpen());

    // Escape closes and is taken, so it never reaches the binding that ends the game.
    Press(GLFW_KEY_ESCAPE);
    EXPECT_FALSE(console.IsOpen());
    EXPECT_FALSE(console.GetSpecialInputDown(GLFW_KEY_ESCAPE));
    EXPECT_FALSE(console.GetInput('a'));
    console.ToggleConsole();
    EXPECT_TRUE(console.GetInput('`'));
    EXPECT_FALSE(console.IsOpen());
    ExpectLine(" }", 2);
}

TEST_F(ConsoleTest, LineEditingMovesAndDeletesAtTheCursor)
{
    Type("acd");
    Press(GLFW_KEY_LEFT, 2);
    Type("b");
    ExpectLine("abcd", 2);

    // Home then Left stays at the start; Backspace there removes nothing.
    Press(GLFW_KEY_HOME);
    Press(GLFW_KEY_LEFT);
    Press(GLFW_KEY_BACKSPACE);
    Press(GLFW_KEY_DELETE);
    ExpectLine("bcd", 0);

    // End then Right stays at the end; Delete there removes nothing.
    Press(GLFW_KEY_END);
    Press(GLFW_KEY_RIGHT);
    Press(GLFW_KEY_DELETE);
    Press(GLFW_KEY_BACKSPACE);
    ExpectLine("bc", 2);
}

TEST_F(ConsoleTest, CompletionsAreAskedFromTheThirdCharacterAndTabCyclesTheFirstSix)
{
    console.candidates = {"alpha", "beta", "gamma"};
    Type("be");
    EXPECT_TRUE(console.queries.empty());
    Type("ta");
    EXPECT_EQ((StringList{"bet", "beta"}), console.queries);
    Press(GLFW_KEY_LEFT);
    Press(GLFW_KEY_END);
    EXPECT_EQ(2u, console.queries.size());
    Press(GLFW_KEY_TAB);
    ExpectLine("gamma", 5);
    Press(GLFW_KEY_TAB);
    ExpectLine("alpha", 5);

    console.candidates.clear();
    for (int i = 0; i < 10; ++i)
        console.candidates.push_back("c" + IntToString(i));
    Press(GLFW_KEY_BACKSPACE);
    String visited;
    for (int i = 0; i < 8; ++i)
    {
        Press(GLFW_KEY_TAB);
        visited += console.GetCurrentInput();
    }
    EXPECT_EQ("c0c1c2c3c4c5c0c1", visited);

    Press(GLFW_KEY_BACKSPACE);
    EXPECT_TRUE(console.GetCompletionCandidates().empty());
}

TEST_F(ConsoleTest, EnterRunsTheLineAndHistoryWalksUpAndDown)
{
    Press(GLFW_KEY_ENTER);
    EXPECT_EQ(StringList{""}, console.executed);
    Press(GLFW_KEY_UP);
    ExpectLine("", 0);

    for (const char* line : {"one", "two"})
    {
        Type(line);
        Press(GLFW_KEY_ENTER);
    }
    EXPECT_EQ((StringList{"", "one", "two"}), console.executed);
    ExpectLine("", 0);

    Press(GLFW_KEY_UP);
    ExpectLine("two", 3);
    Press(GLFW_KEY_UP, 3);
    ExpectLine("one", 3);
    Press(GLFW_KEY_DOWN, 2);
    ExpectLine("", 0);
    Press(GLFW_KEY_UP);
    ExpectLine("two", 3);

    // Steps of any size stay inside the history.
    console.AdvanceInputHistory(INT_MIN);
    ExpectLine("one", 3);
    console.AdvanceInputHistory(INT_MAX);
    ExpectLine("", 0);
}

TEST_F(ConsoleTest, OutputExpandsTabsAndSplitsPieceByPieceAsSplittingEverythingWould)
{
    console.WriteToOutput("abc\tx\n");
    console.WriteToOutput("abcdefgh\ty\n");
    // The tab sits at position 5 of this text, though at 2 of its line.
    console.WriteToOutput("ab\ncd\tz\n");
    const StringList expected = {"abc     x", "abcdefgh        y", "ab", "cd   z"};
    EXPECT_EQ(expected, console.GetOutputLines());

    for (const char* text : {"", "first", " half", "\n", "\n", "two\nthree", "\n\nfive\n", "six", "\n"})
    {
        console.WriteToOutput(text);
        EXPECT_EQ(SplitString(console.GetOutputText(), "\n", false), console.GetOutputLines())
            << "after writing \"" << text << "\"";
    }
}

TEST(TestConsoleAndConsoleLog, EchoesRunOnAndLogLinesReachOnlyTheWorldsConsole)
{
    TestConsole console;
    console.Enable(true);
    EXPECT_EQ("::>", console.GetPrompt());
    for (const char* line : {"abc", "xyz"})
    {
        for (const char* c = line; *c; ++c)
            console.GetInput(static_cast<unsigned char>(*c));
        EXPECT_TRUE(console.GetCompletionCandidates().empty());
        console.GetSpecialInputDown(GLFW_KEY_ENTER);
    }
    EXPECT_EQ(StringList{"Test Console Echo: abcTest Console Echo: xyz"}, console.GetOutputLines());

    World* world = World::GetInstance();
    ConsoleLog log;
    TestConsole target;
    world->RegisterConsole(0);
    log.Log("dropped");
    world->RegisterConsole(&target);
    log.Printf("%d guns", 12);
    world->RegisterConsole(0);
    EXPECT_EQ("12 guns\n", target.GetOutputText());
}
