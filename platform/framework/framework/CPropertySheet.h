// Property pages and property sheets (tabbed, or a wizard). A sheet runs modeless under the
// framework's own modal loop, so pre-translation reaches its pages, and a page's sheet may
// open another sheet (nested sheets).
#pragma once

#include "framework/CDialog.h"

#include <prsht.h>

#include <vector>

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

    PROPSHEETPAGE m_psp;

    void SetModified(BOOL bChanged = TRUE);
    void CancelToClose();
    CPropertySheet* GetSheet() const;

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    void OnOK() override;
    void OnCancel() override;
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    virtual BOOL OnWizardFinish();

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PostNcDestroy() override {}

private:
    CString m_strCaption;
    friend INT_PTR CALLBACK AfxPageDlgProc(HWND, UINT, WPARAM, LPARAM);
};

INT_PTR CALLBACK AfxPageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CPropertySheet : public CWnd {
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(const char* pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(const CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    void SetTitle(const char* lpszText, UINT nStyle = 0);
    void SetWizardMode();
    void SetWizardButtons(DWORD dwFlags);
    void PressButton(int nButton);
    // A wizard's last page: the Next button becomes a Finish button with this caption.
    void SetFinishText(const char* lpszText);
    CWnd* GetTabControl() const;
    void EndDialog(int nEndID);

    // Modal: IDOK (ID_WIZFINISH for a finished wizard) or IDCANCEL.
    virtual INT_PTR DoModal();
    // Modeless: the sheet stays until the owner destroys it.
    BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = DWORD(-1), DWORD dwExStyle = 0);
    // Runs once the sheet and its first page exist.
    virtual BOOL OnInitDialog();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Menu and accelerator commands the sheet does not take go on to the active page: a page's
    // context menu is owned by the sheet, its top-level window.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    PROPSHEETHEADER m_psh;

protected:
    void PostNcDestroy() override {}
    void BuildHeader(HWND hWndOwner);

private:
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGE> m_pageData;
    CString m_strCaption;
    CWnd* m_pParentWnd = nullptr;
    int m_nModalResult = IDCANCEL;
    bool m_bModeless = false;
};
