#include "game/core/SkarrowGameManager.h"

#include "engine/actors/ActorBatching.h"
#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/math/MathUtil.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "engine/rendering/Camera.h"
#include "engine/rendering/FontRegistry.h"
#include "engine/rendering/TextureCache.h"
#include "game/sea/BackgroundManager.h"
#include "game/sea/BackgroundTile.h"
#include "game/screens/BattleHUD.h"
#include "game/ships/CannonBall.h"
#include "game/screens/EndScreen.h"
#include "game/core/GameConstants.h"
#include "game/ships/Ship.h"
#include "game/screens/Shipyard.h"
#include "game/sound/SoundManager.h"
#include "game/screens/StartScreen.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
const Vector2 ArenaCentre(70.0f, 70.0f);
// Enemies appear in the square from the centre to this far up and right of it.
const float SpawnSpread = 46.2f;
// A new enemy's hull and another ship's must not overlap whatever their headings: their
// centres stay apart by both hull radii (3.16 each for the "Testship") and this margin, 7.8
// in all. A Testship at full speed sails 0.83 in the longest tick the World simulates (1/6 s);
// the margin covers that up to three velocity upgrades (8.75 units/s), so the first physics
// step after a spawn never finds two hulls inside each other. Nearer than that is the game's
// own: an enemy may well spawn within mini-cannon reach.
const float SpawnMargin = 1.5f;
// Positions drawn before settling for the roomiest one; around a lone player in the middle of
// the square fewer than one draw in ten is too near, so the fallback is practically never taken.
const int SpawnDraws = 32;
const float CameraViewRadius = 15.0f;
const int ShipLayer = 2;
const int BattleHUDLayer = 9;

const char* StateName(GameState state)
{
    switch (state)
    {
    case GS_StartScreen: return "start screen";
    case GS_Hardcore: return "hardcore";
    case GS_TechRace: return "tech race";
    case GS_Shipyard: return "shipyard";
    case GS_EndScreen: return "end screen";
    case GS_Shutdown: return "shutdown";
    default: return "none";
    }
}

const char* const PreloadedTextures[] = {
    "Resources/Images/cursor.png",         "Resources/Images/ship1.png",
    "Resources/Images/cannonball.png",     "Resources/Images/life.png",
    "Resources/Images/lifeframe.png",      "Resources/Images/splinter.png",
    "Resources/Images/drop.png",           "Resources/Images/button_hovered.png",
    "Resources/Images/button_normal.png",  "Resources/Images/button_pressed.png",
};
}

SkarrowGameManager* SkarrowGameManager::s_instance = 0;

SkarrowGameManager* SkarrowGameManager::GetInstance()
{
    if (s_instance == 0)
        new SkarrowGameManager();
    return s_instance;
}

SkarrowGameManager::SkarrowGameManager()
    : _background(0), _soundManager(0), _battleHUD(0), _startScreen(0), _endScreen(0), _shipyard(0),
      _state(GS_NoStateYet), _wave(0), _kills(0), _playerShip(0),
      _playTime(0.0f)
{
    // Ships built during construction already find the manager.
    s_instance = this;
    // The game's actors that draw exactly as Actor does go through the shared sprite batch;
    // ships (aim lines), particles and the screens in screen space draw by themselves.
    AllowActorBatching<BackgroundTile>();
    AllowActorBatching<CannonBall>();
    AllowActorBatching<BattleHUD>();
    _shipTemplate.MakeTestship();
    PreloadResources();
    _startScreen = new StartScreen();
    _endScreen = new EndScreen();
    _soundManager = new SoundManager();
    _shipyard = new Shipyard();
    // Kept for the whole run: nothing else may end them.
    _startScreen->SetHolder(GameHolder);
    _endScreen->SetHolder(GameHolder);
    _soundManager->SetHolder(GameHolder);
    _shipyard->SetHolder(GameHolder);
    Switchboard* switchboard = Switchboard::GetInstance();
    switchboard->SubscribeTo(this, StartHardcoreModeMessage);
    switchboard->SubscribeTo(this, StartTechRaceMessage);
    switchboard->SubscribeTo(this, RestartMessage);
    switchboard->SubscribeTo(this, OpenCloseShopMessage);
    World::GetInstance()->SetupPhysics(Vector2(0.0f, 0.0f), &_contactListener);
    _background = new BackgroundManager();
    Camera::GetInstance()->SetPosition(ArenaCentre);
    Camera::GetInstance()->SetZByViewRadius(CameraViewRadius);
    SetState(GS_StartScreen);
}

