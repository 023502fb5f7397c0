#include "engine/platform/Clock.h"
#include "engine/platform/FileSystem.h"

#include "support/ScopedEnvironment.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <fstream>

namespace
{
    class PlatformFileSystemTest : public ::testing::Test
    {
    protected:
        ScratchDirectory _scratch;
        ScopedEnvironment _environment;

        void WriteUserDirs(const String& contents)
        {
            Platform::CreateDirectoryTree("config");
            std::ofstream file("config/user-dirs.dirs");
            file << contents;
            _environment.Unset("XDG_DOCUMENTS_DIR");
            _environment.Set("XDG_CONFIG_HOME", _scratch.Path() + "/config");
            _environment.Set("HOME", "/home/sailor");
        }
    };
}

TEST_F(PlatformFileSystemTest, ChangeDirectoryMovesTheWorkingDirectory)
{
    const String start = Platform::CurrentDirectory();
    ASSERT_TRUE(Platform::CreateDirectoryTree("inner"));
    ASSERT_TRUE(Platform::ChangeDirectory("inner"));
    EXPECT_EQ(start + "/inner", Platform::CurrentDirectory());
    EXPECT_FALSE(Platform::ChangeDirectory("does-not-exist"));
    EXPECT_FALSE(Platform::ChangeDirectory(""));
    EXPECT_EQ(start + "/inner", Platform::CurrentDirectory());
}

TEST_F(PlatformFileSystemTest, DocumentsFromTheUserDirsFile)
{
    WriteUserDirs("# written by the desktop\nXDG_DESKTOP_DIR=\"$HOME/Desk\"\nXDG_DOCUMENTS_DIR=\"$HOME/Papers/\"\n");
    EXPECT_EQ("/home/sailor/Papers", Platform::DocumentsDirectory());
}

TEST_F(PlatformFileSystemTest, DocumentsFromAnAbsoluteUserDirsEntry)
{
    WriteUserDirs("XDG_DOCUMENTS_DIR=\"/data/docs\"\n");
    EXPECT_EQ("/data/docs", Platform::DocumentsDirectory());
}

TEST_F(PlatformFileSystemTest, DocumentsFallBackToHome)
{
    WriteUserDirs("XDG_MUSIC_DIR=\"$HOME/Music\"\n");
    EXPECT_EQ("/home/sailor/Documents", Platform::DocumentsDirectory());
}

TEST_F(PlatformFileSystemTest, DocumentsFromTheEnvironmentComeFirst)
{
    WriteUserDirs("XDG_DOCUMENTS_DIR=\"/data/docs\"\n");
    _environment.Set("XDG_DOCUMENTS_DIR", "/from/env");
    EXPECT_EQ("/from/env", Platform::DocumentsDirectory());
}

TEST(PlatformProgram, ExecutablePathIsAbsolute)
{
    const String path = Platform::ExecutablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ('/', path[0]);
    EXPECT_TRUE(Platform::PathExists(path));
}

TEST(PlatformClock, NeverRunsBackwardsAndSleepsAtLeastAsAsked)
{
    EXPECT_EQ(1000000000LL, Platform::PerformanceFrequency());
    const long long ticksBefore = Platform::PerformanceCounter();
    const double before = Platform::MonotonicSeconds();
    Platform::SleepMilliseconds(5);
    const double after = Platform::MonotonicSeconds();
    EXPECT_GE(after - before, 0.005);
    EXPECT_GE(Platform::PerformanceCounter() - ticksBefore, 5000000LL);
    // Nothing to wait for: these return without blocking.
    Platform::SleepMilliseconds(0);
    Platform::SleepMilliseconds(-10);
}
