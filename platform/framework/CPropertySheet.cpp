#include "framework/CPropertySheet.h"

#include "framework/CWinApp.h"
#include "framework/ModalWindows.h"

#include <new>
#include "framework/FrameworkIds.h"

// ---- pages ----------------------------------------------------------------------------------

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate)
{
    m_psp = {};
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = MAKEINTRESOURCEA(nIDTemplate);
    m_psp.pfnDlgProc = AfxPageDlgProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    if (nIDCaption && m_strCaption.LoadString(nIDCaption)) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
}

// Pages are made by the sheet control when first shown; the object comes with the page data
// in WM_INITDIALOG, and from then on the page runs through the framework's procedure.
INT_PTR CALLBACK AfxPageDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CPropertyPage* pPage = dynamic_cast<CPropertyPage*>(CWnd::FromHandlePermanent(hWnd));
    if (!pPage) {
        auto* psp = reinterpret_cast<const PROPSHEETPAGE*>(lParam);
        pPage = psp ? reinterpret_cast<CPropertyPage*>(psp->lParam) : nullptr;
        if (!pPage || !pPage->SubclassWindow(hWnd))
            return TRUE;
    }
    try {
        return pPage->OnInitDialog();
    } catch (const std::bad_alloc&) {
        AfxReportOutOfMemory();
        return TRUE;
    } catch (...) {
        return TRUE;
    }
}

CPropertySheet* CPropertyPage::GetSheet() const
{
    return dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    HWND hWndSheet = ::GetParent(m_hWnd);
    if (hWndSheet)
        ::SendMessageA(hWndSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CPropertyPage::CancelToClose()
{
    HWND hWndSheet = ::GetParent(m_hWnd);
    if (hWndSheet)
        ::SendMessageA(hWndSheet, PSM_CANCELTOCLOSE, 0, 0);
}

BOOL CPropertyPage::OnSetActive() { return TRUE; }
BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }
LRESULT CPropertyPage::OnWizardBack() { return 0; }
LRESULT CPropertyPage::OnWizardNext() { return 0; }
BOOL CPropertyPage::OnWizardFinish() { return TRUE; }

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    LRESULT result = 0;
    bool handled = true;
    switch (pNMHDR->code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_QUERYCANCEL:
        result = OnQueryCancel() ? FALSE : TRUE;
        break;
    case PSN_WIZBACK:
        result = OnWizardBack();
        break;
    case PSN_WIZNEXT:
        result = OnWizardNext();
        break;
    case PSN_WIZFINISH:
        result = OnWizardFinish() ? FALSE : TRUE;
        break;
    default:
        handled = false;
        break;
    }
    if (!handled)
        return CDialog::OnNotify(wParam, lParam, pResult);
    // The sheet reads the answer from the message result or the dialog's result slot.
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    *pResult = result;
    return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG*)
{
    return FALSE;  // the sheet handles the dialog keys of its pages
}

// ---- sheets ---------------------------------------------------------------------------------

CPropertySheet::CPropertySheet()
{
    CommonConstruct(nullptr, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(const char* pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    m_psh = {};
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_pages.push_back(pPage);
    if (m_hWnd) {
        HPROPSHEETPAGE hPage = ::CreatePropertySheetPageA(&pPage->m_psp);
        if (hPage)
            ::SendMessageA(m_hWnd, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(hPage));
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int index = GetPageIndex(pPage);
    if (index < 0)
        return;
    if (m_hWnd)
        ::SendMessageA(m_hWnd, PSM_REMOVEPAGE, static_cast<WPARAM>(index), 0);
    m_pages.erase(m_pages.begin() + index);
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* pPage) const
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i] == pPage)
            return static_cast<int>(i);
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    if (!m_hWnd)
        return GetPage(static_cast<int>(m_psh.nStartPage));
    HWND hWndPage = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    return dynamic_cast<CPropertyPage*>(CWnd::FromHandlePermanent(hWndPage));
}

int CPropertySheet::GetActiveIndex() const
{
    return GetPageIndex(GetActivePage());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (!m_hWnd) {
        m_psh.nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    return static_cast<BOOL>(::SendMessageA(m_hWnd, PSM_SETCURSEL, static_cast<WPARAM>(nPage), 0));
}

void CPropertySheet::SetTitle(const char* lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    if (m_hWnd)
        ::SendMessageA(m_hWnd, PSM_SETTITLE, nStyle, reinterpret_cast<LPARAM>(lpszText));
    else if (nStyle & PSH_PROPTITLE)
        m_psh.dwFlags |= PSH_PROPTITLE;
}

void CPropertySheet::SetWizardMode()
{
    m_psh.dwFlags |= PSH_WIZARD;
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    if (m_hWnd)
        ::PostMessageA(m_hWnd, PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(dwFlags));
}

void CPropertySheet::SetFinishText(const char* lpszText)
{
    if (m_hWnd)
        ::SendMessageA(m_hWnd, PSM_SETFINISHTEXTA, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CPropertySheet::PressButton(int nButton)
{
    if (m_hWnd)
        ::SendMessageA(m_hWnd, PSM_PRESSBUTTON, static_cast<WPARAM>(nButton), 0);
}

CWnd* CPropertySheet::GetTabControl() const
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0)));
}

