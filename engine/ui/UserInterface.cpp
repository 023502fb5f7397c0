#include "engine/ui/UserInterface.h"

#include "engine/console/Console.h"
#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/platform/Window.h"
#include "engine/rendering/Camera.h"
#include "engine/ui/GuiRenderer.h"
#include "gui/TextConversion.h"
#include "gui/controls/Button.h"
#include "gui/controls/Canvas.h"
#include "gui/controls/WindowControl.h"
#include "gui/platform/Cursor.h"
#include "gui/platform/Debug.h"
#include "gui/skin/TexturedBase.h"

#include <algorithm>
#include <vector>

namespace
{
const char* kSkinImage = "Resources/Images/DefaultSkin.png";
const wchar_t* kSkinFont = L"Resources/Fonts/Inconsolata.otf";
const float kSkinFontSize = 20.0f;
const float kButtonFontSize = 20.0f;

// The choice box's frame around its buttons: the title bar (24) with its bottom margin (4)
// above, the resizers (6) at the sides and below.
const int kChoiceTitleHeight = 24 + 4;
const int kChoiceBottomEdge = 6;
const int kChoiceSideEdge = 6;

// The engine's buttons as the toolkit numbers them: left 0, right 1, middle 2.
int ToToolkitButton(MouseButtonInput button)
{
    switch (button)
    {
    case MOUSE_RIGHT:
        return 1;
    case MOUSE_MIDDLE:
        return 2;
    default:
        return 0;
    }
}

// The toolkit's messages go to the engine's log, one line each.
void ToSystemLog(const char* text)
{
    String line(text);
    while (!line.empty() && line[line.size() - 1] == '\n')
    {
        line.erase(line.size() - 1);
    }
    CompoundLog::GetSystemLog().Printf("%s", line.c_str());
}

// Sets the flag for the length of one call into the toolkit.
class InsideToolkit
{
public:
    explicit InsideToolkit(bool& flag) : _flag(flag) { _flag = true; }
    ~InsideToolkit() { _flag = false; }

private:
    bool& _flag;
};
}

UserInterface* UserInterface::s_instance = 0;

UserInterface* UserInterface::GetInstance()
{
    if (s_instance == 0)
    {
        s_instance = new UserInterface();
    }
    return s_instance;
}

bool UserInterface::HasInstance() { return s_instance != 0; }

void UserInterface::DestroyInstance()
{
    delete s_instance;
    s_instance = 0;
}

UserInterface::UserInterface() : _renderer(0), _skin(0), _canvas(0), _insideToolkit(false)
{
    Gui::Debug::SetOutput(&ToSystemLog);
    _lastPointer = World::GetInstance()->GetWindow().GetCursorPosition();

    _renderer = new GuiRenderer(kSkinImage);
    _skin = new Gui::Skin::TexturedBase(_renderer);
    _skin->Init(kSkinImage);
    _skin->SetDefaultFont(kSkinFont, kSkinFontSize);
    _renderer->SetFallbackFont(_skin->GetDefaultFont()->facename, _skin->GetDefaultFont()->size);
    _renderer->ReleaseSkinPixels();

    _canvas = new Gui::Controls::Canvas(_skin);
    Camera* camera = Camera::GetInstance();
    _canvas->SetSize(camera->GetWindowWidth(), camera->GetWindowHeight());

    Gui::Hook::AddHook(this);
}

UserInterface::~UserInterface()
{
    Shutdown();
    Gui::Debug::SetOutput(nullptr);
}

void UserInterface::Shutdown()
{
    _removalQueue.clear();
    delete _canvas;
    _canvas = 0;
    _ownedControls.clear();
    _heldInToolkit.clear();
    delete _skin;
    _skin = 0;
    delete _renderer;
    _renderer = 0;
    Gui::WindowsLayer::ReleaseCursors();
    Gui::Hook::RemoveHook(this);
}

void UserInterface::OnControlDeleted(Gui::Controls::Base* control)
{
    _ownedControls.erase(control);
    _removalQueue.remove(control);
    EventHandler::GetInstance().Forget(control);
}

void UserInterface::Render()
{
    if (_canvas == 0)
    {
        return;
    }
    std::list<Gui::Controls::Base*> queue;
    queue.swap(_removalQueue);
    for (Gui::Controls::Base* control : queue)
    {
        RemoveControl(control);
    }

    // The canvas follows the window.
    Camera* camera = Camera::GetInstance();
    _canvas->SetSize(camera->GetWindowWidth(), camera->GetWindowHeight());

    InsideToolkit inside(_insideToolkit);
    _canvas->DoThink();
    _canvas->RenderCanvas();
}

void UserInterface::RemoveControl(Gui::Controls::Base* control)
{
    if (_insideToolkit)
    {
        _removalQueue.push_back(control);
        return;
    }
    if (_ownedControls.count(control) != 0)
    {
        // Its deletion takes it out of the owned set and the callbacks.
        delete control;
    }
}

bool UserInterface::TakesMouse()
{
    Console* console = World::GetInstance()->GetConsole();
    return _canvas != 0 && (console == 0 || !console->IsOpen());
}

void UserInterface::MouseMotionEvent(Vec2i screenCoordinates)
{
    if (!TakesMouse())
    {
        return;
    }
    InsideToolkit inside(_insideToolkit);
    // The delta has the movement's sign: new minus old.
    _canvas->OnMouseMoved(screenCoordinates.X, screenCoordinates.Y, screenCoordinates.X - _lastPointer.X,
                          screenCoordinates.Y - _lastPointer.Y);
    _lastPointer = screenCoordinates;
}

