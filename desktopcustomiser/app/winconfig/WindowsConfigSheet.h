// The Windows Configuration sheet: pages that edit settings of Windows itself (boot options,
// shell icons, shell folders, shell options), each reading when built and writing on apply.
#pragma once

#include "FileTypesPage.h"
#include "SheetLook.h"
#include "WindowsSettings.h"
#include "framework/Controls.h"

#include <memory>

class CMiscPage : public CPropertyPage {
public:
    CMiscPage();
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnApply() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnChanged() { SetModified(TRUE); }
    DECLARE_MESSAGE_MAP()

private:
    void ApplySettings();
    CButton m_buttonDragFull;
    CButton m_buttonFontSmoothing;
    int m_bDragFullWindows = 0;
    int m_bNumericTail = 1;
    int m_bAnimatedMenus = 0;
    int m_bFontSmoothing = 0;
    CString m_strMenuDelay;
    int m_bSmoothScroll = 0;
    int m_bApplied = 0;
    CToolTipCtrl m_toolTip;
};

class CShellFolderPage : public CPropertyPage {
public:
    CShellFolderPage();
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    CListCtrl m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    CEdit m_editLocation;
    CStatic m_staticName;
    CToolTipCtrl m_toolTip;
};

class CShellIconPropertiesDialog : public CDialog {
public:
    explicit CShellIconPropertiesDialog(CWnd* pParent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;

    int m_nKey = -1;
    CString m_strIconFile;
    int m_nIconNumber = 0;
    int m_nIconCount = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnBrowse();
    void OnDefaultIcon();
    void OnPlusIcon();
    void OnNumberChanged();
    void OnFileChanged();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void UpdateCurrentIcon();
    void UpdateIconCount();
    CStatic m_staticPlusLabel;
    CSpinButtonCtrl m_spin;
    CStatic m_staticPlusIcon;
    CButton m_buttonPlus;
    CEdit m_editNumber;
    CEdit m_editFile;
    CStatic m_staticDefaultIcon;
    CStatic m_staticCurrentIcon;
};

class CShellIconPage : public CPropertyPage {
public:
    CShellIconPage();
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnApply() override;
    void OnOK() override;
    void SetModified(BOOL bChanged = TRUE);

    // Row table lookups, shared with the properties dialog.
    static CString GetRowName(int key);
    static IconLocation GetDefaultIcon(int key);
    static int GetPlusIconIndex(int key);

    CListCtrl m_list;
    void ShowIconProperties(int row);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnContextMenu(CWnd* pWnd, POINT point);
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDefaultIcon();
    void OnPlusIcon();
    void OnModify();
    void OnRestoreAll();
    void OnLargeIcons();
    void OnDetails();
    DECLARE_MESSAGE_MAP()

private:
    void FillIconList();
    void SetRowIcon(int row, int key, const IconLocation& location);
    void Sort(int column);
    bool ApplyIcons();  // false when a write was refused (and taken back)
    ShellIconRow* RowOf(int key);

    CButton m_buttonModify;
    CButton m_buttonPlus;
    CButton m_buttonDefault;
    int m_bModified = 0;
    CImageList m_imageList;
    CToolTipCtrl m_toolTip;
    std::vector<ShellIconRow> m_rows;  // what each key read, and what the user left
    static int s_nSortState;
};

class CStartupOptionsPage : public CPropertyPage {
public:
    CStartupOptionsPage();
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnApply() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnBootMulti();
    void OnDiskCompression();
    void OnChanged() { SetModified(TRUE); }
    DECLARE_MESSAGE_MAP()

private:
    bool SaveOptions();  // false when the file could not be written, or a field was refused
    CButton m_buttonBootMulti;
    CButton m_buttonBootWin;
    CButton m_buttonCompression;
    BootFileState m_read;
    BootOptions m_options;
    CToolTipCtrl m_toolTip;
};

class CWindowsConfigSheet : public CLookSheet {
public:
    explicit CWindowsConfigSheet(CWnd* pParentWnd);

    std::unique_ptr<CFileTypesPage> m_pFileTypesPage;
    std::unique_ptr<CShellIconPage> m_pShellIconPage;
    std::unique_ptr<CShellFolderPage> m_pShellFolderPage;
    std::unique_ptr<CMiscPage> m_pMiscPage;
    std::unique_ptr<CStartupOptionsPage> m_pStartupOptionsPage;
    std::unique_ptr<CPropertyPage> m_pAboutPage;
};

// The boot file the boot options page edits.
extern const char kBootFile[];
