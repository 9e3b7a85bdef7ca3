// The options page (what the program does at start-up), the first-run configuration sheet
// that holds it with the About page, and the options sheet the tray opens with all five pages.
#pragma once

#include "AboutDialog.h"
#include "OptionsRules.h"
#include "SheetLook.h"
#include "framework/Controls.h"
#include "framework/CPropertySheet.h"

class CConfigPage : public CPropertyPage {
public:
    CConfigPage();

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int m_nRandomize;        // 0 do not, 1 randomize at start-up
    int m_bRandomWallpaper;
    int m_bRandomStartup;
    int m_bRandomWait;
    int m_bRandomSafe;
    int m_nLoad;             // 0 do not load, 1 load at Windows start-up (the Run value)
    int m_bShowSplash;
    int m_bShowDisplayIcon;
    int m_bClearDocuments;
    int m_bAutoMidi;

protected:
    void OnDontRandomize();
    void OnRandomize();
    void OnDontLoad();
    void OnLoad();
    void OnChanged();
    void OnClearNow();
    void EnableCategories(BOOL enable);
    DECLARE_MESSAGE_MAP()

private:
    // The members in the order of the stored settings.
    int* Settings(int i);

    CToolTipCtrl m_tips;
    ConfigPageRead m_read;  // what the save compares with
    bool m_bStored = true;
};

class CConfigSheet : public CLookSheet {
public:
    explicit CConfigSheet(CWnd* pParentWnd = nullptr);
    CConfigPage m_configPage;
    CAboutPage m_aboutPage;
};

class CTrayIconPage;
class CTrayIconMenuPage;
class CScreenSaverCornerPage;

class CMyPropertySheet : public CLookSheet {
public:
    explicit CMyPropertySheet(CWnd* pParentWnd = nullptr);
    ~CMyPropertySheet() override;

private:
    CTrayIconPage* m_pTrayIconPage;
    CTrayIconMenuPage* m_pTrayMenuPage;
    CConfigPage* m_pConfigPage;
    CScreenSaverCornerPage* m_pCornerPage;
    CAboutPage* m_pAboutPage;
};
