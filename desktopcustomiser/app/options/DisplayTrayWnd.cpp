#include "DisplayTrayWnd.h"

#include "AboutDialog.h"
#include "Helpers.h"
#include "MainFrameMessages.h"
#include "OptionsRules.h"
#include "TrayIcon.h"
#include "framework/Afx.h"
#include "resource.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {
DisplayMode ModeOf(const DEVMODEA& record)
{
    return {static_cast<int>(record.dmPelsWidth), static_cast<int>(record.dmPelsHeight),
            static_cast<int>(record.dmBitsPerPel), static_cast<int>(record.dmDisplayFrequency)};
}
}  // namespace

BEGIN_MESSAGE_MAP(CDisplayTrayWnd, CWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_APP_ABOUT, OnAbout)
    ON_COMMAND(ID_DISPLAY_PROPERTIES, OnDisplayProperties)
    ON_COMMAND_RANGE(kFirstDisplayModeCommand, kFirstDisplayModeCommand + kMaxDisplayModes - 1, OnMode)
    ON_MESSAGE(WM_TRAYNOTIFY, OnTrayNotify)
END_MESSAGE_MAP()

CDisplayTrayWnd::CDisplayTrayWnd()
{
    ClearNotifyIconData(m_nid);
}

CDisplayTrayWnd::~CDisplayTrayWnd()
{
    DestroyWindow();
}

BOOL CDisplayTrayWnd::Create(CWnd* pParentWnd)
{
    m_nid.uID = IDR_DISPLAYMENU;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = WM_TRAYNOTIFY;
    m_nid.hIcon = AfxGetApp()->LoadIcon(IDI_DISPLAYICON);
    std::strncpy(m_nid.szTip, LoadResourceString(IDS_DISPLAY_TIP), sizeof m_nid.szTip - 1);
    RECT rect = {1, 0, 0, 1};
    return CWnd::Create(nullptr, "Tunewright 97: Display Settings", WS_CHILD, rect, pParentWnd, IDR_DISPLAYMENU);
}

int CDisplayTrayWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    BuildModeMenu();
    return AddNotifyIcon(m_nid, m_hWnd) ? 0 : -1;
}

BOOL CDisplayTrayWnd::DestroyWindow()
{
    RemoveNotifyIcon(m_nid);
    return m_hWnd ? CWnd::DestroyWindow() : FALSE;
}

void CDisplayTrayWnd::BuildModeMenu()
{
    if (!m_hWnd)
        return;
    m_menu.DestroyMenu();
    if (!m_menu.LoadMenu(IDR_DISPLAYMENU))
        return;
    CMenu* popup = m_menu.GetSubMenu(0);
    std::vector<DEVMODEA> found;
    for (DWORD i = 0; found.size() < size_t(kMaxDisplayModes); ++i) {
        DEVMODEA record = {};
        record.dmSize = sizeof record;
        if (!::EnumDisplaySettingsA(nullptr, i, &record))
            break;
        found.push_back(record);
    }
    // Sorted as the rules sort, keeping each record with its key.
    std::vector<DisplayMode> keys;
    for (const DEVMODEA& record : found)
        keys.push_back(ModeOf(record));
    std::vector<size_t> order(found.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return DisplayModeBefore(keys[a], keys[b]); });
    m_modes.clear();
    std::vector<DisplayMode> sorted;
    for (size_t index : order) {
        m_modes.push_back(found[index]);
        sorted.push_back(keys[index]);
    }
    if (!popup)
        return;
    HDC screen = ::GetDC(nullptr);
    DisplayMode current = {::GetDeviceCaps(screen, HORZRES), ::GetDeviceCaps(screen, VERTRES),
                           ::GetDeviceCaps(screen, BITSPIXEL), 0};
    ::ReleaseDC(nullptr, screen);
    UINT position = 2;
    for (const ModeMenuItem& item : BuildModeMenuItems(sorted, current)) {
        if (item.separator)
            popup->InsertMenu(position++, MF_BYPOSITION | MF_SEPARATOR);
        else
            popup->InsertMenu(position++, MF_BYPOSITION | MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED),
                              item.command, item.text.c_str());
    }
}

LRESULT CDisplayTrayWnd::OnTrayNotify(WPARAM, LPARAM lParam)
{
    if (lParam == WM_RBUTTONUP) {
        POINT pt;
        ::GetCursorPos(&pt);
        if (CMenu* popup = m_menu.GetSubMenu(0)) {
            popup->SetDefaultItem(ID_DISPLAY_PROPERTIES);
            SetForegroundWindow();
            popup->TrackPopupMenu(TPM_RIGHTBUTTON, pt.x, pt.y, this);
            PostMessage(WM_NULL);
        }
    } else if (lParam == WM_LBUTTONDBLCLK) {
        OnDisplayProperties();
    }
    return 1;
}

void CDisplayTrayWnd::OnAbout()
{
    auto* about = new CAboutDialog;
    if (!about->Create(AfxGetMainWnd()))
        delete about;
}

void CDisplayTrayWnd::OnDisplayProperties()
{
    CString program = g_strWindowsFolder + "\\rundll32.exe";
    CString parameters = CString("shell32.dll,Control_RunDLL ") + g_strSystemFolder + "\\Desk.cpl";
    RunProgram(m_hWnd, program, SW_SHOWNORMAL, parameters);
}

void CDisplayTrayWnd::OnMode(UINT nID)
{
    size_t k = nID - kFirstDisplayModeCommand;
    if (k >= m_modes.size())
        return;
    DEVMODEA mode = m_modes[k];
    HDC screen = ::GetDC(nullptr);
    int refresh = ::GetDeviceCaps(screen, VREFRESH);
    ::ReleaseDC(nullptr, screen);
    mode.dmDisplayFrequency = static_cast<DWORD>(ModeChangeFrequency(static_cast<int>(mode.dmDisplayFrequency), refresh));
    LONG result = ::ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY);
    UINT message = 0;
    switch (result) {
    case DISP_CHANGE_RESTART:
        if (AfxMessageBox(IDS_DISPLAY_RESTART, MB_YESNO | MB_ICONINFORMATION) == IDYES)
            RestartWindows();
        return;
    case DISP_CHANGE_BADFLAGS:
        message = IDS_DISPLAY_BADFLAGS;
        break;
    case DISP_CHANGE_NOTUPDATED:
        message = IDS_DISPLAY_NOTUPDATED;
        break;
    case DISP_CHANGE_BADMODE:
        message = IDS_DISPLAY_BADMODE;
        break;
    case DISP_CHANGE_FAILED:
        message = IDS_DISPLAY_FAILED;
        break;
    default:
        BuildModeMenu();  // the check moves
        return;
    }
    AfxMessageBox(message, MB_OK | MB_ICONINFORMATION);
}
