#ifdef ZARVO_RESET_ENGINE_BEFORE_EACH_TEST
#include "support/EngineReset.h"
#endif

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
#ifdef ZARVO_RESET_ENGINE_BEFORE_EACH_TEST
    InstallEngineResetBeforeEveryTest();
#endif
    return RUN_ALL_TESTS();
}
