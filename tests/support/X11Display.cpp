#include "support/X11Display.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace
{
// Windows of the program under test come and go while we walk the tree: ignore the errors
// that races produce instead of letting Xlib end the test process.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }
}

X11Display::X11Display() : _display(XOpenDisplay(0))
{
    XSetErrorHandler(IgnoreXErrors);
}

X11Display::~X11Display()
{
    if (_display != 0)
    {
        XCloseDisplay(_display);
    }
}

unsigned long X11Display::FindWindow(unsigned long root, const std::string& title)
{
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = 0;
    unsigned int count = 0;
    if (!XQueryTree(_display, root, &rootReturn, &parent, &children, &count))
    {
        return 0;
    }
    unsigned long found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i)
    {
        char* name = 0;
        XWindowAttributes attributes;
        if (XFetchName(_display, children[i], &name) && name != 0)
        {
            if (title == name && XGetWindowAttributes(_display, children[i], &attributes) &&
                attributes.map_state == IsViewable)
            {
                found = children[i];
            }
            XFree(name);
        }
        if (found == 0)
        {
            found = FindWindow(children[i], title);
        }
    }
    if (children != 0)
    {
        XFree(children);
    }
    return found;
}

unsigned long X11Display::WaitForWindow(const std::string& title, double timeoutSeconds)
{
    if (_display == 0)
    {
        return 0;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (std::chrono::steady_clock::now() < deadline)
    {
        unsigned long window = FindWindow(DefaultRootWindow(_display), title);
        if (window != 0)
        {
            return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return 0;
}

bool X11Display::GetWindowSize(unsigned long window, int& width, int& height)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(_display, window, &attributes))
    {
        return false;
    }
    width = attributes.width;
    height = attributes.height;
    return true;
}

bool X11Display::WaitForFirstFrame(unsigned long window, double timeoutSeconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (std::chrono::steady_clock::now() < deadline)
    {
        int width = 0;
        int height = 0;
        std::vector<Pixel> pixels = Capture(window, width, height);
        if (!pixels.empty())
        {
            const Pixel& centre = pixels[(height / 2) * width + width / 2];
            if (centre.R != 0 || centre.G != 0 || centre.B != 0)
            {
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

std::vector<X11Display::Pixel> X11Display::Capture(unsigned long window, int& width, int& height)
{
    std::vector<Pixel> pixels;
    if (!GetWindowSize(window, width, height))
    {
        return pixels;
    }
    XImage* image = XGetImage(_display, window, 0, 0, width, height, AllPlanes, ZPixmap);
    if (image == 0)
    {
        return pixels;
    }
    pixels.reserve(width * height);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            unsigned long value = XGetPixel(image, x, y);
            Pixel pixel = {(int)((value & image->red_mask) >> 16), (int)((value & image->green_mask) >> 8),
                           (int)(value & image->blue_mask)};
            pixels.push_back(pixel);
        }
    }
    XDestroyImage(image);
    return pixels;
}

bool X11Display::SavePPM(unsigned long window, const std::string& path)
{
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels = Capture(window, width, height);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == 0 || pixels.empty())
    {
        if (file != 0)
        {
            std::fclose(file);
        }
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (size_t i = 0; i < pixels.size(); ++i)
    {
        unsigned char rgb[3] = {(unsigned char)pixels[i].R, (unsigned char)pixels[i].G, (unsigned char)pixels[i].B};
        std::fwrite(rgb, 1, 3, file);
    }
    std::fclose(file);
    return true;
}

void X11Display::RequestClose(unsigned long window)
{
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = XInternAtom(_display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(_display, window, False, NoEventMask, &event);
    XFlush(_display);
}

int X11Display::Xdo(unsigned long window, const std::string& command)
{
    // Focus first and then send real (XTEST) input: synthetic events sent to a window are
    // not what a player's keyboard produces.
    std::ostringstream line;
    line << "xdotool windowfocus " << window << " " << command << " >/dev/null 2>&1";
    return std::system(line.str().c_str());
}
