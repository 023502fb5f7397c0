// Timed animations: easing, delays, finishing and cancellation.
#include "GuiFixture.h"

#include "gui/animation/Animation.h"
#include "gui/animation/Animations.h"

#include <vector>

using Gui::Controls::Base;

namespace
{
class Probe : public Gui::Anim::TimedAnimation
{
public:
    Probe(std::vector<std::string>& log, std::vector<float>& values, float length, float delay, float ease)
        : TimedAnimation(length, delay, ease), _log(log), _values(values)
    {
    }

protected:
    void OnStart() override { _log.push_back("start"); }
    void Run(float value) override { _values.push_back(value); }
    void OnFinish() override { _log.push_back("finish"); }

private:
    std::vector<std::string>& _log;
    std::vector<float>& _values;
};

class AnimationTest : public GuiFixture
{
protected:
    void Start(Base* control, float length, float delay, float ease)
    {
        Gui::Anim::Add(control, new Probe(log, values, length, delay, ease));
    }

    // Jumps the clock in readings of at most 0.1 s without letting anything think.
    void Advance(double seconds)
    {
        for (; seconds > 1e-9; seconds -= 0.1)
        {
            s_now += std::min(seconds, 0.1);
            Gui::WindowsLayer::GetTime();
        }
    }

    std::vector<std::string> log;
    std::vector<float> values;
};
}

TEST_F(AnimationTest, EasingShapesTheProgress)
{
    Base* control = new Base(canvas.get());
    const float eases[3] = {1.0f, 2.0f, -1.0f};
    for (float ease : eases)
    {
        Start(control, 1.0f, 0.0f, ease);
    }
    Advance(0.5);
    Gui::Anim::Think();
    ASSERT_EQ(3u, values.size());
    EXPECT_FLOAT_EQ(0.5f, values[0]);
    EXPECT_FLOAT_EQ(0.25f, values[1]);
    EXPECT_NEAR(0.25f, values[2], 1e-5f);

    values.clear();
    Advance(0.5);
    Gui::Anim::Think();
    EXPECT_EQ((std::vector<float>{1.0f, 1.0f, 1.0f}), values);
    EXPECT_EQ(0, Gui::Anim::Count(control));
}

TEST_F(AnimationTest, ADelayHoldsEverythingBackAndALateThinkFinishesAtOnce)
{
    Base* control = new Base(canvas.get());
    Start(control, 0.5f, 0.2f, 1.0f);
    Advance(0.1);
    Gui::Anim::Think();
    EXPECT_TRUE(log.empty());
    Advance(1.0);
    Gui::Anim::Think();
    EXPECT_EQ((std::vector<std::string>{"start", "finish"}), log);
    EXPECT_EQ((std::vector<float>{1.0f}), values);
}

TEST_F(AnimationTest, SizeAnimationsGrowAndShrinkTheControl)
{
    Base* control = new Base(canvas.get());
    control->SetSize(100, 40);
    control->Hide();
    control->Anim_WidthIn(0.5f);
    EXPECT_EQ(0, control->Width());
    Wait(0.25);
    EXPECT_NEAR(50, control->Width(), 2);
    Wait(0.5);
    EXPECT_EQ(100, control->Width());
    EXPECT_FALSE(control->Hidden());

    control->Anim_HeightOut(0.5f, true);
    Wait(1.0);
    EXPECT_EQ(0, control->Height());
    EXPECT_TRUE(control->Hidden());
}

TEST_F(AnimationTest, DeletingAControlCancelsItsAnimationsWithoutFinishingThem)
{
    Base* control = new Base(canvas.get());
    Start(control, 1.0f, 0.0f, 1.0f);
    Advance(0.2);
    Gui::Anim::Think();
    control->DelayedDelete();
    canvas->DoThink();
    EXPECT_EQ(0, Gui::Anim::Count(control));
    Advance(2.0);
    Gui::Anim::Think();
    EXPECT_EQ((std::vector<std::string>{"start"}), log);
}

// A hidden canvas still carries out deletions but runs no animations and takes no input.
TEST_F(AnimationTest, AHiddenCanvasOnlyDeletes)
{
    Base* control = new Base(canvas.get());
    control->SetBounds(0, 0, 50, 50);
    Base* doomed = new Base(canvas.get());
    control->Anim_WidthIn(0.1f);
    doomed->DelayedDelete();
    canvas->Hide();
    Wait(1.0);
    EXPECT_EQ(1u, canvas->NumChildren());
    EXPECT_EQ(0, control->Width());
    EXPECT_FALSE(canvas->OnMouseMoved(5, 5, 0, 0));
    EXPECT_FALSE(canvas->OnKey(1, true));
}
