#pragma once

#include "engine/input/MouseListener.h"
#include "engine/ui/EventHandler.h"
#include "engine/util/StringTypes.h"
#include "gui/input/Hook.h"

#include <list>
#include <set>

class GuiRenderer;

namespace Gui
{
    namespace Controls
    {
        class Base;
        class Button;
        class Canvas;
        class WindowControl;
    }
    namespace Skin
    {
        class TexturedBase;
    }
}

// The engine's host of the GUI toolkit: builds the renderer, the skin and the canvas, lets
// the canvas think and draw once per frame, forwards the mouse to it while the console is
// closed, and owns the buttons and choice boxes it makes.
//
// The World creates it at its first render and shuts the toolkit down while the OpenGL
// context still exists; the object itself lives on (without a toolkit) until the process
// ends. Call it only from the main loop's thread, with the World's window open.
class UserInterface : public MouseListener, public Gui::Hook::BaseHook
{
public:
    static UserInterface* GetInstance();
    // Whether GetInstance has made one; it never makes one just to answer.
    static bool HasInstance();
    // Shuts the toolkit down and deletes the host; the next GetInstance makes a fresh one.
    static void DestroyInstance();

    // Deletes queued removals, then thinks and draws the canvas. Nothing after Shutdown.
    void Render();
    // Deletes the canvas (and every control on it), the skin and the renderer, in that order.
    // Needs the OpenGL context; safe to call twice.
    void Shutdown();
    bool IsShutDown() const { return _canvas == 0; }

    // Deletes a control this host made; called from inside a toolkit callback, the deletion
    // waits for the next Render. Controls it did not make are left alone.
    void RemoveControl(Gui::Controls::Base* control);

    // A button sized to its text and padding, at (x, y) or centred on it. An empty font file
    // keeps the skin's font. The callback runs on every press.
    Gui::Controls::Button* AddButton(const String& text, const String& fontFile, int x, int y,
                                     const EventHandler::ButtonCallback& callback, bool centred = false,
                                     int horizontalPadding = 0, int verticalPadding = 0);
    // A window in the canvas's centre with one button per choice in a column; a press calls
    // the callback with the choice's index (from 0) and the window goes at the next frame.
    Gui::Controls::WindowControl* ShowChoiceBox(const String& title, const StringList& choices,
                                                const String& fontFile,
                                                const EventHandler::ChoiceCallback& callback,
                                                int horizontalPadding = 0, int verticalPadding = 0,
                                                bool modal = false);

    // Null after Shutdown.
    Gui::Controls::Canvas* GetCanvas() { return _canvas; }
    Gui::Skin::TexturedBase* GetSkin() { return _skin; }
    GuiRenderer* GetRenderer() { return _renderer; }

    void MouseMotionEvent(Vec2i screenCoordinates) override;
    void MouseDownEvent(Vec2i screenCoordinates, MouseButtonInput button) override;
    void MouseUpEvent(Vec2i screenCoordinates, MouseButtonInput button) override;
    void MouseWheelEvent(const Vector2& scrollDelta) override;

    // Keeps the owned set and the callbacks free of controls that are gone.
    void OnControlDeleted(Gui::Controls::Base* control) override;

private:
    UserInterface();
    ~UserInterface() override;

    // The toolkit takes the mouse only while the console is closed.
    bool TakesMouse();
    // A button event away from the last position the toolkit was told of moves it there first.
    void CatchUpPointer(Vec2i screenCoordinates);
    // The button with font, text and padding, sized to them; not yet placed.
    Gui::Controls::Button* MakeButton(Gui::Controls::Base* parent, const String& text, const String& fontFile,
                                      int horizontalPadding, int verticalPadding);

    static UserInterface* s_instance;

    GuiRenderer* _renderer;
    Gui::Skin::TexturedBase* _skin;
    Gui::Controls::Canvas* _canvas;
    Vec2i _lastPointer;
    std::set<Gui::Controls::Base*> _ownedControls;
    std::list<Gui::Controls::Base*> _removalQueue;
    // The toolkit's numbers of the buttons it got pressed and not yet released.
    std::set<int> _heldInToolkit;
    bool _insideToolkit;
};
