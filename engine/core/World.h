#pragma once

#include "engine/math/Color.h"
#include "engine/math/Vec3ui.h"
#include "engine/math/Vector2.h"
#include "engine/messaging/MessageListener.h"
#include "engine/util/StringTypes.h"

#include <box2d/b2_world_callbacks.h>

#include <list>
#include <map>
#include <memory>
#include <utility>
#include <vector>

struct GLFWwindow;
class b2Contact;
class b2World;
class Console;
class DebugDrawBase;
class GameManager;
class InputRoute;
class PhysicsActor;
class PhysicsWorld;
class Renderable;
class Window;
class WorldIterator;

typedef std::list<Renderable*> RenderList;
typedef std::map<int, RenderList> RenderLayers;

// The engine's central singleton: owns the window (and through it the OpenGL context), the
// physics world and the input route, runs the main loop at a fixed frame budget and ticks and
// draws everything else in a fixed order.
class World : public b2ContactListener, public MessageListener
{
public:
    static World* GetInstance();
    static bool HasInstance();
    // Deletes the World with its game manager, every renderable on its layers or waiting to
    // be added, its physics world, its window and its input route, so that the next
    // GetInstance starts afresh. For test programs that need a fresh engine per test; never
    // while the World ticks or renders. A registered console of someone else's is kept.
    static void DestroyInstance();

    // Start-up, main loop and shutdown.
    bool Initialize(const String& windowName = "Zarvo Engine", bool antiAliasing = false,
                    bool fullScreen = false, bool resizable = false);
    void StartGame();
    void StopGame();
    void Tick(bool simulate);
    void TickAndRender();
    void Render();
    // One frame of the main loop without its event poll and sleep: clear, tick with the
    // simulation switch, render, swap. Needs an open window.
    void RunFrame();
    void Destroy();

    bool IsRunning() const { return _running; }
    bool IsInitialized() const { return _initialized; }

    void SetGameManager(GameManager* gameManager);
    GameManager* GetGameManager() { return _gameManager; }
    // The console is not owned and must outlive its registration; it is ticked, drawn last
    // and handed keys and characters first. Null unregisters it.
    void RegisterConsole(Console* console);
    Console* GetConsole() { return _console; }

    float GetDT() const { return _frameDT; }
    // The length of the last whole frame of the main loop, the limiter's sleep included.
    double GetLastFrameSeconds() const { return _lastFrameSeconds; }
    float GetCurrentTimeSeconds() const { return (float)_currentTime; }
    // The window library's handle of the main window; null before start-up and after the loop.
    GLFWwindow* GetMainWindow();
    // The main window itself: key and cursor queries, cursors and the clipboard.
    Window& GetWindow() { return *_window; }
    // Where every key, character and mouse event of the window goes.
    InputRoute& GetInputRoute() { return *_inputRoute; }
    bool IsHighDensityScreen() const;
    // The monotonic clock (Platform::MonotonicSeconds) when the window and its context had
    // been made; 0 before. Start-up is measured from here.
    double GetWindowCreatedSeconds() const { return _windowCreatedSeconds; }
    bool IsAntiAliased() const { return _antiAliasing; }

    void PauseSimulation() { _simulateOn = false; }
    void ResumeSimulation() { _simulateOn = true; }
    bool IsSimulationOn() const { return _simulateOn; }

    void SetBackgroundColor(const Color& color);
    std::vector<Vec3ui> GetVideoModes();
    void AdjustWindow(int width, int height, const String& windowName);
    void MoveWindow(int x, int y);

    void LoadLevel(const String& levelName);
    void ResetWorld();

    // Layers and deferred changes.
    void Add(Renderable* renderable, int layer = 0);
    void Add(Renderable* renderable, const String& layerName);
    void Remove(Renderable* renderable);
    void UpdateLayer(Renderable* renderable, int layer);
    void UpdateLayer(Renderable* renderable, const String& layerName);
    void NameLayer(const String& name, int layer);
    int GetLayerByName(const String& name);
    const RenderLayers& GetLayers() const { return _layers; }
    WorldIterator GetFirstRenderable();
    WorldIterator GetLastRenderable();
    // Whether the renderable is on a layer or waiting to be added to one.
    bool Contains(const Renderable* renderable) const;
    // Deletes every renderable except those the game manager protects (kept on their layers)
    // and those a holder keeps (only taken off their layers). Refused with a warning while
    // the layers are locked or another unload runs.
    void UnloadAll();
    bool IsLocked() const { return _locked; }

