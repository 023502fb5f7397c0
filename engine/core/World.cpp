#include "engine/core/World.h"

#include "engine/actors/Actor.h"
#include "engine/core/GameManager.h"
#include "engine/core/Renderable.h"
#include "engine/input/ControllerManager.h"
#include "engine/input/InputManager.h"
#include "engine/input/KeyboardCallbacks.h"
#include "engine/input/MouseCallbacks.h"
#include "engine/log/CompoundLog.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "engine/platform/Clock.h"
#include "engine/platform/FileSystem.h"
#include "engine/rendering/Camera.h"
#include "engine/rendering/TextureCache.h"
#include "engine/sound/SoundDevice.h"

#include <GLFW/glfw3.h>
#include <GL/glu.h>

namespace
{
// Just under 64 frames a second.
const long long kFrameBudgetMicroseconds = 15666;
// A frame longer than this is dropped from the simulation rather than clamped.
const float kLongestSimulatedStep = 0.16666667f;
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

World::World()
    : _running(false), _mainWindow(0), _highDensity(false), _antiAliasing(false),
      _lastTime(Platform::MonotonicSeconds()), _currentTime(0.0), _frameDT(0.0f), _lastFrameSeconds(0.0),
      _simulateOn(true), _initialized(false), _gameStarted(false),
      _processingDeferredAdds(false), _locked(false), _physicsWorld(0), _physicsSetUp(false),
      _physicsRunning(false), _velocityIterations(10), _positionIterations(10),
      _edgeBlockersOn(false), _edgeBlockerRestitution(0.0f), _gameManager(0), _console(0)
{
    for (int i = 0; i < 4; ++i)
    {
        _edgeBlockers[i] = 0;
    }
}

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

    if (!StartWindowLibrary())
    {
        _running = false;
        return false;
    }

    int width = 1024;
    int height = 768;
    String name = windowName;

    _antiAliasing = antiAliasing;
    if (!CreateMainWindow(name, width, height, fullScreen, resizable))
    {
        _running = false;
        return false;
    }
    InstallCallbacks();
    _lastTime = Platform::MonotonicSeconds();

    int framebufferWidth = 0;
    int framebufferHeight = 0;
    glfwGetFramebufferSize(_mainWindow, &framebufferWidth, &framebufferHeight);
    Camera::GetInstance()->Resize(framebufferWidth, framebufferHeight);

    SetUpOpenGLState();

    InitializeTextureLoading();

    Switchboard::GetInstance()->SubscribeTo(this, "CameraChange");

    InputManager::GetInstance();

    ControllerManager::GetInstance()->Setup();

    SoundDevice::GetInstance();

    _initialized = true;
    return true;
}

bool World::StartWindowLibrary()
{
    if (glfwInit() == GLFW_TRUE)
    {
        return true;
    }
    const char* reason = 0;
    glfwGetError(&reason);
    CompoundLog::GetSystemLog().Printf("ERROR: Couldn't open a window: the window library could not start (%s).",
                                       reason != 0 ? reason : "no reason given");
    return false;
}

bool World::CreateMainWindow(const String& name, int width, int height, bool fullScreen, bool resizable)
{
    if (_antiAliasing)
    {
        glfwWindowHint(GLFW_SAMPLES, 4);
    }
    glfwWindowHint(GLFW_RESIZABLE, resizable ? GLFW_TRUE : GLFW_FALSE);
    GLFWmonitor* monitor = fullScreen ? glfwGetPrimaryMonitor() : 0;

    _mainWindow = glfwCreateWindow(width, height, name.c_str(), monitor, 0);
    if (_mainWindow == 0)
    {
        const char* reason = 0;
        glfwGetError(&reason);
        CompoundLog::GetSystemLog().Printf("ERROR: Couldn't create the window (%s).",
                                            reason != 0 ? reason : "no reason given");
        glfwTerminate();
        return false;
    }
    glfwMakeContextCurrent(_mainWindow);

    int framebufferWidth = 0;
    int framebufferHeight = 0;
    glfwGetFramebufferSize(_mainWindow, &framebufferWidth, &framebufferHeight);
    _highDensity = (framebufferWidth == width * 2);

    glfwSwapInterval(0);
    return true;
}

void World::InstallCallbacks()
{
    glfwSetKeyCallback(_mainWindow, OnKeyEvent);
    glfwSetCharCallback(_mainWindow, OnCharEvent);
    glfwSetCursorPosCallback(_mainWindow, OnMouseMotion);
    glfwSetMouseButtonCallback(_mainWindow, OnMouseButton);
    glfwSetScrollCallback(_mainWindow, OnMouseWheel);
    glfwSetWindowCloseCallback(_mainWindow, WindowCloseCallback);
    glfwSetWindowSizeCallback(_mainWindow, Camera::WindowSizeCallback);
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

    if (_mainWindow == 0)
    {
        CompoundLog::GetSystemLog().Printf("ERROR: There is no window; the main loop does not run.");
        return;
    }

    const long long frequency = Platform::PerformanceFrequency();
    while (_running)
    {
        const long long frameStart = Platform::PerformanceCounter();

        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();

        Tick(_simulateOn);
        Render();

        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glfwSwapBuffers(_mainWindow);
        glfwPollEvents();

        _lastFrameSeconds = LimitFrame(frameStart, frequency) / 1000000.0;
    }

    glfwDestroyWindow(_mainWindow);
    _mainWindow = 0;
    glfwTerminate();
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

    DrawDebugDrawings();
    CheckGLErrors();
}

void World::Destroy()
{
    InputManager::Destroy();
    if (SoundDevice::HasInstance())
    {
        SoundDevice::GetInstance()->Shutdown();
    }
    delete _gameManager;
    _gameManager = 0;
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

void World::SetBackgroundColor(const Color& color)
{
    glClearColor(color.R, color.G, color.B, 1.0f);
}

std::vector<Vec3ui> World::GetVideoModes()
{
    std::vector<Vec3ui> modes;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    if (monitor == 0)
    {
        return modes;
    }
    int count = 0;
    const GLFWvidmode* videoModes = glfwGetVideoModes(monitor, &count);
    for (int i = 0; i < count; ++i)
    {
        const GLFWvidmode& mode = videoModes[i];
        modes.push_back(Vec3ui(mode.width, mode.height, mode.redBits + mode.greenBits + mode.blueBits));
    }
    return modes;
}

void World::AdjustWindow(int width, int height, const String& windowName)
{
    if (_mainWindow == 0)
    {
        return;
    }
    glfwSetWindowTitle(_mainWindow, windowName.c_str());
    int currentWidth = 0;
    int currentHeight = 0;
    glfwGetWindowSize(_mainWindow, &currentWidth, &currentHeight);
    if (currentWidth != width || currentHeight != height)
    {
        glfwSetWindowSize(_mainWindow, width, height);
    }
}

void World::MoveWindow(int x, int y)
{
    if (_mainWindow != 0)
    {
        glfwSetWindowPos(_mainWindow, x, y);
    }
}

void World::LoadLevel(const String& /*levelName*/)
{
    UnloadAll();
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
