#pragma once

#include "gui/Color.h"
#include "gui/Point.h"
#include "gui/Pos.h"
#include "gui/Rect.h"
#include "gui/Spacing.h"
#include "gui/TextPair.h"
#include "gui/events/Dispatcher.h"
#include "gui/events/Handler.h"

#include <list>
#include <map>
#include <string>

namespace Gui
{
    namespace Skin
    {
        class Base;
    }

    namespace DragAndDrop
    {
        struct Package;
    }

    namespace Controls
    {
        class Canvas;
        class Base;

        typedef std::list<Base*> List;

        // The base of every control: a node of the control tree with bounds, docking, lazy
        // layout and redraw, input hooks, focus and drawing through a skin.
        //
        // A control is made with its parent (or none) and joins the parent's children at once.
        // The parent owns it: deleting a control deletes its children first. Controls are
        // normally removed with DelayedDelete, which the canvas carries out in its next think,
        // so a control may ask for its own removal from inside its event handlers; deleting
        // one directly also takes it out of that queue.
        class Base : public Event::Handler
        {
        public:
            // Called by a control's class to tell gui_cast what it is; see DynamicCast.
            typedef const char* TypeIdentifier;

            explicit Base(Base* parent, const std::string& name = "");
            virtual ~Base();

            virtual const char* GetTypeName() { return "Base"; }
            // The type name of the class this control's class derives from; empty for Base.
            virtual const char* GetBaseTypeName() { return ""; }

            // Queues the control for deletion by its canvas; without a canvas nothing happens.
            virtual void DelayedDelete();
            // Called by the canvas just before it deletes a queued control.
            virtual void PreDelete(Skin::Base* skin) { (void)skin; }

            // Tree.
            virtual void SetParent(Base* parent);
            virtual Base* GetParent() const { return _parent; }
            // Null when the tree has no canvas at its root.
            virtual Canvas* GetCanvas();
            virtual List& GetChildren();
            virtual bool IsChild(Base* child);
            virtual unsigned int NumChildren();
            // Null when index is not below NumChildren.
            virtual Base* GetChild(unsigned int index);
            virtual bool SizeToChildren(bool w = true, bool h = true);
            virtual Point ChildrenSize();
            // Never matches an empty name.
            virtual Base* FindChildByName(const std::string& name, bool recursive = false);
            virtual void SetName(const std::string& name) { _name = name; }
            virtual const std::string& GetName() { return _name; }
            virtual void Think() {}
            virtual void AddChild(Base* child);
            virtual void RemoveChild(Base* child);
            virtual void OnChildAdded(Base* child);
            virtual void OnChildRemoved(Base* child);
            // Unlinks every child without deleting it.
            virtual void RemoveAllChildren();
            virtual void SendToBack();
            virtual void BringToFront();
            virtual void BringNextToControl(Base* sibling, bool behind);
            virtual Point LocalPosToCanvas(const Point& in = Point(0, 0));
            virtual Point CanvasPosToLocal(const Point& in);

            // Geometry.
            virtual void Dock(int dock);
            virtual int GetDock() { return _dock; }
            virtual void RestrictToParent(bool restrict) { _restrictToParent = restrict; }
            virtual bool ShouldRestrictToParent() { return _restrictToParent; }
            virtual int X() const { return _bounds.x; }
            virtual int Y() const { return _bounds.y; }
            virtual int Width() const { return _bounds.w; }
            virtual int Height() const { return _bounds.h; }
            virtual int Bottom() const { return _bounds.y + _bounds.h + _margin.bottom; }
            virtual int Right() const { return _bounds.x + _bounds.w + _margin.right; }
            virtual const Margin& GetMargin() const { return _margin; }
            virtual const Padding& GetPadding() const { return _padding; }
            virtual void SetPos(int x, int y);
            virtual void SetPos(const Point& p) { SetPos(p.x, p.y); }
            virtual Point GetPos() const { return Point(X(), Y()); }
            virtual void SetWidth(int w) { SetSize(w, Height()); }
            virtual void SetHeight(int h) { SetSize(Width(), h); }
            virtual bool SetSize(int w, int h);
            virtual bool SetSize(const Point& p) { return SetSize(p.x, p.y); }
            virtual Point GetSize() const { return Point(Width(), Height()); }
            // False, and nothing happens, when the bounds are unchanged.
            virtual bool SetBounds(int x, int y, int w, int h);
            virtual bool SetBounds(const Rect& bounds) { return SetBounds(bounds.x, bounds.y, bounds.w, bounds.h); }
            virtual void SetPadding(const Padding& padding);
            virtual void SetMargin(const Margin& margin);
            // With RestrictToParent the control is kept inside its parent's margins.
            virtual void MoveTo(int x, int y);
            virtual void MoveBy(int dx, int dy) { MoveTo(X() + dx, Y() + dy); }
            virtual const Rect& GetBounds() const { return _bounds; }
            // x and y in the control's own coordinates; null outside it or when hidden.
            virtual Base* GetControlAt(int x, int y, bool onlyIfMouseEnabled = true);

