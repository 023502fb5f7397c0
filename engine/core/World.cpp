#include "engine/core/World.h"

#include "engine/actors/Actor.h"
#include "engine/config/Preferences.h"
#include "engine/console/Console.h"
#include "engine/console/TestConsole.h"
#include "engine/core/GameManager.h"
#include "engine/input/ControllerManager.h"
#include "engine/input/InputManager.h"
#include "engine/input/InputRoute.h"
#include "engine/log/CompoundLog.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "engine/pathfinding/SpatialGraphManager.h"
#include "engine/physics/PhysicsWorld.h"
#include "engine/platform/Clock.h"
#include "engine/platform/FileSystem.h"
#include "engine/platform/Window.h"
#include "engine/rendering/Camera.h"
#include "engine/rendering/TextureCache.h"
#include "engine/scripting/LuaScriptingModule.h"
#include "engine/sound/SoundDevice.h"
#include "engine/ui/UserInterface.h"
#include "engine/util/StringUtil.h"
#include "gui/platform/WindowSizeLimit.h"

#include <GL/glu.h>

namespace
{
// Just under 64 frames a second.
const long long kFrameBudgetMicroseconds = 15666;
// A frame longer than this is dropped from the simulation rather than clamped.
const float kLongestSimulatedStep = 0.16666667f;
const int kDefaultWindowWidth = 1024;
const int kDefaultWindowHeight = 768;

// Refuses a window setting with a line that names it; its default takes its place.
int RefuseWindowSetting(const String& name, int fallback)
{
    const String setting = EscapeControlBytes(Preferences::GetInstance()->GetString("WindowSettings", name));
    CompoundLog::GetSystemLog().Printf("WARNING: The window setting \"%s\" = %s is not a window size (%s); using %d.",
                                       name.c_str(), setting.c_str(), Gui::WindowsLayer::WindowSizeRule(), fallback);
    return fallback;
}

// The window size from "WindowSettings". A side no window can have is replaced by its
// default, and both are when only the two together make too large a window. A bad saved
// preference must not stop every start of the program.
Vec2i ReadWindowSize()
{
    Preferences* preferences = Preferences::GetInstance();
    int height = preferences->OverrideInt("WindowSettings", "height", kDefaultWindowHeight);
    int width = preferences->OverrideInt("WindowSettings", "width", kDefaultWindowWidth);
    if (!Gui::WindowsLayer::CanMakeWindow(1, height))
    {
        height = RefuseWindowSetting("height", kDefaultWindowHeight);
    }
    if (!Gui::WindowsLayer::CanMakeWindow(width, 1))
    {
        width = RefuseWindowSetting("width", kDefaultWindowWidth);
    }
    if (!Gui::WindowsLayer::CanMakeWindow(width, height))
    {
        height = RefuseWindowSetting("height", kDefaultWindowHeight);
        width = RefuseWindowSetting("width", kDefaultWindowWidth);
    }
    return Vec2i(width, height);
}
}

World* World::s_instance = 0;

World* World::GetInstance()
{
    if (s_instance == 0)
    {
        s_instance = new World();
    }
    return s_instance;
}

bool World::HasInstance() { return s_instance != 0; }

void World::DestroyInstance()
{
    World* world = s_instance;
    if (world == 0)
    {
        return;
    }
    // The game manager may own the contact listener; the bodies deleted below end their
    // contacts after it has gone.
    world->_physics->DetachContactListener();
    // Deleted while the World still answers, so their destructors find it.
    delete world->_gameManager;
    world->_gameManager = 0;
    world->DeleteAllRenderables();
    s_instance = 0;
    delete world;
}

World::World()
    : _running(false), _window(new Window()), _antiAliasing(false),
      _lastTime(Platform::MonotonicSeconds()), _currentTime(0.0), _frameDT(0.0f), _lastFrameSeconds(0.0), _windowCreatedSeconds(0.0),
      _simulateOn(true), _initialized(false), _gameStarted(false),
      _processingDeferredAdds(false), _locked(false), _destroyedWaiting(false), _passWalk(0), _unloading(false), _physics(new PhysicsWorld()),
      _inputRoute(new InputRoute()), _gameManager(0), _console(0)
{
}

World::~World() {}

