// The engine's host of the toolkit in the World's window, with the real skin image: the
// palette, buttons made by the host and the mouse forwarded to them, choice boxes, the
// console taking the mouse, a missing skin image, and tearing the toolkit down.
#include "engine/console/TestConsole.h"
#include "engine/core/World.h"
#include "engine/input/MouseListener.h"
#include "engine/ui/GuiRenderer.h"
#include "engine/ui/UserInterface.h"
#include "gui/controls/Button.h"
#include "gui/controls/Canvas.h"
#include "gui/controls/Dragger.h"
#include "gui/controls/Label.h"
#include "gui/controls/Text.h"
#include "gui/controls/WindowCloseButton.h"
#include "gui/controls/WindowControl.h"
#include "gui/skin/TexturedBase.h"
#include "support/InkWindow.h"
#include "support/PngWriter.h"
#include "support/ProgramSandbox.h"
#include "support/ScratchDirectory.h"
#include "support/SystemLogCapture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <memory>
#include <vector>

namespace
{
// Counts what reaches the game's side of the mouse.
class ClickCounter : public MouseListener
{
public:
    void MouseDownEvent(Vec2i, MouseButtonInput) override { ++downs; }
    int downs = 0;
};

// Remembers the pointer deltas the canvas hands on.
class MotionRecorder : public Gui::Controls::Base
{
public:
    explicit MotionRecorder(Gui::Controls::Base* parent) : Gui::Controls::Base(parent) {}
    void OnMouseMotion(int, int, int dx, int dy) override { deltas.push_back(Gui::Point(dx, dy)); }
    std::vector<Gui::Point> deltas;
};

class UserInterfaceTest : public InkWindow
{
protected:
    void SetUp() override
    {
        InkWindow::SetUp();
        ASSERT_NE(nullptr, getcwd(_previousDirectory, sizeof(_previousDirectory)));
        // The host reads its skin and font relative to the working directory.
        UserInterface::DestroyInstance();
        ASSERT_EQ(0, chdir(ZARVO_SOURCE_DIR));
        RenderFrame();
        ASSERT_TRUE(UserInterface::HasInstance());
        ui = UserInterface::GetInstance();
    }

    void TearDown() override
    {
        World::GetInstance()->RegisterConsole(0);
        UserInterface::DestroyInstance();
        ASSERT_EQ(0, chdir(_previousDirectory));
    }

    void MoveTo(int x, int y) { MouseListener::DispatchMotion(Vec2i(x, y)); }
    void Press(int x, int y, MouseButtonInput button = MOUSE_LEFT)
    {
        MoveTo(x, y);
        MouseListener::DispatchDown(Vec2i(x, y), button);
    }
    void Release(int x, int y, MouseButtonInput button = MOUSE_LEFT)
    {
        MoveTo(x, y);
        MouseListener::DispatchUp(Vec2i(x, y), button);
    }
    void ClickAt(int x, int y, MouseButtonInput button = MOUSE_LEFT)
    {
        Press(x, y, button);
        Release(x, y, button);
    }

    bool OnCanvas(Gui::Controls::Base* control)
    {
        for (Gui::Controls::Base* child : ui->GetCanvas()->GetChildren())
        {
            if (child == control)
            {
                return true;
            }
        }
        return false;
    }

    UserInterface* ui = nullptr;

private:
    char _previousDirectory[PATH_MAX];
};
}

