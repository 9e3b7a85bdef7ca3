#include "framework/CDataExchange.h"

#include "framework/CWinApp.h"
#include "framework/DataExchangeText.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

namespace {

CString ControlText(HWND hWndCtrl)
{
    CString text;
    if (hWndCtrl) {
        int length = ::GetWindowTextLengthA(hWndCtrl);
        ::GetWindowTextA(hWndCtrl, text.GetBuffer(length), length + 1);
        text.ReleaseBuffer();
    }
    return text;
}

void Refuse(CDataExchange* pDX, const char* message)
{
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// The signed and unsigned fields differ only in how their text is read, refused and written.
template <typename T>
void ExchangeNumber(CDataExchange* pDX, int nIDC, T& value, std::optional<T> (*parse)(const char*),
                    const char* refusal, const char* format)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        std::optional<T> parsed = parse(ControlText(hWndCtrl));
        if (!parsed)
            Refuse(pDX, refusal);
        value = *parsed;
    } else {
        CString text;
        text.Format(format, value);
        ::SetWindowTextA(hWndCtrl, text);
    }
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeNumber(pDX, nIDC, value, ParseDialogInt, kDialogParseIntMessage, "%d");
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeNumber(pDX, nIDC, value, ParseDialogUInt, kDialogParseUIntMessage, "%u");
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hWndCtrl);
    else
        ::SetWindowTextA(hWndCtrl, value);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    // The group runs from the first button to the next control with WS_GROUP.
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    bool states[64] = {};
    int count = 0;
    if (!pDX->m_bSaveAndValidate)
        value = value < -1 ? -1 : value;
    for (HWND h = hWndCtrl; h && count < 64; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h != hWndCtrl && (::GetWindowLongPtrA(h, GWL_STYLE) & WS_GROUP))
            break;
        if (!(::SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            continue;
        if (pDX->m_bSaveAndValidate)
            states[count] = ::SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
        else
            ::SendMessageA(h, BM_SETCHECK, count == value ? BST_CHECKED : BST_UNCHECKED, 0);
        ++count;
    }
    if (pDX->m_bSaveAndValidate)
        value = RadioIndexFromStates(states, count);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (!rControl.m_hWnd) {
        HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
        rControl.SubclassWindow(hWndCtrl);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        Refuse(pDX, DialogIntRangeMessage(minVal, maxVal));
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        Refuse(pDX, DialogIntRangeMessage(minVal, maxVal));
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars)
        Refuse(pDX, DialogMaxCharsMessage(nChars));
    else if (!pDX->m_bSaveAndValidate && pDX->m_hWndLastControl && pDX->m_bEditLastControl)
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
}
