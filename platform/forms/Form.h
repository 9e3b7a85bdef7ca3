// A top-level window holding controls. A form class builds its components in its constructor
// (the form is loading meanwhile); Application::CreateForm then runs Loaded on every component
// and the form's OnCreate. Closing the main form ends the application.
#pragma once

#include "Control.h"

#include <map>

namespace forms {

class GlyphButton;

enum BorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum BorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
enum Position { poDesigned, poScreenCenter };
enum CloseAction { caNone, caHide, caFree, caMinimize };
enum FormStyle { fsNormal, fsStayOnTop };
enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                   mrYes = 6, mrNo = 7, mrAll = 8 };

using CloseEvent = Event<Component*, CloseAction&>;
using CloseQueryEvent = Event<Component*, bool&>;

class Form : public Control {
public:
    explicit Form(Component* owner);
    ~Form() override;

    BorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(BorderStyle s);
    unsigned BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(unsigned icons);
    Position GetPosition() const { return position_; }
    void SetPosition(Position p) { position_ = p; }
    void SetClientSize(int width, int height);
    RECT ClientRect() const override;
    void SetIcon(HICON icon);
    HICON Icon() const { return icon_; }
    // A stay-on-top form is created top-most, so the style holds from its first show on.
    FormStyle GetFormStyle() const { return formStyle_; }
    void SetFormStyle(FormStyle s);

    void SetVisible(bool v) override;
    // Shows the form without taking the activation from the window the user works in.
    void ShowNoActivate();
    // Fires OnDestroy, then deletes the form.
    void Free();
    void Close();
    int ShowModal();
    bool Modal() const { return modal_; }
    int GetModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }
    bool Active() const;

    // The control that takes the focus whenever the form is shown or activated: the one named
    // here, then the one the user last left the form in; without either, the first tab stop.
    Control* ActiveControl() const { return activeControl_; }
    void SetActiveControl(Control* c);
    // The tab stop Tab (forward) or Shift+Tab visits after `current` (nullptr: from the start).
    Control* FindNextControl(Control* current, bool forward);
    // Moves the focus as Tab or Shift+Tab does; false when no control can take it.
    bool SelectNext(bool forward);
    // The buttons Enter and Escape press.
    void SetDefaultButton(GlyphButton* b) { defaultButton_ = b; }
    void SetCancelButton(GlyphButton* b) { cancelButton_ = b; }

    // Keyboard handling before the focused control sees the key; true when consumed.
    bool PreProcessKey(const MSG& msg);
    void SetToolHint(HWND tool, const std::string& text);

    NotifyEvent OnCreate;
    NotifyEvent OnDestroy;
    NotifyEvent OnShow;
    NotifyEvent OnHide;
    NotifyEvent OnActivate;
    CloseEvent OnClose;
    CloseQueryEvent OnCloseQuery;

protected:
    void GetWindowParams(WindowParams& params) override;
    HWND ParentWindow() override;
    void HandleCreated() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    virtual void DoCreate();
    void Loaded() override;

private:
    friend class Application;
    friend class Control;
    void PlaceOnScreen();
    bool FocusActiveControl();
    GlyphButton* OnlyOkButton();
    bool IsShortCut(WORD key, unsigned shift);
    void PassFontChange(Control* control, WPARAM wp, LPARAM lp);

    BorderStyle borderStyle_ = bsSizeable;
    unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    Position position_ = poDesigned;
    FormStyle formStyle_ = fsNormal;
    HICON icon_ = nullptr;
    bool modal_ = false;
    int modalResult_ = mrNone;
    bool created_ = false;
    Control* activeControl_ = nullptr;
    GlyphButton* defaultButton_ = nullptr;
    GlyphButton* cancelButton_ = nullptr;
    HWND tooltip_ = nullptr;
    std::map<HWND, std::string> tips_;
};

} // namespace forms