SkarrowGameManager::~SkarrowGameManager()
{
    delete _background;
    _background = 0;
    // The screens are the manager's own, shown or hidden; each takes itself off its layer.
    delete _startScreen;
    delete _endScreen;
    delete _shipyard;
    _startScreen = 0;
    _endScreen = 0;
    _shipyard = 0;
    // The ships belong to the World.
    _enemies.clear();
    if (s_instance == this)
        s_instance = 0;
}

void SkarrowGameManager::PreloadResources()
{
    for (const char* file : PreloadedTextures)
        GetTextureReference(file, GL_CLAMP_TO_EDGE, GL_LINEAR, false);
    RegisterFont("Resources/Fonts/ShadowsIntoLight.ttf", 24, TextbodyFont);
    RegisterFont("Resources/Fonts/ShadowsIntoLight.ttf", 32, TitleFont);
}

void SkarrowGameManager::SetState(GameState newState)
{
    if (newState == _state)
        return;
    GameState oldState = _state;
    CompoundLog::GetSystemLog().Printf("Game state: %s -> %s (wave %d, %d enemy ships destroyed)",
                                       StateName(oldState), StateName(newState), _wave, _kills);
    // Set first: everything below, re-entrant calls included, sees the new state.
    _state = newState;
    if (LeaveState(oldState, newState))
        return;
    EnterState(oldState, newState);
}

bool SkarrowGameManager::LeaveState(GameState oldState, GameState newState)
{
    switch (oldState)
    {
    case GS_StartScreen:
        _startScreen->SetVisible(false);
        break;
    case GS_Hardcore:
        EndBattle();
        break;
    case GS_TechRace:
        if (newState == GS_Shipyard)
        {
            World::GetInstance()->PauseSimulation();
            World::GetInstance()->PausePhysics();
            _shipyard->SetVisible(true);
            return true;
        }
        EndBattle();
        break;
    case GS_EndScreen:
        _endScreen->SetVisible(false);
        break;
    default:
        break;
    }
    return false;
}

void SkarrowGameManager::EnterState(GameState oldState, GameState newState)
{
    switch (newState)
    {
    case GS_StartScreen:
        _startScreen->SetVisible(true);
        break;
    case GS_Hardcore:
        BeginBattle();
        break;
    case GS_TechRace:
        if (oldState == GS_Shipyard)
        {
            World::GetInstance()->ResumePhysics();
            World::GetInstance()->ResumeSimulation();
            _shipyard->SetVisible(false);
            return;
        }
        BeginBattle();
        break;
    case GS_EndScreen:
        _endScreen->SetVisible(true);
        SetMusicMode(SoundManager::MM_Menu);
        break;
    case GS_Shutdown:
        DestroySoundManager();
        break;
    default:
        break;
    }
}

void SkarrowGameManager::BeginBattle()
{
    _wave = 0;
    _kills = 0;
    float heading = MathUtil::RandomFloatInRange(0.0f, 6.283186f);
    _playerShip = new Ship(_shipTemplate, heading, true, ArenaCentre);
    // A ship that is destroyed tells the manager, which lets go of it then.
    _playerShip->SetHolder(GameHolder, true);
    World::GetInstance()->Add(_playerShip, ShipLayer);
    Camera::GetInstance()->LockTo(_playerShip, true, true, false);
    _battleHUD = new BattleHUD();
    _battleHUD->SetHolder(GameHolder);
    World::GetInstance()->Add(_battleHUD, BattleHUDLayer);
    SpawnWave();
    SetMusicMode(SoundManager::MM_Battle);
}

void SkarrowGameManager::SetMusicMode(int mode)
{
    if (_soundManager != 0)
        _soundManager->SetMusicMode(mode);
}

void SkarrowGameManager::DestroySoundManager()
{
    if (_soundManager == 0)
        return;
    // On its layer, so the World deletes it in its cleanup pass.
    if (!_soundManager->IsDestroyed())
        _soundManager->Destroy();
    _soundManager = 0;
}

void SkarrowGameManager::EndBattle()
{
    if (_battleHUD != 0)
    {
        // Left on its layer, so the World deletes it in its cleanup pass; a destroyed
        // renderable on no layer would never be deleted.
        _battleHUD->Destroy();
        _battleHUD = 0;
    }
    while (!_enemies.empty())
    {
        Ship* enemy = _enemies.front();
        enemy->Destroy();
        // Its pre-destroy hook unlinks it; make sure a ship destroyed earlier goes too.
        if (!_enemies.empty() && _enemies.front() == enemy)
            _enemies.pop_front();
    }
}

