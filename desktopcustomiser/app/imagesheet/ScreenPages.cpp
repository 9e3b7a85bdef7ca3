#include "ScreenPages.h"

#include "Helpers.h"
#include "SharedDialogs.h"
#include "resource.h"

namespace {

const ImagePageSetup kStartupSetup = {
    "Startup Screens",       2,
    IDR_SCREEN_MENU,         IDS_STARTUP_HEADING,
    IDS_NO_STARTUP_SELECTED, IDS_INVALID_STARTUP,
    IDS_BROWSE_STARTUP,      IDS_TIP_STARTUP_REMOVE,
    IDS_TIP_STARTUP_ADD,     IDS_TIP_STARTUP_LIST,
    IDS_TIP_SCREEN_RANDOM,
};

const ImagePageSetup kWaitSetup = {
    "Shutdown Wait Screens", 4,
    IDR_SCREEN_MENU,         IDS_WAIT_HEADING,
    IDS_NO_WAIT_SELECTED,    IDS_INVALID_WAIT,
    IDS_BROWSE_WAIT,         IDS_TIP_WAIT_REMOVE,
    IDS_TIP_WAIT_ADD,        IDS_TIP_WAIT_LIST,
    IDS_TIP_SCREEN_RANDOM,
};

const ImagePageSetup kSafeSetup = {
    "Shutdown Safe Screens", 3,
    IDR_SCREEN_MENU,         IDS_SAFE_HEADING,
    IDS_NO_SAFE_SELECTED,    IDS_INVALID_SAFE,
    IDS_BROWSE_SAFE,         IDS_TIP_SAFE_REMOVE,
    IDS_TIP_SAFE_ADD,        IDS_TIP_SAFE_LIST,
    IDS_TIP_SCREEN_RANDOM,
};

}  // namespace

void CScreenPage::EditItem(int row)
{
    CString title, chosen;
    LoadResourceCString(title, m_setup.browseTitle);
    CString initial = RowPath(row);
    if (!BrowseForImageFile(chosen, title, initial, IDS_IMAGE_FILTER, this) || chosen.IsEmpty())
        return;
    SetModified(TRUE);
    PutRow(row, chosen);
}

CStartupScreenPage::CStartupScreenPage() : CScreenPage(IDD_STARTUP_PAGE, kStartupSetup) {}
CShutDownWait::CShutDownWait() : CScreenPage(IDD_WAITSHUTDOWN_PAGE, kWaitSetup) {}
CShutDownSafe::CShutDownSafe() : CScreenPage(IDD_SAFESHUTDOWN_PAGE, kSafeSetup) {}
