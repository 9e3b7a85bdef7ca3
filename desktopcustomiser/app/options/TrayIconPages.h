// The pages that edit the user's tray icons and tray menu items, and the dialog that edits one
// entry. Both pages keep their rows in the list until they are saved.
#pragma once

#include "OptionsRules.h"
#include "framework/Controls.h"
#include "framework/CPropertySheet.h"

class CItemPropertiesDialog : public CDialog {
public:
    explicit CItemPropertiesDialog(CWnd* pParentWnd = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CString m_strDescription;
    CString m_strProgram;
    CString m_strParameters;
    int m_bIcon = 1;  // 1 for a tray icon, 0 for a tray menu item

protected:
    void OnBrowse();
    DECLARE_MESSAGE_MAP()

private:
    CToolTipCtrl m_tips;
};

// What tells the two pages apart.
struct UserEntryPageKind {
    UINT dialog;
    const char* section;
    const char* firstList;
    const char* firstHeading;
    UINT firstTip;        // list, Remove, Add, Modify tooltips follow in this order
    UINT noRemoveMessage;
    UINT noModifyMessage;
    UINT limitMessage;
    BOOL icons;           // the tray icon page: changed flag, item dialog for an icon
    UINT settingsFlag;    // what saving tells the main frame
};

class CUserEntryPage : public CPropertyPage {
public:
    explicit CUserEntryPage(const UserEntryPageKind& kind);

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Opens the item dialog on a row, -1 for a new one.
    void EditRow(int row);
    CListCtrl& List() { return m_list; }

protected:
    void OnAdd();
    void OnRemove();
    void OnModify();
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    int SingleSelection() const;
    void PutRow(int row, const char* text, const char* program, const char* parameters);

    const UserEntryPageKind& m_kind;
    // The lists as read, with the entries stored from the first one the page cannot show.
    UserEntryPageRead m_read;
    bool m_bStored = true;
    CListCtrl m_list;
    CToolTipCtrl m_tips;
    BOOL m_bChanged = FALSE;
};

class CTrayIconPage : public CUserEntryPage {
public:
    CTrayIconPage();
};

class CTrayIconMenuPage : public CUserEntryPage {
public:
    CTrayIconMenuPage();
};
