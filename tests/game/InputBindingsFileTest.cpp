// The key-binding file the game ships with.
#include "engine/input/InputBinding.h"
#include "engine/input/InputManager.h"
#include "game/core/GameConstants.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace
{
const int SpaceKey = 32;
const int TabKey = 258;
const int EscapeKey = 256;

class InputBindingsFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The bindings are read from the working directory, as the game does from "bits".
        ASSERT_EQ(0, chdir(ZARVO_SOURCE_DIR));
    }
};
}

TEST_F(InputBindingsFileTest, SpaceRestartsAsTheEndScreenPromises)
{
    InputBinding* space = InputManager::GetInstance()->GetBinding(SpaceKey);
    ASSERT_NE(nullptr, space);
    EXPECT_EQ(RestartMessage, space->GetDownMessage());
    EXPECT_EQ("", space->GetUpMessage());
}

TEST_F(InputBindingsFileTest, TabLeavesTheShipyardAndEscapeStaysFreeToEndTheGame)
{
    InputBinding* tab = InputManager::GetInstance()->GetBinding(TabKey);
    ASSERT_NE(nullptr, tab);
    EXPECT_EQ(OpenCloseShopMessage, tab->GetDownMessage());
    EXPECT_EQ(nullptr, InputManager::GetInstance()->GetBinding(EscapeKey));
}
