// Windows under the framework: attachment before the first message, message maps chained to
// the base, command routing from a frame to the application, and self-deleting frames.
#include "test_app.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

UINT g_registered = RegisterWindowMessageA("FrameworkTestRegistered");

class CBaseWnd : public CWnd {
public:
    std::vector<std::string> calls;
    UINT firstMessage = 0;
    bool attachedInCreate = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (!firstMessage)
            firstMessage = message;
        return CWnd::WindowProc(message, wParam, lParam);
    }

protected:
    int OnCreate(LPCREATESTRUCT lpcs)
    {
        attachedInCreate = CWnd::FromHandlePermanent(m_hWnd) == this;
        return CWnd::OnCreate(lpcs);
    }
    void OnBaseCommand() { calls.push_back("base 100"); }
    void OnOverridden() { calls.push_back("base 101"); }
    LRESULT OnUserMessage(WPARAM wParam, LPARAM) { calls.push_back("user " + std::to_string(wParam)); return 42; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_CREATE()
    ON_COMMAND(100, OnBaseCommand)
    ON_COMMAND(101, OnOverridden)
    ON_MESSAGE(WM_USER + 5, OnUserMessage)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
protected:
    void OnDerived101() { calls.push_back("derived 101"); }
    void OnRange(UINT id) { calls.push_back("range " + std::to_string(id)); }
    void OnClicked(NMHDR* hdr, LRESULT* result)
    {
        calls.push_back("notify " + std::to_string(hdr->idFrom));
        *result = 7;
    }
    void OnButton() { calls.push_back("button"); }
    LRESULT OnRegistered(WPARAM, LPARAM lParam) { calls.push_back("registered " + std::to_string(lParam)); return 1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_COMMAND(101, OnDerived101)
    ON_COMMAND_RANGE(200, 210, OnRange)
    ON_NOTIFY(NM_CLICK, 300, OnClicked)
    ON_BN_CLICKED(400, OnButton)
    ON_REGISTERED_MESSAGE(g_registered, OnRegistered)
END_MESSAGE_MAP()

TEST(Window, IsAttachedBeforeItsFirstMessage)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Attach", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    EXPECT_NE(wnd.firstMessage, 0u);
    EXPECT_NE(wnd.firstMessage, UINT(WM_CREATE));  // WM_GETMINMAXINFO or WM_NCCREATE came first
    EXPECT_TRUE(wnd.attachedInCreate);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    HWND h = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
}

TEST(Window, MessageMapsChainToTheBaseAndRouteEveryKind)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Maps", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    wnd.SendMessage(WM_COMMAND, 100);
    wnd.SendMessage(WM_COMMAND, 101);
    wnd.SendMessage(WM_COMMAND, 205);
    wnd.SendMessage(WM_COMMAND, 211);  // outside the range: nobody
    EXPECT_EQ(wnd.SendMessage(WM_USER + 5, 3), 42);
    NMHDR hdr = {nullptr, 300, UINT(NM_CLICK)};
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 300, reinterpret_cast<LPARAM>(&hdr)), 7);
    HWND button = CreateWindowA("BUTTON", "b", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd, HMENU(400), nullptr, nullptr);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(400, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(400, BN_SETFOCUS), reinterpret_cast<LPARAM>(button));  // other code
    EXPECT_EQ(wnd.SendMessage(g_registered, 0, 9), 1);
    std::vector<std::string> expected = {"base 100", "derived 101", "range 205", "user 3", "notify 300", "button",
                                         "registered 9"};
    EXPECT_EQ(wnd.calls, expected);
    wnd.DestroyWindow();
}

TEST(Window, ChildControlsCanBeSubclassedAndTemporaryObjectsBorrowHandles)
{
    CBaseWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Parent", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    HWND edit = CreateWindowA("EDIT", "text", WS_CHILD, 0, 0, 50, 20, parent.m_hWnd, HMENU(7), nullptr, nullptr);
    CWnd* temporary = parent.GetDlgItem(7);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->m_hWnd, edit);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    CString text;
    temporary->GetWindowText(text);
    EXPECT_STREQ(text, "text");
    AfxDeleteTempMaps();
    EXPECT_TRUE(IsWindow(edit));  // borrowed, not destroyed

    CWnd control;
    ASSERT_TRUE(control.SubclassDlgItem(7, &parent));
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), &control);
    control.SetWindowText("changed");
    EXPECT_EQ(parent.GetDlgItemText(7, text), 7);
    EXPECT_STREQ(text, "changed");
    parent.DestroyWindow();
    EXPECT_EQ(control.m_hWnd, nullptr);  // the child went with its parent
}

bool g_frameDeleted;

class CTestFrame : public CFrameWnd {
public:
    ~CTestFrame() override { g_frameDeleted = true; }
    int handled = 0;

protected:
    void OnOwnCommand() { ++handled; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_COMMAND(500, OnOwnCommand)
END_MESSAGE_MAP()

TEST(Frame, PassesCommandsItDoesNotTakeToTheApplicationAndDeletesItself)
{
    g_frameDeleted = false;
    auto* frame = new CTestFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Frame"));
    int before = theTestApp.aboutCount;
    frame->SendMessage(WM_COMMAND, 500);
    frame->SendMessage(WM_COMMAND, ID_APP_ABOUT);
    EXPECT_EQ(frame->handled, 1);
    EXPECT_EQ(theTestApp.aboutCount, before + 1);
    // WM_CLOSE destroys the frame, and the frame deletes its object.
    frame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(g_frameDeleted);
}

TEST(Frame, DestroyingTheMainWindowEndsTheLoop)
{
    auto* frame = new CTestFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Main"));
    theTestApp.m_pMainWnd = frame;
    frame->DestroyWindow();
    EXPECT_EQ(theTestApp.m_pMainWnd, nullptr);
    MSG msg;
    bool quit = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT)
            quit = true;
    EXPECT_TRUE(quit);
}

}  // namespace
