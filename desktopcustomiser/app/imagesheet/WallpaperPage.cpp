#include "WallpaperPage.h"

#include "Helpers.h"
#include "SharedDialogs.h"
#include "TunewrightApp.h"
#include "framework/Afx.h"
#include "resource.h"

BOOL (*g_pfnPlusPackInstalled)() = IsPlusPackInstalled;

namespace {

constexpr int kTileColumn = 1;
constexpr int kStretchColumn = 2;
constexpr int kFlagColumnWidth = 50;

const ImagePageSetup kWallpaperSetup = {
    "Wallpapers",           1,
    IDR_WALLPAPER_MENU,     IDS_WALLPAPER_HEADING,
    IDS_NO_WALLPAPER_SELECTED, IDS_INVALID_WALLPAPER,
    IDS_BROWSE_WALLPAPER,   IDS_TIP_WALLPAPER_REMOVE,
    IDS_TIP_WALLPAPER_ADD,  IDS_TIP_WALLPAPER_LIST,
    IDS_TIP_WALLPAPER_RANDOM,
};

}  // namespace

// ---- the wallpaper properties dialog --------------------------------------------------------

BEGIN_MESSAGE_MAP(CWallpaperPropertiesDialog, CDialog)
    ON_BN_CLICKED(IDC_WALLPAPER_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CWallpaperPropertiesDialog::CWallpaperPropertiesDialog(CWnd* pParentWnd)
    : CDialog(IDD_WALLPAPER_PROPERTIES, pParentWnd)
{
}

void CWallpaperPropertiesDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WALLPAPER_FILE, m_edit);
    DDX_Text(pDX, IDC_WALLPAPER_FILE, m_strFile);
    DDX_Radio(pDX, IDC_STYLE_CENTERED, m_nStyle);
}

BOOL CWallpaperPropertiesDialog::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CWallpaperPropertiesDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!g_pfnPlusPackInstalled()) {
        // Only stretching needs the Plus! pack: a tiled entry opens as tiled.
        GetDlgItem(IDC_STYLE_STRETCHED)->EnableWindow(FALSE);
        if (m_nStyle == 2) {
            m_nStyle = 0;
            UpdateData(FALSE);
        }
    }
    CreateToolTips(m_toolTip, *this,
                   {{IDC_WALLPAPER_FILE, IDS_TIP_WALLPAPER_FILE}, {IDC_STYLE_CENTERED, IDS_TIP_CENTERED},
                    {IDC_STYLE_TILED, IDS_TIP_TILED}, {IDC_STYLE_STRETCHED, IDS_TIP_STRETCHED},
                    {IDOK, IDS_TIP_ACCEPT}, {IDCANCEL, IDS_TIP_DISCARD},
                    {IDC_WALLPAPER_BROWSE, IDS_TIP_BROWSE_WALLPAPER}});
    return TRUE;
}

void CWallpaperPropertiesDialog::OnBrowse()
{
    CString title, current, chosen;
    LoadResourceCString(title, IDS_BROWSE_WALLPAPER);
    m_edit.GetWindowText(current);
    if (BrowseForImageFile(chosen, title, current, IDS_IMAGE_FILTER, this) && !chosen.IsEmpty())
        m_edit.SetWindowText(chosen);
}

void CWallpaperPropertiesDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // A quote would cut the stored list and an empty name would end it at the next load, so
    // quotes are dropped and a name left empty is refused like one holding "|".
    m_strFile = CleanImageName(m_strFile.c_str()).c_str();
    switch (CheckImageName(m_strFile.c_str())) {
    case ImageNameCheck::HasPipe:
        AfxMessageBox(IDS_ILLEGAL_PIPE);
        GotoDlgCtrl(&m_edit);
        return;
    case ImageNameCheck::Empty:
        AfxMessageBox(IDS_EMPTY_WALLPAPER_NAME);
        GotoDlgCtrl(&m_edit);
        return;
    case ImageNameCheck::Ok:
        break;
    }
    EndDialog(IDOK);
}

// ---- the wallpaper page ---------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CSetWallpaperPage, CImageListPage)
    ON_COMMAND(ID_IMAGE_MODIFY, OnModify)
END_MESSAGE_MAP()

CSetWallpaperPage::CSetWallpaperPage() : CImageListPage(IDD_WALLPAPER_PAGE, kWallpaperSetup) {}

BOOL CSetWallpaperPage::OnInitDialog()
{
    // The answer decides the columns, which the base builds.
    m_bPlusPack = g_pfnPlusPackInstalled();
    return CImageListPage::OnInitDialog();
}

void CSetWallpaperPage::AddColumns(int width)
{
    CImageListPage::AddColumns(width - 2 * kFlagColumnWidth);
    CString heading;
    LoadResourceCString(heading, IDS_TILE_HEADING);
    m_list.InsertColumn(kTileColumn, heading, LVCFMT_CENTER, kFlagColumnWidth, kTileColumn);
    if (m_bPlusPack) {
        LoadResourceCString(heading, IDS_STRETCH_HEADING);
        m_list.InsertColumn(kStretchColumn, heading, LVCFMT_CENTER, kFlagColumnWidth, kStretchColumn);
    }
}

void CSetWallpaperPage::ShowRowFlags(int row, const ImageRow& flags)
{
    m_list.SetItemText(row, kTileColumn, flags.tile ? "Y" : "N");
    if (m_bPlusPack)
        m_list.SetItemText(row, kStretchColumn, flags.stretch && g_pfnPlusPackInstalled() ? "Y" : "N");
}

void CSetWallpaperPage::EditItem(int row)
{
    CWallpaperPropertiesDialog dialog(this);
    if (row >= 0) {
        const ImageRow& flags = m_rows[static_cast<size_t>(row)];
        dialog.m_strFile = RowPath(row);
        dialog.m_nStyle = flags.tile ? 1 : flags.stretch ? 2 : 0;
    }
    if (dialog.DoModal() != IDOK)
        return;
    SetModified(TRUE);
    int index = PutRow(row, dialog.m_strFile);
    if (index < 0)
        return;
    ImageRow& flags = m_rows[static_cast<size_t>(index)];
    SetImageRowStyle(flags, dialog.m_nStyle == 1, dialog.m_nStyle == 2, m_bPlusPack != FALSE);
    ShowRowFlags(index, flags);
}

void CSetWallpaperPage::OnModify()
{
    if (m_list.GetSelectedCount() != 1) {
        AfxMessageBox(IDS_NO_WALLPAPER_TO_MODIFY);
        return;
    }
    EditItem(FirstSelectedRow());
}

void CSetWallpaperPage::ApplyRow(int row, const CString& path)
{
    const ImageRow& flags = m_rows[static_cast<size_t>(row)];
    DesktopStyleValues style = SetCommandStyle(flags.tile, flags.stretch, m_bPlusPack != FALSE);
    SetRegistryString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "WallpaperStyle", style.wallpaperStyle);
    SetRegistryString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "TileWallpaper", style.tileWallpaper);
    CImageListPage::ApplyRow(row, path);
}

void CSetWallpaperPage::OnNoRowsToRandomize()
{
    AfxMessageBox(IDS_NO_WALLPAPERS_TO_RANDOMIZE);
}
