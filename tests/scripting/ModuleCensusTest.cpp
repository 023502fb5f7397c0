#include "scripting/ScriptTestSupport.h"

TEST_F(ScriptTest, Probe)
{
    StartScripts();
    Run(R"(
      local n = {}
      for k, v in pairs(zarvo) do n[#n+1] = k .. ":" .. type(v) end
      table.sort(n)
      io.write(table.concat(n, " "), "\n")
      local mt = getmetatable(zarvo)
      for k, v in pairs(mt) do io.write(tostring(k), " ") end
      io.write("\n")
      for k, v in pairs(mt[".get"] or {}) do io.write(tostring(k), " ") end
      io.write("\n")
    )");
}
