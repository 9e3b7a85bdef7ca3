// The Background Music Configuration sheet: named play lists of multimedia files, the list that
// plays, and random or in-order play, kept in the profile section "Background Music".
#pragma once

#include "PlayLists.h"

#include "AboutDialog.h"
#include "SheetLook.h"
#include "framework/Controls.h"

#include <vector>

class CMIDIPage : public CPropertyPage {
public:
    CMIDIPage();

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // What Add does with the files chosen: each goes on top, in the order given.
    void InsertFiles(const std::vector<CString>& paths);

    CTreeCtrl m_tree;
    CButton m_btnUp;
    CButton m_btnRemove;
    CButton m_chkRandom;
    CButton m_btnDown;
    CButton m_btnAdd;
    CListCtrl m_list;
    int m_bRandom = 0;
    CToolTipCtrl m_toolTip;
    BOOL m_bEditingLabel = FALSE;
    PlayListsRead m_read;  // what the save compares with
    bool m_bStored = true;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnAdd();
    void OnRandomClicked();
    void OnRemove();
    void OnDown();
    void OnUp();
    void OnDelete();
    void OnNew();
    void OnSelChanging(NMHDR* pNotify, LRESULT* pResult);
    void OnSelChanged(NMHDR* pNotify, LRESULT* pResult);
    void OnBeginLabelEdit(NMHDR* pNotify, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNotify, LRESULT* pResult);
    LRESULT OnEditLabelAgain(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void LoadPlayLists();
    void EnableFileControls(BOOL bEnable);
    void StoreRows(HTREEITEM hItem);
    void ShowFiles(HTREEITEM hItem);
    void Move(bool up);
    std::vector<CString> ListNames(HTREEITEM hExcept) const;
    static CString* FilesOf(const CTreeCtrl& tree, HTREEITEM hItem);
};

class CMediaSheet : public CLookSheet {
public:
    explicit CMediaSheet(CWnd* pParentWnd);
    INT_PTR DoModal() override;

    CMIDIPage m_midiPage;
    CAboutPage m_aboutPage;
};
