// The console's line editing, history, completion cycling and output, without a window.
#include "engine/console/Console.h"
#include "engine/console/TestConsole.h"
#include "engine/core/World.h"
#include "engine/log/ConsoleLog.h"
#include "engine/util/StringUtil.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <climits>

namespace
{
// Records what the base class asks of a derived console, and offers set candidates.
class RecordingConsole : public Console
{
public:
    void Execute(const String& input) override { executed.push_back(input); }
    StringList GetCompletions(const String& input) override
    {
        queries.push_back(input);
        return candidates;
    }
    using Console::SetTabWidth;

    StringList executed;
    StringList queries;
    StringList candidates;
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
    void Enter(const String& line)
    {
        Type(line);
        Press(GLFW_KEY_ENTER);
    }

    RecordingConsole console;
};
}

TEST_F(ConsoleTest, ClosedTakesNothingAndOpenTakesEveryKey)
{
    console.Enable(false);
    EXPECT_FALSE(console.GetInput('a'));
    EXPECT_FALSE(console.GetSpecialInputDown(GLFW_KEY_ESCAPE));
    EXPECT_EQ("", console.GetCurrentInput());

    console.ToggleConsole();
    ASSERT_TRUE(console.IsOpen());
    Press(GLFW_KEY_F5);
    Press(GLFW_KEY_SPACE);
    EXPECT_TRUE(console.IsOpen());

    // Escape closes and is taken, so it never reaches the binding that ends the game.
    Press(GLFW_KEY_ESCAPE);
    EXPECT_FALSE(console.IsOpen());
    console.Enable(true);
    Press(GLFW_KEY_GRAVE_ACCENT);
    EXPECT_FALSE(console.IsOpen());
    console.Enable(true);
    EXPECT_TRUE(console.GetInput('`'));
    EXPECT_FALSE(console.IsOpen());
    EXPECT_EQ("", console.GetCurrentInput());
}

TEST_F(ConsoleTest, CharactersOutsideSpaceToBraceAreRefusedWholeButTaken)
{
    // 0x160 and 0x17E narrow to the grave accent and "~"; 0x141 narrows to "A".
    const unsigned int refused[] = {126, 127, 31, 9, 0x160, 0x17E, 0x141, 0x1F600, 0xFFFFFFFFu};
    for (unsigned int code : refused)
    {
        EXPECT_TRUE(console.GetInput(code)) << code;
        EXPECT_TRUE(console.IsOpen()) << code;
    }
    EXPECT_EQ("", console.GetCurrentInput());
    Type(" }");
    EXPECT_EQ(" }", console.GetCurrentInput());
}

TEST_F(ConsoleTest, LineEditingMovesAndDeletesAtTheCursor)
{
    Type("acd");
    Press(GLFW_KEY_LEFT, 2);
    Type("b");
    EXPECT_EQ("abcd", console.GetCurrentInput());
    EXPECT_EQ(2u, console.GetCursorPosition());

    Press(GLFW_KEY_HOME);
    Press(GLFW_KEY_LEFT);
    EXPECT_EQ(0u, console.GetCursorPosition());
    Press(GLFW_KEY_BACKSPACE);
    Press(GLFW_KEY_DELETE);
    EXPECT_EQ("bcd", console.GetCurrentInput());
    EXPECT_EQ(0u, console.GetCursorPosition());

    Press(GLFW_KEY_END);
    Press(GLFW_KEY_RIGHT);
    EXPECT_EQ(3u, console.GetCursorPosition());
    Press(GLFW_KEY_DELETE);
    Press(GLFW_KEY_BACKSPACE);
    EXPECT_EQ("bc", console.GetCurrentInput());
    EXPECT_EQ(2u, console.GetCursorPosition());
}

TEST_F(ConsoleTest, CompletionsAreAskedFromTheThirdCharacterOnAndOnlyAfterEdits)
{
    console.candidates = {"abcdef"};
    Type("ab");
    EXPECT_TRUE(console.queries.empty());
    EXPECT_TRUE(console.GetCompletionCandidates().empty());

    Type("c");
    EXPECT_EQ(StringList{"abc"}, console.queries);
    EXPECT_EQ(console.candidates, console.GetCompletionCandidates());

    Press(GLFW_KEY_LEFT);
    Press(GLFW_KEY_HOME);
    Press(GLFW_KEY_END);
    Press(GLFW_KEY_RIGHT);
    EXPECT_EQ(1u, console.queries.size());

    Press(GLFW_KEY_BACKSPACE);
    EXPECT_TRUE(console.GetCompletionCandidates().empty());
    Type("z");
    Press(GLFW_KEY_ENTER);
    EXPECT_TRUE(console.GetCompletionCandidates().empty());
}

