#pragma once

#include "engine/math/Color.h"
#include "engine/math/Vec3ui.h"
#include "engine/math/Vector2.h"
#include "engine/messaging/MessageListener.h"
#include "engine/util/StringTypes.h"

#include <box2d/box2d.h>

#include <list>
#include <map>
#include <set>
#include <utility>
#include <vector>

struct GLFWwindow;
class Console;
class DebugDrawBase;
class GameManager;
class PhysicsActor;
class Renderable;
class WorldIterator;

typedef std::list<Renderable*> RenderList;
typedef std::map<int, RenderList> RenderLayers;

// The engine's central singleton: owns the window and its OpenGL context, runs the main loop
// at a fixed frame budget and ticks and draws everything else in a fixed order.
class World : public b2ContactListener, public MessageListener
{
public:
    static World* GetInstance();

    // Start-up, main loop and shutdown.
    bool Initialize(const String& windowName = "Zarvo Engine", bool antiAliasing = false,
                    bool fullScreen = false, bool resizable = false);
    void StartGame();
    void StopGame();
    void Tick(bool simulate);
    void TickAndRender();
    void Render();
    void Destroy();

    bool IsRunning() const { return _running; }
    bool IsInitialized() const { return _initialized; }

    void SetGameManager(GameManager* gameManager);
    GameManager* GetGameManager() { return _gameManager; }
    void RegisterConsole(Console* console);
    Console* GetConsole() { return _console; }

    float GetDT() const { return _frameDT; }
    // The length of the last whole frame of the main loop, the limiter's sleep included.
    double GetLastFrameSeconds() const { return _lastFrameSeconds; }
    float GetCurrentTimeSeconds() const { return (float)_currentTime; }
    GLFWwindow* GetMainWindow() { return _mainWindow; }
    bool IsHighDensityScreen() const { return _highDensity; }
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
    void UnloadAll();
    bool IsLocked() const { return _locked; }

    // Physics: one Box2D world, stepped once per simulated tick.
    bool SetupPhysics(const Vector2& gravity = Vector2(0.0f, -10.0f), b2ContactListener* listener = 0);
    bool IsPhysicsSetUp() const { return _physicsSetUp; }
    b2World* GetPhysicsWorld() { return _physicsWorld; }
    bool PausePhysics();
    bool ResumePhysics();
    bool IsPhysicsRunning() const { return _physicsRunning; }
    void WakeAllBodies();
    // Steps the physics world and copies every body's position and angle to its actor.
    void RunPhysics(float dt);
    // 10 and 10 unless changed; lower counts trade stacking accuracy for speed.
    void SetPhysicsIterations(int velocityIterations, int positionIterations);
    // Static boxes just outside the view, rebuilt whenever the camera changes.
    // A restitution of -1 keeps the one given before.
    void CreateSideBlockers(float restitution);

    // Turn contacts into "CollisionStartWith" and "CollisionEndWith" messages.
    virtual void BeginContact(b2Contact* contact);
    virtual void EndContact(b2Contact* contact);

    // Debug drawing.
    void DrawDebugLine(const Vector2& from, const Vector2& to, float lifetime = 5.0f,
                       const Color& color = Color(1.0f, 0.0f, 0.0f, 1.0f));
    void PurgeDebugDrawing();
    size_t GetDebugDrawingCount() const { return _debugDrawings.size(); }

    virtual void ReceiveMessage(Message* message);

private:
    friend class WorldIterator;

    World();

    // Starts the window library; false, with an "ERROR: " line giving its reason, when it
    // cannot (no display to talk to).
    static bool StartWindowLibrary();
    bool CreateMainWindow(const String& name, int width, int height, bool fullScreen,
                          bool resizable);
    void InstallCallbacks();
    void SetUpOpenGLState();
    // Sleeps until the frame budget is spent; returns the frame's length in microseconds.
    long long LimitFrame(long long frameStart, long long frequency);

    // Layer mechanics.
    void UpdateRenderables(float dt);
    void CleanUpDestroyed();
    void ApplyDeferredChanges();
    void UpdateDebugDrawings(float frameDT);
    void DrawRenderables();
    void DrawDebugDrawings();
    void Unlink(Renderable* renderable);
    void ForgetDeferred(Renderable* renderable);
    bool CancelPendingAdd(Renderable* renderable);
    void CancelPendingLayerChanges(Renderable* renderable);

    // Physics mechanics.
    void CopyBodiesToActors();
    void SendCollisionMessages(b2Contact* contact, const String& baseName);
    void SendCollisionMessage(const String& baseName, PhysicsActor* about, PhysicsActor* partner,
                              b2Contact* contact);
    void DestroySideBlockers();
    // Called by a physics actor's destructor, so no pointer to it outlives it.
    friend class PhysicsActor;
    void ForgetPhysicsActor(PhysicsActor* actor);

    typedef std::pair<Renderable*, int> RenderableAndLayer;

    static World* s_instance;

    bool _running;
    GLFWwindow* _mainWindow;
    bool _highDensity;
    bool _antiAliasing;
    // Clock readings stay in double so the step is exact after hours of uptime.
    double _lastTime;
    double _currentTime;
    float _frameDT;
    double _lastFrameSeconds;
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
    std::list<DebugDrawBase*> _debugDrawings;

    b2World* _physicsWorld;
    bool _physicsSetUp;
    bool _physicsRunning;
    int _velocityIterations;
    int _positionIterations;
    // Per collision-message name, the partners already reported in the current step.
    std::map<String, std::set<PhysicsActor*> > _collisionRecord;
    bool _edgeBlockersOn;
    float _edgeBlockerRestitution;
    PhysicsActor* _edgeBlockers[4];

    GameManager* _gameManager;
    Console* _console;
};

void WindowCloseCallback(GLFWwindow* window);
void CheckGLErrors();