TEST_F(UserInterfaceTest, PaletteReadsBackExactlyAndTheSkinIsDrawn)
{
    Gui::Color* colors = ui->GetSkin()->Colors;
    // Swatches painted by tools/make_skin.py: active title, button text, label, the modal
    // background with its alpha, the tooltip background.
    EXPECT_EQ(Gui::Color(246, 236, 206, 255), colors[0]);
    EXPECT_EQ(Gui::Color(58, 40, 24, 255), colors[21]);
    EXPECT_EQ(Gui::Color(58, 40, 24, 255), colors[33]);
    EXPECT_EQ(Gui::Color(20, 58, 72, 150), colors[47]);
    EXPECT_EQ(Gui::Color(246, 236, 206, 255), colors[48]);
    for (int i = 0; i < Gui::Skin::Base::kColorCount; ++i)
    {
        EXPECT_NE(Gui::Colors::Yellow, colors[i]) << "colour " << i;
    }

    // A scene of the skin in use, for people to look at.
    Gui::Controls::Canvas* canvas = ui->GetCanvas();
    Gui::Controls::Label* label = new Gui::Controls::Label(canvas);
    label->SetText("Parchment and brass");
    label->SetPos(40, 40);
    label->SizeToContents();
    ui->AddButton("Fire!", "", 40, 90, [] {}, false, 10, 4);
    Gui::Controls::Button* disabled = ui->AddButton("Disabled", "", 40, 140, [] {}, false, 10, 4);
    disabled->SetDisabled(true);
    Gui::Controls::WindowControl* window = new Gui::Controls::WindowControl(canvas);
    window->SetTitle("Captain's log");
    window->SetBounds(300, 60, 320, 220);
    ui->ShowChoiceBox("Which side?", {"Port", "Starboard"}, "", [](int) {}, 10, 4, false);
    RenderFrame();
    std::vector<unsigned char> rgba;
    for (int y = 0; y < Height; ++y)
    {
        for (int x = 0; x < Width; ++x)
        {
            const Pixel p = ReadPixel(x, y);
            rgba.insert(rgba.end(), {(unsigned char)p.R, (unsigned char)p.G, (unsigned char)p.B, 255});
        }
    }
    WritePng(ProgramSandbox::ArtifactDirectory() + "/gui_skin_in_use.png", Width, Height, rgba);

    // The button's parchment face, not the white background, fills its middle.
    const Pixel face = ReadPixel(40 + 5, 90 + disabled->Height() / 2);
    EXPECT_FALSE(IsColor(face, 255, 255, 255, 4));
}

// The window's picture lines up with its layout: the painted title bar ends with its 24 rows, a
// frame margin (separator first) leads to the inner panel's page, the close button's framed box
// closes inside the bar, and the title sits in the bar's middle.
TEST_F(UserInterfaceTest, TheWindowPictureLinesUpWithTheTitleBarCloseButtonAndInnerPanel)
{
    Gui::Controls::WindowControl* window = new Gui::Controls::WindowControl(ui->GetCanvas());
    window->SetTitle("Captain's log");
    window->SetBounds(200, 100, 320, 200);
    RenderFrame();
    auto sea = [](const Pixel& p) { return p.B > p.R + 30; };
    auto wood = [](const Pixel& p) { return p.R > p.B + 30 && p.R < 150; };
    auto page = [](const Pixel& p) { return p.R > 200 && p.G > 180; };

    const Gui::Point bar = window->GetTitleBar()->LocalPosToCanvas();
    const int barBottom = bar.y + window->GetTitleBar()->Height() - 1;
    const int column = bar.x + window->GetTitleBar()->Width() / 2;
    const int panelTop = window->GetInnerPanel()->LocalPosToCanvas().y;
    ASSERT_EQ(barBottom + 5, panelTop);
    int paintedTop = barBottom;
    while (paintedTop > bar.y && sea(ReadPixel(column, paintedTop - 1)))
        --paintedTop;
    EXPECT_TRUE(paintedTop <= bar.y + 2 && sea(ReadPixel(column, barBottom)));
    for (int y = barBottom + 1; y < panelTop; ++y)
        EXPECT_TRUE(wood(ReadPixel(column, y))) << "margin row " << y - barBottom - 1;
    EXPECT_LT(ReadPixel(column, barBottom + 1).R, ReadPixel(column, panelTop - 1).R);
    EXPECT_TRUE(page(ReadPixel(column, panelTop)));

    // What is not bar within the close button's columns and the bar's rows: a box whose bottom
    // edge is a dark frame under its light face, with frame below the button.
    const Gui::Point button = window->GetCloseButton()->LocalPosToCanvas();
    ASSERT_EQ(Gui::Point(31, 24), window->GetCloseButton()->GetSize());
    const Box box = InkBox(Box{button.x, paintedTop, button.x + 30, barBottom},
                           [&](const Pixel& p) { return !sea(p); });
    ASSERT_FALSE(box.Empty());
    EXPECT_TRUE(box.Top > paintedTop && box.Bottom < barBottom);
    const int middle = (box.Left + box.Right) / 2;
    EXPECT_TRUE(wood(ReadPixel(middle + 3, box.Bottom)) && page(ReadPixel(middle + 3, box.Bottom - 3)));
    EXPECT_TRUE(wood(ReadPixel(middle, button.y + 24)));

    // The title's light ink on the bar, left of the close button.
    const Box title = InkBox(Box{bar.x, paintedTop, button.x - 1, barBottom},
                             [](const Pixel& p) { return p.R > 150 && p.R > p.B + 10; });
    ASSERT_FALSE(title.Empty());
    EXPECT_NEAR(title.Top - paintedTop, barBottom - title.Bottom, 2);
}

