// Thin wrappers of the standard and common controls the program's windows use. They add
// nothing but typed calls on the handle.
#pragma once

#include "framework/CImageList.h"
#include "framework/CWnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) const { SendMessage(BM_SETCHECK, WPARAM(nCheck)); }
};

class CEdit : public CWnd {
public:
    void SetLimitText(UINT nMax) const { SendMessage(EM_LIMITTEXT, nMax); }
    void SetSel(int nStart, int nEnd) const { SendMessage(EM_SETSEL, WPARAM(nStart), LPARAM(nEnd)); }
    void SetReadOnly(BOOL bReadOnly = TRUE) const { SendMessage(EM_SETREADONLY, WPARAM(bReadOnly)); }
};

class CStatic : public CWnd {
public:
    HICON SetIcon(HICON hIcon) const { return HICON(SendMessage(STM_SETICON, WPARAM(hIcon))); }
    HBITMAP SetBitmap(HBITMAP hBitmap) const
    {
        return HBITMAP(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, LPARAM(hBitmap)));
    }
};

class CListBox : public CWnd {
public:
    int AddString(const char* text) const { return int(SendMessage(LB_ADDSTRING, 0, LPARAM(text))); }
    int InsertString(int nIndex, const char* text) const
    {
        return int(SendMessage(LB_INSERTSTRING, WPARAM(nIndex), LPARAM(text)));
    }
    int DeleteString(int nIndex) const { return int(SendMessage(LB_DELETESTRING, WPARAM(nIndex))); }
    int GetCount() const { return int(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return int(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int n) const { return int(SendMessage(LB_SETCURSEL, WPARAM(n))); }
    int GetTopIndex() const { return int(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int n) const { return int(SendMessage(LB_SETTOPINDEX, WPARAM(n))); }
    int GetTextLen(int nIndex) const { return int(SendMessage(LB_GETTEXTLEN, WPARAM(nIndex))); }
    // The whole text of a row, however long; empty for a row that does not exist.
    void GetText(int nIndex, CString& text) const;
    int FindStringExact(int nStartAfter, const char* text) const
    {
        return int(SendMessage(LB_FINDSTRINGEXACT, WPARAM(nStartAfter), LPARAM(text)));
    }
    int SetItemData(int nIndex, DWORD_PTR dwData) const
    {
        return int(SendMessage(LB_SETITEMDATA, WPARAM(nIndex), LPARAM(dwData)));
    }
    DWORD_PTR GetItemData(int nIndex) const { return DWORD_PTR(SendMessage(LB_GETITEMDATA, WPARAM(nIndex))); }
    int GetSel(int nIndex) const { return int(SendMessage(LB_GETSEL, WPARAM(nIndex))); }
    int SetSel(int nIndex, BOOL bSelect = TRUE) const
    {
        return int(SendMessage(LB_SETSEL, WPARAM(bSelect), LPARAM(nIndex)));
    }
    int GetSelCount() const { return int(SendMessage(LB_GETSELCOUNT)); }
    int GetSelItems(int nMaxItems, int* rgIndex) const
    {
        return int(SendMessage(LB_GETSELITEMS, WPARAM(nMaxItems), LPARAM(rgIndex)));
    }
    void SetHorizontalExtent(int cxExtent) const { SendMessage(LB_SETHORIZONTALEXTENT, WPARAM(cxExtent)); }
    void ResetContent() const { SendMessage(LB_RESETCONTENT); }
};

class CComboBox : public CWnd {
public:
    int AddString(const char* text) const { return int(SendMessage(CB_ADDSTRING, 0, LPARAM(text))); }
    int InsertString(int nIndex, const char* text) const
    {
        return int(SendMessage(CB_INSERTSTRING, WPARAM(nIndex), LPARAM(text)));
    }
    int DeleteString(int nIndex) const { return int(SendMessage(CB_DELETESTRING, WPARAM(nIndex))); }
    int GetCount() const { return int(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return int(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int n) const { return int(SendMessage(CB_SETCURSEL, WPARAM(n))); }
    void GetLBText(int nIndex, CString& text) const;
    int FindStringExact(int nStartAfter, const char* text) const
    {
        return int(SendMessage(CB_FINDSTRINGEXACT, WPARAM(nStartAfter), LPARAM(text)));
    }
    int SetItemData(int nIndex, DWORD_PTR dwData) const
    {
        return int(SendMessage(CB_SETITEMDATA, WPARAM(nIndex), LPARAM(dwData)));
    }
    DWORD_PTR GetItemData(int nIndex) const { return DWORD_PTR(SendMessage(CB_GETITEMDATA, WPARAM(nIndex))); }
    void LimitText(int nMax) const { SendMessage(CB_LIMITTEXT, WPARAM(nMax)); }
    void ResetContent() const { SendMessage(CB_RESETCONTENT); }
};

class CListCtrl : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return ListView_GetItemCount(m_hWnd); }
    int InsertColumn(int nCol, const char* heading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1) const;
    BOOL DeleteColumn(int nCol) const { return ListView_DeleteColumn(m_hWnd, nCol); }
    int InsertItem(int nItem, const char* text, int nImage = -1) const;
    int InsertItem(const LVITEM* pItem) const { return ListView_InsertItem(m_hWnd, pItem); }
    BOOL SetItemText(int nItem, int nSubItem, const char* text) const;
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData) const;
    DWORD_PTR GetItemData(int nItem) const;
    BOOL DeleteItem(int nItem) const { return ListView_DeleteItem(m_hWnd, nItem); }
    BOOL DeleteAllItems() const { return ListView_DeleteAllItems(m_hWnd); }
    int GetNextItem(int nItem, int nFlags) const { return ListView_GetNextItem(m_hWnd, nItem, nFlags); }
    UINT GetSelectedCount() const { return ListView_GetSelectedCount(m_hWnd); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask) const;
    int FindItemByData(DWORD_PTR dwData) const;
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) const
    {
        return ListView_SortItems(m_hWnd, pfnCompare, LPARAM(dwData));
    }
    HIMAGELIST SetImageList(CImageList* pImageList, int nImageList) const
    {
        return ListView_SetImageList(m_hWnd, pImageList ? pImageList->m_hImageList : nullptr, nImageList);
    }
    HIMAGELIST GetImageList(int nImageList) const { return ListView_GetImageList(m_hWnd, nImageList); }
    BOOL SetColumnWidth(int nCol, int cx) const { return ListView_SetColumnWidth(m_hWnd, nCol, cx); }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) const { return ListView_EnsureVisible(m_hWnd, nItem, bPartialOK); }

