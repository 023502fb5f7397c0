// Labels, texts, buttons and image panels on a recording renderer and skin: placement by
// alignment, wrapping and re-wrapping, owned fonts, presses and releases, toggles.
#include "GuiFixture.h"

#include "gui/controls/Button.h"
#include "gui/controls/ImagePanel.h"
#include "gui/controls/Label.h"

using Gui::Controls::Button;
using Gui::Controls::Label;

namespace
{
// Counts every font handed back, so an owned font can be seen to be released.
class FontCountingRenderer : public RecordingRenderer
{
public:
    void FreeFont(Gui::Font*) override { ++freedFonts; }
    int freedFonts = 0;
};

class ControlsTest : public GuiFixture
{
protected:
    Button* AddButton(int x, int y)
    {
        Button* button = new Button(canvas.get());
        button->SetBounds(x, y, 100, 30);
        button->onPress.AddHandler(&counter, &Counter::Count);
        button->onDown.AddHandler(&downs, &Counter::Count);
        button->onUp.AddHandler(&ups, &Counter::Count);
        canvas->DoThink();
        return button;
    }

    void Press(int x, int y) { MoveMouse(x, y), canvas->OnMouseButton(0, true); }
    void Release(int x, int y) { MoveMouse(x, y), canvas->OnMouseButton(0, false); }

    struct Counter : Gui::Event::Handler
    {
        void Count(Gui::Controls::Base*) { ++count; }
        int count = 0;
    };
    Counter counter, downs, ups;
};
}

TEST_F(ControlsTest, LabelPlacesItsTextByAlignmentAndSkipsUnchangedText)
{
    Label* label = new Label(canvas.get());
    label->SetBounds(0, 0, 100, 20);
    label->SetAlignment(Gui::Pos::Center);
    label->SetText("abcdefghij"); // ten characters of the estimate: 40 x 10
    canvas->DoThink();
    EXPECT_EQ(40, label->TextWidth());
    EXPECT_EQ(30, label->TextX());
    EXPECT_EQ(5, label->TextY());

    struct Changes : Label
    {
        using Label::Label;
        void OnTextChanged() override { ++count; }
        int count = 0;
    };
    Changes* changes = new Changes(canvas.get());
    changes->SetText("same");
    changes->SetText("same");
    EXPECT_EQ(1, changes->count);

    Label* sized = new Label(canvas.get());
    sized->SetPadding(Gui::Padding(2, 3, 4, 5));
    sized->SetText("abcde");
    sized->SizeToContents();
    EXPECT_EQ(20 + 2 + 4, sized->Width());
    EXPECT_EQ(10 + 3 + 5, sized->Height());
}

// Wrapped against the label's width inside its padding, whatever changes it, with the lines
// one under the other.
TEST_F(ControlsTest, WrappedTextSplitsIntoLinesAndRewrappingReplacesThem)
{
    Label* label = new Label(canvas.get());
    label->SetWrap(true);
    label->SetText("aaa bbb ccc"); // 4 pixels a character: "aaa bbb " is 32 wide
    label->SetBounds(0, 0, 36, 40);
    Gui::ControlsInternal::Text* text = label->GetTextControl();
    for (int i = 0; i < 3; ++i)
    {
        canvas->DoThink();
        text->RefreshSize();
    }
    ASSERT_EQ(2, text->NumLines());
    EXPECT_EQ(2u, text->NumChildren()); // the old lines are gone, not stacked up
    EXPECT_EQ(L"aaa bbb ", text->GetLine(0)->GetText().GetUnicode());
    EXPECT_EQ(L"ccc", text->GetLine(1)->GetText().GetUnicode());
    EXPECT_EQ(10, text->GetLine(1)->Y());
    EXPECT_EQ(1, text->GetLineFromChar(9));
    EXPECT_EQ(8, text->GetStartCharFromLine(1));

    label->SetPadding(Gui::Padding(0, 0, 12, 0));
    canvas->DoThink();
    ASSERT_EQ(3, text->NumLines());
    EXPECT_EQ(20, text->GetLine(2)->Y());
    EXPECT_EQ(24, text->Width());
}

