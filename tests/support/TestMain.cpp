#ifdef ZARVO_RESET_ENGINE_BEFORE_EACH_TEST
#include "support/EngineReset.h"
#endif

#include "gui/platform/Debug.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // A failed toolkit assertion is logged only: no test may leave a message box on the display.
    Gui::Debug::SetAssertBox(nullptr);
#ifdef ZARVO_RESET_ENGINE_BEFORE_EACH_TEST
    InstallEngineResetBeforeEveryTest();
#endif
    return RUN_ALL_TESTS();
}
