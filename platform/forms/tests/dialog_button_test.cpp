// What dialogs built on the layer rely on: OK and Cancel buttons that need no further setup,
// stay-on-top forms, forms shown without taking the activation, and font changes reaching the
// controls of a form.
#include "Application.h"
#include "Form.h"
#include "GlyphButton.h"

#include <gtest/gtest.h>

namespace {

class Dialog : public forms::Form {
public:
    explicit Dialog(forms::Component* owner) : Form(owner)
    {
        SetBorderStyle(forms::bsDialog);
        SetBounds(100, 100, 240, 120);
        Ok = new forms::GlyphButton(this);
        Ok->SetKind(forms::bkOK);
        Ok->SetBounds(20, 40, 75, 25);
        Ok->OnClick = forms::Bind(this, &Dialog::OkClick);
        Ok->SetParent(this);
        Cancel = new forms::GlyphButton(this);
        Cancel->SetKind(forms::bkCancel);
        Cancel->SetBounds(110, 40, 75, 25);
        Cancel->SetParent(this);
    }
    void OkClick(forms::Component*) { ++okClicks; }
    forms::GlyphButton* Ok;
    forms::GlyphButton* Cancel;
    int okClicks = 0;
};

// Counts the font-change messages a control's window receives.
class FontListener : public forms::Control {
public:
    using Control::Control;
    int changes = 0;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_FONTCHANGE)
            ++changes;
        return Control::WndProc(msg, wp, lp);
    }
};

Dialog* g_dialog = nullptr;
WPARAM g_key = 0;
forms::GlyphButton* g_focused = nullptr;  // the button the key is pressed in; nullptr: OK

void CALLBACK PressKey(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_dialog && g_dialog->Modal())
        PostMessageA((g_focused ? g_focused : g_dialog->Ok)->Handle(), WM_KEYDOWN, g_key, 1);
}

int RunWithKey(Dialog* dialog, WPARAM key)
{
    g_dialog = dialog;
    g_key = key;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, PressKey);
    int result = dialog->ShowModal();
    KillTimer(nullptr, timer);
    return result;
}

TEST(DialogButtons, OkAndCancelKindsBringCaptionRoleAndGlyph)
{
    Dialog* dialog = nullptr;
    forms::Application::Instance().CreateForm(dialog);
    EXPECT_EQ(dialog->Ok->Caption(), "OK");
    EXPECT_EQ(dialog->Cancel->Caption(), "Cancel");
    EXPECT_TRUE(dialog->Ok->Default());
    EXPECT_FALSE(dialog->Ok->Cancel());
    EXPECT_TRUE(dialog->Cancel->Cancel());
    EXPECT_NE(dialog->Ok->Glyph(), nullptr);
    EXPECT_NE(dialog->Cancel->Glyph(), nullptr);
    EXPECT_NE(dialog->Ok->Glyph(), dialog->Cancel->Glyph());

    // A caption set by the form stays.
    auto* own = new forms::GlyphButton(dialog);
    own->SetCaption("&Keep");
    own->SetKind(forms::bkOK);
    EXPECT_EQ(own->Caption(), "&Keep");

    // Enter presses OK (its handler runs), Escape presses Cancel (nothing else runs).
    EXPECT_EQ(RunWithKey(dialog, VK_RETURN), forms::mrOk);
    EXPECT_EQ(dialog->okClicks, 1);
    EXPECT_EQ(RunWithKey(dialog, VK_ESCAPE), forms::mrCancel);
    EXPECT_EQ(dialog->okClicks, 1);
    // Enter in the button the user tabbed to presses that button.
    g_focused = dialog->Cancel;
    EXPECT_EQ(RunWithKey(dialog, VK_RETURN), forms::mrCancel);
    EXPECT_EQ(dialog->okClicks, 1);
    g_focused = nullptr;
    dialog->Free();
}

TEST(FormStyles, StayOnTopHoldsFromTheFirstShowAndShowNoActivateKeepsTheActiveWindow)
{
    Dialog* worker = nullptr;
    Dialog* popup = nullptr;
    forms::Application::Instance().CreateForm(worker);
    forms::Application::Instance().CreateForm(popup);
    popup->SetBorderStyle(forms::bsNone);
    popup->SetFormStyle(forms::fsStayOnTop);
    worker->Show();
    forms::Application::Instance().ProcessMessages();
    ASSERT_EQ(GetActiveWindow(), worker->WindowHandle());

    popup->ShowNoActivate();
    forms::Application::Instance().ProcessMessages();
    EXPECT_TRUE(popup->Visible());
    EXPECT_TRUE(IsWindowVisible(popup->WindowHandle()));
    EXPECT_NE(GetWindowLongA(popup->WindowHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetActiveWindow(), worker->WindowHandle());
    popup->Hide();
    forms::Application::Instance().ProcessMessages();
    // Other programs on the same display may take the activation meanwhile; the popup never does.
    EXPECT_NE(GetActiveWindow(), popup->WindowHandle());
    EXPECT_EQ(GetWindowLongA(worker->WindowHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    popup->Free();
    worker->Free();
}

TEST(FormStyles, TheSystemsFontChangeReachesEveryControl)
{
    Dialog* dialog = nullptr;
    forms::Application::Instance().CreateForm(dialog);
    auto* outer = new FontListener(dialog);
    outer->SetBounds(0, 0, 50, 50);
    outer->SetParent(dialog);
    auto* inner = new FontListener(dialog);
    inner->SetBounds(0, 0, 10, 10);
    inner->SetParent(outer);
    dialog->HandleNeeded();
    SendMessageA(dialog->WindowHandle(), WM_FONTCHANGE, 0, 0);
    EXPECT_EQ(outer->changes, 1);
    EXPECT_EQ(inner->changes, 1);
    dialog->Free();
}

} // namespace