TEST_F(ConsoleTest, TabCyclesThroughAtMostTheFirstSixCandidates)
{
    console.candidates = {"alpha", "beta", "gamma"};
    Type("bet");
    Type("a");
    Press(GLFW_KEY_TAB);
    EXPECT_EQ("gamma", console.GetCurrentInput());
    EXPECT_EQ(5u, console.GetCursorPosition());
    Press(GLFW_KEY_TAB);
    EXPECT_EQ("alpha", console.GetCurrentInput());

    console.candidates.clear();
    for (int i = 0; i < 10; ++i)
        console.candidates.push_back("cand" + IntToString(i));
    Press(GLFW_KEY_BACKSPACE);
    StringList visited;
    for (int i = 0; i < 8; ++i)
    {
        Press(GLFW_KEY_TAB);
        visited.push_back(console.GetCurrentInput());
    }
    const StringList expected = {"cand0", "cand1", "cand2", "cand3", "cand4", "cand5", "cand0", "cand1"};
    EXPECT_EQ(expected, visited);
}

TEST_F(ConsoleTest, EnterRunsTheLineAndHistoryWalksUpAndDown)
{
    Press(GLFW_KEY_ENTER);
    EXPECT_EQ(StringList{""}, console.executed);
    Press(GLFW_KEY_UP);
    EXPECT_EQ("", console.GetCurrentInput());

    Enter("one");
    Enter("two");
    EXPECT_EQ((StringList{"", "one", "two"}), console.executed);
    EXPECT_EQ("", console.GetCurrentInput());
    EXPECT_EQ(0u, console.GetCursorPosition());

    Press(GLFW_KEY_UP);
    EXPECT_EQ("two", console.GetCurrentInput());
    EXPECT_EQ(3u, console.GetCursorPosition());
    Press(GLFW_KEY_UP, 3);
    EXPECT_EQ("one", console.GetCurrentInput());
    Press(GLFW_KEY_DOWN);
    EXPECT_EQ("two", console.GetCurrentInput());
    Press(GLFW_KEY_DOWN);
    EXPECT_EQ("", console.GetCurrentInput());
    Press(GLFW_KEY_UP);
    EXPECT_EQ("two", console.GetCurrentInput());

    // Steps of any size stay inside the history.
    console.AdvanceInputHistory(INT_MIN);
    EXPECT_EQ("one", console.GetCurrentInput());
    console.AdvanceInputHistory(INT_MAX);
    EXPECT_EQ("", console.GetCurrentInput());
}

TEST_F(ConsoleTest, TabsExpandFromTheStartOfTheWrittenText)
{
    console.WriteToOutput("abc\tx\n");
    console.WriteToOutput("abcdefgh\ty\n");
    // The tab sits at position 5 of this text, though at 2 of its line.
    console.WriteToOutput("ab\ncd\tz\n");
    const StringList expected = {"abc     x", "abcdefgh        y", "ab", "cd   z"};
    EXPECT_EQ(expected, console.GetOutputLines());

    console.SetTabWidth(16);
    console.WriteToOutput("\t|");
    EXPECT_EQ(String(16, ' ') + "|", console.GetOutputLines().back());
}

TEST_F(ConsoleTest, OutputSplitPieceByPieceMatchesSplittingEverything)
{
    const char* const writes[] = {"", "first", " half", "\n", "\n", "two\nthree", "", "\n\nfive\n",
                                  "six", "\n", "seven\n\n"};
    for (const char* text : writes)
    {
        console.WriteToOutput(text);
        EXPECT_EQ(SplitString(console.GetOutputText(), "\n", false), console.GetOutputLines())
            << "after writing \"" << text << "\"";
    }
}

TEST(TestConsoleEcho, AcceptedLinesRunOnInOneLineAndNothingCompletes)
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
}

TEST(ConsoleLogOutput, WritesLinesToTheWorldsConsoleOnlyWhileThereIsOne)
{
    World* world = World::GetInstance();
    ConsoleLog log;
    world->RegisterConsole(0);
    log.Log("dropped");

    TestConsole console;
    world->RegisterConsole(&console);
    log.Printf("%d guns", 12);
    log.Log("ready");
    world->RegisterConsole(0);
    EXPECT_EQ("12 guns\nready\n", console.GetOutputText());
}
