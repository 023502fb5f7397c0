#include "engine/log/CompoundLog.h"
#include "engine/log/FileLog.h"
#include "engine/log/SystemLog.h"
#include "engine/util/FileUtil.h"

#include "support/CapturingLog.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <regex>

namespace
{
    const std::regex kTimeText("[A-Z][a-z]{2} [A-Z][a-z]{2} [0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}");

    bool StartsWithTimeText(const String& line, const String& after)
    {
        const size_t timeLength = 24;
        return line.size() >= timeLength && std::regex_match(line.substr(0, timeLength), kTimeText) &&
               line.substr(timeLength) == after;
    }

    class FileLogTest : public ::testing::Test
    {
    protected:
        ScratchDirectory _scratch;

        StringList LinesOf(const String& path)
        {
            StringList lines;
            EXPECT_TRUE(ReadLinesFromFile(path, lines)) << path;
            return lines;
        }
    };
}

TEST(CompoundLogFanOut, EveryMemberGetsEachLineInOrder)
{
    CompoundLog compound;
    CapturingLog first, second;
    compound.AddLog(&first);
    compound.AddLog(&second);
    compound.AddLog(&first);

    compound.Printf("%d ships, %s", 3, "sunk");
    compound.Log("plain");

    const std::vector<String> expected = {"3 ships, sunk", "plain"};
    EXPECT_EQ(expected, first.Lines);
    EXPECT_EQ(expected, second.Lines);
}

TEST(CompoundLogFanOut, LongTextIsCutTo1023Characters)
{
    CompoundLog compound;
    CapturingLog first, second;
    compound.AddLog(&first);
    compound.AddLog(&second);

    const String longText(2000, 'w');
    compound.Printf("%s", longText.c_str());

    ASSERT_EQ(1u, first.Lines.size());
    ASSERT_EQ(1u, second.Lines.size());
    EXPECT_EQ(longText.substr(0, 1023), first.Lines[0]);
    EXPECT_EQ(longText.substr(0, 1023), second.Lines[0]);
}

TEST(CompoundLogFanOut, LogsThatContainEachOtherDoNotLoop)
{
    CompoundLog outer, inner;
    CapturingLog capture;
    outer.AddLog(&inner);
    inner.AddLog(&outer);
    inner.AddLog(&capture);
    outer.AddLog(&outer);

    outer.Log("once");
    inner.Log("twice");
    EXPECT_EQ(std::vector<String>({"once", "twice"}), capture.Lines);
}

TEST(CompoundLogFanOut, NullMemberIsRefusedWithAWarning)
{
    CompoundLog compound;
    CapturingLog capture;
    testing::internal::CaptureStderr();
    compound.AddLog(nullptr);
    const String warning = testing::internal::GetCapturedStderr();
    compound.AddLog(&capture);
    compound.Log("still works");

    EXPECT_NE(String::npos, warning.find("WARNING: ")) << warning;
    EXPECT_EQ(std::vector<String>({"still works"}), capture.Lines);
}

TEST(SystemLogOutput, PrintfReachesTheDebugOutputWithANewline)
{
    testing::internal::CaptureStderr();
    CompoundLog::GetSystemLog().Printf("value %d", 3);
    EXPECT_EQ("value 3\n", testing::internal::GetCapturedStderr());
}

TEST_F(FileLogTest, NameLivesUnderTheLogsFolder)
{
    EXPECT_EQ("./Logs/events.log", FileLog::MakeLogFileName("events"));
}

TEST_F(FileLogTest, CreatesTheMissingLogsFolderAndWritesTheHeader)
{
    const String path = FileLog::MakeLogFileName("events");
    ASSERT_FALSE(FileExists("Logs"));
    FileLog log(path);
    EXPECT_TRUE(FileExists("Logs"));

    const StringList lines = LinesOf(path);
    ASSERT_EQ(4u, lines.size()); // three header lines and the end after the last newline
    EXPECT_EQ("Opened Log: ./Logs/events.log", lines[0]);
    EXPECT_TRUE(StartsWithTimeText(lines[1].substr(4), "")) << lines[1];
    EXPECT_EQ("On: ", lines[1].substr(0, 4));
    EXPECT_EQ("", lines[2]);
}

TEST_F(FileLogTest, EachLineIsAppendedWithItsTime)
{
    const String path = FileLog::MakeLogFileName("events");
    FileLog log(path);
    log.Log("x");
    log.Printf("hit %d", 7);

    const StringList lines = LinesOf(path);
    ASSERT_EQ(6u, lines.size());
    EXPECT_TRUE(StartsWithTimeText(lines[3], ": x")) << lines[3];
    EXPECT_TRUE(StartsWithTimeText(lines[4], ": hit 7")) << lines[4];
}

TEST_F(FileLogTest, ReopeningStartsTheFileAnew)
{
    const String path = FileLog::MakeLogFileName("again");
    {
        FileLog first(path);
        first.Log("old line");
    }
    FileLog second(path);
    EXPECT_EQ(4u, LinesOf(path).size());
}

TEST_F(FileLogTest, UnwritablePathIsReportedOnceAndLinesAreDropped)
{
    ASSERT_TRUE(WriteLinesToFile("blocker", StringList({"a file, not a folder"})));
    testing::internal::CaptureStderr();
    FileLog log("blocker/inside.log");
    log.Log("lost");
    const String output = testing::internal::GetCapturedStderr();

    EXPECT_EQ("ERROR: Couldn't open log file \"blocker/inside.log\" for writing.\n", output);
    EXPECT_FALSE(FileExists("blocker/inside.log"));
}
