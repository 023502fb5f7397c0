// A run of screen text draws exactly what drawing each string with DrawScreenText draws,
// and leaves the matrices and drawing state as DrawScreenText leaves them.
#include "engine/rendering/FontRegistry.h"
#include "support/InkWindow.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

namespace
{
const char* const kFontFile = ZARVO_SOURCE_DIR "/Resources/Fonts/Inconsolata.otf";

struct Placed
{
    String Text;
    int X;
    int Y;
    float Rotation;
};

// Straight and turned strings mixed, so a turned one's placement must not leak into the
// next; some hang off the window's edges, one starts left of it.
const Placed kStrings[] = {
    {"Harbour dues 1,250", 40, 60, 0.0f},
    {"Broadside!", 300, 200, 30.0f},
    {"gjpqy under the line", 310, 205, 0.0f},
    {"Sideways", 700, 400, -90.0f},
    {"Overlapping", 45, 62, 0.0f},
    {"Off the left", -30, 500, 0.0f},
    {"Off the top", 600, 4, 0.0f},
    {"Turned back", 820, 700, 180.0f},
    {"Last straight one", 500, 740, 0.0f},
};

class ScreenTextRunTest : public InkWindow
{
protected:
    void SetUp() override
    {
        InkWindow::SetUp();
        ASSERT_TRUE(RegisterFont(kFontFile, 22, "Console"));
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(3.0f, -2.0f, -10.0f);
        ClearWindow();
        glColor4f(0.1f, 0.3f, 0.6f, 0.7f);
    }

    static std::vector<float> Matrix(GLenum which)
    {
        std::vector<float> matrix(16);
        glGetFloatv(which, matrix.data());
        return matrix;
    }
};
}

TEST_F(ScreenTextRunTest, DrawsTheSamePixelsAsDrawingEachStringOnItsOwn)
{
    for (const Placed& placed : kStrings)
    {
        DrawScreenText(placed.Text, "Console", placed.X, placed.Y, placed.Rotation);
    }
    const std::vector<unsigned char> oneByOne = WindowPixels();

    ClearWindow();
    {
        ScreenTextRun run("Console");
        for (const Placed& placed : kStrings)
        {
            run.Draw(placed.Text, placed.X, placed.Y, placed.Rotation);
        }
    }
    const std::vector<unsigned char> asRun = WindowPixels();

    ASSERT_EQ(oneByOne.size(), asRun.size());
    size_t differing = 0;
    for (size_t i = 0; i < oneByOne.size(); ++i)
    {
        differing += oneByOne[i] != asRun[i] ? 1 : 0;
    }
    EXPECT_EQ(0u, differing);
    Capture();
    EXPECT_GT(InkBox().Width(), 500) << "the strings were drawn at all";
}

TEST_F(ScreenTextRunTest, LeavesTheStateDrawScreenTextLeaves)
{
    glMatrixMode(GL_PROJECTION);
    const std::vector<float> projection = Matrix(GL_PROJECTION_MATRIX);
    const std::vector<float> modelView = Matrix(GL_MODELVIEW_MATRIX);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    {
        ScreenTextRun run("Console");
        run.Draw("Turned", 100, 100, 45.0f);
        run.Draw("Straight", 100, 200);
    }

    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(GL_MODELVIEW, mode);
    EXPECT_EQ(projection, Matrix(GL_PROJECTION_MATRIX));
    EXPECT_EQ(modelView, Matrix(GL_MODELVIEW_MATRIX));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(ScreenTextRunTest, AnUnknownFontDrawsNothingAndTouchesNothing)
{
    const std::vector<float> modelView = Matrix(GL_MODELVIEW_MATRIX);
    glDisable(GL_DEPTH_TEST);
    {
        ScreenTextRun run("NoSuchFont");
        run.Draw("Invisible", 100, 100);
        run.Draw("Invisible", 100, 200, 30.0f);
    }
    EXPECT_EQ(modelView, Matrix(GL_MODELVIEW_MATRIX));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    Capture();
    EXPECT_TRUE(InkBox().Empty());
}
