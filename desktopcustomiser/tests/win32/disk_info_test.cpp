// The Disk Info sheet in this process, on the drives its script gave the prefix: X: holds a
// fixture tree, A: is a floppy drive without a disk, and C: has a label and serial number.
#include "app_test_support.h"
#include "DiskInfoSheet.h"
#include "TunewrightApp.h"
#include "framework/Afx.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

MemoryProfileStore* g_profile;

class DiskInfoEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        g_profile = &StartTestApplication();
    }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new DiskInfoEnvironment);

std::vector<std::string> Row(CListCtrl& list, int row, int columns)
{
    std::vector<std::string> texts;
    for (int column = 0; column < columns; ++column)
        texts.emplace_back(list.GetItemText(row, column));
    return texts;
}

struct OpenSheet {
    CDiskInfoSheet sheet{nullptr};
    OpenSheet(int page)
    {
        sheet.m_psh.nStartPage = UINT(page);
        EXPECT_TRUE(sheet.Create(nullptr));
    }
    ~OpenSheet() { sheet.DestroyWindow(); }
};

// Clicks Abort as soon as the folder display names the folder, as a user would.
WNDPROC g_editProc;
std::string g_abortAt;
HWND g_abortButton;
LRESULT CALLBACK WatchFolderDisplay(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT && lParam && !g_abortAt.empty() &&
        std::string(reinterpret_cast<const char*>(lParam)).rfind("Scanning in " + g_abortAt, 0) == 0) {
        g_abortAt.clear();
        // The button's own notice, as a click gives it: a simulated click could lose the mouse
        // to another program on the same display.
        PostMessageA(GetParent(g_abortButton), WM_COMMAND, MAKEWPARAM(1012, BN_CLICKED), LPARAM(g_abortButton));
    }
    return CallWindowProcA(g_editProc, hwnd, message, wParam, lParam);
}

}  // namespace

TEST(DiskInfo, SheetHasItsCaptionAndPagesInOrder)
{
    OpenSheet open(0);
    CString caption;
    open.sheet.GetWindowText(caption);
    EXPECT_STREQ(caption, "Tunewright 97: Disk Info");
    EXPECT_EQ(TabCaptions(open.sheet), (std::vector<std::string>{"Drive Info", "Disk Usage", "About Tunewright 97"}));
}

TEST(DiskInfo, DrivePageListsEveryDriveInLetterOrder)
{
    OpenSheet open(0);
    CListCtrl& list = open.sheet.m_pageDriveInfo.m_list;
    std::vector<std::string> expected;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        char root[] = {letter, ':', '\\', 0};
        if (GetDriveTypeA(root) != DRIVE_NO_ROOT_DIR)
            expected.push_back(std::string(1, letter));
    }
    std::vector<std::string> letters;
    for (int row = 0; row < list.GetItemCount(); ++row)
        letters.emplace_back(list.GetItemText(row, 0));
    EXPECT_EQ(letters, expected);
    ASSERT_GE(list.GetItemCount(), 3);
    EXPECT_EQ(Row(list, 0, 3), (std::vector<std::string>{"A", "Removable Drive (No Disk Inserted)", ""}));
    std::vector<std::string> c = Row(list, 1, 13);
    ASSERT_EQ(c[0], "C");
    EXPECT_EQ(c[1], "Fixed Drive");
    EXPECT_EQ(c[8], "SUITEDISK");
    EXPECT_EQ(c[9], "1A2B-3C4D");
    EXPECT_NE(c[2].find('.'), std::string::npos);  // megabytes with two decimals
}

