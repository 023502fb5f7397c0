#include "gui/platform/Cursor.h"

#include <GLFW/glfw3.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace Gui
{
namespace WindowsLayer
{
namespace
{
const int kSide = 16;

// Whether a pixel of the 16 x 16 picture belongs to the shape of a drawn cursor.
bool InShape(unsigned char cursor, int x, int y)
{
    const float cx = x - 7.5f;
    const float cy = y - 7.5f;
    switch (cursor)
    {
    case CURSOR_SizeNWSE:
        return std::abs(x - y) <= 1 || (x + y <= 6 && x < 6 && y < 6) || (x + y >= 24 && x > 9 && y > 9);
    case CURSOR_SizeNESW:
        return std::abs(x - (15 - y)) <= 1 || (x - y >= 9 && x > 9 && y < 6) || (y - x >= 9 && x < 6 && y > 9);
    case CURSOR_SizeAll:
        return (x == 7 || x == 8 || y == 7 || y == 8) ||
               (std::abs(cx) + std::abs(cy) >= 5.0f && std::abs(cx) + std::abs(cy) <= 7.5f &&
                (std::abs(cx) < 2.0f || std::abs(cy) < 2.0f));
    case CURSOR_No:
    {
        const float radius = std::sqrt(cx * cx + cy * cy);
        return (radius >= 5.5f && radius <= 7.5f) || (radius < 6.0f && std::abs(cx - cy) <= 1.0f);
    }
    case CURSOR_Wait:
        return y <= 1 || y >= 14 || std::abs(cx) <= std::abs(cy) - 0.5f;
    default:
        return false;
    }
}

// Black shape with a white rim so it shows on any background.
GLFWcursor* CreateDrawnCursor(unsigned char cursor)
{
    std::vector<unsigned char> pixels(kSide * kSide * 4, 0);
    for (int y = 0; y < kSide; ++y)
    {
        for (int x = 0; x < kSide; ++x)
        {
            bool rim = false;
            for (int dy = -1; dy <= 1; ++dy)
            {
                for (int dx = -1; dx <= 1; ++dx)
                {
                    rim = rim || InShape(cursor, x + dx, y + dy);
                }
            }
            unsigned char* pixel = &pixels[(y * kSide + x) * 4];
            const unsigned char shade = InShape(cursor, x, y) ? 0 : 255;
            pixel[0] = pixel[1] = pixel[2] = shade;
            pixel[3] = rim ? 255 : 0;
        }
    }
    GLFWimage image;
    image.width = kSide;
    image.height = kSide;
    image.pixels = pixels.data();
    return glfwCreateCursor(&image, kSide / 2, kSide / 2);
}

GLFWcursor* CreateCursor(unsigned char cursor)
{
    switch (cursor)
    {
    case CURSOR_Beam:
        return glfwCreateStandardCursor(GLFW_IBEAM_CURSOR);
    case CURSOR_SizeNS:
        return glfwCreateStandardCursor(GLFW_VRESIZE_CURSOR);
    case CURSOR_SizeWE:
        return glfwCreateStandardCursor(GLFW_HRESIZE_CURSOR);
    case CURSOR_Hand:
        return glfwCreateStandardCursor(GLFW_HAND_CURSOR);
    case CURSOR_SizeNWSE:
    case CURSOR_SizeNESW:
    case CURSOR_SizeAll:
    case CURSOR_No:
    case CURSOR_Wait:
        return CreateDrawnCursor(cursor);
    default:
        return glfwCreateStandardCursor(GLFW_ARROW_CURSOR);
    }
}

// The cursors belong to the window they were made for; another window (after the host made
// a new one) starts a new set, and the old set went with the old window library session.
GLFWwindow* s_cursorWindow = nullptr;
GLFWcursor* s_cursors[CURSOR_Count] = {};
unsigned char s_current = CURSOR_Arrow;
}

void SetCursor(unsigned char cursor)
{
    GLFWwindow* window = glfwGetCurrentContext();
    if (window == nullptr)
    {
        return;
    }
    if (window != s_cursorWindow)
    {
        s_cursorWindow = window;
        for (GLFWcursor*& made : s_cursors)
        {
            made = nullptr;
        }
    }
    if (cursor >= CURSOR_Count)
    {
        cursor = CURSOR_Arrow;
    }
    if (s_cursors[cursor] == nullptr)
    {
        s_cursors[cursor] = CreateCursor(cursor);
    }
    glfwSetCursor(window, s_cursors[cursor]);
    s_current = cursor;
}

void ReleaseCursors()
{
    // The window may be gone already (its host closed it first); a closed window's context
    // is no longer current, so only a live one gets its arrow back.
    if (s_cursorWindow != nullptr && s_cursorWindow == glfwGetCurrentContext())
    {
        glfwSetCursor(s_cursorWindow, nullptr);
    }
    for (GLFWcursor*& made : s_cursors)
    {
        if (made != nullptr)
        {
            glfwDestroyCursor(made);
            made = nullptr;
        }
    }
    s_cursorWindow = nullptr;
    s_current = CURSOR_Arrow;
}

unsigned char GetCursor()
{
    return s_current;
}

Point GetCursorPos()
{
    GLFWwindow* window = glfwGetCurrentContext();
    if (window == nullptr)
    {
        return Point();
    }
    double x = 0.0;
    double y = 0.0;
    int windowX = 0;
    int windowY = 0;
    glfwGetCursorPos(window, &x, &y);
    glfwGetWindowPos(window, &windowX, &windowY);
    return Point(windowX + (int)x, windowY + (int)y);
}

Point GetDesktopSize()
{
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    return mode != nullptr ? Point(mode->width, mode->height) : Point();
}
}
}