        protected:
            virtual void OnBoundsChanged(Rect oldBounds);
            virtual void OnChildBoundsChanged(Rect oldChildBounds, Base* child) { (void)oldChildBounds, (void)child; }
            virtual void OnScaleChanged();

        public:
            // The rectangle left free by docking, in own coordinates.
            virtual const Rect& GetInnerBounds() const { return _innerBounds; }
            // Always (0, 0, width, height).
            virtual const Rect& GetRenderBounds() const { return _renderBounds; }

        protected:
            virtual void UpdateRenderBounds();

        public:
            // Drawing.
            virtual void DoRender(Skin::Base* skin);
            virtual void DoCacheRender(Skin::Base* skin, Base* master);
            virtual void RenderRecursive(Skin::Base* skin, const Rect& cliprect);
            virtual bool ShouldClip() { return true; }

        protected:
            virtual void Render(Skin::Base* skin) { (void)skin; }
            virtual void RenderUnder(Skin::Base* skin) { (void)skin; }
            virtual void RenderOver(Skin::Base* skin) { (void)skin; }
            virtual void RenderFocus(Skin::Base* skin);

        public:
            virtual void SetHidden(bool hidden);
            virtual bool Hidden() const { return _hidden; }
            // False when this control or any ancestor is hidden.
            virtual bool Visible() const;
            virtual void Hide() { SetHidden(true); }
            virtual void Show() { SetHidden(false); }

            virtual void SetSkin(Skin::Base* skin, bool recursive = false);
            // The own skin, else the parent's; null (asserted) when no control up the tree has one.
            virtual Skin::Base* GetSkin();
            virtual bool ShouldDrawBackground() { return _drawBackground; }
            virtual void SetShouldDrawBackground(bool draw) { _drawBackground = draw; }

        protected:
            virtual void OnSkinChanged(Skin::Base* newSkin) { (void)newSkin; }

        public:
            // Mouse hooks; positions are in canvas coordinates.
            virtual void OnMouseMotion(int x, int y, int deltaX, int deltaY) { (void)x, (void)y, (void)deltaX, (void)deltaY; }
            // Passed up to the parent; false at the top.
            virtual bool OnMouseWheeled(int delta);
            virtual void OnMouseClickLeft(int x, int y, bool down) { (void)x, (void)y, (void)down; }
            virtual void OnMouseClickRight(int x, int y, bool down) { (void)x, (void)y, (void)down; }
            virtual void OnMouseDoubleClickLeft(int x, int y) { OnMouseClickLeft(x, y, true); }
            virtual void OnMouseDoubleClickRight(int x, int y) { OnMouseClickRight(x, y, true); }
            virtual void OnLostKeyboardFocus() {}
            virtual void OnKeyboardFocus() {}

            virtual void SetMouseInputEnabled(bool enabled) { _mouseInputEnabled = enabled; }
            virtual bool GetMouseInputEnabled() { return _mouseInputEnabled; }
            virtual void SetKeyboardInputEnabled(bool enabled) { _keyboardInputEnabled = enabled; }
            virtual bool GetKeyboardInputEnabled() const { return _keyboardInputEnabled; }
            virtual bool NeedsInputChars() { return false; }