TEST_F(UserInterfaceTest, CentredButtonsFireOnceOnPressAndReleaseInside)
{
    int presses = 0;
    Gui::Controls::Button* button = ui->AddButton("", "", 400, 300, [&] { ++presses; }, true, 0, 5);
    // Sized by hand to the classic 100 x 30, then placed the way AddButton centres.
    button->SetSize(100, 30);
    button->SetPos(400 - button->Width() / 2, 300 - button->Height() / 2);
    EXPECT_EQ(350, button->X());
    EXPECT_EQ(285, button->Y());
    RenderFrame();

    ClickAt(400, 300);
    EXPECT_EQ(1, presses);
    Press(360, 290);
    Release(600, 600);
    EXPECT_EQ(1, presses);

    // AddButton's own centring of a button sized to its text.
    Gui::Controls::Button* sized = ui->AddButton("Centred", "", 500, 500, [] {}, true, 6, 3);
    EXPECT_EQ(500 - sized->Width() / 2, sized->X());
    EXPECT_EQ(500 - sized->Height() / 2, sized->Y());
}

TEST_F(UserInterfaceTest, RightAndMiddleButtonsKeepTheirMeaningAndMotionHasItsSign)
{
    Gui::Controls::Button* button = ui->AddButton("Right", "", 100, 100, [] {}, false, 10, 4);
    struct Counter : Gui::Event::Handler
    {
        void Count(Gui::Controls::Base*) { ++count; }
        int count = 0;
    } rightPresses;
    button->onRightPress.AddHandler(&rightPresses, &Counter::Count);
    RenderFrame();

    ClickAt(105, 105, MOUSE_RIGHT);
    EXPECT_EQ(1, rightPresses.count);
    ClickAt(106, 106, MOUSE_MIDDLE);
    EXPECT_EQ(1, rightPresses.count);

    MotionRecorder* recorder = new MotionRecorder(ui->GetCanvas());
    recorder->SetBounds(600, 400, 200, 200);
    RenderFrame();
    MoveTo(650, 450);
    MoveTo(660, 445);
    ASSERT_FALSE(recorder->deltas.empty());
    EXPECT_EQ(10, recorder->deltas.back().x);
    EXPECT_EQ(-5, recorder->deltas.back().y);
    // A click in place adds no motion to the one that brought the pointer.
    recorder->deltas.clear();
    MoveTo(670, 450);
    MouseListener::DispatchDown(Vec2i(670, 450), MOUSE_LEFT);
    MouseListener::DispatchUp(Vec2i(670, 450), MOUSE_LEFT);
    EXPECT_EQ(1u, recorder->deltas.size());
}

TEST_F(UserInterfaceTest, AnOpenConsoleKeepsTheMouseFromTheCanvasButNotFromTheGame)
{
    int presses = 0;
    ui->AddButton("Console", "", 100, 100, [&] { ++presses; }, false, 10, 4);
    RenderFrame();
    ClickCounter game;
    TestConsole console;
    World::GetInstance()->RegisterConsole(&console);
    MoveTo(300, 300);
    console.ToggleConsole();
    ASSERT_TRUE(console.IsOpen());

    ClickAt(105, 105);
    EXPECT_EQ(0, presses);
    EXPECT_EQ(1, game.downs);

    console.ToggleConsole();
    ClickAt(105, 105);
    EXPECT_EQ(1, presses);
    EXPECT_EQ(2, game.downs);
    World::GetInstance()->RegisterConsole(0);
}