    int GetColumnWidth(int nCol) const { return ListView_GetColumnWidth(m_hWnd, nCol); }
    UINT GetItemState(int nItem, UINT nMask) const { return ListView_GetItemState(m_hWnd, nItem, nMask); }
    BOOL GetItem(LVITEMA* pItem) const { return BOOL(SendMessage(LVM_GETITEMA, 0, LPARAM(pItem))); }
    BOOL SetItem(const LVITEMA* pItem) const { return BOOL(SendMessage(LVM_SETITEMA, 0, LPARAM(pItem))); }
    // Sets the image of a row and, under nStateMask, its state.
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, const char* text, int nImage, UINT nState,
                 UINT nStateMask, LPARAM lParam) const;
    int GetItemImage(int nItem) const;
    BOOL SetItemImage(int nItem, int nImage) const
    {
        return SetItem(nItem, 0, LVIF_IMAGE, nullptr, nImage, 0, 0, 0);
    }
    // The row under a point of the client area (-1 when none); the flags say which part.
    int HitTest(POINT pt, UINT* pFlags = nullptr) const;
    BOOL GetItemRect(int nItem, RECT* rect, UINT nCode) const
    {
        return ListView_GetItemRect(m_hWnd, nItem, rect, int(nCode));
    }
    int GetTopIndex() const { return ListView_GetTopIndex(m_hWnd); }
    int GetCountPerPage() const { return ListView_GetCountPerPage(m_hWnd); }
    BOOL Arrange(UINT nCode) const { return BOOL(SendMessage(LVM_ARRANGE, WPARAM(nCode))); }
    BOOL RedrawItems(int nFirst, int nLast) const { return ListView_RedrawItems(m_hWnd, nFirst, nLast); }
    CEdit* EditLabel(int nItem) const;
    CEdit* GetEditControl() const;
    // The first selected row, or -1.
    int GetSelectionMark() const { return ListView_GetSelectionMark(m_hWnd); }
};

