// The background music player: a hidden modeless dialog whose media control plays the files
// of the selected play list one after another, driven by WM_PLAYERCOMMAND from the main frame.
#pragma once

#include "framework/CDialog.h"

// The media control of dialog 211 (control 1099); its one property is the file name.
class CActiveMovie : public CWnd {
public:
    using CWnd::Create;
    // Creates the control itself (a dialog template may place it instead).
    BOOL Create(const char* lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    CString GetFileName() const;
    // A path starts playing it; "" stops and unloads.
    void SetFileName(const char* lpszNewValue);
};

class CMusicPlayerDialog : public CDialog {
public:
    CMusicPlayerDialog();
    virtual BOOL Create(CWnd* pParentWnd);

    CActiveMovie m_movie;
    int m_nCurrent = -1;
    BOOL m_bPlaying = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter and Escape never end the hidden dialog.
    void OnOK() override {}
    void OnCancel() override {}
    LRESULT OnPlayerCommand(WPARAM wParam, LPARAM lParam);
    void OnMovieStateChange(NMHDR* pNotify, LRESULT* pResult);
    void OnMovieError(NMHDR* pNotify, LRESULT* pResult);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void Play(BOOL bStart);
    void AskToConfigure(const char* question);
};
