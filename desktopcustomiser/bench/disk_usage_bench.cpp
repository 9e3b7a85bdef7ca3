// Measures the disk usage page's scan against a bare file-search walk of the same tree in the
// same process, and how long an Abort click takes to stop a scan. Prints one line per figure.
#include "DiskInfoSheet.h"
#include "TunewrightApp.h"
#include "framework/Afx.h"

#include <cstdio>
#include <string>

namespace {

double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

uint64_t BareWalk(const std::string& folder)
{
    uint64_t files = 0;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (data.cFileName[0] != '.' && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                files += BareWalk(folder + "\\" + data.cFileName);
        } else {
            ++files;
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return files;
}

HWND g_abort;
double g_clickedAt;
DWORD WINAPI ClickAbortLater(void*)
{
    Sleep(80);
    g_clickedAt = Now();
    PostMessageA(g_abort, BM_CLICK, 0, 0);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: disk_usage_bench FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    AfxWinInit(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL);
    theApp.SetRegistryKey("Marrowby Corp.");
    theApp.SetProfileStore(std::make_unique<MemoryProfileStore>());
    CDiskInfoSheet sheet(nullptr);
    sheet.m_psh.nStartPage = 1;
    if (!sheet.Create(nullptr))
        return 1;
    CDiskUsagePage& page = sheet.m_pageDiskUsage;

    uint64_t files = BareWalk(folder);  // warms the file system's caches for both
    double bare = 1e300, scan = 1e300;
    for (int round = 0; round < 3; ++round) {
        double start = Now();
        BareWalk(folder);
        bare = std::min(bare, Now() - start);
        start = Now();
        if (page.ScanRecord(-1, "*", folder.c_str()) != CDiskUsagePage::kScanDone) {
            std::fprintf(stderr, "the page could not scan %s\n", folder.c_str());
            return 1;
        }
        scan = std::min(scan, Now() - start);
    }
    std::printf("files: %llu\n", static_cast<unsigned long long>(files));
    std::printf("bare walk: %.1f ms\n", bare);
    std::printf("page scan: %.1f ms\n", scan);
    std::printf("ratio: %.2f\n", scan / bare);

    g_abort = page.GetDlgItem(1012)->m_hWnd;
    HANDLE clicker = CreateThread(nullptr, 0, ClickAbortLater, nullptr, 0, nullptr);
    page.m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(1010, BN_CLICKED), LPARAM(page.GetDlgItem(1010)->m_hWnd));
    double stoppedAt = Now();
    WaitForSingleObject(clicker, INFINITE);
    CloseHandle(clicker);
    if (g_clickedAt > 0 && stoppedAt > g_clickedAt)
        std::printf("abort latency: %.1f ms\n", stoppedAt - g_clickedAt);
    else
        std::printf("abort latency: scan ended before the click\n");
    sheet.DestroyWindow();
    return 0;
}