bool World::Initialize(const String& windowName, bool antiAliasing, bool fullScreen, bool resizable)
{
    if (_initialized)
    {
        return false;
    }
    _running = true;

    // The image and sound libraries are ordinary shared libraries here: nothing to preload.
    if (Platform::IsDirectory("bits"))
    {
        Platform::ChangeDirectory("bits");
    }

    // Without the window library no window can be had; it has said why. Started before the
    // preference script, which may choose the window's size from the screen's video modes.
    if (!Window::StartLibrary())
    {
        _running = false;
        return false;
    }
    // The preference script sets "WindowSettings" before the window exists.
    LuaScriptingModule::Prepare();
    Preferences* preferences = Preferences::GetInstance();
    antiAliasing = preferences->OverrideInt("WindowSettings", "antiAliasing", antiAliasing) != 0;
    fullScreen = preferences->OverrideInt("WindowSettings", "fullScreen", fullScreen) != 0;
    resizable = preferences->OverrideInt("WindowSettings", "resizable", resizable) != 0;
    const Vec2i size = ReadWindowSize();
    const String name = preferences->OverrideString("WindowSettings", "name", windowName);

    _antiAliasing = antiAliasing;
    if (!_window->Open(name, size.X, size.Y, antiAliasing, fullScreen, resizable))
    {
        _running = false;
        return false;
    }
    _windowCreatedSeconds = Platform::MonotonicSeconds();
    InstallCallbacks();
    _lastTime = Platform::MonotonicSeconds();

    const Vec2i framebuffer = _window->GetFramebufferSize();
    Camera::GetInstance()->Resize(framebuffer.X, framebuffer.Y);

    SetUpOpenGLState();

    InitializeTextureLoading();

    Switchboard::GetInstance()->SubscribeTo(this, "CameraChange");

    InputManager::GetInstance();

    ControllerManager::GetInstance()->Setup();

    SoundDevice::GetInstance();

    SpatialGraphManager::GetInstance();

    // The start-up console echoes until the script console replaces it.
    _startupConsole.reset(new TestConsole());
    RegisterConsole(_startupConsole.get());
    LuaScriptingModule::Initialize();

    _initialized = true;
    return true;
}

void World::InstallCallbacks()
{
    WindowCallbacks callbacks;
    callbacks.Resized = Camera::WindowSizeCallback;
    callbacks.Key = OnKeyEvent;
    callbacks.Character = OnCharEvent;
    callbacks.CursorMoved = OnMouseMotion;
    callbacks.MouseButton = OnMouseButton;
    callbacks.Scrolled = OnMouseWheel;
    callbacks.CloseRequested = WindowCloseCallback;
    _window->InstallCallbacks(callbacks);
}

void World::SetUpOpenGLState()
{
    glClearDepth(1.0f);
    glPolygonMode(GL_FRONT, GL_FILL);
    glShadeModel(GL_FLAT);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearStencil(0);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
}

void World::StartGame()
{
    if (_gameStarted)
    {
        return;
    }
    _gameStarted = true;

    Switchboard::GetInstance()->Broadcast(new Message("GameStart"));

    if (!_window->IsOpen())
    {
        CompoundLog::GetSystemLog().Printf("ERROR: There is no window; the main loop does not run.");
        return;
    }

    const long long frequency = Platform::PerformanceFrequency();
    while (_running)
    {
        const long long frameStart = Platform::PerformanceCounter();
        RunFrame();
        // Every input and window callback runs in here.
        Window::PollEvents();
        _lastFrameSeconds = LimitFrame(frameStart, frequency) / 1000000.0;
    }

    ShutDownUserInterface();
    _window->Close();
    Window::StopLibrary();
}

void World::RunFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();

    Tick(_simulateOn);
    Render();

    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    _window->SwapBuffers();
}

void World::ShutDownUserInterface()
{
    // The toolkit gives its textures and fonts back while the OpenGL context exists; a World
    // that never rendered has none to delete, and none is made just for that.
    if (UserInterface::HasInstance())
    {
        UserInterface::GetInstance()->Shutdown();
    }
}

long long World::LimitFrame(long long frameStart, long long frequency)
{
    long long elapsed = (Platform::PerformanceCounter() - frameStart) * 1000000LL / frequency;
    while (elapsed < kFrameBudgetMicroseconds)
    {
        Platform::SleepMilliseconds(1);
        elapsed = (Platform::PerformanceCounter() - frameStart) * 1000000LL / frequency;
    }
    return elapsed;
}

