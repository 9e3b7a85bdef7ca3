// An image list handle with ownership (move-only); Attach/Detach for lists owned elsewhere.
#pragma once

#include <windows.h>
#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    CImageList(CImageList&& other) noexcept : m_hImageList(other.Detach()) {}
    CImageList& operator=(CImageList&& other) noexcept;

    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    int Add(HICON hIcon);
    int Add(HBITMAP hbmImage, COLORREF crMask);
    int GetImageCount() const;
    COLORREF SetBkColor(COLORREF cr);
    HICON ExtractIcon(int nImage) const;
    BOOL Draw(HDC hdc, int nImage, POINT pt, UINT nStyle) const;
};
