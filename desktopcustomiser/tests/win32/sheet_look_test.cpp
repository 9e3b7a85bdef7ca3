// The look every sheet shares: the tab pictures load as the sheets load them, and a sheet gets
// its pictures by caption, its padding and its icons.
#include "AboutDialog.h"
#include "SheetLook.h"
#include "framework/Afx.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

class SheetLookTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { AfxWinInit(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL); }
};

// The colour an image leaves on a surface filled with a colour no picture uses.
COLORREF DrawnPixel(const CImageList& images, int image, int x, int y)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kTabImageSize, kTabImageSize);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, kTabImageSize, kTabImageSize};
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &all, magenta);
    DeleteObject(magenta);
    images.Draw(dc, image, POINT{0, 0}, ILD_TRANSPARENT);
    COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixel;
}

TEST_F(SheetLookTest, TabPicturesLoadAsNineteenMaskedFourteenPixelImages)
{
    CImageList images;
    ASSERT_TRUE(LoadTabImages(images));
    EXPECT_EQ(images.GetImageCount(), kTabImageCount);
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(images, &cx, &cy));
    EXPECT_EQ(cx, 14);
    EXPECT_EQ(cy, 14);
    for (int image : {1, 11, 18}) {
        EXPECT_EQ(DrawnPixel(images, image, 0, 0), RGB(255, 0, 255)) << image;   // the corner shows through
        EXPECT_NE(DrawnPixel(images, image, 7, 4), RGB(255, 0, 255)) << image;   // the tile does not
    }
    EXPECT_EQ(DrawnPixel(images, 0, 7, 7), RGB(255, 0, 255));  // picture 0 is empty
}

TEST_F(SheetLookTest, SheetTabsGetTheirPictureByCaptionWithPaddingAndIcons)
{
    CAboutPage about;
    CLookSheet sheet("Look");
    sheet.AddPage(&about);
    ASSERT_TRUE(sheet.Create());
    sheet.ShowWindow(SW_SHOW);
    HWND tabs = reinterpret_cast<HWND>(sheet.SendMessage(PSM_GETTABCONTROL));
    ASSERT_TRUE(tabs);
    HIMAGELIST list = TabCtrl_GetImageList(tabs);
    ASSERT_TRUE(list);
    EXPECT_EQ(ImageList_GetImageCount(list), kTabImageCount);
    TCITEMA item = {};
    item.mask = TCIF_IMAGE;
    ASSERT_TRUE(SendMessageA(tabs, TCM_GETITEMA, 0, LPARAM(&item)));
    EXPECT_EQ(item.iImage, 11);  // "About Tunewright 97"
    EXPECT_TRUE(sheet.SendMessage(WM_GETICON, ICON_BIG));
    EXPECT_TRUE(sheet.SendMessage(WM_GETICON, ICON_SMALL));
    sheet.DestroyWindow();
}

}  // namespace
