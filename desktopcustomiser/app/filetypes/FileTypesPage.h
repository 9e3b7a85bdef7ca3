// The registered file types: the page that lists them, the properties dialog that edits one
// type, and the modeless editors of its shell actions. Every change reaches the registry at
// once, through the rules of FileTypes.h.
#pragma once

#include "FileTypes.h"
#include "framework/CPropertySheet.h"
#include "framework/Controls.h"

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

// From an action editor to its properties dialog: wParam the ActionRecord or 0, lParam the
// previous display name (const char*) or 0.
#define WM_ACTIONEDITED (WM_USER + 2)

class CEditActionDialog;

// The type key of a row's record: the shell's display-name field holds it.
inline std::string TypeKeyOf(const SHFILEINFOA* record)
{
    return record ? std::string(record->szDisplayName) : std::string();
}

struct ActionRecord {
    CString displayName;
    CString keyName;
    CEditActionDialog* editor = nullptr;
    int cancelled = 0;
};

class CFileTypesPage : public CPropertyPage {
public:
    CFileTypesPage();
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void EditFileType(int item);
    void SetView(DWORD style);

    CListCtrl m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnNew();
    void OnModify();
    void OnRemove();
    void OnLargeIcons();
    void OnDetails();
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnContextMenu(CWnd* pWnd, POINT point);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void FillList();
    void Sort(int column);
    static SHFILEINFOA* RecordOf(const CListCtrl& list, int item);

    CToolTipCtrl m_toolTip;
    static int s_nSortState;
};

class CFileTypePropertiesDialog : public CDialog {
public:
    explicit CFileTypePropertiesDialog(CWnd* pParent = nullptr);
    ~CFileTypePropertiesDialog() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Cancels every open action editor; each reports back before it goes.
    void CloseActionEditors();
    // Leaving the program: editors go, then the dialog ends with Cancel, or with Close once it
    // is close-only. A Close the dialog refuses (an invalid field, reported) still ends it.
    void EndForExit();

    SHFILEINFOA* m_pTypeRecord = nullptr;
    BOOL m_bChanged = FALSE;
    BOOL m_bRecordOwned = FALSE;
    BOOL m_bCancelDisabled = FALSE;
    CString m_strOtherExtensions;
    CString m_strIconFile;
    int m_nIconNumber = 0;
    CString m_strDescription;
    CString m_strExtensions;
    int m_bQuickView = 0;
    int m_bAlwaysShowExt = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnBrowse();
    void OnNumberUpdate();
    void OnFileUpdate();
    void OnNewAction();
    void OnEditAction();
    void OnRemoveAction();
    void OnSetDefault();
    LRESULT OnActionEdited(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    bool SaveFileType(bool closing);
    void OpenActionEditor(bool newAction);
    void DisableCancel();
    void UpdateIconPreview();
    // keepNumber: the number shown stays even beyond the file's icons (the stored one, as the
    // dialog opens).
    void UpdateIconRange(bool keepNumber = false);
    void PutValues();
    void ReleaseRecords();
    // Ends the dialog as Cancel, freeing a type record it made itself.
    void Dismiss();
    ActionRecord* SelectedAction() const;
    std::string TypeKey() const;

    CButton m_buttonOK;
    CButton m_buttonCancel;
    CEdit m_editExtensions;
    CListBox m_listActions;
    CStatic m_staticIcon;
    CEdit m_editDescription;
    CEdit m_editIconNumber;
    CSpinButtonCtrl m_spin;
    CEdit m_editIconFile;
    CToolTipCtrl m_toolTip;
    FileTypeValues m_remembered;
    HICON m_hDefaultIcon = nullptr;
    int m_nIconCount = 0;
    bool m_bControlsReady = false;
    std::vector<std::unique_ptr<ActionRecord>> m_records;
};

class CEditActionDialog : public CDialog {
public:
    CEditActionDialog();
    ~CEditActionDialog() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CString m_strTypeKey;
    ActionRecord* m_pRecord = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void PostNcDestroy() override;
    void OnClose() { OnCancel(); }
    void OnBrowse();
    void UpdateDdeControls();
    DECLARE_MESSAGE_MAP()

private:
    CEdit m_editName;
    CButton m_buttonUseDde;
    CEdit m_editTopic;
    CEdit m_editDdeMessage;
    CEdit m_editIfExec;
    CEdit m_editApplication;
    CString m_strName;
    CString m_strProgram;
    CString m_strApplication;
    CString m_strIfExec;
    CString m_strDdeMessage;
    CString m_strTopic;
    int m_bUseDde = 0;
    ActionValues m_read;  // as shown when the editor opened (empty for a new action)
    CString m_strPreviousName;
    std::unique_ptr<ActionRecord> m_pNewRecord;  // a new action's record until it is handed over
    CToolTipCtrl m_toolTip;
};
