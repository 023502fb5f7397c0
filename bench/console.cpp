// Cost of the console's output as it fills: one write of a line, and one frame of the open
// console, at growing amounts of output. Beside them, what re-splitting the whole output
// on every write would cost at the same size. Then one huge line, as a script's result
// gives it: the write, the frames after it, and small writes that continue such a line.
// Run under a virtual X server:
//   xvfb-run -a -s "-screen 0 1600x1200x24" build/bench/bench_console
#include "engine/console/TestConsole.h"
#include "engine/core/World.h"
#include "engine/rendering/FontRegistry.h"
#include "engine/util/StringUtil.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>

namespace
{
const char* const kFontFile = ZARVO_SOURCE_DIR "/Resources/Fonts/Inconsolata.otf";
const int kSizes[] = {40000, 400000, 1000000};
const int kTimedWrites = 20000;
const int kTimedFrames = 100;
const int kTimedResplits = 3;
const int kLongLines[] = {1000000, 10000000, 100000000};

typedef std::chrono::steady_clock Clock;

double NanosecondsSince(Clock::time_point start, int repetitions)
{
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / repetitions;
}

String OutputLine(int number)
{
    return "cannon " + IntToString(number) + "\tloaded, range 250\n";
}

double WriteNanoseconds(TestConsole& console, int& written)
{
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < kTimedWrites; ++i)
        console.WriteToOutput(OutputLine(written++));
    return NanosecondsSince(start, kTimedWrites);
}

double FrameNanoseconds(TestConsole& console)
{
    // Warm-up frames build the glyph textures and measure the new lines.
    for (int i = 0; i < 10; ++i)
        console.Render();
    glFinish();
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < kTimedFrames; ++i)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        console.Render();
        glFinish();
    }
    return NanosecondsSince(start, kTimedFrames);
}

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One frame, drawn and finished, in milliseconds.
double FrameMilliseconds(TestConsole& console)
{
    const Clock::time_point start = Clock::now();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    console.Render();
    glFinish();
    return MillisecondsSince(start);
}

// A script's huge result on one line: the write, the first frame (which measures the line)
// and the frames after it; then writes that continue an unfinished line of that length.
void LongLine(int length, double baselineFrame)
{
    TestConsole console;
    console.Enable(true);
    console.WriteToOutput("> =string.rep(\"x\", " + IntToString(length) + ")\n");
    FrameMilliseconds(console);
    const String result(length, 'x');
    Clock::time_point start = Clock::now();
    console.WriteToOutput(result + "\n");
    const double write = MillisecondsSince(start);
    const double firstFrame = FrameMilliseconds(console);
    double frames = 0.0;
    for (int i = 0; i < 20; ++i)
        frames += FrameMilliseconds(console);
    console.WriteToOutput(result);
    FrameMilliseconds(console);
    start = Clock::now();
    for (int i = 0; i < 20; ++i)
    {
        console.WriteToOutput("y");
        FrameMilliseconds(console);
    }
    const double continued = MillisecondsSince(start) / 20;
    std::printf("%12d %12.1f %12.1f %12.2f %12.2f %11.2fx\n", length, write, firstFrame, frames / 20, continued,
                (frames / 20) / baselineFrame);
}

double ResplitNanoseconds(const TestConsole& console)
{
    size_t lines = 0;
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < kTimedResplits; ++i)
        lines += SplitString(console.GetOutputText(), "\n", false).size();
    const double nanoseconds = NanosecondsSince(start, kTimedResplits);
    return lines > 0 ? nanoseconds : 0.0;
}
}

int main()
{
    if (!World::GetInstance()->Initialize("Zarvo Engine", false, false, false) ||
        !RegisterFont(kFontFile, 24, "Console") || !RegisterFont(kFontFile, 18, "ConsoleSmall"))
        return 1;
    TestConsole console;
    console.Enable(true);
    int written = 0;
    std::printf("%12s %14s %14s %20s\n", "lines", "write ns", "frame us", "re-split ns/write");
    double firstWrite = 0.0, firstFrame = 0.0;
    for (int size : kSizes)
    {
        // Never fewer than one batch untimed, so the first figures are warm too.
        while (written < size - kTimedWrites || written < kTimedWrites)
            console.WriteToOutput(OutputLine(written++));
        const double write = WriteNanoseconds(console, written);
        const double frame = FrameNanoseconds(console);
        std::printf("%12d %14.0f %14.1f %20.0f\n", written, write, frame / 1000.0, ResplitNanoseconds(console));
        if (firstWrite == 0.0)
        {
            firstWrite = write;
            firstFrame = frame;
        }
        else
        {
            std::printf("%12s %13.2fx %13.2fx   against %d lines\n", "", write / firstWrite, frame / firstFrame,
                        kSizes[0]);
        }
    }
    // Frames against the frame of a console holding a few short lines.
    TestConsole shortOutput;
    shortOutput.Enable(true);
    for (int i = 0; i < 40; ++i)
        shortOutput.WriteToOutput(OutputLine(i));
    double baseline = 0.0;
    for (int i = 0; i < 20; ++i)
        baseline += FrameMilliseconds(shortOutput);
    baseline /= 20;
    std::printf("\nOne long line (ms); a frame of 40 short lines takes %.2f ms\n", baseline);
    std::printf("%12s %12s %12s %12s %12s %12s\n", "characters", "write", "first frame", "later frame",
                "write+frame", "later/short");
    for (int length : kLongLines)
        LongLine(length, baseline);
    return 0;
}
