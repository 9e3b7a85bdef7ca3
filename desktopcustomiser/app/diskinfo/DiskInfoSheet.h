// The Disk Info sheet: information on every drive, and disk usage records that count the files
// of chosen extensions below a folder (or on all fixed drives).
#pragma once

#include "AboutDialog.h"
#include "SheetLook.h"
#include "DiskUsage.h"
#include "framework/Controls.h"

#include <string>

class CDiskUsageDataDialog : public CDialog {
public:
    explicit CDiskUsageDataDialog(CWnd* pParent = nullptr);
    CString m_strExtensions;
    CString m_strPath;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnBrowse();
    DECLARE_MESSAGE_MAP()

private:
    CEdit m_editExtensions;
    CEdit m_editPath;
};

class CDiskUsagePage : public CPropertyPage {
public:
    CDiskUsagePage();

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;
    void OnCancel() override;
    BOOL OnQueryCancel() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Scans a row in place (nRow >= 0) or a new record. When the scan was stopped, or the folder
    // cannot be listed (it no longer exists), the row is left as it was and no record is added.
    static constexpr int kScanStopped = 0, kScanDone = 1, kScanNoFolder = 2;
    int ScanRecord(int nRow, const char* extensions = nullptr, const char* path = nullptr);
    bool IsBusy() const { return m_bBusy; }
    CListCtrl m_list;

protected:
    void OnAdd();
    void OnRemove();
    void OnUpdate();
    void OnUpdateAll();
    void OnAbort();
    void OnListRightClick(NMHDR*, LRESULT* pResult);
    void OnListDoubleClick(NMHDR*, LRESULT* pResult);
    LRESULT OnQueryEndSession(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void SetScanning(bool scanning);
    void AddRecordFromDialog(const char* extensions, const char* path);
    bool KeepScanning();
    void ShowFolder(const std::string& folder, bool now);
    FolderWalk MakeWalk();
    bool ScanAllFixedDrives(const std::string& extensions, UsageTotals& totals);
    void ReportUnreachableFolders();
    int InsertRecordRow(const char* extensions);

    bool m_bBusy = false;
    bool m_bStored = true;
    UsagePageRead m_read;  // what the save compares with
    uint32_t m_unreachableFolders = 0;  // since the command began: told once after it
    DWORD m_lastPump = 0;
    DWORD m_lastFolderShown = 0;
    CEdit m_editFolder;
    CStatic m_staticStatus;
    CButton m_buttonAbort;
    CToolTipCtrl m_toolTip;
};

class CDriveInfoPage : public CPropertyPage {
public:
    CDriveInfoPage();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void Refresh();
    CListCtrl m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnUpdateInfo() { Refresh(); }
    DECLARE_MESSAGE_MAP()

private:
    void ShowBusy(bool busy);
    CEdit m_editProgress;
    CStatic m_staticWait;
    CToolTipCtrl m_toolTip;
};

class CDiskInfoSheet : public CLookSheet {
public:
    explicit CDiskInfoSheet(CWnd* pParentWnd);

    CDriveInfoPage m_pageDriveInfo;
    CDiskUsagePage m_pageDiskUsage;
    CAboutPage m_pageAbout;

protected:
    // The end of the Windows session reaches only top-level windows: the sheet tells the page.
    LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Lists one folder through the platform's file search: sizes with their high 32 bits, links
// and reparse points marked so that the walk never follows them, and each name with its short
// name and whether the ANSI code page holds it exactly.
bool ListFolderWin32(const std::string& folder, const std::function<bool(const FolderEntry&)>& visit);
// The platform's lower-casing in the ANSI code page.
std::string LowerInCodePage(const std::string& text);