void UserInterface::CatchUpPointer(Vec2i screenCoordinates)
{
    // While the console was open the pointer moved without the toolkit seeing it, so a button
    // would go to the control under the stale position.
    if (screenCoordinates != _lastPointer)
    {
        MouseMotionEvent(screenCoordinates);
    }
}

void UserInterface::MouseDownEvent(Vec2i screenCoordinates, MouseButtonInput button)
{
    if (TakesMouse())
    {
        CatchUpPointer(screenCoordinates);
        InsideToolkit inside(_insideToolkit);
        _heldInToolkit.insert(ToToolkitButton(button));
        _canvas->OnMouseButton(ToToolkitButton(button), true);
    }
}

void UserInterface::MouseUpEvent(Vec2i screenCoordinates, MouseButtonInput button)
{
    if (_canvas == 0)
    {
        return;
    }
    const bool heldInToolkit = _heldInToolkit.erase(ToToolkitButton(button)) != 0;
    const bool takesMouse = TakesMouse();
    if (takesMouse)
    {
        CatchUpPointer(screenCoordinates);
    }
    InsideToolkit inside(_insideToolkit);
    if (takesMouse)
    {
        _canvas->OnMouseButton(ToToolkitButton(button), false);
    }
    else if (heldInToolkit)
    {
        // The console took the release of a press the toolkit got: the pressed control must
        // not keep the mouse, nor press later when the pointer comes back over it.
        _canvas->OnMouseButtonLost(ToToolkitButton(button));
    }
}

void UserInterface::MouseWheelEvent(const Vector2& scrollDelta)
{
    if (TakesMouse())
    {
        InsideToolkit inside(_insideToolkit);
        _canvas->OnMouseWheel((int)scrollDelta.Y);
    }
}

Gui::Controls::Button* UserInterface::MakeButton(Gui::Controls::Base* parent, const String& text,
                                                 const String& fontFile, int horizontalPadding,
                                                 int verticalPadding)
{
    Gui::Controls::Button* button = new Gui::Controls::Button(parent);
    if (!fontFile.empty())
    {
        button->SetFont(Gui::NarrowToWide(fontFile), kButtonFontSize, false);
    }
    button->SetText(text);
    button->SetPadding(Gui::Padding(horizontalPadding, verticalPadding, horizontalPadding, verticalPadding));
    button->SizeToContents();
    button->onPress.AddHandler(&EventHandler::GetInstance(), &EventHandler::OnPress);
    return button;
}

Gui::Controls::Button* UserInterface::AddButton(const String& text, const String& fontFile, int x, int y,
                                                const EventHandler::ButtonCallback& callback, bool centred,
                                                int horizontalPadding, int verticalPadding)
{
    if (_canvas == 0)
    {
        return 0;
    }
    Gui::Controls::Button* button = MakeButton(_canvas, text, fontFile, horizontalPadding, verticalPadding);
    if (centred)
    {
        button->SetPos(x - button->Width() / 2, y - button->Height() / 2);
    }
    else
    {
        button->SetPos(x, y);
    }
    EventHandler::GetInstance().SetButtonCallback(button, callback);
    _ownedControls.insert(button);
    return button;
}

Gui::Controls::WindowControl* UserInterface::ShowChoiceBox(const String& title, const StringList& choices,
                                                           const String& fontFile,
                                                           const EventHandler::ChoiceCallback& callback,
                                                           int horizontalPadding, int verticalPadding, bool modal)
{
    if (_canvas == 0)
    {
        return 0;
    }
    Gui::Controls::WindowControl* window = new Gui::Controls::WindowControl(_canvas);
    window->SetTitle(title);

    std::vector<Gui::Controls::Button*> buttons;
    int widest = 0;
    int tallest = 0;
    for (const String& choice : choices)
    {
        Gui::Controls::Button* button = MakeButton(window, choice, fontFile, horizontalPadding, verticalPadding);
        widest = std::max(widest, button->Width());
        tallest = std::max(tallest, button->Height());
        buttons.push_back(button);
    }
    // One column, each button centred on the widest, a row of the tallest button plus the
    // vertical padding apiece.
    const int rowHeight = tallest + verticalPadding;
    int rowsRight = 0;
    int rowsBottom = 0;
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        buttons[i]->SetPos(widest / 2 - buttons[i]->Width() / 2, rowHeight * (int)i);
        rowsRight = std::max(rowsRight, buttons[i]->Right());
        rowsBottom = std::max(rowsBottom, buttons[i]->Bottom());
    }

    // The rows with the paddings around them. The title bar and the edges take their part of
    // that, so where the inner panel left would clip the rows, the window grows by what it
    // lacks, and no more.
    const int count = (int)buttons.size();
    const int width = widest + 2 * horizontalPadding;
    const int height = rowHeight * count + 3 * verticalPadding;
    const int innerWidth = width - 2 * kChoiceSideEdge;
    const int innerHeight = height - kChoiceTitleHeight - kChoiceBottomEdge;
    window->SetSize(width + std::max(0, rowsRight - innerWidth), height + std::max(0, rowsBottom - innerHeight));
    window->SetPos(_canvas->Width() / 2 - window->Width() / 2, _canvas->Height() / 2 - window->Height() / 2);

    if (modal)
    {
        window->MakeModal(true);
    }
    window->SetDeleteOnClose(true);
    window->SetClosable(false);

    EventHandler::GetInstance().SetChoiceCallback(window, callback);
    _ownedControls.insert(window);
    return window;
}