// The hovered control takes the clicks, with no move before them: after a press carried off
// another button, after a release the console took, after a release the console did not take
// but the pointer moved for, and under a modal made meanwhile.
TEST_F(UserInterfaceTest, ClicksGoToTheButtonUnderThePointer)
{
    int asks = 0, presses = 0;
    Gui::Controls::Button* ask = ui->AddButton("Ask", "", 20, 170, [&] { ++asks; }, false, 8, 4);
    Gui::Controls::Button* pressMe = ui->AddButton("Press me", "", 20, 70, [&] { ++presses; }, false, 8, 4);
    RenderFrame();
    auto clickInPlace = [&] {
        MouseListener::DispatchDown(Vec2i(30, 80), MOUSE_LEFT);
        MouseListener::DispatchUp(Vec2i(30, 80), MOUSE_LEFT);
        RenderFrame();
    };
    Press(30, 180);
    Release(30, 80);
    clickInPlace();
    EXPECT_EQ(1, presses);

    TestConsole console;
    World::GetInstance()->RegisterConsole(&console);
    Press(30, 180);
    console.ToggleConsole();
    Release(30, 180);
    console.ToggleConsole();
    EXPECT_FALSE(ask->IsDepressed());
    MoveTo(30, 80);
    clickInPlace();
    EXPECT_EQ(2, presses);
    // Held on "Press me" while the console comes and goes and the pointer goes to "Ask", then
    // released there: the release goes where the pointer is, so neither button presses.
    Press(30, 80);
    console.ToggleConsole();
    MoveTo(30, 180);
    console.ToggleConsole();
    MouseListener::DispatchUp(Vec2i(30, 180), MOUSE_LEFT);
    EXPECT_EQ(2, presses);
    EXPECT_EQ(0, asks);

    (new Gui::Controls::WindowControl(ui->GetCanvas()))->MakeModal(true);
    RenderFrame();
    MouseListener::DispatchDown(Vec2i(30, 80), MOUSE_LEFT);
    EXPECT_FALSE(pressMe->IsDepressed());
}

// The engine measures a space as no ink at all; the lines still stand one under the other,
// each within the label, none of them able to take the next one's first word.
TEST_F(UserInterfaceTest, AWrappedLabelStacksItsLinesWithinItsWidth)
{
    const std::wstring text = L"Fire the guns, then bring her hard about to port now";
    Gui::Controls::Label* label = new Gui::Controls::Label(ui->GetCanvas());
    label->SetPos(100, 100);
    label->SetWrap(true);
    label->SetText(text);
    label->SetSize(200, 100);
    RenderFrame();
    Gui::ControlsInternal::Text* wrapped = label->GetTextControl();
    const int lines = wrapped->NumLines();
    ASSERT_GE(lines, 3);
    std::wstring joined;
    for (int i = 0; i < lines; ++i)
    {
        const std::wstring& line = wrapped->GetLine(i)->GetText().GetUnicode();
        joined += line;
        EXPECT_LE(wrapped->GetLine(i)->Width(), 200) << i;
        EXPECT_GE(wrapped->GetLine(i)->Y(), 20 * i) << i;
        const std::wstring next = i + 1 < lines ? wrapped->GetLine(i + 1)->GetText().GetUnicode() : L"";
        EXPECT_TRUE(next.empty() || ui->GetRenderer()->MeasureText(label->GetFont(), line + next.substr(0, next.find(L' '))).x > 200) << i;
    }
    EXPECT_EQ(text, joined);
    EXPECT_EQ((size_t)lines, InkBands(Box{100, 100, 299, 199}).size());
}

