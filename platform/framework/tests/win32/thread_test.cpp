// Threads with their own loops: thread messages through the thread's map, and an orderly end
// by a quit message and a bounded wait.
#include "test_app.h"

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <string>

namespace {

class CWorker : public CWinThread {
public:
    CWorker() { m_bAutoDelete = FALSE; }
    std::atomic<int> received{0};
    std::atomic<bool> initialised{false}, exited{false};
    BOOL InitInstance() override
    {
        initialised = AfxGetThread() == this;
        return TRUE;
    }
    int ExitInstance() override
    {
        exited = true;
        return CWinThread::ExitInstance();
    }

protected:
    void OnWork(WPARAM wParam, LPARAM) { received += static_cast<int>(wParam); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWorker, CWinThread)
    ON_THREAD_MESSAGE(WM_USER + 1, OnWork)
END_MESSAGE_MAP()

TEST(Thread, TakesThreadMessagesAndEndsOnAQuitMessage)
{
    CWorker worker;
    ASSERT_TRUE(worker.CreateThread());
    // Posted at once after creation: the queue already exists.
    EXPECT_TRUE(worker.PostThreadMessage(WM_USER + 1, 2, 0));
    EXPECT_TRUE(worker.PostThreadMessage(WM_USER + 1, 3, 0));
    for (int i = 0; i < 100 && worker.received < 5; ++i)
        Sleep(10);
    EXPECT_EQ(worker.received, 5);
    EXPECT_TRUE(worker.initialised);
    EXPECT_TRUE(worker.QuitAndWait(2000));
    EXPECT_TRUE(worker.exited);
    EXPECT_TRUE(worker.QuitAndWait(0));  // already ended
}

TEST(Thread, ANeverStartedThreadCountsAsEnded)
{
    CWorker idle;
    EXPECT_TRUE(idle.QuitAndWait(0));
    EXPECT_FALSE(idle.PostThreadMessage(WM_USER + 1, 1, 0));
}

TEST(Profile, LivesUnderCompanyApplicationAndSection)
{
    EXPECT_TRUE(theTestApp.WriteProfileInt("Section", "Number", -7));
    EXPECT_TRUE(theTestApp.WriteProfileString("Section", "Text", "a|b|"));
    EXPECT_EQ(theTestApp.GetProfileInt("Section", "Number", 0), -7);
    EXPECT_STREQ(theTestApp.GetProfileString("Section", "Text"), "a|b|");
    EXPECT_STREQ(theTestApp.GetProfileString("Section", "Missing", "default"), "default");
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Framework Test Company\\Framework Test\\Section", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD type = 0, value = 0, size = sizeof value;
    EXPECT_EQ(RegQueryValueExA(key, "Number", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_DWORD));
    // A value of another type reads as the default.
    RegCloseKey(key);
    EXPECT_EQ(theTestApp.GetProfileInt("Section", "Text", 11), 11);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Framework Test Company\\Framework Test\\Section");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Framework Test Company\\Framework Test");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Framework Test Company");
}

// A thread that ends at once and deletes itself: its creator must not read the freed object.
class CQuickThread : public CWinThread {
public:
    BOOL InitInstance() override { return FALSE; }
    ~CQuickThread() override
    {
        // Scribble over the object as a reused allocation would.
        m_hThread = reinterpret_cast<HANDLE>(intptr_t(-2));
        m_nThreadID = 0xDEADu;
    }
};

TEST(Thread, AnAutoDeletingThreadThatEndsAtOnceLeavesItsCreatorSound)
{
    for (int i = 0; i < 200; ++i) {
        auto* thread = new CQuickThread;
        ASSERT_TRUE(thread->CreateThread());
    }
    Sleep(100);
}

class CWaitCursorThread : public CWinThread {
public:
    CWaitCursorThread() { m_bAutoDelete = FALSE; }
    std::atomic<int> inside{-1}, after{-1};
    BOOL InitInstance() override
    {
        {
            CWaitCursor wait;
            inside = AfxGetApp()->WaitCursorCount();
        }
        after = AfxGetApp()->WaitCursorCount();
        return FALSE;
    }
};

TEST(Thread, WaitCursorsAreCountedPerThread)
{
    CWaitCursor mine;
    EXPECT_EQ(theTestApp.WaitCursorCount(), 1);
    CWaitCursorThread worker;
    ASSERT_TRUE(worker.CreateThread());
    EXPECT_EQ(WaitForSingleObject(worker.m_hThread, 2000), DWORD(WAIT_OBJECT_0));
    EXPECT_EQ(worker.inside, 1);
    EXPECT_EQ(worker.after, 0);
    EXPECT_EQ(theTestApp.WaitCursorCount(), 1);  // the worker's end did not end this one
}

// A window whose handler runs out of memory.
class CHungryWnd : public CWnd {
protected:
    LRESULT OnHungry(WPARAM, LPARAM) { throw std::bad_alloc(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHungryWnd, CWnd)
    ON_MESSAGE(WM_USER + 5, OnHungry)
END_MESSAGE_MAP()

TEST(Handlers, OutOfMemoryShowsTheFrameworksMessage)
{
    CHungryWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "hungry", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    std::string text;
    RunSoon(200, [&] {
        HWND box = FindThreadMessageBox();
        text = box ? MessageBoxText(box) : "no box";
        if (box)
            PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(wnd.SendMessage(WM_USER + 5), 0);
    EXPECT_EQ(text, "A memory allocation error has occured");
    wnd.DestroyWindow();
}

}  // namespace