TEST(DiskUsage, ScanShowsTheRecordAndOkStoresTheLists)
{
    g_profile->Clear();
    OpenSheet open(1);
    CDiskUsagePage& page = open.sheet.m_pageDiskUsage;
    ASSERT_NE(page.m_hWnd, nullptr);
    ASSERT_EQ(page.ScanRecord(-1, " BMP  Gif ", "X:\\usage"), 1);
    ASSERT_EQ(page.m_list.GetItemCount(), 1);
    // 3 of 5 files; 2,097,181 of 4,194,433 bytes is 49.99 %; the loop link is not followed.
    EXPECT_EQ(Row(page.m_list, 0, 7),
              (std::vector<std::string>{"bmp  gif", "X:\\usage", "3", "5", "2.00", "4.00", "49"}));
    ASSERT_EQ(page.ScanRecord(-1, "*", "X:\\usage\\empty"), 1);
    EXPECT_EQ(Row(page.m_list, 0, 7), (std::vector<std::string>{"*", "X:\\usage\\empty", "0", "0", "0.00", "0.00", "0"}));

    page.OnOK();
    EXPECT_STREQ(g_profile->GetProfileString("Disk Usage", "Extension List", ""), "*|bmp  gif|");
    EXPECT_STREQ(g_profile->GetProfileString("Disk Usage", "Path List", ""), "X:\\usage\\empty|X:\\usage|");
    EXPECT_STREQ(g_profile->GetProfileString("Disk Usage", "NumFile List", ""), "0|3|");
    EXPECT_STREQ(g_profile->GetProfileString("Disk Usage", "Total NumFile List", ""), "0|5|");
    EXPECT_STREQ(g_profile->GetProfileString("Disk Usage", "Size List", ""), "0.00|2.00|");
    EXPECT_STREQ(g_profile->GetProfileString("Disk Usage", "Total Size List", ""), "0.00|4.00|");
    EXPECT_STREQ(g_profile->GetProfileString("Disk Usage", "Percent List", ""), "0|49|");
}

TEST(DiskUsage, AbortDuringUpdateAllKeepsTheRowsNotYetScanned)
{
    g_profile->Clear();
    g_profile->WriteProfileString("Disk Usage", "Extension List", "aaa|zzz|");
    g_profile->WriteProfileString("Disk Usage", "Path List", "X:\\usage\\sub|X:\\big|");
    g_profile->WriteProfileString("Disk Usage", "NumFile List", "old|old|");
    g_profile->WriteProfileString("Disk Usage", "Total NumFile List", "old|old|");
    g_profile->WriteProfileString("Disk Usage", "Size List", "old|old|");
    g_profile->WriteProfileString("Disk Usage", "Total Size List", "old|old|");
    g_profile->WriteProfileString("Disk Usage", "Percent List", "old|old|");
    OpenSheet open(1);
    CDiskUsagePage& page = open.sheet.m_pageDiskUsage;
    ASSERT_EQ(page.m_list.GetItemCount(), 2);

    HWND edit = page.GetDlgItem(1014)->m_hWnd;
    g_abortButton = page.GetDlgItem(1012)->m_hWnd;
    g_abortAt = "X:\\big";
    g_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchFolderDisplay)));
    page.SendMessage(WM_COMMAND, MAKEWPARAM(1009, BN_CLICKED), LPARAM(page.GetDlgItem(1009)->m_hWnd));
    SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_editProc));

    EXPECT_TRUE(g_abortAt.empty()) << "the big folder was never shown";
    EXPECT_EQ(Row(page.m_list, 0, 7), (std::vector<std::string>{"aaa", "X:\\usage\\sub", "0", "2", "0.00", "2.00", "0"}));
    EXPECT_EQ(Row(page.m_list, 1, 7), (std::vector<std::string>{"zzz", "X:\\big", "old", "old", "old", "old", "old"}));
    EXPECT_FALSE(page.IsBusy());
    EXPECT_FALSE(IsWindowVisible(g_abortButton));
    EXPECT_TRUE(IsWindowEnabled(page.GetDlgItem(1009)->m_hWnd));
}

namespace {

// Answers each message box this thread shows with OK, keeping its text.
std::vector<std::string> g_messages;
BOOL CALLBACK AnswerMessageBox(HWND hwnd, LPARAM)
{
    char cls[16] = {}, text[512] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    HWND textControl = GetDlgItem(hwnd, 0xFFFF);
    if (IsWindowVisible(hwnd) && std::string(cls) == "#32770" && textControl) {
        GetWindowTextA(textControl, text, sizeof text);
        g_messages.push_back(text);
        SendMessageA(hwnd, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}
void CALLBACK AnswerMessageBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerMessageBox, 0);
}

void Press(CDiskUsagePage& page, int button)
{
    g_messages.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerMessageBoxes);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), LPARAM(page.GetDlgItem(button)->m_hWnd));
    KillTimer(nullptr, timer);
}

}  // namespace