class CTreeCtrl : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // hInsertAfter may be TVI_FIRST, TVI_LAST or TVI_SORT.
    HTREEITEM InsertItem(const char* text, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST) const;
    HTREEITEM InsertItem(const char* text, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST) const;
    HTREEITEM InsertItem(const TVINSERTSTRUCTA* pInsert) const
    {
        return HTREEITEM(SendMessage(TVM_INSERTITEMA, 0, LPARAM(pInsert)));
    }
    BOOL DeleteItem(HTREEITEM hItem) const { return TreeView_DeleteItem(m_hWnd, hItem); }
    BOOL DeleteAllItems() const { return TreeView_DeleteAllItems(m_hWnd); }
    UINT GetCount() const { return TreeView_GetCount(m_hWnd); }

    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, const char* text) const;
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData) const;
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const { return TreeView_GetItemState(m_hWnd, hItem, nStateMask); }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) const;
    BOOL GetItemRect(HTREEITEM hItem, RECT* rect, BOOL bTextOnly) const
    {
        return TreeView_GetItemRect(m_hWnd, hItem, rect, bTextOnly);
    }

    // Walking: nullptr where there is no such item.
    HTREEITEM GetRootItem() const { return TreeView_GetRoot(m_hWnd); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return TreeView_GetChild(m_hWnd, hItem); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return TreeView_GetNextSibling(m_hWnd, hItem); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return TreeView_GetPrevSibling(m_hWnd, hItem); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return TreeView_GetParent(m_hWnd, hItem); }
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const { return TreeView_GetNextItem(m_hWnd, hItem, nCode); }
    BOOL ItemHasChildren(HTREEITEM hItem) const { return GetChildItem(hItem) != nullptr; }

    HTREEITEM GetSelectedItem() const { return TreeView_GetSelection(m_hWnd); }
    // nullptr selects nothing.
    BOOL SelectItem(HTREEITEM hItem) const { return TreeView_SelectItem(m_hWnd, hItem); }
    BOOL Expand(HTREEITEM hItem, UINT nCode) const { return TreeView_Expand(m_hWnd, hItem, nCode); }
    BOOL EnsureVisible(HTREEITEM hItem) const { return TreeView_EnsureVisible(m_hWnd, hItem); }
    BOOL SortChildren(HTREEITEM hItem) const { return TreeView_SortChildren(m_hWnd, hItem, 0); }
    HTREEITEM HitTest(POINT pt, UINT* pFlags = nullptr) const;

    CEdit* EditLabel(HTREEITEM hItem) const;
    CEdit* GetEditControl() const;

    HIMAGELIST SetImageList(CImageList* pImageList, int nImageList) const
    {
        return TreeView_SetImageList(m_hWnd, pImageList ? pImageList->m_hImageList : nullptr, nImageList);
    }
};

class CSpinButtonCtrl : public CWnd {
public:
    void SetRange(int nLower, int nUpper) const { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
    void GetRange(int& nLower, int& nUpper) const;
    int SetPos(int nPos) const { return int(short(LOWORD(SendMessage(UDM_SETPOS, 0, MAKELPARAM(nPos, 0))))); }
    // The position; a buddy whose text is not a number in range gives the nearest.
    int GetPos() const { return int(short(LOWORD(SendMessage(UDM_GETPOS)))); }
    CWnd* SetBuddy(CWnd* pWndBuddy) const
    {
        return CWnd::FromHandle(HWND(SendMessage(UDM_SETBUDDY, WPARAM(pWndBuddy ? pWndBuddy->m_hWnd : nullptr))));
    }
    CWnd* GetBuddy() const { return CWnd::FromHandle(HWND(SendMessage(UDM_GETBUDDY))); }
    int SetBase(int nBase) const { return int(SendMessage(UDM_SETBASE, WPARAM(nBase))); }
};

class CToolTipCtrl : public CWnd {
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    // The tool is the control window itself; the text is copied by the control.
    BOOL AddTool(CWnd* pWnd, const char* lpszText);
    BOOL AddTool(CWnd* pWnd, UINT nIDText);
    void Activate(BOOL bActivate) const { SendMessage(TTM_ACTIVATE, WPARAM(bActivate)); }
    void RelayEvent(MSG* pMsg) const;
    void SetDelayTime(UINT nDelay) const { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, LPARAM(nDelay)); }
    int GetToolCount() const { return int(SendMessage(TTM_GETTOOLCOUNT)); }

private:
    CWnd* m_pOwner = nullptr;
};
