#pragma once

#include "gui/controls/Canvas.h"
#include "gui/input/InputState.h"
#include "gui/platform/Clock.h"
#include "gui/platform/Debug.h"
#include "support/RecordingRenderer.h"
#include "support/RecordingSkin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

// A canvas of 800 x 600 on a recording renderer and skin, with the toolkit clock driven by
// hand and the toolkit's debug output kept. The global input state starts empty.
class GuiFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        s_now = 0.0;
        s_output.clear();
        Gui::WindowsLayer::SetTimeSource(&Now);
        Gui::Debug::SetOutput(&Keep);
        Gui::Input::Reset();
        canvas.reset(new Gui::Controls::Canvas(&skin));
        canvas->SetSize(800, 600);
    }

    void TearDown() override
    {
        canvas.reset();
        Gui::Input::Reset();
        Gui::WindowsLayer::SetTimeSource(nullptr);
        Gui::Debug::SetOutput(nullptr);
    }

    // Real time passes in frames of 1/64 s (exact in binary, so sums of them are exact), the
    // canvas thinking once per frame.
    void Wait(double seconds)
    {
        const double end = s_now + seconds;
        while (s_now + 1e-9 < end)
        {
            s_now = std::min(end, s_now + 1.0 / 64.0);
            canvas->DoThink();
        }
    }

    // The toolkit clock and input state start again from zero.
    void RestartClock()
    {
        s_now = 0.0;
        Gui::WindowsLayer::SetTimeSource(&Now);
        Gui::Input::Reset();
    }

    void MoveMouse(int x, int y) { canvas->OnMouseMoved(x, y, 0, 0); }
    void Click(int button = 0)
    {
        canvas->OnMouseButton(button, true);
        canvas->OnMouseButton(button, false);
    }

    static double Now() { return s_now; }
    static void Keep(const char* text) { s_output += text; }

    static double s_now;
    static std::string s_output;

    RecordingRenderer renderer;
    RecordingSkin skin{&renderer};
    std::unique_ptr<Gui::Controls::Canvas> canvas;
};
