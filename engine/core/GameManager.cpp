#include "engine/core/GameManager.h"

bool GameManager::IsProtectedFromUnload(Renderable* /*renderable*/) { return false; }

void GameManager::SoundEnded(ZarvoSoundHandle /*sound*/) {}
