// The page that chooses the screen corner which starts the screen saver, and its timing.
#pragma once

#include "CornerWatcher.h"
#include "framework/Controls.h"
#include "framework/CPropertySheet.h"

class CScreenSaverCornerPage : public CPropertyPage {
public:
    CScreenSaverCornerPage();

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int m_nCorner;         // 0 none, 1..4 the corners
    int m_nPixel;
    int m_nTimer;
    int m_nDelay;
    int m_nDisableCorner;  // a hidden group the template keeps

protected:
    void OnActivateCorner(UINT nID);
    void OnDisableCorner(UINT nID);
    void OnEditChanged();
    void EnableEdits(BOOL enable);
    DECLARE_MESSAGE_MAP()

private:
    CToolTipCtrl m_tips;
    CornerPageRead m_read;  // what the save compares with
    bool m_bStored = true;
    bool m_bShown = false;  // the edits' texts set on opening are no change of the user's
};
