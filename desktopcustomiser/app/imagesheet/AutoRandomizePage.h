// The auto-randomize page of the image changer sheet: the automatic wallpaper change on or
// off and its period in minutes; applying it tells the main frame to arm its timer again.
#pragma once

#include "framework/CPropertySheet.h"
#include "framework/Controls.h"

constexpr int kMinAutoRandomizeMinutes = 1;
constexpr int kMaxAutoRandomizeMinutes = 70000;

class CAutoRandomizePage : public CPropertyPage {
public:
    CAutoRandomizePage();

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CButton m_checkEnable;
    CEdit m_editTime;
    int m_bEnable = 0;
    int m_nTime = 60;
    int m_nTimeRead = 60;  // as stored: kept, whatever it is, until the user changes it
    CToolTipCtrl m_toolTip;

protected:
    void OnEnableClicked();
    void OnTimeChanged();
    DECLARE_MESSAGE_MAP()

private:
    bool m_bStored = false;
    bool m_bReady = false;  // set up: later edit changes are the user's
};
