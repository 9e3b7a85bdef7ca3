// The control base: every control of this layer is a window. Properties live in the object and
// are copied into the window when it is (re)created, so a form can set them in any order and a
// control can recreate its window when a style changes. One window procedure serves every
// control; it catches every exception so none crosses into the system.
#pragma once

#include "Component.h"
#include "Event.h"
#include "Exception.h"
#include "Graphics.h"

#include <windows.h>

#include <string>
#include <vector>

namespace forms {

class Form;
class PopupMenu;

enum Align { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum MouseButton { mbLeft, mbRight, mbMiddle };
enum ShiftFlags : unsigned {
    ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
enum DragMode { dmManual, dmAutomatic };
enum DragState { dsDragEnter, dsDragLeave, dsDragMove };
enum Alignment { taLeftJustify, taRightJustify, taCenter };

// Cursor identities; the stock ones map to system cursors, the drag ones are our own.
enum Cursor {
    crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4, crSizeWE = -9, crHourGlass = -11,
    crDrag = -12, crNoDrop = -13, crMultiDrag = -16, crHandPoint = -21
};

using MouseEvent = Event<Component*, MouseButton, unsigned, int, int>;
using MouseMoveEvent = Event<Component*, unsigned, int, int>;
using DragOverEvent = Event<Component*, Component*, int, int, DragState, bool&>;
using DragDropEvent = Event<Component*, Component*, int, int>;
using KeyEvent = Event<Component*, WORD&, unsigned>;

// What a control asks of the window it is given.
struct WindowParams {
    std::string className;  // empty: the layer's own painted class
    DWORD style = 0;
    DWORD exStyle = 0;
    bool ownClass() const { return className.empty(); }
};

class Control : public Component {
public:
    explicit Control(Component* owner);
    ~Control() override;

    Control* Parent() const { return parent_; }
    virtual void SetParent(Control* parent);
    const std::vector<Control*>& Controls() const { return children_; }
    // The children in the order Tab visits them: the order they were given this parent in,
    // unless a child's tab order moved it.
    const std::vector<Control*>& TabList() const { return tabList_; }
    Form* ParentForm();

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    virtual RECT ClientRect() const;
    int ClientWidth() const { RECT r = ClientRect(); return r.right - r.left; }
    int ClientHeight() const { RECT r = ClientRect(); return r.bottom - r.top; }

    Align GetAlign() const { return align_; }
    void SetAlign(Align a);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Showing() const;  // visible, and every parent too

    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool e);

    // Whether Tab stops at this control; the controls the user types into or picks from do.
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool s);
    // The place among its parent's children that Tab visits it at (-1 without a parent).
    int TabOrder() const;
    void SetTabOrder(int order);

    const std::string& Caption() const { return caption_; }
    virtual void SetCaption(const std::string& text);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& h);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool s);

    const Font& GetFont() const;
    virtual void SetFont(const Font& f);
    bool ParentFont() const { return parentFont_; }

    Color GetColor() const { return color_; }
    virtual void SetColor(Color c);

    Cursor GetCursor() const { return cursor_; }
    void SetCursor(Cursor c) { cursor_ = c; }
    PopupMenu* GetPopupMenu() const { return popupMenu_; }
    void SetPopupMenu(PopupMenu* m) { popupMenu_ = m; }

    DragMode GetDragMode() const { return dragMode_; }
    void SetDragMode(DragMode m) { dragMode_ = m; }
    Cursor DragCursor() const { return dragCursor_; }
    void SetDragCursor(Cursor c) { dragCursor_ = c; }
    void BeginDrag(bool immediate);

    HWND Handle();
    HWND WindowHandle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    static Control* FromHandle(HWND wnd);
    // The control of this window or of its nearest ancestor that is one of ours.
    static Control* FindControl(HWND wnd);

    void Invalidate();
    void Repaint();
    void Update();
    void BringToFront();
    POINT ClientToScreen(POINT p);
    POINT ScreenToClient(POINT p);
    bool Focused() const;
    virtual bool CanFocus() const;
    void SetFocus();
    // The window that takes the focus for this control.
    virtual HWND FocusWindow() { return handle_; }
    LRESULT Perform(UINT msg, WPARAM wp, LPARAM lp);

    // Alt+letter: true when this control (or a child) took the key.
    virtual bool DialogChar(char ch);
    // True when a later, visible sibling covers this control completely: such a control is out
    // of the user's reach, so its keyboard shortcut must not act either.
    bool CoveredBySibling() const;

    virtual void Click();
    virtual void DblClick();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void DragOver(Control* source, int x, int y, DragState state, bool& accept);
    virtual void DragDrop(Control* source, int x, int y);

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    NotifyEvent OnMouseEnter;
    NotifyEvent OnMouseLeave;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    MouseMoveEvent OnMouseMove;
    DragOverEvent OnDragOver;
    DragDropEvent OnDragDrop;
    KeyEvent OnKeyDown;
    NotifyEvent OnResize;

protected:
    virtual void GetWindowParams(WindowParams& params);
    virtual void CreateWnd();
    // Runs once the window exists: controls copy their remaining properties into it.
    virtual void HandleCreated() {}
    void DestroyHandle();
    void RecreateWnd();
    virtual HWND ParentWindow();

    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT DefaultHandler(UINT msg, WPARAM wp, LPARAM lp);
    // Notifications the parent received on this control's behalf (command, notify, draw, scroll).
    virtual bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    virtual void Paint(HDC dc);
    virtual void EraseBackground(HDC dc);
    virtual HBRUSH ControlColor(HDC dc);

    virtual void MouseDown(MouseButton button, unsigned shift, int x, int y);
    virtual void MouseUp(MouseButton button, unsigned shift, int x, int y);
    virtual void MouseMove(unsigned shift, int x, int y);
    virtual void Resized();
    virtual void FontChanged();
    void Realign();
    void UpdateHintTool();

    // Painted controls raise Click on a left button released over them.
    bool clickOnMouseUp_ = true;
    bool mousePressed_ = false;

private:
    friend class Form;
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    void Attach(HWND wnd);
    void Detach();
    void AddChild(Control* c);
    void RemoveChild(Control* c);
    void ApplyFontToChildren();
    HBRUSH BackgroundBrush();

    Control* parent_ = nullptr;
    std::vector<Control*> children_;
    std::vector<Control*> tabList_;
    HWND handle_ = nullptr;
    WNDPROC oldProc_ = nullptr;
    UINT id_ = 0;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    Align align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    bool tabStop_ = false;
    bool showHint_ = false;
    bool parentFont_ = true;
    bool aligning_ = false;
    std::string caption_;
    std::string hint_;
    Font font_;
    Color color_ = clBtnFace;
    Brush brush_;
    Cursor cursor_ = crDefault;
    Cursor dragCursor_ = crDrag;
    DragMode dragMode_ = dmManual;
    PopupMenu* popupMenu_ = nullptr;
};

unsigned ShiftFromKeys(WPARAM mouseKeys);
unsigned KeyboardShift();
// The accelerator letter of a caption ("&Play" gives 'P'), or 0.
char AcceleratorOf(const std::string& caption);

} // namespace forms
