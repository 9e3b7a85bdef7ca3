#include "framework/CDialog.h"

#include "framework/CWinApp.h"
#include "framework/ModalWindows.h"

#include <new>

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd)
{
    m_nIDHelp = nIDTemplate;
}

HWND AfxGetModalOwner(CWnd* pParentWnd)
{
    HWND hWnd = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    if (!hWnd) {
        CWnd* main = AfxGetMainWnd();
        hWnd = main ? main->m_hWnd : nullptr;
    }
    while (hWnd && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

namespace {

// A modal dialog that its template does not place and its initialisation does not move opens
// centred over its owner: the system would put it at the owner's corner or the screen's, and
// one the template centres in the middle of the screen, half off an owner away from it.
void CentreUnplacedDialog(CDialog& dialog, const RECT& before)
{
    DWORD style = dialog.GetStyle();
    if (style & (WS_VISIBLE | WS_CHILD | DS_CENTERMOUSE | DS_ABSALIGN))
        return;
    RECT after;
    dialog.GetWindowRect(&after);
    if (after.left != before.left || after.top != before.top)
        return;
    HWND owner = ::GetWindow(dialog.m_hWnd, GW_OWNER);
    if (owner && ::IsWindowEnabled(owner))
        return;  // modeless beside an owner the user still works in
    dialog.CenterWindow();
}

}  // namespace

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    if (!pDialog)
        return TRUE;
    try {
        RECT before;
        ::GetWindowRect(hWnd, &before);
        BOOL result = pDialog->OnInitDialog();
        if (::IsWindow(hWnd))
            CentreUnplacedDialog(*pDialog, before);
        return result;
    } catch (const std::bad_alloc&) {
        AfxReportOutOfMemory();
        return TRUE;
    } catch (...) {
        return TRUE;
    }
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_lpszTemplateName = MAKEINTRESOURCEA(nIDTemplate);
    if (!m_nIDHelp)
        m_nIDHelp = nIDTemplate;
    m_pParentWnd = pParentWnd;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogParamA(AfxGetResourceHandle(), m_lpszTemplateName,
                                     pParentWnd ? pParentWnd->m_hWnd : nullptr, AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    return hWnd != nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (AfxEndingModalWindows())
        return IDCANCEL;  // the program is leaving: nothing new opens
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, m_lpszTemplateName, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
    auto* pTemplate = hTemplate ? static_cast<LPCDLGTEMPLATEA>(::LockResource(hTemplate)) : nullptr;
    if (!pTemplate)
        return -1;

    HWND hWndOwner = AfxGetModalOwner(m_pParentWnd);
    bool enableOwner = hWndOwner && ::IsWindowEnabled(hWndOwner);
    if (enableOwner)
        ::EnableWindow(hWndOwner, FALSE);

    m_nModalResult = -1;
    m_bInModalLoop = true;
    m_bContinueModal = true;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, pTemplate, hWndOwner, AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd) {
        CModalWindowScope scope(hWnd);
        if (!::IsWindowVisible(hWnd) && m_bContinueModal)
            ::ShowWindow(hWnd, SW_SHOWNORMAL);
        RunModalLoop();
    }
    m_bInModalLoop = false;
    // The owner comes back before the dialog goes so that activation returns to it.
    if (enableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (m_hWnd) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    return m_nModalResult;
}

int CDialog::RunModalLoop()
{
    m_bContinueModal = m_nModalResult == -1;
    while (m_bContinueModal) {
        if (!AfxPumpModalMessage()) {
            if (m_nModalResult == -1)
                m_nModalResult = IDCANCEL;
            break;
        }
        if (!m_hWnd) {
            if (m_nModalResult == -1)
                m_nModalResult = IDCANCEL;
            break;
        }
    }
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_bInModalLoop) {
        m_nModalResult = nResult;
        m_bContinueModal = false;
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    } else if (m_hWnd) {
        ::EndDialog(m_hWnd, nResult);
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    // Filling one control sends its change notice before the next control holds its value: a
    // handler that reads the controls back meanwhile would read half-filled ones.
    if (bSaveAndValidate && m_bFillingControls)
        return FALSE;
    struct Filling {
        bool& flag;
        bool was;
        ~Filling() { flag = was; }
    } filling{m_bFillingControls, m_bFillingControls};
    if (!bSaveAndValidate)
        m_bFillingControls = true;
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl && pWndCtrl->m_hWnd)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1);
}

void CDialog::NextDlgCtrl() const
{
    SendMessage(WM_NEXTDLGCTL, 0, 0);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (!m_hWnd || (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST))
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}