// Reported once, drawn in the skin's font; and a tip's fill hides the title bar under it.
TEST_F(UserInterfaceTest, AFontThatCannotBeLoadedFallsBackAndTooltipsAreOpaque)
{
    SystemLogCapture().Lines.clear();
    Gui::Controls::Button* lost = ui->AddButton("Fire!", "Resources/Fonts/Nowhere.otf", 40, 140, [] {}, false, 10, 4);
    Gui::Controls::WindowControl* window = new Gui::Controls::WindowControl(ui->GetCanvas());
    window->SetBounds(100, 300, 400, 300);
    ui->AddButton("Aim", "", 150, 330, [] {}, false, 8, 4)->SetToolTip("Fire at will, every gun");
    MoveTo(160, 340);
    for (int frame = 0; frame < 5; ++frame)
        RenderFrame();
    int reports = 0;
    for (const String& line : SystemLogCapture().Lines)
        reports += line.find("Nowhere.otf") != String::npos;
    EXPECT_EQ(2, reports) << "the engine's line and the toolkit's warning";
    EXPECT_EQ(ui->AddButton("Fire!", "", 0, 0, [] {}, false, 10, 4)->GetSize(), lost->GetSize());
    EXPECT_GT(InkBox(Box{lost->X(), lost->Y() + 4, lost->Right(), lost->Bottom() - 4}, [](const Pixel& p) { return p.R < 120; }).Width(), 20);
    // The title bar's rows, 300 to 323, where the tip stands above the pointer.
    const Gui::Color fill = ui->GetSkin()->Colors[48];
    EXPECT_GT(CountPixels(100, 300, 500, 324, fill.r, fill.g, fill.b, 2), 500);
}

TEST_F(UserInterfaceTest, AChoiceBoxReportsThePressedIndexAndGoesAtTheNextFrame)
{
    std::vector<int> choices;
    Gui::Controls::WindowControl* box =
        ui->ShowChoiceBox("Which side?", {"Port", "Starboard", "Neither"}, "", [&](int c) { choices.push_back(c); },
                          8, 4, true);
    RenderFrame();

    // Every button lies inside the window's inner panel.
    Gui::Controls::Base* inner = box->GetInnerPanel();
    std::vector<Gui::Controls::Base*> buttons(inner->GetChildren().begin(), inner->GetChildren().end());
    ASSERT_EQ(3u, buttons.size());
    for (Gui::Controls::Base* button : buttons)
    {
        EXPECT_LE(button->Bottom(), inner->Height());
        EXPECT_LE(button->Right(), inner->Width());
    }

    const Gui::Point second = buttons[1]->LocalPosToCanvas(Gui::Point(4, 4));
    ClickAt(second.x, second.y);
    ASSERT_EQ(1u, choices.size());
    EXPECT_EQ(1, choices[0]);
    EXPECT_TRUE(OnCanvas(box->GetParent()) || OnCanvas(box)); // still there during the press

    RenderFrame();
    for (Gui::Controls::Base* child : ui->GetCanvas()->GetChildren())
    {
        EXPECT_EQ(nullptr, Gui::gui_cast<Gui::Controls::WindowControl>(child));
    }
    EXPECT_EQ(0u, ui->GetCanvas()->NumChildren()); // the blocker went too
}

// Button i stands at (W / 2 - its width / 2, (H + vertical padding) x i) in a window W + 2 x
// the horizontal padding wide and (H + vertical padding) x count + 3 x the vertical padding
// high. Where the title bar and edges leave the inner panel too small for the rows, the
// window grows by what the panel lacks, and no more: in height with paddings 10 / 4, in width
// with 2 / 20; with 6 / 9 every row fits as it is.
TEST_F(UserInterfaceTest, AChoiceBoxKeepsItsGeometryAndGrowsOnlyToHoldItsRows)
{
    for (const Gui::Point pad : {Gui::Point(6, 9), Gui::Point(10, 4), Gui::Point(2, 20)})
    {
        Gui::Controls::WindowControl* box =
            ui->ShowChoiceBox("Which side?", {"Port", "Starboard", "Neither"}, "", [](int) {}, pad.x, pad.y);
        RenderFrame();
        Gui::Controls::Base* inner = box->GetInnerPanel();
        std::vector<Gui::Controls::Base*> b(inner->GetChildren().begin(), inner->GetChildren().end());
        const int widest = b[1]->Width(), row = b[1]->Height() + pad.y; // "Starboard"; all are as tall
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Gui::Point(widest / 2 - b[i]->Width() / 2, row * i), b[i]->GetPos()) << i;
        const Gui::Point own(widest + 2 * pad.x, row * 3 + 3 * pad.y);
        const Gui::Point frame(box->Width() - inner->Width(), box->Height() - inner->Height());
        EXPECT_EQ(Gui::Point(std::max(own.x, widest + frame.x), std::max(own.y, b[2]->Bottom() + frame.y)),
                  box->GetSize()) << "paddings " << pad.x << " / " << pad.y;
        EXPECT_EQ(pad.x == 6, box->GetSize() == own);
    }
}

