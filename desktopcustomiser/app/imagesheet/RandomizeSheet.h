// The image changer configuration sheet: the wallpaper list, the automatic wallpaper change,
// the three boot-time screen lists and the About page, opened by the main frame.
#pragma once

#include "AboutDialog.h"
#include "AutoRandomizePage.h"
#include "ScreenPages.h"
#include "SheetLook.h"
#include "WallpaperPage.h"

class CRandomizeSheet : public CLookSheet {
public:
    explicit CRandomizeSheet(CWnd* pParentWnd = nullptr);

    CSetWallpaperPage m_wallpaperPage;
    CAutoRandomizePage m_autoRandomizePage;
    CStartupScreenPage m_startupPage;
    CShutDownWait m_waitPage;
    CShutDownSafe m_safePage;
    CAboutPage m_aboutPage;
};
