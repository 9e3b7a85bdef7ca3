// The wallpaper page of the image changer sheet, with its Tile and (with the Plus! pack)
// Stretch columns, and the dialog that edits one wallpaper entry.
#pragma once

#include "ImageListPage.h"
#include "framework/CDialog.h"

// Whether the Plus! pack is installed; in-process tests put their own answer here.
extern BOOL (*g_pfnPlusPackInstalled)();

class CWallpaperPropertiesDialog : public CDialog {
public:
    explicit CWallpaperPropertiesDialog(CWnd* pParentWnd = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CEdit m_edit;
    CString m_strFile;
    int m_nStyle = 0;  // 0 centred, 1 tiled, 2 stretched
    CToolTipCtrl m_toolTip;

protected:
    void OnBrowse();
    DECLARE_MESSAGE_MAP()
};

class CSetWallpaperPage : public CImageListPage {
public:
    CSetWallpaperPage();
    BOOL OnInitDialog() override;

    BOOL m_bPlusPack = FALSE;

protected:
    void AddColumns(int width) override;
    bool HasFlags() const override { return true; }
    bool HasStretch() const override { return m_bPlusPack != FALSE; }
    void ShowRowFlags(int row, const ImageRow& flags) override;
    void EditItem(int row) override;
    void ApplyRow(int row, const CString& path) override;
    void OnNoRowsToRandomize() override;

    void OnModify();
    DECLARE_MESSAGE_MAP()
};
