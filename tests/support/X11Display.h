#pragma once

#include <string>
#include <vector>

// A connection to the test's X server: finds windows by title, reads their pixels back,
// asks them to close the way a window manager would, and sends input through xdotool.
class X11Display
{
public:
    struct Pixel
    {
        int R, G, B;
    };

    X11Display();
    ~X11Display();

    bool IsOpen() const { return _display != 0; }

    // Polls until a mapped window with exactly this title exists; 0 when none appeared.
    unsigned long WaitForWindow(const std::string& title, double timeoutSeconds);
    bool GetWindowSize(unsigned long window, int& width, int& height);
    // Polls until the window shows a drawn frame (its centre is no longer unpainted black).
    bool WaitForFirstFrame(unsigned long window, double timeoutSeconds);
    // The window's pixels, row by row from the top left.
    std::vector<Pixel> Capture(unsigned long window, int& width, int& height);
    bool SavePPM(unsigned long window, const std::string& path);
    void RequestClose(unsigned long window);

    // xdotool with the window as target, e.g. Xdo(window, "key Escape").
    static int Xdo(unsigned long window, const std::string& command);

private:
    unsigned long FindWindow(unsigned long root, const std::string& title);

    struct _XDisplay* _display;
};
