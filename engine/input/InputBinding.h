#pragma once

#include "engine/util/StringTypes.h"

// One key's binding: the names of the messages sent when the key goes down and when it
// comes up. An empty name sends nothing.
class InputBinding
{
public:
    void SetDownMessage(const String& name) { _downMessage = name; }
    void SetUpMessage(const String& name) { _upMessage = name; }
    const String& GetDownMessage() const { return _downMessage; }
    const String& GetUpMessage() const { return _upMessage; }

    // Broadcast through the Switchboard, so delivery happens at the next tick.
    void OnKeyDown();
    void OnKeyUp();

private:
    String _downMessage;
    String _upMessage;
};
