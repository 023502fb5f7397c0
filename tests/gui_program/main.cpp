// A small program that puts the toolkit's controls on the engine's canvas, for trying them
// by hand and for the end-to-end tests: a button, a label, an image panel, two windows (the
// second deletes itself when closed), a "Make modal" action and a choice box. Every event is
// one line on standard error.
#include "engine/core/GameManager.h"
#include "engine/core/World.h"
#include "engine/ui/UserInterface.h"
#include "gui/controls/Button.h"
#include "gui/controls/Canvas.h"
#include "gui/controls/ImagePanel.h"
#include "gui/controls/Label.h"
#include "gui/controls/WindowControl.h"

#include <cstdio>

namespace
{
void Log(const char* format, int a = 0, int b = 0, int c = 0, int d = 0)
{
    std::fprintf(stderr, format, a, b, c, d);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

// Reports the windows' closing, and their moves and resizes once per frame they happen.
class Demo : public GameManager, public Gui::Event::Handler
{
public:
    Demo()
    {
        UserInterface* ui = UserInterface::GetInstance();
        Gui::Controls::Canvas* canvas = ui->GetCanvas();

        Gui::Controls::Label* label = new Gui::Controls::Label(canvas);
        label->SetText("Toolkit test program");
        label->SetPos(20, 20);
        label->SizeToContents();

        ui->AddButton("Press me", "", 20, 70, [] { Log("button pressed"); }, false, 8, 4);
        ui->AddButton("Make modal", "", 20, 120, [this] { MakeModal(); }, false, 8, 4);
        ui->AddButton("Ask", "", 20, 170, [this] { Ask(); }, false, 8, 4);

        Gui::Controls::ImagePanel* image = new Gui::Controls::ImagePanel(canvas);
        image->SetImage("Resources/Images/ship_icon.png");
        image->SetBounds(20, 230, 96, 96);

        _first = MakeWindow(canvas, "First window", 300, 100);
        Gui::Controls::Label* inside = new Gui::Controls::Label(_first);
        inside->SetText("Drag me, resize me");
        inside->SetPos(10, 10);
        inside->SizeToContents();
        _first->onWindowClosed.AddHandler(this, &Demo::FirstClosed);

        _second = MakeWindow(canvas, "Second window", 650, 100);
        _second->SetDeleteOnClose(true);
        _second->onWindowClosed.AddHandler(this, &Demo::SecondClosed);
        _firstBounds = _first->GetBounds();
        Log("ready");
    }

    void ReceiveMessage(Message*) override {}

    void Update(float) override
    {
        if (_first != nullptr && !(_first->GetBounds() == _firstBounds))
        {
            _firstBounds = _first->GetBounds();
            Log("first window at %d,%d size %dx%d", _firstBounds.x, _firstBounds.y, _firstBounds.w,
                _firstBounds.h);
        }
    }

private:
    static Gui::Controls::WindowControl* MakeWindow(Gui::Controls::Base* parent, const char* title, int x, int y)
    {
        Gui::Controls::WindowControl* window = new Gui::Controls::WindowControl(parent);
        window->SetTitle(title);
        window->SetBounds(x, y, 300, 200);
        return window;
    }

    void MakeModal()
    {
        _first->Show();
        _first->MakeModal(true);
        Log("first window made modal");
    }

    void Ask()
    {
        Gui::Controls::WindowControl* box = UserInterface::GetInstance()->ShowChoiceBox(
            "Which side?", {"Port", "Starboard", "Neither"}, "", [](int choice) { Log("choice %d", choice); }, 10,
            4, true);
        Log("choice box shown");
        // Where each choice's middle is on the screen: its inner panel starts past the side
        // resizer (6) and below the title bar (24) and its margin (4).
        int index = 0;
        for (Gui::Controls::Base* button : box->GetChildren())
        {
            Log("choice %d at %d,%d", index++, box->X() + 6 + button->X() + button->Width() / 2,
                box->Y() + 28 + button->Y() + button->Height() / 2);
        }
    }

    void FirstClosed(Gui::Controls::Base*) { Log("first window closed"); }
    void SecondClosed(Gui::Controls::Base*)
    {
        Log("second window closed");
        _second = nullptr;
    }

    Gui::Controls::WindowControl* _first = nullptr;
    Gui::Controls::WindowControl* _second = nullptr;
    Gui::Rect _firstBounds;
};
}

int main()
{
    World* world = World::GetInstance();
    if (!world->Initialize("Toolkit test program", false, false, false))
    {
        return 1;
    }
    // Config/defaults.lua names the window after the engine; this program keeps its own title.
    world->AdjustWindow(1024, 768, "Toolkit test program");
    World::GetInstance()->SetGameManager(new Demo());
    World::GetInstance()->StartGame();
    World::GetInstance()->Destroy();
    Log("shut down");
    return 0;
}
