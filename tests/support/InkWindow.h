#pragma once

#include "support/WorldWindow.h"

#include <functional>
#include <vector>

// The World's window with helpers for finding what was drawn on its white background:
// text and lines are found by their ink, not compared with golden images.
class InkWindow : public WorldWindow
{
public:
    // Edges inclusive, in window pixels from the top left; empty when nothing matched.
    struct Box
    {
        int Left, Top, Right, Bottom;
        bool Empty() const { return Right < Left || Bottom < Top; }
        int Width() const { return Empty() ? 0 : Right - Left + 1; }
        int Height() const { return Empty() ? 0 : Bottom - Top + 1; }
    };

    static Box WholeWindow() { return Box{0, 0, Width - 1, Height - 1}; }
    static Box Rows(int top, int bottom) { return Box{0, top, Width - 1, bottom}; }

protected:
    // Clears to white for drawing outside the World's render.
    void ClearWindow();
    // Ink: a pixel clearly off the white background (anti-aliased edges count when dark enough).
    bool IsInk(int x, int y);
    // The box around the ink of the region, or around the pixels that match when a test is given.
    Box InkBox(const Box& region = WholeWindow(), const std::function<bool(const Pixel&)>& matches = nullptr);
    // Ink grouped into bands of consecutive rows that hold some, top to bottom.
    std::vector<Box> InkBands(const Box& region = WholeWindow());
    // The columns of one row that hold ink, left to right.
    std::vector<int> InkColumns(int row, int left, int right);
};
