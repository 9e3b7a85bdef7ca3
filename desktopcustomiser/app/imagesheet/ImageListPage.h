// The image list pages of the image changer sheet (wallpapers, startup screens, wait and safe
// shutdown screens) share this base: the list view of image files with their system icons,
// Add, Remove, Up and Down, the popup menus, Set and Set Random, Open in Paint, Preview, the
// two view modes, and the store when the sheet applies.
#pragma once

#include "ImageListRules.h"
#include "SharedDialogs.h"
#include "framework/CPropertySheet.h"
#include "framework/Controls.h"

#include <initializer_list>
#include <utility>

// What differs between the pages.
struct ImagePageSetup {
    const char* section;  // profile section of the category
    int category;         // for CTunewrightApp::ApplyImage
    UINT rowMenu;         // popup menu for a click on a row
    UINT heading;         // column 0
    UINT noSelection;     // Remove without exactly one selected row
    UINT invalidFile;     // Set on a path no file matches
    UINT browseTitle;
    UINT tipRemove, tipAdd, tipList, tipRandom;
};


class CImageListPage : public CPropertyPage {
public:
    CImageListPage(UINT nIDTemplate, const ImagePageSetup& setup);

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CListCtrl m_list;
    int m_bRandomOrder = 0;
    CToolTipCtrl m_toolTip;

    // Every row's item data := its current position.
    void RenumberItems();
    // 0 icon view, 1 report view.
    void SetViewMode(int view);
    int FirstSelectedRow() const;
    CString RowPath(int row) const;

protected:
    // Column 0 and whatever columns the page adds; width is the list's usable width.
    virtual void AddColumns(int width);
    virtual bool HasFlags() const { return false; }
    virtual bool HasStretch() const { return false; }
    virtual void ShowRowFlags(int, const ImageRow&) {}
    // Add (row -1, the new row goes first) or change one row.
    virtual void EditItem(int row) = 0;
    // The install step of Set and Set Random.
    virtual void ApplyRow(int row, const CString& path);
    virtual void OnNoRowsToRandomize() {}

    void LoadList();
    // The path and its system icon into the row; row -1 inserts a new first row. The row, or
    // -1 when the list refused it.
    int PutRow(int row, const char* path);

    void OnAdd();
    void OnRemove();
    void OnUp();
    void OnDown();
    void OnSet();
    void OnSetRandom();
    void OnOpen();
    void OnPreview();
    void OnLargeIcons();
    void OnDetails();
    void OnRandomOrder();
    void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnContextMenu(CWnd* pWnd, POINT pt);
    DECLARE_MESSAGE_MAP()

    const ImagePageSetup& m_setup;
    // The section as read, and the rows as the user leaves them, in display order: the save
    // writes only what differs, and keeps the flags the page does not show.
    ImagePageRead m_read;
    std::vector<ImageRow> m_rows;
    bool m_bStored = true;

private:
    void MoveSelected(bool up);
};
