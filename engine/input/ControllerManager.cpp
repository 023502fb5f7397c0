#include "engine/input/ControllerManager.h"

#include "engine/input/Controller.h"
#include "engine/log/CompoundLog.h"

ControllerManager* ControllerManager::s_instance = 0;

ControllerManager* ControllerManager::GetInstance()
{
    if (s_instance == 0)
    {
        s_instance = new ControllerManager();
    }
    return s_instance;
}

ControllerManager::ControllerManager()
{
    _controllers[0] = new Controller(0);
    _controllers[1] = new Controller(1);
}

Controller* ControllerManager::GetController(int index)
{
    if (index != 0 && index != 1)
    {
        CompoundLog::GetSystemLog().Log("ERROR: Bad controller index.");
        return 0;
    }
    return _controllers[index];
}

void ControllerManager::Setup()
{
    _controllers[0]->Setup();
    _controllers[1]->Setup();
}

void ControllerManager::UpdateState()
{
    _controllers[0]->UpdateState();
    _controllers[1]->UpdateState();
}
