#include "scripting/ScriptTestSupport.h"

#include "engine/config/ConfigUpdater.h"
#include "engine/console/TestConsole.h"
#include "engine/config/Tuning.h"
#include "engine/core/World.h"
#include "engine/platform/Clock.h"
#include "engine/platform/Window.h"
#include "engine/scripting/LuaConsole.h"
#include "engine/scripting/LuaScriptingModule.h"

#include "support/EngineReset.h"
#include "support/SystemLogCapture.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace
{
    void SetModificationTime(const char* path, time_t seconds, long nanoseconds)
    {
        timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
        ASSERT_EQ(0, utimensat(AT_FDCWD, path, times, 0));
    }

    // Ticks the World in small steps until the given time has passed in its steps, as the main
    // loop would. A step the World drops as a stall (a loaded machine) doesn't count.
    void TickFor(double seconds)
    {
        const double kLongestStep = 1.0 / 6.0;
        for (double passed = 0.0; passed < seconds;)
        {
            Platform::SleepMilliseconds(10);
            World::GetInstance()->Tick(World::GetInstance()->IsSimulationOn());
            const double step = World::GetInstance()->GetDT();
            passed += step > kLongestStep ? 0.0 : step;
        }
    }
}

TEST_F(ScriptTest, StartupScriptsSeeLfsAndNoMobile)
{
    const String record = "\nSEEN = (SEEN or '') .. tostring(ZARVO_MOBILE) .. type(lfs) .. ' '\n";
    AppendToFile("Resources/Scripts/pref_load.lua", record);
    AppendToFile("Resources/Scripts/start.lua", record);
    StartScripts();
    EXPECT_EQ("falsetable falsetable ", Eval("SEEN"));
}

// The window library runs before the preference script, which may pick a window size from
// the screen's modes, even in a process that has never started it.
TEST_F(ScriptTest, ThePreferenceScriptSeesTheVideoModes)
{
    ResetEngine();
    Window::StopLibrary();
    AppendToFile("Resources/Scripts/pref_load.lua", "\nMODES = #zarvo.World_GetInstance():GetVideoModes()\n");
    ASSERT_TRUE(World::GetInstance()->Initialize());
    EXPECT_EQ("true", Eval("MODES == #zarvo.World_GetInstance():GetVideoModes() and MODES > 0"));
}

TEST_F(ScriptTest, AFailingStartScriptStillLeavesAConsoleAndTheTuningWatch)
{
    WriteFile("Resources/Scripts/start.lua", "LoadTuningVariables = function() TUNED = true end\nerror('%s%s%n broken')");
    SystemLogCapture().Lines.clear();
    LuaScriptingModule::Prepare();
    LuaScriptingModule::Initialize();
    EXPECT_FALSE(LuaScriptingModule::IsStarted());
    // The script's own text is logged as it is, never used as a format.
    bool logged = false;
    for (const String& line : SystemLogCapture().Lines)
        logged = logged || line.find("%s%s%n broken") != String::npos;
    EXPECT_TRUE(logged);
    ASSERT_NE(nullptr, dynamic_cast<LuaConsole*>(World::GetInstance()->GetConsole()));
    EXPECT_EQ("true", Eval("TUNED"));
    // The console still runs lines; only ExecuteInScript is off.
    LuaConsole* console = static_cast<LuaConsole*>(World::GetInstance()->GetConsole());
    console->Execute("answer = 40 + 2");
    EXPECT_EQ("42", Eval("answer"));
}

TEST_F(ScriptTest, TuningReloadsWhenTheFileIsNewerEvenWithinOneSecond)
{
    WriteFile("Config/tuning.lua", "Tuning = { Speed = 1 }");
    SetModificationTime("Config/tuning.lua", 4000000000, 100);
    StartScripts();
    World::GetInstance()->ResumeSimulation();
    EXPECT_EQ(1.0f, Tuning::GetInstance()->GetFloat("Speed"));

    // A second save within the same second (and after 2038) reloads.
    WriteFile("Config/tuning.lua", "Tuning = { Speed = 2 }");
    SetModificationTime("Config/tuning.lua", 4000000000, 200);
    TickFor(1.2);
    EXPECT_EQ(2.0f, Tuning::GetInstance()->GetFloat("Speed"));

    // An older time does not.
    WriteFile("Config/tuning.lua", "Tuning = { Speed = 3 }");
    SetModificationTime("Config/tuning.lua", 3000000000, 0);
    TickFor(1.2);
    EXPECT_EQ(2.0f, Tuning::GetInstance()->GetFloat("Speed"));

    // Nothing is checked while the simulation is paused.
    SetModificationTime("Config/tuning.lua", 4000000001, 0);
    World::GetInstance()->PauseSimulation();
    TickFor(1.2);
    EXPECT_EQ(2.0f, Tuning::GetInstance()->GetFloat("Speed"));
    World::GetInstance()->ResumeSimulation();
    TickFor(1.2);
    EXPECT_EQ(3.0f, Tuning::GetInstance()->GetFloat("Speed"));
}

TEST_F(ScriptTest, TuningValuesReadInEveryForm)
{
    Tuning* tuning = Tuning::GetInstance();
    tuning->SetVector("v", Vector2(1.0f, 2.0f));
    EXPECT_EQ("{1, 2}", tuning->GetString("v"));
    EXPECT_EQ(0.0f, tuning->GetFloat("v"));
    tuning->SetString("s", "3.5");
    EXPECT_EQ(3.5f, tuning->GetFloat("s"));
    EXPECT_EQ(3, tuning->GetInt("s"));
    EXPECT_FALSE(tuning->IsRuntimeTuned("s"));
    tuning->AddToRuntimeTuningList("s");
    EXPECT_TRUE(tuning->IsRuntimeTuned("s"));
    StartScripts();
    EXPECT_EQ("Ahoy", tuning->GetString("ExampleGreeting"));
    EXPECT_EQ(Vector2(0.0f, 10.0f).Y, tuning->GetVector("ExampleSpawnPoint").Y);
}

TEST_F(ScriptTest, TheScriptConsoleIsReplacedOnRestartAndGoesWithTheState)
{
    StartScripts();
    Console* first = World::GetInstance()->GetConsole();
    ASSERT_NE(nullptr, dynamic_cast<LuaConsole*>(first));
    StartScripts();
    EXPECT_NE(first, World::GetInstance()->GetConsole());

    // A console of someone else's stays registered when the scripts close.
    LuaScriptingModule::Close();
    EXPECT_EQ(nullptr, World::GetInstance()->GetConsole());
    StartScripts();
    TestConsole other;
    World::GetInstance()->RegisterConsole(&other);
    LuaScriptingModule::Close();
    EXPECT_EQ(&other, World::GetInstance()->GetConsole());
    World::GetInstance()->RegisterConsole(0);
}
