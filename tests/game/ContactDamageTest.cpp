// Damage by hull zone and closing speed, on bare physics bodies.
#include "game/ships/ContactDamage.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

namespace
{
class ContactDamageTest : public ::testing::Test
{
protected:
    b2Body* MakeBody(float x, float y, float angle)
    {
        b2BodyDef definition;
        definition.type = b2_dynamicBody;
        definition.position.Set(x, y);
        definition.angle = angle;
        b2Body* body = world.CreateBody(&definition);
        b2PolygonShape box;
        box.SetAsBox(3.0f, 1.0f);
        body->CreateFixture(&box, 1.0f);
        return body;
    }

    b2World world{b2Vec2(0.0f, 0.0f)};
};
}

TEST_F(ContactDamageTest, HitZonesAtTheirBoundaries)
{
    b2Body* ship = MakeBody(10.0f, 20.0f, 0.0f);
    EXPECT_FLOAT_EQ(1.0f, HitZoneFactor(ship, Vector2(10.7f, 20.0f)));
    EXPECT_FLOAT_EQ(0.2f, HitZoneFactor(ship, Vector2(10.71f, 20.0f)));
    EXPECT_FLOAT_EQ(1.0f, HitZoneFactor(ship, Vector2(9.3f, 21.0f)));
    EXPECT_FLOAT_EQ(0.5f, HitZoneFactor(ship, Vector2(9.29f, 20.0f)));
    EXPECT_FLOAT_EQ(0.2f, HitZoneFactor(ship, Vector2(13.0f, 20.0f)));
    EXPECT_FLOAT_EQ(0.5f, HitZoneFactor(ship, Vector2(7.0f, 20.0f)));
}

TEST_F(ContactDamageTest, HitZonesTurnWithTheShip)
{
    // Heading straight up: the bow is at +Y.
    b2Body* ship = MakeBody(0.0f, 0.0f, 1.5707964f);
    EXPECT_FLOAT_EQ(0.2f, HitZoneFactor(ship, Vector2(0.0f, 2.0f)));
    EXPECT_FLOAT_EQ(0.5f, HitZoneFactor(ship, Vector2(0.0f, -2.0f)));
    EXPECT_FLOAT_EQ(1.0f, HitZoneFactor(ship, Vector2(2.0f, 0.0f)));
}

TEST_F(ContactDamageTest, ClosingSpeedAlongTheNormalOnly)
{
    b2Body* a = MakeBody(0.0f, 0.0f, 0.0f);
    b2Body* b = MakeBody(10.0f, 0.0f, 0.0f);
    a->SetLinearVelocity(b2Vec2(4.0f, 3.0f));
    b->SetLinearVelocity(b2Vec2(-6.0f, 3.0f));
    EXPECT_FLOAT_EQ(10.0f, RelativeContactSpeed(a, b, Vector2(5.0f, 0.0f), Vector2(1.0f, 0.0f)));
    EXPECT_FLOAT_EQ(10.0f, RelativeContactSpeed(b, a, Vector2(5.0f, 0.0f), Vector2(1.0f, 0.0f)));
    EXPECT_FLOAT_EQ(0.0f, RelativeContactSpeed(a, b, Vector2(5.0f, 0.0f), Vector2(0.0f, 1.0f)));
}

TEST_F(ContactDamageTest, ClosingSpeedIncludesSpin)
{
    b2Body* a = MakeBody(0.0f, 0.0f, 0.0f);
    b2Body* b = MakeBody(10.0f, 0.0f, 0.0f);
    // Spinning at 2 rad/s, a point 2 units ahead of the centre moves at 4 units/s along +Y.
    a->SetAngularVelocity(2.0f);
    EXPECT_NEAR(4.0f, RelativeContactSpeed(a, b, Vector2(2.0f, 0.0f), Vector2(0.0f, 1.0f)), 1e-5);
}

TEST(RammingDamageTest, EqualZonesShareEqually)
{
    RammingDamage damage = ShareRammingDamage(0.2f, 0.2f, 2.0f);
    EXPECT_FLOAT_EQ(3.0f, damage.ToA);
    EXPECT_FLOAT_EQ(3.0f, damage.ToB);
    damage = ShareRammingDamage(0.2f, 0.2f, 0.5f);
    EXPECT_FLOAT_EQ(0.75f, damage.ToA);
    EXPECT_LT(damage.ToA, MinimumRammingDamage);
}

TEST(RammingDamageTest, TheWeakerZoneTakesTheLargerShare)
{
    // A rams B's middle with its bow at a closing speed of 4.
    RammingDamage damage = ShareRammingDamage(0.2f, 1.0f, 4.0f);
    EXPECT_NEAR(0.4615f, damage.ToA, 1e-3);
    EXPECT_NEAR(11.538f, damage.ToB, 1e-3);
    EXPECT_FLOAT_EQ(12.0f, damage.ToA + damage.ToB);
}
