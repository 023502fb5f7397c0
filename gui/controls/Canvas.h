#pragma once

#include "gui/controls/Base.h"

#include <list>
#include <set>

namespace Gui
{
    namespace Controls
    {
        // The root of a control tree. It holds the tree's skin, takes all input from the
        // host, runs the per-frame think (deferred deletions, animations, layout, key repeat)
        // and starts each render. The skin must outlive the canvas. Deleting the canvas
        // deletes every control in its tree and every control still queued for deletion.
        class Canvas : public Base
        {
        public:
            explicit Canvas(Skin::Base* skin);
            virtual ~Canvas();

            Canvas* GetCanvas() override { return this; }

            virtual void CanvasHook() {}
            // Thinks, then draws the whole tree between the renderer's Begin and End.
            virtual void RenderCanvas();
            virtual void DoThink();
            virtual bool NeedsRedraw() { return _needsRedraw; }
            virtual void SetScale(float scale);
            virtual float Scale() const { return _scale; }
            virtual void ReleaseChildren();
            // Each control is deleted once, however often it is queued.
            virtual void AddDelayedDelete(Base* control);
            virtual void ProcessDelayedDeletes();
            // Called by a control's destructor: it is gone, so it leaves the queue.
            void RemoveDelayedDelete(Base* control);

            // Input from the host; each answers whether the toolkit used it. A hidden canvas
            // uses nothing.
            virtual bool OnMouseMoved(int x, int y, int deltaX, int deltaY);
            // Button 0 is the left button, 1 the right.
            virtual bool OnMouseButton(int button, bool down);
            // The host lost the release of a button it had passed on pressed (something of its
            // own took the release): the control holding the mouse lets go without a click.
            void OnMouseButtonLost(int button);
            // Toolkit key codes (Gui::Key).
            virtual bool OnKey(int key, bool down);
            virtual bool OnCharacter(wchar_t character);
            virtual bool OnMouseWheel(int delta);
            virtual bool InputQuit() { return true; }

            virtual void SetBackgroundColor(const Color& color) { _backgroundColor = color; }
            virtual void SetDrawBackground(bool draw) { _drawCanvasBackground = draw; }

            void Redraw() override { _needsRedraw = true; }

            // Tab order, rebuilt by every layout pass.
            Base* FirstTab = nullptr;
            Base* NextTab = nullptr;

        protected:
            void Render(Skin::Base* skin) override;
            void OnBoundsChanged(Rect oldBounds) override;

        private:
            bool _needsRedraw = true;
            float _scale = 1.0f;
            std::list<Base*> _deleteQueue;
            std::set<Base*> _deleteSet;
            bool _drawCanvasBackground = false;
            Color _backgroundColor;
        };
    }
}
