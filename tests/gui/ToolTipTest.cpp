// Tooltips made from a text, and the background the skin draws behind a shown tooltip.
#include "GuiFixture.h"

#include "gui/controls/Button.h"
#include "gui/controls/Label.h"
#include "gui/skin/ColorIndex.h"

using Gui::Color;
using Gui::Rect;

// A text tip is a padded hidden label child that a new text replaces. Hovered, the tip shows
// above the pointer, after the button, over the skin's tooltip background and outline.
TEST_F(GuiFixture, ATextTipIsALabelChildDrawnOverItsOwnBackground)
{
    const Color text(10, 20, 30, 255), background(250, 240, 200, 240);
    skin.Colors[Gui::Skin::ColorIndex::TooltipText] = text;
    skin.Colors[Gui::Skin::ColorIndex::TooltipBackground] = background;
    Gui::Controls::Button* button = new Gui::Controls::Button(canvas.get());
    button->SetBounds(100, 100, 80, 30);
    button->SetToolTip("Reload");
    const unsigned int children = button->NumChildren();
    button->SetToolTip("Fire at will");
    EXPECT_EQ(children, button->NumChildren());
    Gui::Controls::Label* tip = Gui::gui_cast<Gui::Controls::Label>(button->GetToolTip());
    ASSERT_NE(nullptr, tip);
    EXPECT_TRUE(tip->GetParent() == button && tip->Hidden() && tip->GetName().empty());
    EXPECT_EQ("Fire at will", tip->GetText().Get());
    EXPECT_EQ(Rect(0, 0, tip->TextWidth() + 10, tip->TextHeight() + 6), Rect(0, 0, tip->Width(), tip->Height()));

    MoveMouse(140, 115);
    renderer.Clear();
    canvas->RenderCanvas();
    const Rect at((int)(140 - tip->Width() * 0.5f), 115 - tip->Height() - 10, tip->Width(), tip->Height());
    std::vector<std::string> order;
    for (const RecordingRenderer::Drawn& d : renderer.drawn)
        if (d.what == "fill")
            order.push_back(d.rect == Rect(100, 100, 80, 30)       ? "button"
                            : d.color == background && d.rect == at ? "background"
                            : d.color == text                       ? "outline"
                                                                    : "other");
        else if (d.what == "text" && d.color == text)
            order.push_back("text at " + std::to_string(d.rect.x - at.x) + " " + std::to_string(d.rect.y - at.y));
    order.erase(std::remove(order.begin(), order.end(), "other"), order.end());
    EXPECT_EQ((std::vector<std::string>{"button", "background", "outline", "outline", "outline", "outline",
                                        "text at 5 3"}),
              order);
}
