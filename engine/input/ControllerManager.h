#pragma once

class Controller;

// The two game controllers, user indices 0 and 1. Created on first use and kept
// until the process ends.
class ControllerManager
{
public:
    static ControllerManager* GetInstance();

    // Null, with an error line, for any index but 0 and 1.
    Controller* GetController(int index);

    // Controller 0 first, then controller 1.
    void Setup();
    void UpdateState();

private:
    ControllerManager();

    static ControllerManager* s_instance;

    Controller* _controllers[2];
};