void CPropertySheet::EndDialog(int nEndID)
{
    m_nModalResult = nEndID;
    PressButton(nEndID == IDOK ? PSBTN_OK : PSBTN_CANCEL);
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT message, LPARAM)
{
    if (message == PSCB_INITIALIZED) {
        if (auto* pSheet = dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(hWnd))) {
            try {
                pSheet->OnInitDialog();
            } catch (const std::bad_alloc&) {
                AfxReportOutOfMemory();
            } catch (...) {
            }
        }
    }
    return 0;
}

BOOL CPropertySheet::OnInitDialog()
{
    return TRUE;
}

void CPropertySheet::BuildHeader(HWND hWndOwner)
{
    m_pageData.clear();
    for (CPropertyPage* pPage : m_pages)
        m_pageData.push_back(pPage->m_psp);
    m_psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK;
    m_psh.hwndParent = hWndOwner;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = static_cast<UINT>(m_pageData.size());
    m_psh.ppsp = m_pageData.data();
    m_psh.pfnCallback = SheetCallback;
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // How the sheet is ended decides the modal result.
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case IDOK:
            m_nModalResult = IDOK;
            break;
        case ID_WIZFINISH:
            m_nModalResult = ID_WIZFINISH;
            break;
        case IDCANCEL:
            m_nModalResult = IDCANCEL;
            break;
        default:
            break;
        }
    } else if (message == PSM_PRESSBUTTON) {
        if (wParam == PSBTN_OK)
            m_nModalResult = IDOK;
        else if (wParam == PSBTN_FINISH)
            m_nModalResult = ID_WIZFINISH;
        else if (wParam == PSBTN_CANCEL)
            m_nModalResult = IDCANCEL;
    } else if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
        m_nModalResult = IDCANCEL;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    if (lParam != 0)
        return FALSE;
    // The sheet's own buttons (OK, Cancel, Apply, the wizard's) are the sheet control's, in
    // whatever form their command comes.
    if (::GetDlgItem(m_hWnd, LOWORD(wParam)))
        return FALSE;
    CPropertyPage* page = GetActivePage();
    return page && page->m_hWnd && page->OnCmdMsg(LOWORD(wParam), 0);
}

INT_PTR CPropertySheet::DoModal()
{
    if (AfxEndingModalWindows())
        return IDCANCEL;  // the program is leaving: nothing new opens
    HWND hWndOwner = AfxGetModalOwner(m_pParentWnd);
    bool enableOwner = hWndOwner && ::IsWindowEnabled(hWndOwner);
    BuildHeader(hWndOwner);
    m_bModeless = false;
    m_nModalResult = IDCANCEL;
    if (enableOwner)
        ::EnableWindow(hWndOwner, FALSE);
    AfxHookWindowCreate(this);
    HWND hWnd = reinterpret_cast<HWND>(::PropertySheetA(&m_psh));
    AfxUnhookWindowCreate();
    if (hWnd && !m_hWnd)
        SubclassWindow(hWnd);
    if (hWnd) {
        CModalWindowScope scope(hWnd);
        // The sheet control ends a modeless sheet by having no current page any more.
        while (m_hWnd && ::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0)) {
            if (!AfxPumpModalMessage()) {
                m_nModalResult = IDCANCEL;
                break;
            }
        }
    } else {
        m_nModalResult = -1;
    }
    if (enableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (m_hWnd) {
        if (hWndOwner && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(hWndOwner);
        DestroyWindow();
    }
    return m_nModalResult;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    (void)dwStyle;
    (void)dwExStyle;
    m_pParentWnd = pParentWnd;
    BuildHeader(pParentWnd ? pParentWnd->m_hWnd : nullptr);
    m_bModeless = true;
    AfxHookWindowCreate(this);
    HWND hWnd = reinterpret_cast<HWND>(::PropertySheetA(&m_psh));
    AfxUnhookWindowCreate();
    if (hWnd && !m_hWnd)
        SubclassWindow(hWnd);
    return hWnd != nullptr;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (!m_hWnd || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return FALSE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    return static_cast<BOOL>(::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)));
}
