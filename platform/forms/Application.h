// The application object: title, help file, form creation, the message loop and the default
// exception handler (a message box with the error text; the program goes on).
#pragma once

#include "Event.h"
#include "Exception.h"

#include <windows.h>

#include <string>
#include <vector>

namespace forms {

class Control;
class Form;

using ExceptionEvent = Event<Component*, const std::exception&>;

class Application {
public:
    static Application& Instance();

    void Initialize();
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& t);
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::string& f) { helpFile_ = f; }
    bool HelpCommand(UINT command, ULONG_PTR data);
    bool HelpContext(int context) { return HelpCommand(HELP_CONTEXT, static_cast<ULONG_PTR>(context)); }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool s) { showHint_ = s; }
    // The program's folder with its trailing backslash.
    static std::string ExeFolder();
    static std::string ExeName();

    // Builds a form, hands it to ref, then runs Loaded on its components and its OnCreate. The
    // first form created is the main window.
    template <class T>
    void CreateForm(T*& ref)
    {
        ref = new T(nullptr);
        AddForm(ref);
        FinishCreation(ref);
    }
    Form* MainForm() const { return mainForm_; }
    const std::vector<Form*>& Forms() const { return forms_; }

    void Run();
    // One pass over the waiting messages (for handlers that must let the screen catch up).
    void ProcessMessages();
    // Handles one message; false when WM_QUIT arrived.
    bool HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // The application window: it owns the main form and the program's taskbar button, whose text
    // is the title. Minimising the main form minimises this window and hides the forms;
    // restoring it (from the taskbar, say) shows them again.
    HWND Handle() const { return handle_; }
    void Minimize();
    void Restore();

    void HandleException(const std::exception& e);
    ExceptionEvent OnException;
    // Runs a handler called from a window procedure; no exception may leave it, so any that does
    // goes to HandleException. True when the handler ended normally.
    template <class F>
    bool Guard(F&& handler)
    {
        try {
            handler();
            return true;
        } catch (const std::exception& e) {
            HandleException(e);
        } catch (...) {
            HandleException(Exception("Unknown error"));
        }
        return false;
    }

    // Called by the layer.
    void ControlDestroyed(Control* c);
    void FormDestroyed(Form* f);

private:
    Application() = default;
    void AddForm(Form* f);
    void FinishCreation(Form* f);
    bool ProcessMessage(MSG& msg);
    void TrackMouse(HWND wnd);
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    void HideForms(bool hide);
    void ActivateForms();

    std::string title_;
    std::string helpFile_;
    bool showHint_ = true;
    bool terminated_ = false;
    bool handlingException_ = false;
    HWND handle_ = nullptr;
    Form* mainForm_ = nullptr;
    std::vector<Form*> forms_;
    Control* mouseControl_ = nullptr;
    std::vector<HWND> hiddenForms_;
};

} // namespace forms