// Without a font there is nothing to wrap with: said once per text and per width, not on
// every layout of every frame.
TEST_F(ControlsTest, AWrappedLabelWithoutAFontAssertsOncePerChange)
{
    Label* label = new Label(canvas.get());
    label->SetBounds(0, 0, 36, 40);
    label->SetWrap(true);
    label->SetText("aaa bbb ccc");
    label->SetFont(nullptr);
    const std::string line = "Assert: Text::RefreshSize() - No Font!!\n\n";
    auto sixtyFrames = [&] {
        for (int frame = 0; frame < 60; ++frame)
            canvas->DoThink(), canvas->RenderCanvas();
        return s_output;
    };
    EXPECT_EQ(line, sixtyFrames());
    label->SetText("ddd eee");
    EXPECT_EQ(line + line, sixtyFrames());
    label->SetBounds(0, 0, 50, 40);
    EXPECT_EQ(line + line + line, sixtyFrames());
}

TEST(LabelFontTest, OwnedFontsAreReleasedWhenReplacedAndWhenDeletedDirectly)
{
    FontCountingRenderer renderer;
    RecordingSkin skin(&renderer);
    Gui::Controls::Canvas canvas(&skin);
    Label* label = new Label(&canvas);
    label->SetFont(L"first.ttf", 12.0f, false);
    label->SetFont(L"second.ttf", 14.0f, true);
    EXPECT_EQ(1, renderer.freedFonts);
    EXPECT_EQ(L"second.ttf", label->GetFont()->facename);

    delete label;
    EXPECT_EQ(2, renderer.freedFonts);
}

TEST_F(ControlsTest, ButtonPressesOnReleaseInsideOnly)
{
    AddButton(350, 285);

    Press(360, 290);
    Release(440, 310);
    EXPECT_EQ(1, counter.count);

    // Pressed, moved out, released: down and up, but no press.
    Press(360, 290);
    Release(600, 500);
    EXPECT_EQ(1, counter.count);
    EXPECT_EQ(2, downs.count);
    EXPECT_EQ(2, ups.count);
}

TEST_F(ControlsTest, DisabledButtonsIgnoreClicksButToggleButtonsFlip)
{
    Button* button = AddButton(0, 0);
    button->SetDisabled(true);
    Press(10, 10);
    Release(10, 10);
    EXPECT_EQ(0, downs.count);
    button->OnKeySpace(true);
    EXPECT_EQ(1, counter.count);

    Counter on, off, toggles;
    Button* toggle = AddButton(200, 0);
    toggle->SetIsToggle(true);
    toggle->onToggleOn.AddHandler(&on, &Counter::Count);
    toggle->onToggleOff.AddHandler(&off, &Counter::Count);
    toggle->onToggle.AddHandler(&toggles, &Counter::Count);
    for (int i = 0; i < 2; ++i)
    {
        Press(210, 10);
        Release(210, 10);
    }
    EXPECT_EQ(2, toggles.count);
    EXPECT_EQ(1, on.count);
    EXPECT_EQ(1, off.count);
    EXPECT_FALSE(toggle->GetToggleState());
}

TEST_F(ControlsTest, ImagePanelThatFailedDrawsTheMissingImageAndButtonsTakeImages)
{
    Gui::Controls::ImagePanel* panel = new Gui::Controls::ImagePanel(canvas.get());
    panel->SetBounds(10, 20, 30, 40);
    panel->SetImage("nowhere.png");
    renderer.Clear();
    canvas->RenderCanvas();
    bool red = false;
    for (const RecordingRenderer::Drawn& d : renderer.drawn)
    {
        red = red || (d.what == "fill" && d.color == Gui::Colors::Red && d.rect.x == 10 && d.rect.w == 30);
    }
    EXPECT_TRUE(red);

    Button* button = AddButton(0, 100);
    button->SetImage("");
    EXPECT_EQ(1u, button->NumChildren()); // only its text
    button->SetImage("icon.png");
    EXPECT_EQ(2u, button->NumChildren());
    button->SetImage("");
    EXPECT_EQ(1u, button->NumChildren());
}

TEST_F(ControlsTest, TypeNamesAndCasts)
{
    Button* button = AddButton(0, 0);
    EXPECT_STREQ("Button", button->GetTypeName());
    EXPECT_STREQ("Label", button->GetBaseTypeName());
    EXPECT_EQ(button, Gui::gui_cast<Label>(button));
    EXPECT_EQ(nullptr, Gui::gui_cast<Gui::Controls::ImagePanel>(button));
    EXPECT_EQ(nullptr, Gui::gui_cast<Button>(canvas.get()));
}
