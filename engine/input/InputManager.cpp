#include "engine/input/InputManager.h"

#include "engine/core/World.h"
#include "engine/input/Controller.h"
#include "engine/input/InputBinding.h"
#include "engine/log/CompoundLog.h"
#include "engine/platform/KeyCodes.h"
#include "engine/platform/Window.h"
#include "engine/util/FileUtil.h"
#include "engine/util/StringUtil.h"

namespace
{
const char* const kBindingFile = "Config/input_bindings.ini";

const char* const kControllerButtonEndings[] = {
    "A", "B", "X", "Y", "START", "BACK", "LEFTTHUMB", "RIGHTTHUMB",
    "LEFTTRIGGER", "RIGHTTRIGGER", "LEFTBUMPER", "RIGHTBUMPER"};
const int kControllerButtonCount = 12;
const int kFirstControllerButtons = 1000;
const int kSecondControllerButtons = 1020;
const int kControllerCount = 2;
const int kFirstButtonCodes[kControllerCount] = {kFirstControllerButtons, kSecondControllerButtons};

// The test behind each controller button code, in the order of the endings above.
typedef bool (Controller::*ButtonTest)() const;
const ButtonTest kControllerButtonTests[] = {
    &Controller::IsAButtonDown, &Controller::IsBButtonDown, &Controller::IsXButtonDown, &Controller::IsYButtonDown,
    &Controller::IsStartButtonDown, &Controller::IsBackButtonDown,
    &Controller::IsLeftThumbstickButtonDown, &Controller::IsRightThumbstickButtonDown,
    &Controller::IsLeftTriggerPressed, &Controller::IsRightTriggerPressed,
    &Controller::IsLeftBumperDown, &Controller::IsRightBumperDown};
static_assert(sizeof(kControllerButtonTests) / sizeof(kControllerButtonTests[0]) == kControllerButtonCount,
              "one test per controller button name");

struct NamedKey
{
    const char* Name;
    int Code;
};

// Keys whose names don't follow a numbered pattern.
const NamedKey kNamedKeys[] = {
    {"ZERO", 48}, {"ONE", 49}, {"TWO", 50}, {"THREE", 51}, {"FOUR", 52},
    {"FIVE", 53}, {"SIX", 54}, {"SEVEN", 55}, {"EIGHT", 56}, {"NINE", 57},
    {"MINUS", 45}, {"PLUS", 43}, {"LEFTBRACE", 91}, {"RIGHTBRACE", 93}, {"SEMICOLON", 59},
    {"APOSTROPHE", 39}, {"COMMA", 44}, {"PERIOD", 46}, {"SPACE", 32},
    {"FORWARDSLASH", 47}, {"BACKSLASH", 92},
    {"ESCAPE", KEY_ESCAPE}, {"ENTER", KEY_ENTER}, {"TAB", KEY_TAB},
    {"BACKSPACE", KEY_BACKSPACE}, {"INSERT", KEY_INSERT}, {"DELETE", KEY_DELETE},
    {"RIGHT_ARROW", KEY_RIGHT}, {"LEFT_ARROW", KEY_LEFT},
    {"DOWN_ARROW", KEY_DOWN}, {"UP_ARROW", KEY_UP},
    {"PAGEUP", KEY_PAGE_UP}, {"PAGEDOWN", KEY_PAGE_DOWN},
    {"HOME", KEY_HOME}, {"END", KEY_END},
    {"KP_DECIMAL", KEY_KP_DECIMAL}, {"KP_DIVIDE", KEY_KP_DIVIDE},
    {"KP_MULTIPLY", KEY_KP_MULTIPLY}, {"KP_SUBTRACT", KEY_KP_SUBTRACT},
    {"KP_ADD", KEY_KP_ADD}, {"KP_ENTER", KEY_KP_ENTER}, {"KP_EQUAL", KEY_KP_EQUAL},
    {"L_SHIFT", KEY_LEFT_SHIFT}, {"L_CONTROL", KEY_LEFT_CONTROL}, {"L_ALT", KEY_LEFT_ALT},
    {"R_SHIFT", KEY_RIGHT_SHIFT}, {"R_CONTROL", KEY_RIGHT_CONTROL},
    {"R_ALT", KEY_RIGHT_ALT}};
}

InputManager* InputManager::s_instance = 0;

InputManager* InputManager::GetInstance()
{
    if (s_instance == 0)
    {
        s_instance = new InputManager();
        s_instance->Initialize();
    }
    return s_instance;
}

void InputManager::Destroy()
{
    delete s_instance;
    s_instance = 0;
}

InputManager::InputManager() {}

InputManager::~InputManager()
{
    for (std::unordered_map<int, InputBinding*>::iterator it = _bindings.begin(); it != _bindings.end(); ++it)
    {
        delete it->second;
    }
}

void InputManager::Initialize()
{
    FillKeyNameTable();
    ResetButtonStates();
    ReadBindingFile(kBindingFile);
}

void InputManager::ResetButtonStates()
{
    for (int controller = 0; controller < kControllerCount; ++controller)
    {
        for (int row = 0; row < kControllerButtonCount; ++row)
        {
            _buttonStates[controller][kFirstButtonCodes[controller] + row] = false;
        }
    }
}

