#pragma once

#include "engine/platform/GamepadBackend.h"

#include <cstring>
#include <vector>

// Pads that tests plug in, move and pull out; installed for the object's lifetime.
class FakeGamepadBackend : public GamepadBackend
{
public:
    struct VibrationCall
    {
        int UserIndex;
        uint16_t Left;
        uint16_t Right;
    };

    FakeGamepadBackend()
    {
        std::memset(Pads, 0, sizeof(Pads));
        Connected[0] = Connected[1] = false;
        GamepadBackend::Install(this);
    }
    ~FakeGamepadBackend() { GamepadBackend::Install(0); }

    unsigned int ReadState(int userIndex, GamepadState& state) override
    {
        ++Reads;
        if (userIndex < 0 || userIndex > 1 || !Connected[userIndex])
        {
            return kGamepadNotConnected;
        }
        state = Pads[userIndex];
        return kGamepadSuccess;
    }

    unsigned int SetVibration(int userIndex, uint16_t left, uint16_t right) override
    {
        Vibrations.push_back(VibrationCall{userIndex, left, right});
        return (userIndex >= 0 && userIndex <= 1 && Connected[userIndex]) ? kGamepadSuccess : kGamepadNotConnected;
    }

    GamepadState Pads[2];
    bool Connected[2];
    int Reads = 0;
    std::vector<VibrationCall> Vibrations;
};
