#pragma once

#include "engine/util/StringTypes.h"

#include <unordered_map>

class Controller;
class InputBinding;

// The key bindings read from "Config/input_bindings.ini" and the polled key test.
//
// Key codes are the window library's, except that letters are held as the lower-case
// character codes 97..122; every lookup lower-cases the code it is given. Controller
// buttons have the codes 1000..1011 (first controller) and 1020..1031 (second).
class InputManager
{
public:
    static InputManager* GetInstance();
    static void Destroy();

    // Fills the key-name table and reads the binding file of the working directory.
    void Initialize();

    // value "+Name" or a bare "Name" sets the down message, "-Name" the up message.
    // An empty value changes nothing; an unknown key name is reported and binds nothing.
    void AddBinding(const String& keyName, const String& value);
    void RemoveBinding(const String& keyName);
    InputBinding* GetBinding(int keyCode);
    // -1 when the name (in any case) is not a key name.
    int GetKeyCode(const String& keyName);

    // True when the key has a binding, which then sends its message.
    bool OnKeyDown(int key);
    bool OnKeyUp(int key);

    // Sends the bindings of the controller's buttons that went down or up since its
    // last read; a button's first read counts from "up".
    void HandleControl(Controller* controller);

    // Whether the key is held right now in the World's window; no bindings involved.
    static bool IsKeyDown(int key);

    void PrintButton(const String& text);

    // Letters 65..90 become 97..122; every other code stays as it is.
    static int LowerCaseKey(int key);

private:
    InputManager();
    ~InputManager();

    void FillKeyNameTable();
    void AddKeyName(const String& name, int code);
    void AddKeyNameRange(const String& prefix, const char* const* endings, int count, int firstCode);
    void ReadBindingFile(const String& path);
    void ReadBindingLine(const String& line);
    void ResetButtonStates();
    void SendButtonEdge(int code, bool wasDown, bool isDown);

    static InputManager* s_instance;

    std::unordered_map<String, int> _keyNames;
    std::unordered_map<int, InputBinding*> _bindings;
    // Last seen pressed state of each button code, one map per controller.
    std::unordered_map<int, bool> _buttonStates[2];
};