            // Keyboard hooks.
            virtual bool OnChar(wchar_t c) { return (void)c, false; }
            // Dispatches to the key's handler; a key it does not handle goes to the parent
            // too. Answers the own handler's answer.
            virtual bool OnKeyPress(int key, bool press = true);
            virtual bool OnKeyRelease(int key) { return OnKeyPress(key, false); }
            virtual void OnPaste(Base* from) { (void)from; }
            virtual void OnCopy(Base* from) { (void)from; }
            virtual void OnCut(Base* from) { (void)from; }
            virtual void OnSelectAll(Base* from) { (void)from; }
            // Focuses the canvas's next tabable control.
            virtual bool OnKeyTab(bool down);
            virtual bool OnKeySpace(bool down) { return (void)down, false; }
            virtual bool OnKeyReturn(bool down) { return (void)down, false; }
            virtual bool OnKeyBackspace(bool down) { return (void)down, false; }
            virtual bool OnKeyDelete(bool down) { return (void)down, false; }
            virtual bool OnKeyRight(bool down) { return (void)down, false; }
            virtual bool OnKeyLeft(bool down) { return (void)down, false; }
            virtual bool OnKeyHome(bool down) { return (void)down, false; }
            virtual bool OnKeyEnd(bool down) { return (void)down, false; }
            virtual bool OnKeyUp(bool down) { return (void)down, false; }
            virtual bool OnKeyDown(bool down) { return (void)down, false; }
            virtual bool OnKeyCode14(bool down) { return (void)down, false; }

            virtual void OnMouseEnter();
            virtual void OnMouseLeave();
            virtual bool IsHovered();
            virtual bool ShouldDrawHover();

            // A touch climbs to the root; windows bring themselves forward on it.
            virtual void Touch();
            virtual void OnChildTouched(Base* child);

            // Whether this control is drawn in front of its siblings.
            virtual bool IsOnTop();

            virtual bool HasFocus();
            virtual void Focus();
            virtual void Blur();

            virtual void SetDisabled(bool disabled);
            virtual bool IsDisabled() { return _disabled; }

            // Marks the control for drawing again, up to the canvas.
            virtual void Redraw();
            virtual void UpdateColours() {}
            virtual void EnableCacheToTexture() { _cacheToTexture = true; }
            virtual bool ShouldCacheToTexture() { return _cacheToTexture; }

            virtual void SetCursor(unsigned char cursor) { _cursor = cursor; }
            // Shows this control's cursor.
            virtual void UpdateCursor();

            virtual Point GetMinimumSize() { return Point(1, 1); }
            virtual Point GetMaximumSize() { return Point(4096, 4096); }

            // The tip becomes this control's child and is hidden until hovering shows it.
            virtual void SetToolTip(Base* tooltip);
            // A label of the text in the skin's tooltip text colour, padded and sized to it.
            // It replaces (and deletes) a tip made by an earlier call of this form.
            virtual void SetToolTip(const TextPair& text);
            virtual Base* GetToolTip() { return _toolTip; }

            virtual bool IsMenuComponent();
            virtual void CloseMenus();

            virtual bool IsTabable() { return _tabable; }
            virtual void SetTabable(bool tabable) { _tabable = tabable; }

            // Accelerators: texts like "CTRL+SHIFT+A" fire their event source.
            virtual void AcceleratorPressed() {}
            virtual bool AccelOnlyFocus() { return false; }
            virtual bool HandleAccelerator(const std::wstring& accelerator);
            // The source fired for the accelerator, made on first use; owned by the control.
            Event::Dispatcher& AddAccelerator(const TextPair& accelerator);

            virtual Base* GetInnerPanel() { return _innerPanel; }

            // Layout.
            virtual void RecurseLayout(Skin::Base* skin);
            virtual void Layout(Skin::Base* skin);
            virtual void PostLayout(Skin::Base* skin) { (void)skin; }