void InputManager::FillKeyNameTable()
{
    for (char letter = 'a'; letter <= 'z'; ++letter)
    {
        AddKeyName(String(1, letter), letter);
    }
    for (const NamedKey& key : kNamedKeys)
    {
        AddKeyName(key.Name, key.Code);
    }
    for (int i = 1; i <= 25; ++i)
    {
        AddKeyName("F" + IntToString(i), KEY_F1 + i - 1);
    }
    for (int i = 0; i <= 9; ++i)
    {
        AddKeyName("KP_" + IntToString(i), KEY_KP_0 + i);
    }
    AddKeyNameRange("P1BUTTON_", kControllerButtonEndings, kControllerButtonCount, kFirstControllerButtons);
    AddKeyNameRange("P2BUTTON_", kControllerButtonEndings, kControllerButtonCount, kSecondControllerButtons);
}

void InputManager::AddKeyName(const String& name, int code)
{
    _keyNames[ToUpper(name)] = code;
}

void InputManager::AddKeyNameRange(const String& prefix, const char* const* endings, int count, int firstCode)
{
    for (int i = 0; i < count; ++i)
    {
        AddKeyName(prefix + endings[i], firstCode + i);
    }
}

// A missing file is normal: a game may have no bindings at all.
void InputManager::ReadBindingFile(const String& path)
{
    StringList lines;
    if (!ReadLinesFromFile(path, lines))
    {
        return;
    }
    // Editors may begin a UTF-8 file with a byte-order mark; it is no part of the first key name.
    const String byteOrderMark = "\xef\xbb\xbf";
    if (!lines.empty() && lines[0].compare(0, byteOrderMark.size(), byteOrderMark) == 0)
    {
        lines[0].erase(0, byteOrderMark.size());
    }
    for (const String& line : lines)
    {
        ReadBindingLine(line);
    }
}

// "KEY = +Down", "KEY = -Up", "KEY = Down" or "KEY : ...", one per line; ";" starts a comment.
void InputManager::ReadBindingLine(const String& line)
{
    if (line.empty() || line[0] == ';')
    {
        return;
    }
    const StringList fields = SplitString(line, "=:", false);
    if (fields.size() < 2)
    {
        return;
    }
    AddBinding(TrimString(fields[0]), TrimString(fields[1]));
}

void InputManager::AddBinding(const String& keyName, const String& value)
{
    if (value.empty())
    {
        return;
    }
    const int code = GetKeyCode(keyName);
    if (code == -1)
    {
        CompoundLog::GetSystemLog().Printf("WARNING: Unknown key name \"%s\"; nothing is bound to it.",
                                            EscapeNonAsciiBytes(keyName).c_str());
        return;
    }

    InputBinding*& binding = _bindings[code];
    if (binding == 0)
    {
        binding = new InputBinding();
    }
    if (value[0] == '-')
    {
        binding->SetUpMessage(value.substr(1));
    }
    else if (value[0] == '+')
    {
        binding->SetDownMessage(value.substr(1));
    }
    else
    {
        binding->SetDownMessage(value);
    }
}

void InputManager::RemoveBinding(const String& keyName)
{
    std::unordered_map<int, InputBinding*>::iterator it = _bindings.find(GetKeyCode(keyName));
    if (it != _bindings.end())
    {
        delete it->second;
        _bindings.erase(it);
    }
}

InputBinding* InputManager::GetBinding(int keyCode)
{
    std::unordered_map<int, InputBinding*>::iterator it = _bindings.find(keyCode);
    return it == _bindings.end() ? 0 : it->second;
}

int InputManager::GetKeyCode(const String& keyName)
{
    std::unordered_map<String, int>::iterator it = _keyNames.find(ToUpper(keyName));
    return it == _keyNames.end() ? -1 : it->second;
}

bool InputManager::OnKeyDown(int key)
{
    InputBinding* binding = GetBinding(LowerCaseKey(key));
    if (binding == 0)
    {
        return false;
    }
    binding->OnKeyDown();
    return true;
}

bool InputManager::OnKeyUp(int key)
{
    InputBinding* binding = GetBinding(LowerCaseKey(key));
    if (binding == 0)
    {
        return false;
    }
    binding->OnKeyUp();
    return true;
}

void InputManager::HandleControl(Controller* controller)
{
    const int id = controller->GetControllerID();
    if (id < 0 || id >= kControllerCount)
    {
        CompoundLog::GetSystemLog().Log("Bad controller ID.");
        return;
    }
    std::unordered_map<int, bool>& states = _buttonStates[id];
    for (int row = 0; row < kControllerButtonCount; ++row)
    {
        const int code = kFirstButtonCodes[id] + row;
        const bool isDown = (controller->*kControllerButtonTests[row])();
        const bool wasDown = states[code];
        states[code] = isDown;
        SendButtonEdge(code, wasDown, isDown);
    }
}

void InputManager::SendButtonEdge(int code, bool wasDown, bool isDown)
{
    InputBinding* binding = GetBinding(code);
    if (binding == 0 || wasDown == isDown)
    {
        return;
    }
    if (isDown)
    {
        binding->OnKeyDown();
    }
    else
    {
        binding->OnKeyUp();
    }
}

bool InputManager::IsKeyDown(int key)
{
    // The window library only knows upper-case letters.
    const int windowKey = (key >= 'a' && key <= 'z') ? key - ('a' - 'A') : key;
    return World::GetInstance()->GetWindow().IsKeyDown(windowKey);
}

void InputManager::PrintButton(const String& text)
{
    CompoundLog::GetSystemLog().Printf("BUTTON: %s", text.c_str());
}

int InputManager::LowerCaseKey(int key)
{
    return (key >= 'A' && key <= 'Z') ? key + ('a' - 'A') : key;
}