void World::StopGame() { _running = false; }

void World::Tick(bool simulate)
{
    const double now = Platform::MonotonicSeconds();
    _currentTime = now;
    double elapsed = now - _lastTime;
    if (elapsed < 0.0)
    {
        elapsed = 0.0;
    }
    if (elapsed > 1.0)
    {
        elapsed = 1.0;
    }
    _frameDT = (float)elapsed;
    _lastTime = now;

    const float dt = (_frameDT > kLongestSimulatedStep) ? 0.0f : _frameDT;

    // Button edges become binding messages, delivered later in this tick.
    ControllerManager::GetInstance()->UpdateState();

    // The caret blinks whether the console is open or not.
    if (_console != 0)
    {
        _console->Update(dt);
    }

    // Sound-end callbacks run in here, before the game manager's update.
    if (SoundDevice::HasInstance())
    {
        SoundDevice::GetInstance()->Update();
    }

    if (_gameManager != 0)
    {
        _gameManager->Update(dt);
    }

    Switchboard::GetInstance()->SendAllMessages();

    if (simulate)
    {
        RunPhysics(dt);

        _locked = true;
        UpdateRenderables(dt);
        CleanUpDestroyed();
        _locked = false;

        ApplyDeferredChanges();
        Switchboard::GetInstance()->Update(dt);
        UpdateDebugDrawings(_frameDT);
    }

    Camera::GetInstance()->Update(dt);
}

void World::TickAndRender()
{
    Tick(_simulateOn);
    Render();
}

void World::Render()
{
    Camera::GetInstance()->Render();
    DrawRenderables();

    if (_gameManager != 0)
    {
        _gameManager->Render();
    }

    SpatialGraphManager::GetInstance()->Render();

    // Created by the first render; drawn over the game, under debug lines and the console.
    UserInterface::GetInstance()->Render();
    DrawDebugDrawings();
    // Over everything else.
    if (_console != 0)
    {
        _console->Render();
    }
    CheckGLErrors();
}

void World::Destroy()
{
    ShutDownUserInterface();
    InputManager::Destroy();
    if (SoundDevice::HasInstance())
    {
        SoundDevice::GetInstance()->Shutdown();
    }
    delete _gameManager;
    _gameManager = 0;
    // Last: until here actors and logs that scripts made may still be in use.
    LuaScriptingModule::Finalize();
}

void World::SetGameManager(GameManager* gameManager)
{
    if (_gameManager != 0 || gameManager == 0)
    {
        CompoundLog::GetSystemLog().Printf("ERROR: Can only have one game manager!");
        return;
    }
    _gameManager = gameManager;
}

void World::RegisterConsole(Console* console) { _console = console; }

GLFWwindow* World::GetMainWindow() { return _window->GetHandle(); }

bool World::IsHighDensityScreen() const { return _window->IsHighDensity(); }

void World::SetBackgroundColor(const Color& color)
{
    glClearColor(color.R, color.G, color.B, 1.0f);
}

std::vector<Vec3ui> World::GetVideoModes() { return Window::GetVideoModes(); }

void World::AdjustWindow(int width, int height, const String& windowName)
{
    if (!_window->IsOpen())
    {
        return;
    }
    _window->SetTitle(windowName);
    if (!Gui::WindowsLayer::CanMakeWindow(width, height))
    {
        CompoundLog::GetSystemLog().Printf("WARNING: Can't give the window a size of %d x %d pixels; it keeps its size.",
                                           width, height);
        return;
    }
    const Vec2i size = _window->GetSize();
    if (size.X != width || size.Y != height)
    {
        _window->SetSize(width, height);
    }
}

void World::MoveWindow(int x, int y) { _window->SetPosition(x, y); }

void World::LoadLevel(const String& levelName)
{
    UnloadAll();
    LuaScriptingModule::CallFunction("LoadLevel", StringList(1, levelName));
}

void World::ResetWorld()
{
    Camera::GetInstance()->Reset();
    UnloadAll();
}


void WindowCloseCallback(GLFWwindow* /*window*/)
{
    World::GetInstance()->StopGame();
}

void CheckGLErrors()
{
    GLenum error = glGetError();
    while (error != GL_NO_ERROR)
    {
        CompoundLog::GetSystemLog().Printf("OpenGL Error: %s", (const char*)gluErrorString(error));
        error = glGetError();
    }
}
