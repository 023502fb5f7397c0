#include "scripting/ScriptTestSupport.h"

#include "support/ProgramProcess.h"

#include <sstream>

// Every function, method, getter, setter and metamethod of the module, called with no, nil,
// number, string and unrelated arguments, with and without its object, in the running engine:
// one child process per class, so that a crash names its call (the last one announced).
TEST_F(ScriptTest, EveryCallOfTheModuleEndsWithoutACrash)
{
    StartScripts();
    std::istringstream targets("module " + Eval("(function() local names = {} for name, value in pairs(zarvo) do "
                                                "if type(value) == 'table' then names[#names + 1] = name end end "
                                                "table.sort(names) return table.concat(names, ' ') end)()"));
    int swept = 0;
    for (std::string target; targets >> target; ++swept)
    {
        ProgramProcess child(ZARVO_BINARY_DIR "/tests/module_sweep_child", _scratch.Path(),
                             { ZARVO_SOURCE_DIR "/tests/scripting/module_sweep.lua", target });
        ASSERT_TRUE(child.Start()) << target;
        const bool ended = child.WaitForExit(600.0);
        const std::string output = child.ReadErrorOutput();
        const std::string last = output.substr(output.rfind("SWEEP: ") == std::string::npos ? 0 : output.rfind("SWEEP: "));
        ASSERT_TRUE(ended) << target << " still runs at: " << last;
        EXPECT_TRUE(child.ExitedNormally() && child.GetExitStatus() == 0) << target << " stopped at: " << last;
        EXPECT_NE(std::string::npos, output.find("SWEEP: swept ")) << target;
    }
    EXPECT_EQ(49, swept);
}