// Each callback holds a token that dies with it: however a host control goes, its callback
// goes too, so no later control (wherever the allocator puts it) can fire it.
TEST_F(UserInterfaceTest, CallbacksDieWithTheirControlsAndRemovalIsForOwnedControlsOnly)
{
    std::shared_ptr<int> removedToken = std::make_shared<int>(), pressedToken = std::make_shared<int>();
    std::weak_ptr<int> removedAlive = removedToken, pressedAlive = pressedToken;
    Gui::Controls::Button* removed = ui->AddButton("Removed", "", 10, 10, [t = std::move(removedToken)] {});
    Gui::Controls::Button* pressed = ui->AddButton("Pressed", "", 10, 60, [] {});
    EventHandler::GetInstance().SetButtonCallback(pressed, [&, t = std::move(pressedToken)] { ui->RemoveControl(pressed); });
    ui->RemoveControl(removed);
    EXPECT_TRUE(removedAlive.expired());
    RenderFrame();
    ClickAt(15, 65); // removes itself from inside its press: it goes at the next frame
    EXPECT_FALSE(pressedAlive.expired());
    RenderFrame();
    EXPECT_TRUE(pressedAlive.expired());

    // Not made by the host: left alone.
    Gui::Controls::Button* foreign = new Gui::Controls::Button(ui->GetCanvas());
    ui->RemoveControl(foreign);
    EXPECT_TRUE(OnCanvas(foreign));
}

TEST_F(UserInterfaceTest, ShutdownDeletesEverythingAndDestroyMakesNoHostJustToDeleteIt)
{
    int calls = 0;
    ui->AddButton("Gone", "", 10, 10, [&] { ++calls; });
    ui->Shutdown();
    EXPECT_TRUE(ui->IsShutDown());
    RenderFrame(); // a shut-down host draws nothing and does not crash
    ClickAt(20, 20);
    EXPECT_EQ(0, calls);

    UserInterface::DestroyInstance();
    World::GetInstance()->Destroy();
    EXPECT_FALSE(UserInterface::HasInstance());
}

TEST_F(UserInterfaceTest, AMissingSkinImageDrawsRedBlocksAndLogsOnce)
{
    // A working directory with the fonts but no images.
    ScratchDirectory scratch;
    ASSERT_EQ(0, mkdir("Resources", 0755));
    ASSERT_EQ(0, symlink(ZARVO_SOURCE_DIR "/Resources/Fonts", "Resources/Fonts"));
    UserInterface::DestroyInstance();
    SystemLogCapture().Lines.clear();
    RenderFrame();
    ui = UserInterface::GetInstance();
    Gui::Controls::Button* button = ui->AddButton("", "", 100, 100, [] {});
    button->SetSize(120, 40);
    RenderFrame();
    RenderFrame();
    EXPECT_TRUE(RegionIs(110, 110, 210, 130, 255, 0, 0)) << "the button is a red block";

    int errors = 0;
    for (const String& line : SystemLogCapture().Lines)
    {
        errors += line.compare(0, 7, "ERROR: ") == 0 ? 1 : 0;
    }
    EXPECT_EQ(1, errors);
    UserInterface::DestroyInstance();
}