    // Physics: one Box2D world, stepped once per simulated tick.
    // Without a listener the World listens and sends collision messages itself.
    bool SetupPhysics(const Vector2& gravity = Vector2(0.0f, -10.0f), b2ContactListener* listener = 0);
    bool IsPhysicsSetUp() const;
    // Null until set up; owned by the World.
    b2World* GetPhysicsWorld();
    bool PausePhysics();
    bool ResumePhysics();
    bool IsPhysicsRunning() const;
    void WakeAllBodies();
    // Steps the physics world and copies every body's position and angle to its actor.
    void RunPhysics(float dt);
    // 10 and 10 unless changed; lower counts trade stacking accuracy for speed.
    void SetPhysicsIterations(int velocityIterations, int positionIterations);
    // Static boxes just outside the view, rebuilt whenever the camera changes.
    // A restitution of -1 keeps the one given before.
    void CreateSideBlockers(float restitution);

    // Turn contacts into "CollisionStartWith" and "CollisionEndWith" messages.
    void BeginContact(b2Contact* contact) override;
    void EndContact(b2Contact* contact) override;

    // Debug drawing.
    void DrawDebugLine(const Vector2& from, const Vector2& to, float lifetime = 5.0f,
                       const Color& color = Color(1.0f, 0.0f, 0.0f, 1.0f));
    void PurgeDebugDrawing();
    size_t GetDebugDrawingCount() const { return _debugDrawings.size(); }

    // "CameraChange" rebuilds the side blockers once they were asked for.
    void ReceiveMessage(Message* message) override;

private:
    friend class WorldIterator;
    // Called by a renderable's destructor, so no layer keeps a pointer to it.
    friend class Renderable;
    void Forget(Renderable* renderable);
    // Called by Renderable::Destroy: the next simulated tick looks for destroyed renderables.
    void NoteDestroyed() { _destroyedWaiting = true; }

    World();
    ~World();

    void InstallCallbacks();
    void SetUpOpenGLState();
    void ShutDownUserInterface();
    // Sleeps until the frame budget is spent; returns the frame's length in microseconds.
    long long LimitFrame(long long frameStart, long long frequency);

    // Layer mechanics.
    void DeleteAllRenderables();
    void UpdateRenderables(float dt);
    void CleanUpDestroyed();
    void ApplyDeferredChanges();
    void UpdateDebugDrawings(float frameDT);
    void DrawRenderables();
    void DrawDebugDrawings();
    void Unlink(Renderable* renderable);
    void ForgetDeferred(Renderable* renderable);
    bool IsPendingAdd(const Renderable* renderable) const;
    // The cleanup and unload passes walk one renderable at a time and delete (or tell) each
    // where they stand. A destructor or hook may unlink or delete the renderable the walk
    // stands on next: Unlink then moves the walk on, so it never stands on a freed one.
    void UnloadOne(WorldIterator& walk);
    bool CancelPendingAdd(Renderable* renderable);
    void CancelPendingLayerChanges(Renderable* renderable);

    // Called by a physics actor's destructor, so no pointer to it outlives it.
    friend class PhysicsActor;
    void ForgetPhysicsActor(PhysicsActor* actor);

    typedef std::pair<Renderable*, int> RenderableAndLayer;

    static World* s_instance;

    bool _running;
    std::unique_ptr<Window> _window;
    bool _antiAliasing;
    // Clock readings stay in double so the step is exact after hours of uptime.
    double _lastTime;
    double _currentTime;
    float _frameDT;
    double _lastFrameSeconds;
    double _windowCreatedSeconds;
    bool _simulateOn;
    bool _initialized;
    bool _gameStarted;

    RenderLayers _layers;
    bool _processingDeferredAdds;
    std::list<RenderableAndLayer> _deferredAdds;
    std::list<RenderableAndLayer> _deferredLayerChanges;
    std::list<Renderable*> _deferredRemoves;
    std::map<String, int> _layerNames;
    bool _locked;
    // A renderable was destroyed, or a destroyed one added, since the last cleanup pass;
    // without one the pass would walk every renderable for nothing.
    bool _destroyedWaiting;
    std::list<DebugDrawBase*> _debugDrawings;
    // The walk of the running cleanup or unload pass; null between passes.
    WorldIterator* _passWalk;
    bool _unloading;

    std::unique_ptr<PhysicsWorld> _physics;
    std::unique_ptr<InputRoute> _inputRoute;

    GameManager* _gameManager;
    Console* _console;
    // The echoing console of start-up, owned here; the script console replaces it.
    std::unique_ptr<Console> _startupConsole;
};

void WindowCloseCallback(GLFWwindow* window);
void CheckGLErrors();
