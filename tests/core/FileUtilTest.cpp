#include "engine/util/FileUtil.h"

#include "support/ScopedEnvironment.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace
{
    void WriteRaw(const String& path, const String& bytes)
    {
        std::ofstream file(path.c_str(), std::ios::binary);
        file << bytes;
    }

    class FileUtilTest : public ::testing::Test
    {
    protected:
        ScratchDirectory _scratch;
    };
}

TEST_F(FileUtilTest, ReadLinesGivesTrailingEmptyLineAfterFinalNewline)
{
    WriteRaw("two.txt", "a\nb\n");
    StringList lines;
    ASSERT_TRUE(ReadLinesFromFile("two.txt", lines));
    EXPECT_EQ(StringList({"a", "b", ""}), lines);
}

TEST_F(FileUtilTest, ReadLinesAppendsAndKeepsCarriageReturns)
{
    WriteRaw("dos.txt", "x\r\ny");
    StringList lines = {"earlier"};
    ASSERT_TRUE(ReadLinesFromFile("dos.txt", lines));
    EXPECT_EQ(StringList({"earlier", "x\r", "y"}), lines);
}

TEST_F(FileUtilTest, ReadLinesOfAnEmptyFileGivesOneEmptyLine)
{
    WriteRaw("empty.txt", "");
    StringList lines;
    ASSERT_TRUE(ReadLinesFromFile("empty.txt", lines));
    EXPECT_EQ(StringList({""}), lines);
}

TEST_F(FileUtilTest, ReadLinesRefusesMissingFilesAndDirectories)
{
    StringList lines = {"untouched"};
    EXPECT_FALSE(ReadLinesFromFile("missing.txt", lines));
    ASSERT_EQ(0, ::mkdir("folder", 0777));
    EXPECT_FALSE(ReadLinesFromFile("folder", lines));
    EXPECT_EQ(StringList({"untouched"}), lines);
}

TEST_F(FileUtilTest, ReadWholeFileKeepsLineEnds)
{
    WriteRaw("ends.txt", "a\nb\n");
    EXPECT_EQ("a\nb\n", ReadWholeFile("ends.txt"));
    WriteRaw("open.txt", "a\r\nb");
    EXPECT_EQ("a\r\nb", ReadWholeFile("open.txt"));
    WriteRaw("empty.txt", "");
    EXPECT_EQ("", ReadWholeFile("empty.txt"));
    EXPECT_EQ("", ReadWholeFile("missing.txt"));
}

TEST_F(FileUtilTest, WrittenLinesReadBackTheSame)
{
    const StringList written = {"first", "", "third"};
    ASSERT_TRUE(WriteLinesToFile("round.txt", written));
    EXPECT_EQ("first\n\nthird\n", ReadWholeFile("round.txt"));

    // Writing again starts the file anew.
    ASSERT_TRUE(WriteLinesToFile("round.txt", StringList({"only"})));
    EXPECT_EQ("only\n", ReadWholeFile("round.txt"));
}

TEST_F(FileUtilTest, AppendAddsOneLineAtTheEnd)
{
    ASSERT_TRUE(AppendLineToFile("log.txt", "one"));
    ASSERT_TRUE(AppendLineToFile("log.txt", "two"));
    EXPECT_EQ("one\ntwo\n", ReadWholeFile("log.txt"));
}

TEST_F(FileUtilTest, WritesIntoMissingFoldersFail)
{
    EXPECT_FALSE(WriteLinesToFile("no/such/folder.txt", StringList({"x"})));
    EXPECT_FALSE(AppendLineToFile("no/such/folder.txt", "x"));
    ASSERT_EQ(0, ::mkdir("folder", 0777));
    EXPECT_FALSE(WriteLinesToFile("folder", StringList({"x"})));
}

TEST_F(FileUtilTest, MakeDirectoriesIsTrueOnlyWhenItCreated)
{
    EXPECT_TRUE(MakeDirectories("deep/er/still"));
    EXPECT_TRUE(FileExists("deep/er/still"));
    EXPECT_FALSE(MakeDirectories("deep/er/still"));
    EXPECT_FALSE(MakeDirectories("deep/er/still/"));
    EXPECT_TRUE(MakeDirectories("./deep/other/"));

    WriteRaw("plain.txt", "x");
    EXPECT_FALSE(MakeDirectories("plain.txt/child"));
    EXPECT_FALSE(MakeDirectories(""));
}

TEST_F(FileUtilTest, FileExistsForFilesAndFolders)
{
    WriteRaw("here.txt", "");
    EXPECT_TRUE(FileExists("here.txt"));
    EXPECT_TRUE(FileExists("."));
    EXPECT_FALSE(FileExists("gone.txt"));
}

TEST(FileLocations, DocumentsPathHasNoTrailingSeparator)
{
    ScopedEnvironment environment;
    environment.Set("XDG_DOCUMENTS_DIR", "/srv/papers/");
    EXPECT_EQ("/srv/papers", GetDocumentsPath());
}

TEST(FileLocations, ExeNameIsTheProgramFileName)
{
    EXPECT_EQ("engine_core_tests", GetExeName());
}
