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
    int GetCount() const { return int(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return int(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int n) const { return int(SendMessage(LB_SETCURSEL, WPARAM(n))); }
    void ResetContent() const { SendMessage(LB_RESETCONTENT); }
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
