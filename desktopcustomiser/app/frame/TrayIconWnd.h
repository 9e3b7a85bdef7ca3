// The hidden window behind one user tray icon: its icon runs the user's program on a double
// click and offers a menu of open commands and the user's tray menu items on a right click.
#pragma once

#include "framework/CMenu.h"
#include "framework/CWnd.h"

#include <shellapi.h>

class CTrayIconWnd : public CWnd {
public:
    CTrayIconWnd();
    ~CTrayIconWnd() override;

    virtual BOOL Create(UINT nIconID, CWnd* pParentWnd, HICON hIcon, const char* lpszDescription,
                        const char* lpszProgram, const char* lpszParameters);
    BOOL DestroyWindow() override;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OnOpen();
    void OnOpenMaximized();
    void OnOpenMinimized();
    void OnAbout();
    void OnUserMenuItem(UINT nID);
    void RebuildMenu();

    DECLARE_MESSAGE_MAP()

private:
    CString m_strProgram;
    CString m_strParameters;
    CString m_strOpenText;
    CMenu m_menu;
    NOTIFYICONDATAA m_nid;
    HICON m_hOwnedIcon = nullptr;  // the icon handed to Create, destroyed with the window
};