float SkarrowGameManager::SpawnRoom(const Vector2& position) const
{
    const float newHull = _shipTemplate.GetHullRadius() + SpawnMargin;
    float room = std::numeric_limits<float>::max();
    auto keepClearOf = [&](const Ship* ship) {
        const float clearance = newHull + ship->GetStats().GetHullRadius();
        room = std::min(room, Vector2::Distance(position, ship->GetPosition()) - clearance);
    };
    if (_playerShip != 0)
        keepClearOf(_playerShip);
    // The wave's earlier ships too: enemies rammed into each other damage each other.
    for (const Ship* enemy : _enemies)
        keepClearOf(enemy);
    return room;
}

Vector2 SkarrowGameManager::DrawSpawnPosition() const
{
    Vector2 roomiest;
    float roomiestRoom = -std::numeric_limits<float>::max();
    for (int draw = 0; draw < SpawnDraws; ++draw)
    {
        Vector2 spread = MathUtil::RandomVector(Vector2(1.0f, 1.0f));
        Vector2 position(ArenaCentre.X + SpawnSpread * spread.X, ArenaCentre.Y + SpawnSpread * spread.Y);
        const float room = SpawnRoom(position);
        if (room >= 0.0f)
            return position;
        if (room > roomiestRoom)
        {
            roomiest = position;
            roomiestRoom = room;
        }
    }
    return roomiest;
}

Ship* SkarrowGameManager::SpawnEnemy()
{
    Vector2 position = DrawSpawnPosition();
    // Facing the arena centre.
    Vector2 offset = Vector2::Normalize(position - ArenaCentre);
    float heading = std::atan2(offset.Y, offset.X) + MathUtil::Pi;
    Ship* enemy = new Ship(_shipTemplate, heading, false, position);
    enemy->SetHolder(GameHolder, true);
    _enemies.push_back(enemy);
    World::GetInstance()->Add(enemy, ShipLayer);
    return enemy;
}

void SkarrowGameManager::SpawnWave()
{
    int count = GetWaveSize();
    for (int i = 0; i < count; ++i)
        SpawnEnemy();
    ++_wave;
    if (_state == GS_TechRace)
        SetState(GS_Shipyard);
}

void SkarrowGameManager::ResetCounters()
{
    _wave = 0;
    _kills = 0;
}

void SkarrowGameManager::Shutdown()
{
    SetState(GS_Shutdown);
}

bool SkarrowGameManager::HasLivingPlayer() const
{
    return _playerShip != 0 && !_playerShip->IsSinking();
}

void SkarrowGameManager::RemoveEnemy(Ship* enemy)
{
    _enemies.remove(enemy);
    if (!IsInBattle())
        return;
    ++_kills;
    // When the player goes down in the same tick, the battle ends instead: no new wave,
    // and no shipyard opened for a ship that is gone.
    if (_enemies.empty() && HasLivingPlayer())
        SpawnWave();
}

void SkarrowGameManager::OnPlayerDestroyed()
{
    _playerShip = 0;
    Camera::GetInstance()->LockTo(0);
}

void SkarrowGameManager::Update(float dt)
{
    if (IsInBattle() && _playerShip == 0)
        SetState(GS_EndScreen);
    // Also while the shipyard pauses the simulation, so that a cross-fade always finishes.
    if (_soundManager != 0)
        _soundManager->UpdateMusic(dt);
    _playTime += dt;
}

void SkarrowGameManager::PreDestroy()
{
    DestroySoundManager();
}

void SkarrowGameManager::ReceiveMessage(Message* message)
{
    const String& name = message->GetMessageName();
    if (_state == GS_StartScreen && name == StartHardcoreModeMessage)
        SetState(GS_Hardcore);
    else if (_state == GS_StartScreen && name == StartTechRaceMessage)
        SetState(GS_TechRace);
    else if (_state == GS_EndScreen && name == RestartMessage)
        SetState(GS_StartScreen);
    else if (_state == GS_Shipyard && name == OpenCloseShopMessage)
        SetState(GS_TechRace);
}

bool SkarrowGameManager::IsLongLived(Renderable* renderable) const
{
    if (_startScreen != 0 && _startScreen->IsPartOf(renderable))
        return true;
    if (_endScreen != 0 && _endScreen->IsPartOf(renderable))
        return true;
    if (_shipyard != 0 && _shipyard->IsPartOf(renderable))
        return true;
    if (_background != 0 && _background->IsPartOf(renderable))
        return true;
    // The HUD's indicators too: it goes on using them after an unload.
    if (_battleHUD != 0 && _battleHUD->IsPartOf(renderable))
        return true;
    return renderable == _soundManager;
}

bool SkarrowGameManager::IsProtectedFromUnload(Renderable* renderable)
{
    if (IsLongLived(renderable))
        return true;
    if (_playerShip != 0 && _playerShip->IsPartOf(renderable))
        return true;
    for (Ship* enemy : _enemies)
    {
        if (enemy->IsPartOf(renderable))
            return true;
    }
    return false;
}
