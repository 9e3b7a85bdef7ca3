// The look every property sheet of the program shares: the program icon as the sheet's big and
// small icon, a picture from bitmap 156 on each tab chosen by the tab's caption, tabs padded by
// 3 by 3 pixels, and the painted background (black, with pictures 143 and 144).
#pragma once

#include "framework/CImageList.h"
#include "framework/CPropertySheet.h"

constexpr int kTabImageSize = 14;
constexpr int kTabImageCount = 19;
constexpr COLORREF kTabImageMask = RGB(0, 128, 128);

// Bitmap 156 as the sheets load it: 14-pixel images, no growth, masked with RGB(0,128,128).
BOOL LoadTabImages(CImageList& images);

// The pieces, for a sheet that keeps another base class; each belongs in the sheet's handler
// of the same name.
// OnInitDialog: icon 128 as the big and small icon; returns it.
HICON SetSheetIcons(CWnd& sheet);
// WM_SHOWWINDOW when the sheet is being shown: the tab pictures (loaded into images when still
// empty), the padding, and a redraw of the tabs and the sheet.
void ApplySheetLook(CPropertySheet& sheet, CImageList& images);
// WM_PAINT: the background.
void PaintSheet(CWnd& sheet);

// A property sheet with the look: sheets of the program derive from it in place of
// CPropertySheet and keep their own handlers chained to these.
class CLookSheet : public CPropertySheet {
public:
    using CPropertySheet::CPropertySheet;
    BOOL OnInitDialog() override;

protected:
    LRESULT OnShowWindow(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CImageList m_tabImages;
    HICON m_hIcon = nullptr;
    BOOL m_bPlaced = FALSE;  // centred on the screen when first shown
};