            // Drag and drop.
            virtual void DragAndDrop_SetPackage(bool draggable, const std::string& name = "", void* userData = nullptr);
            virtual bool DragAndDrop_Draggable();
            virtual bool DragAndDrop_ShouldStartDrag() { return true; }
            virtual void DragAndDrop_StartDragging(DragAndDrop::Package* package, int x, int y);
            virtual DragAndDrop::Package* DragAndDrop_GetPackage(int x, int y);
            virtual void DragAndDrop_EndDragging(bool success, int x, int y) { (void)success, (void)x, (void)y; }
            virtual void DragAndDrop_HoverEnter(DragAndDrop::Package* package, int x, int y) { (void)package, (void)x, (void)y; }
            virtual void DragAndDrop_HoverLeave(DragAndDrop::Package* package) { (void)package; }
            virtual void DragAndDrop_Hover(DragAndDrop::Package* package, int x, int y) { (void)package, (void)x, (void)y; }
            // Takes the dragged control as a child.
            virtual bool DragAndDrop_HandleDrop(DragAndDrop::Package* package, int x, int y);
            virtual bool DragAndDrop_CanAcceptPackage(DragAndDrop::Package* package) { return (void)package, false; }

            // Animations: grow from 0 to the current size, or shrink to 0 (hiding at the end
            // when asked). ease 1 is linear, larger starts slowly, negative eases both ends.
            virtual void Anim_WidthIn(float length, float delay = 0.0f, float ease = 1.0f);
            virtual void Anim_HeightIn(float length, float delay = 0.0f, float ease = 1.0f);
            virtual void Anim_WidthOut(float length, bool hide = true, float delay = 0.0f, float ease = 1.0f);
            virtual void Anim_HeightOut(float length, bool hide = true, float delay = 0.0f, float ease = 1.0f);

            // This control when it is of the identified class or derives from it; null in Base.
            virtual Base* DynamicCast(TypeIdentifier identifier) { return (void)identifier, nullptr; }

            virtual TextPair GetChildValue(const std::string& name);
            virtual TextPair GetValue() { return TextPair(); }
            virtual void SetValue(const TextPair& value) { (void)value; }
            virtual void DoAction() {}
            virtual void SetAction(Event::Handler* handler, Event::Handler::FunctionWithInformation function,
                                   const Event::Packet& packet)
            {
                (void)handler, (void)function, (void)packet;
            }

            // Every child (and with deep every descendant) of that name, each once; the list
            // returned is owned by the caller.
            virtual List* GetNamedChildren(const std::string& name, bool deep = true);
            virtual int GetNamedChildren(List& list, const std::string& name, bool deep = true);

            // Marks the control to be laid out and drawn again.
            void Invalidate();
            void InvalidateParent();
            void InvalidateChildren(bool recursive = false);
            bool NeedsLayout() const { return _needsLayout; }
            bool ShouldIncludeInSize() const { return _includeInSize; }
            // Places the control inside its parent's inner bounds by Pos flags.
            void Position(int pos, int xpadding = 0, int ypadding = 0);

            Event::Dispatcher onHoverEnter;
            Event::Dispatcher onHoverLeave;

        protected:
            // The canvas whose delete queue holds this control, if any; kept by the canvas.
            friend class Canvas;
            Canvas* _queuedOn = nullptr;

            Rect _innerBounds;
            std::map<std::wstring, Event::Dispatcher*> _accelerators;
            List _children;
            Base* _parent = nullptr;
            Base* _innerPanel = nullptr;
            Base* _actualParent = nullptr;
            Base* _toolTip = nullptr;
            // The tip is a label made by SetToolTip(text), owned by this control.
            bool _toolTipIsOwnLabel = false;
            Skin::Base* _skin = nullptr;
            Rect _bounds = Rect(0, 0, 10, 10);
            Rect _renderBounds = Rect(0, 0, _bounds.w, _bounds.h);
            Padding _padding;
            Margin _margin;
            std::string _name;
            bool _restrictToParent = false;
            bool _disabled = false;
            bool _hidden = false;
            bool _mouseInputEnabled = true;
            bool _keyboardInputEnabled = false;
            bool _drawBackground = true;
            int _dock = Pos::None;
            unsigned char _cursor = 0;
            bool _tabable = false;
            bool _needsLayout = true;
            bool _cacheTextureDirty = true;
            bool _cacheToTexture = false;
            DragAndDrop::Package* _dragAndDropPackage = nullptr;
            bool _includeInSize = true;
        };
    }

    // The control as the class T, or null when it is none (or null itself).
    template <class T> T* gui_cast(Controls::Base* control)
    {
        return control == nullptr ? nullptr : static_cast<T*>(control->DynamicCast(T::GetIdentifier()));
    }
}
