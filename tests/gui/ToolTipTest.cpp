// Tooltips made from a text, and the background the skin draws behind a shown tooltip.
#include "GuiFixture.h"

#include "gui/controls/Button.h"
#include "gui/controls/Label.h"
#include "gui/skin/ColorIndex.h"

using Gui::Color;
using Gui::Rect;

// A text tip is a padded hidden label child, and a new text replaces it. Hovered, the button
// shows its tip above the pointer: the skin's tooltip background and outline come after the
// button's own drawing and lie under the tip's text.
TEST_F(GuiFixture, ATextTipIsALabelChildDrawnOverItsOwnBackground)
{
    const Color tipText(10, 20, 30, 255);
    const Color tipBackground(250, 240, 200, 240);
    skin.Colors[Gui::Skin::ColorIndex::TooltipText] = tipText;
    skin.Colors[Gui::Skin::ColorIndex::TooltipBackground] = tipBackground;
    Gui::Controls::Button* button = new Gui::Controls::Button(canvas.get());
    button->SetBounds(100, 100, 80, 30);
    button->SetToolTip("Reload");
    const unsigned int children = button->NumChildren();
    button->SetToolTip("Fire at will");
    EXPECT_EQ(children, button->NumChildren());
    Gui::Controls::Label* tip = Gui::gui_cast<Gui::Controls::Label>(button->GetToolTip());
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(button, tip->GetParent());
    EXPECT_EQ("", tip->GetName());
    EXPECT_TRUE(tip->Hidden());
    EXPECT_EQ("Fire at will", tip->GetText().Get());
    EXPECT_EQ(Gui::Padding(5, 3, 5, 3), tip->GetPadding());
    EXPECT_EQ(tip->TextWidth() + 10, tip->Width());
    EXPECT_EQ(tip->TextHeight() + 6, tip->Height());

    MoveMouse(140, 115);
    renderer.Clear();
    canvas->RenderCanvas();
    const Rect tipRect((int)(140 - tip->Width() * 0.5f), 115 - tip->Height() - 10, tip->Width(), tip->Height());
    std::vector<std::string> order;
    for (const RecordingRenderer::Drawn& d : renderer.drawn)
    {
        if (d.what == "fill" && d.rect == Rect(100, 100, 80, 30))
            order.push_back("button");
        else if (d.what == "fill" && d.color == tipBackground && d.rect == tipRect)
            order.push_back("background");
        else if (d.what == "fill" && d.color == tipText)
            order.push_back("outline");
        else if (d.what == "text" && d.color == tipText)
            order.push_back("text at " + std::to_string(d.rect.x - tipRect.x) + " " +
                            std::to_string(d.rect.y - tipRect.y));
    }
    EXPECT_EQ((std::vector<std::string>{"button", "background", "outline", "outline", "outline", "outline",
                                        "text at 5 3"}),
              order);
}
