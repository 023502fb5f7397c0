#pragma once

// The sizes a window with an OpenGL context can have on the X server: the toolkit's platform
// windows and a host's own window (the engine's) are judged by this one rule, so a size X
// can't take is refused with a line before the window library ends the program over it.
// Anything else is made as asked, larger than the desktop too.
namespace Gui
{
    namespace WindowsLayer
    {
        // X carries a side as a 16-bit unsigned number; the window library ends the program on
        // the server's refusal of 0 or of 65536 and more.
        const int kLargestWindowSide = 65535;
        // A window with fewer pixels than this, in all. Drawn in software, each swap (the
        // window library swaps once while it makes the window) sends the 4-byte colour buffer
        // to X as one image, and the X library ends the program (xcb's write_vec asserts) once
        // that comes near 2^32 bytes, where its request length seems to wrap. Measured: 65535 x
        // 16321 fails, 2^32 bytes less 15.8 MiB, and 65535 x 16320 is made; 32766 x 32705
        // fails, less 8.1 MiB, and 32766 x 32704 is made. So the buffer stays below 2^32 bytes
        // less 16 MiB.
        const long long kMostWindowPixels = ((1LL << 32) - (16LL << 20)) / 4;

        // Whether a window of w x h pixels can be made.
        bool CanMakeWindow(int w, int h);
        // The rule in words, for the line that refuses a size.
        const char* WindowSizeRule();
    }
}
