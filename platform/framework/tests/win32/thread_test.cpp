// Threads with their own loops: thread messages through the thread's map, and an orderly end
// by a quit message and a bounded wait.
#include "test_app.h"

#include <gtest/gtest.h>

#include <atomic>

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

}  // namespace
