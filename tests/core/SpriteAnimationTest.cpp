// Frame sequences of sprite animations.
#include "engine/actors/Actor.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// An actor with frames that need no texture loading.
class FramedActor : public Actor
{
public:
    explicit FramedActor(int frames)
    {
        for (int i = 0; i < frames; ++i)
        {
            SetSpriteTexture(100 + i, i);
        }
    }

    void SpriteAnimationFinished(String animationName) override { finished.push_back(animationName); }

    // The frame shown after each of count steps of one frame delay.
    std::vector<int> Run(int count, float delay = 0.1f)
    {
        std::vector<int> frames;
        for (int i = 0; i < count; ++i)
        {
            Update(delay);
            frames.push_back(GetSpriteFrame());
        }
        return frames;
    }

    std::vector<String> finished;
};

// Steps slightly longer than the delay so rounding never holds a frame back.
const float kStep = 0.1001f;
}

TEST(SpriteAnimation, LoopWrapsToTheStart)
{
    FramedActor actor(4);
    actor.PlaySpriteAnimation(0.1f, SAT_Loop, 1, 3);
    EXPECT_EQ(1, actor.GetSpriteFrame());
    EXPECT_EQ(std::vector<int>({2, 3, 1, 2, 3, 1}), actor.Run(6, kStep));
}

TEST(SpriteAnimation, PingPongTurnsAtBothEnds)
{
    FramedActor actor(4);
    actor.PlaySpriteAnimation(0.1f, SAT_PingPong, 0, 3);
    EXPECT_EQ(std::vector<int>({1, 2, 3, 2, 1, 0, 1, 2}), actor.Run(8, kStep));
}

TEST(SpriteAnimation, OneShotStopsOnTheLastFrameAndReportsOnce)
{
    FramedActor actor(4);
    actor.PlaySpriteAnimation(0.1f, SAT_OneShot, 0, 3, "sink");
    EXPECT_EQ(std::vector<int>({1, 2, 3, 3, 3, 3}), actor.Run(6, kStep));
    ASSERT_EQ(1u, actor.finished.size());
    EXPECT_EQ("sink", actor.finished[0]);
    // The delay stays, so it still counts as playing until a new animation or a clear.
    EXPECT_TRUE(actor.IsSpriteAnimPlaying());
    actor.ClearSpriteInfo();
    EXPECT_FALSE(actor.IsSpriteAnimPlaying());
}

TEST(SpriteAnimation, AnUnnamedOneShotReportsThePreviousName)
{
    FramedActor actor(3);
    actor.PlaySpriteAnimation(0.1f, SAT_OneShot, 0, 2, "first");
    actor.Run(4, kStep);
    actor.PlaySpriteAnimation(0.1f, SAT_OneShot, 2, 0);
    EXPECT_EQ(std::vector<int>({1, 0, 0}), actor.Run(3, kStep));
    EXPECT_EQ(std::vector<String>({"first", "first"}), actor.finished);
}

TEST(SpriteAnimation, LongStepsAdvanceSeveralFrames)
{
    FramedActor actor(8);
    actor.PlaySpriteAnimation(0.1f, SAT_Loop, 0, 7);
    // The first frame shows for one delay, then each further delay is one more frame.
    actor.Update(0.35f);
    EXPECT_EQ(3, actor.GetSpriteFrame());
}

TEST(SpriteAnimation, RangesAreClampedToTheLoadedFrames)
{
    FramedActor actor(3);
    actor.PlaySpriteAnimation(0.1f, SAT_Loop, -5, 99);
    EXPECT_EQ(0, actor.GetSpriteFrame());
    EXPECT_EQ(std::vector<int>({1, 2, 0}), actor.Run(3, kStep));
    // The defaults both mean frame 0.
    actor.PlaySpriteAnimation(0.1f);
    EXPECT_EQ(std::vector<int>({0, 0}), actor.Run(2, kStep));
}

TEST(SpriteAnimation, NeverLeavesTheLoadedFrames)
{
    // One-frame ping-pong stays put instead of stepping below frame 0.
    FramedActor single(1);
    single.PlaySpriteAnimation(0.1f, SAT_PingPong, 0, 0);
    EXPECT_EQ(std::vector<int>({0, 0, 0}), single.Run(3, kStep));

    FramedActor actor(4);
    actor.PlaySpriteAnimation(0.1f, SAT_PingPong, 2, 2);
    EXPECT_EQ(std::vector<int>({2, 2, 2}), actor.Run(3, kStep));

    // Reversed ranges run backwards between their ends.
    actor.PlaySpriteAnimation(0.1f, SAT_Loop, 3, 1);
    EXPECT_EQ(std::vector<int>({2, 1, 3, 2, 1, 3}), actor.Run(6, kStep));
    actor.PlaySpriteAnimation(0.1f, SAT_PingPong, 3, 1);
    EXPECT_EQ(std::vector<int>({2, 1, 2, 3, 2, 1}), actor.Run(6, kStep));

    // Without frames everything stays on frame 0.
    FramedActor empty(0);
    empty.PlaySpriteAnimation(0.1f, SAT_PingPong, 0, 5);
    EXPECT_EQ(std::vector<int>({0, 0}), empty.Run(2, kStep));
    EXPECT_EQ(-1, empty.GetSpriteTexture(3));
}

TEST(SpriteAnimation, SpriteFramesAreClamped)
{
    FramedActor actor(3);
    actor.SetSpriteFrame(7);
    EXPECT_EQ(2, actor.GetSpriteFrame());
    actor.SetSpriteFrame(-1);
    EXPECT_EQ(0, actor.GetSpriteFrame());
    EXPECT_EQ(102, actor.GetSpriteTexture(9));
    EXPECT_EQ(100, actor.GetSpriteTexture(-4));
}

// A delay too small to change the time left advanced frames for ever: the engine hung.
TEST(SpriteAnimation, TinyDelaysNeverHoldTheUpdate)
{
    FramedActor actor(4);
    actor.PlaySpriteAnimation(1e-40f, SAT_PingPong, 0, 3);
    actor.Update(1.0f);
    EXPECT_TRUE(actor.GetSpriteFrame() >= 0 && actor.GetSpriteFrame() <= 3);
}
