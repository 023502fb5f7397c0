#include "support/EngineReset.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    InstallEngineResetBeforeEveryTest();
    return RUN_ALL_TESTS();
}