TEST(DiskUsage, HardNamesAndDeepPathsGiveTheFiguresOfFindAndDu)
{
    // The script's own tally of X:\hard for "txt äbc": matching and all files, then their bytes.
    FILE* file = std::fopen("X:\\hard-expected.txt", "r");
    ASSERT_NE(file, nullptr);
    unsigned long long expected[4] = {};
    ASSERT_EQ(std::fscanf(file, "%llu %llu %llu %llu", &expected[0], &expected[1], &expected[2], &expected[3]), 4);
    std::fclose(file);
    UsageTotals tally{uint32_t(expected[0]), uint32_t(expected[1]), expected[2], expected[3]};
    ASSERT_GT(tally.matchCount, 10u);

    const std::string list = "txt \xE4" "bc";
    UsageTotals totals;
    FolderWalk walk{ListFolderWin32, [] { return true; }, [](const std::string&) {}, LowerInCodePage};
    ASSERT_EQ(ScanFolderTree("X:\\hard", list, walk, totals), ScanResult::done);
    EXPECT_EQ(totals.matchCount, tally.matchCount);
    EXPECT_EQ(totals.totalCount, tally.totalCount);
    EXPECT_EQ(totals.matchBytes, tally.matchBytes);
    EXPECT_EQ(totals.totalBytes, tally.totalBytes);
    EXPECT_EQ(totals.unreachableFolders, 0u);

    // The page, given the list in capitals, stores it folded and shows the same figures.
    g_profile->Clear();
    OpenSheet open(1);
    CDiskUsagePage& page = open.sheet.m_pageDiskUsage;
    ASSERT_EQ(page.ScanRecord(-1, "TXT \xC4" "BC", "X:\\hard"), CDiskUsagePage::kScanDone);
    UsageTexts texts = MakeUsageTexts(tally);
    EXPECT_EQ(Row(page.m_list, 0, 7),
              (std::vector<std::string>{list, "X:\\hard", texts.matchCount.c_str(), texts.totalCount.c_str(),
                                        texts.matchMegabytes.c_str(), texts.totalMegabytes.c_str(),
                                        texts.percent.c_str()}));
}

TEST(DiskUsage, AFolderThatIsGoneKeepsItsFiguresAndIsReported)
{
    g_profile->Clear();
    g_profile->WriteProfileString("Disk Usage", "Extension List", "aaa|bbb|ccc|");
    g_profile->WriteProfileString("Disk Usage", "Path List", "X:\\gone|X:\\usage\\sub|X:\\usage\\gone|");
    for (const char* name : {"NumFile List", "Total NumFile List", "Size List", "Total Size List", "Percent List"})
        g_profile->WriteProfileString("Disk Usage", name, "7|7|7|");
    OpenSheet open(1);
    CDiskUsagePage& page = open.sheet.m_pageDiskUsage;
    ASSERT_EQ(page.m_list.GetItemCount(), 3);
    const std::vector<std::string> gone = {"aaa", "X:\\gone", "7", "7", "7", "7", "7"};

    Press(page, 1009);
    EXPECT_EQ(g_messages, std::vector<std::string>{"One or more records do not have valid paths"});
    EXPECT_EQ(Row(page.m_list, 0, 7), gone);
    EXPECT_EQ(Row(page.m_list, 1, 7), (std::vector<std::string>{"bbb", "X:\\usage\\sub", "0", "2", "0.00", "2.00", "0"}));
    EXPECT_EQ(Row(page.m_list, 2, 7)[2], "7");

    page.m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    Press(page, 1010);
    EXPECT_EQ(g_messages, std::vector<std::string>{"The selected record no longer has a valid path"});
    EXPECT_EQ(Row(page.m_list, 0, 7), gone);
    EXPECT_TRUE(IsWindowEnabled(page.GetDlgItem(1009)->m_hWnd));
}
