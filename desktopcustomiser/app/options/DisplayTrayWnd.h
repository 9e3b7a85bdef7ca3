// The display-settings tray icon: a hidden child window of the main frame whose icon offers
// every display mode the driver reports, grouped by resolution with the current one checked.
#pragma once

#include "framework/CMenu.h"
#include "framework/CWnd.h"

#include <shellapi.h>

#include <vector>

class CDisplayTrayWnd : public CWnd {
public:
    CDisplayTrayWnd();
    ~CDisplayTrayWnd() override;

    virtual BOOL Create(CWnd* pParentWnd);
    BOOL DestroyWindow() override;

    // Rebuilt from the modes the display reports now; only while the window exists.
    void BuildModeMenu();
    CMenu& Menu() { return m_menu; }

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OnAbout();
    void OnDisplayProperties();
    void OnMode(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    CMenu m_menu;
    NOTIFYICONDATAA m_nid;
    std::vector<DEVMODEA> m_modes;  // sorted; entry k is command 1025 + k
};
