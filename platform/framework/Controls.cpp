#include "framework/Controls.h"

#include "framework/CWinApp.h"

#include <cstring>

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_LISTVIEWA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, const char* heading, int nFormat, int nWidth, int nSubItem) const
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.fmt = nFormat;
    column.pszText = const_cast<char*>(heading);
    if (nWidth >= 0) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem >= 0) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(nCol),
                                           reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::InsertItem(int nItem, const char* text, int nImage) const
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<char*>(text);
    if (nImage >= 0) {
        item.mask |= LVIF_IMAGE;
        item.iImage = nImage;
    }
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, const char* text) const
{
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<char*>(text);
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(nItem),
                                            reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // The control copies at most the buffer it is given; grow until the text fits.
    CString text;
    for (int size = 256; size <= 65536; size *= 4) {
        LVITEMA item = {};
        item.iSubItem = nSubItem;
        item.pszText = text.GetBuffer(size);
        item.cchTextMax = size;
        int length = static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(nItem),
                                                     reinterpret_cast<LPARAM>(&item)));
        if (length < size - 1) {
            text.ReleaseBuffer(length);
            return text;
        }
    }
    text.ReleaseBuffer();
    return text;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    ::SendMessageA(m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) const
{
    LVITEMA item = {};
    item.state = nState;
    item.stateMask = nMask;
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(nItem),
                                            reinterpret_cast<LPARAM>(&item)));
}

int CListCtrl::FindItemByData(DWORD_PTR dwData) const
{
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = static_cast<LPARAM>(dwData);
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(&find)));
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    m_pOwner = pParentWnd;
    return CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, pParentWnd ? pParentWnd->m_hWnd : nullptr, nullptr);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, const char* lpszText)
{
    if (!pWnd || !pWnd->m_hWnd)
        return FALSE;
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND;
    info.hwnd = m_pOwner ? m_pOwner->m_hWnd : ::GetParent(pWnd->m_hWnd);
    info.uId = reinterpret_cast<UINT_PTR>(pWnd->m_hWnd);
    info.hinst = AfxGetResourceHandle();
    info.lpszText = const_cast<char*>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText)
{
    CString text;
    text.LoadString(nIDText);
    return AddTool(pWnd, text);
}

void CToolTipCtrl::RelayEvent(MSG* pMsg) const
{
    if (!m_hWnd)
        return;
    switch (pMsg->message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        MSG copy = *pMsg;  // the control may not change the message being dispatched
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
        break;
    }
    default:
        break;
    }
}

namespace {

// Reads a text that a control copies into a caller's buffer, growing the buffer until the
// text fits; fill gets the buffer and its size and returns the length copied.
template <typename Fill>
CString ReadGrowing(Fill fill)
{
    CString text;
    for (int size = 256; size <= 65536; size *= 4) {
        int length = fill(text.GetBuffer(size), size);
        if (length < size - 1) {
            text.ReleaseBuffer(length < 0 ? 0 : length);
            return text;
        }
        text.ReleaseBuffer(0);
    }
    return text;
}

}  // namespace

void CListBox::GetText(int nIndex, CString& text) const
{
    int length = GetTextLen(nIndex);
    if (length == LB_ERR) {
        text.Empty();
        return;
    }
    length = int(SendMessage(LB_GETTEXT, WPARAM(nIndex), LPARAM(text.GetBuffer(length + 1))));
    text.ReleaseBuffer(length == LB_ERR ? 0 : length);
}

void CComboBox::GetLBText(int nIndex, CString& text) const
{
    int length = int(SendMessage(CB_GETLBTEXTLEN, WPARAM(nIndex)));
    if (length == CB_ERR) {
        text.Empty();
        return;
    }
    length = int(SendMessage(CB_GETLBTEXT, WPARAM(nIndex), LPARAM(text.GetBuffer(length + 1))));
    text.ReleaseBuffer(length == CB_ERR ? 0 : length);
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, const char* text, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam) const
{
    LVITEMA item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<char*>(text);
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

int CListCtrl::GetItemImage(int nItem) const
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nItem;
    return GetItem(&item) ? item.iImage : -1;
}

int CListCtrl::HitTest(POINT pt, UINT* pFlags) const
{
    LVHITTESTINFO info = {};
    info.pt = pt;
    int nItem = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (pFlags)
        *pFlags = info.flags;
    return nItem;
}

CEdit* CListCtrl::EditLabel(int nItem) const
{
    return static_cast<CEdit*>(CWnd::FromHandle(HWND(SendMessage(LVM_EDITLABELA, WPARAM(nItem)))));
}

CEdit* CListCtrl::GetEditControl() const
{
    return static_cast<CEdit*>(CWnd::FromHandle(HWND(SendMessage(LVM_GETEDITCONTROL))));
}

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_TREEVIEWA, nullptr, dwStyle, rect, pParentWnd, nID);
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, HTREEITEM hParent, HTREEITEM hInsertAfter) const
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text);
    return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) const
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelectedImage;
    return InsertItem(&insert);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    return ReadGrowing([&](char* buffer, int size) {
        TVITEMA item = {};
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = buffer;
        item.cchTextMax = size;
        buffer[0] = '\0';
        if (!SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
            return 0;
        return static_cast<int>(strnlen(item.pszText, size_t(size)));
    });
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, const char* text) const
{
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = const_cast<char*>(text);
    return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) const
{
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) const
{
    TVITEMA item = {};
    item.mask = TVIF_STATE;
    item.hItem = hItem;
    item.state = nState;
    item.stateMask = nStateMask;
    return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) const
{
    TVITEMA item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

HTREEITEM CTreeCtrl::HitTest(POINT pt, UINT* pFlags) const
{
    TVHITTESTINFO info = {};
    info.pt = pt;
    HTREEITEM hItem = TreeView_HitTest(m_hWnd, &info);
    if (pFlags)
        *pFlags = info.flags;
    return hItem;
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem) const
{
    return static_cast<CEdit*>(
        CWnd::FromHandle(HWND(SendMessage(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(hItem)))));
}

CEdit* CTreeCtrl::GetEditControl() const
{
    return static_cast<CEdit*>(CWnd::FromHandle(TreeView_GetEditControl(m_hWnd)));
}

void CSpinButtonCtrl::GetRange(int& nLower, int& nUpper) const
{
    DWORD range = static_cast<DWORD>(SendMessage(UDM_GETRANGE));
    nLower = static_cast<short>(HIWORD(range));
    nUpper = static_cast<short>(LOWORD(range));
}
