// Dialogs from templates in the program's resources, modeless (Create) or modal (DoModal).
// The modal loop is the framework's own, so pre-translation (tooltip relaying, dialog keys)
// works inside modal dialogs as it does in the main loop.
#pragma once

#include "framework/CDataExchange.h"
#include "framework/CWnd.h"

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);
    // Moves values (TRUE: controls to members, validating); FALSE when a value was refused, or
    // when controls are read back while a move the other way is still filling them.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    void GotoDlgCtrl(CWnd* pWndCtrl);
    void NextDlgCtrl() const;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    UINT m_nIDHelp = 0;
    const char* m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

protected:
    // Runs messages until EndDialog; the dialog's owner is disabled meanwhile.
    int RunModalLoop();
    bool m_bInModalLoop = false;
    bool m_bFillingControls = false;  // UpdateData(FALSE) under way
    int m_nModalResult = -1;
    bool m_bContinueModal = false;

    DECLARE_MESSAGE_MAP()

    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
};

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The window modal dialogs and sheets are owned by: the given one's top-level window, else
// the application's main window; nullptr when neither exists.
HWND AfxGetModalOwner(CWnd* pParentWnd);
