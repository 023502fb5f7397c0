#include "scripting/ScriptTestSupport.h"

#include "support/ProgramProcess.h"

#include <sstream>
#include <vector>

namespace
{
    // What the child wrote from the last call it announced on: the call, and a crash report.
    std::string FromLastCall(const std::string& output)
    {
        const size_t start = output.rfind("SWEEP: ");
        return start == std::string::npos ? output : output.substr(start);
    }
}

// Every function and method of the module, every getter, setter and metamethod, called with
// no, nil, number, string and unrelated arguments, with and without its object, in the
// running engine: one child process per class, so that a crash names its call.
TEST_F(ScriptTest, EveryCallOfTheModuleEndsWithoutACrash)
{
    StartScripts();
    std::istringstream classes(Eval("(function() local names = {} for name, value in pairs(zarvo) do "
                                    "if type(value) == 'table' then names[#names + 1] = name end end "
                                    "table.sort(names) return table.concat(names, ' ') end)()"));
    std::vector<std::string> targets(1, "module");
    for (std::string name; classes >> name;)
        targets.push_back(name);
    ASSERT_EQ(49u, targets.size());

    for (const std::string& target : targets)
    {
        ProgramProcess child(ZARVO_BINARY_DIR "/tests/module_sweep_child", _scratch.Path(),
                             { ZARVO_SOURCE_DIR "/tests/scripting/module_sweep.lua", target });
        ASSERT_TRUE(child.Start()) << target;
        ASSERT_TRUE(child.WaitForExit(600.0)) << target << " still runs at: "
                                              << FromLastCall(child.ReadErrorOutput());
        const std::string output = child.ReadErrorOutput();
        EXPECT_TRUE(child.ExitedNormally() && child.GetExitStatus() == 0)
            << target << " stopped at: " << FromLastCall(output);
        EXPECT_NE(std::string::npos, output.find("SWEEP: swept ")) << target;
    }
}
