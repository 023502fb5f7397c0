#pragma once

#include "engine/core/GameManager.h"
#include "game/ships/ShipContactListener.h"
#include "game/ships/ShipStats.h"

#include <list>

class BackgroundManager;
class BattleHUD;
class EndScreen;
class Renderable;
class Ship;
class Shipyard;
class SoundManager;
class StartScreen;

enum GameState
{
    GS_NoStateYet = -1, // only before construction enters the start screen
    GS_StartScreen = 0,
    GS_Hardcore = 1, // waves without the shipyard
    GS_TechRace = 2,
    GS_Shipyard = 3, // tech race paused while the shipyard is open
    GS_EndScreen = 4,
    GS_Shutdown = 5  // teardown after the main loop
};

// The game's one game manager: owns the screens and the long-lived objects, runs the game's
// states, spawns the waves of enemies and knows the player's ship and the living enemies.
class SkarrowGameManager : public GameManager
{
public:
    static SkarrowGameManager* GetInstance();
    virtual ~SkarrowGameManager();

    void SetState(GameState newState);
    GameState GetState() const { return _state; }
    Ship* GetPlayerShip() const { return _playerShip; }
    const std::list<Ship*>& GetEnemies() const { return _enemies; }
    int GetKills() const { return _kills; }
    int GetWave() const { return _wave; }
    float GetPlayTime() const { return _playTime; }
    // Enemies in the next wave: one more every third wave.
    int GetWaveSize() const { return _wave / 3 + 1; }
    StartScreen* GetStartScreen() const { return _startScreen; }
    EndScreen* GetEndScreen() const { return _endScreen; }
    Shipyard* GetShipyard() const { return _shipyard; }
    // Null before it is built and after teardown.
    SoundManager* GetSoundManager() const { return _soundManager; }
    BackgroundManager* GetBackground() const { return _background; }
    BattleHUD* GetBattleHUD() const { return _battleHUD; }
    const ShipStats& GetShipTemplate() const { return _shipTemplate; }

    void ResetCounters();
    void Shutdown();
    void SpawnWave();
    // An enemy has sunk (or was cleared away): counted as a kill while a battle runs.
    void RemoveEnemy(Ship* enemy);
    void OnPlayerDestroyed();
    void PreloadResources();

    void Update(float dt) override;
    void PreDestroy() override;
    void ReceiveMessage(Message* message) override;
    // What the manager created and still points to survives an unload of the World.
    bool IsProtectedFromUnload(Renderable* renderable) override;

private:
    SkarrowGameManager();

    // Returns true when the change is complete already (the shipyard opened over the battle).
    bool LeaveState(GameState oldState, GameState newState);
    void EnterState(GameState oldState, GameState newState);
    void BeginBattle();
    void EndBattle();
    bool HasLivingPlayer() const;
    void SetMusicMode(int mode);
    void DestroySoundManager();
    bool IsLongLived(Renderable* renderable) const;
    bool IsInBattle() const { return _state == GS_Hardcore || _state == GS_TechRace; }
    // A place in the spawn square, redrawn while a new hull there could touch a ship afloat.
    Vector2 DrawSpawnPosition() const;
    // The distance from the place to the nearest ship afloat, less what a new enemy's hull and
    // that ship's need to clear each other at any headings; negative while they could touch.
    float SpawnRoom(const Vector2& position) const;
    Ship* SpawnEnemy();

    static SkarrowGameManager* s_instance;

    BackgroundManager* _background;
    SoundManager* _soundManager;
    ShipContactListener _contactListener;
    ShipStats _shipTemplate;
    BattleHUD* _battleHUD;
    StartScreen* _startScreen;
    EndScreen* _endScreen;
    Shipyard* _shipyard;
    GameState _state;
    int _wave;
    int _kills;
    Ship* _playerShip;
    std::list<Ship*> _enemies;
    float _playTime;
};
