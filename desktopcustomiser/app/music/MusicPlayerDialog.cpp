#include "MusicPlayerDialog.h"

#include "MainFrameMessages.h"
#include "PlayLists.h"
#include "framework/Afx.h"
#include "media_control.h"
#include "resource.h"

#include <cstdlib>
#include <string>

BOOL CActiveMovie::Create(const char* lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    RegisterMediaControlClass();
    return CWnd::Create(MEDIACONTROL_CLASS, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

CString CActiveMovie::GetFileName() const
{
    int length = int(SendMessage(MPM_GETFILENAME));
    std::string name(size_t(length) + 1, '\0');
    SendMessage(MPM_GETFILENAME, WPARAM(name.size()), LPARAM(name.data()));
    return CString(name.c_str());
}

void CActiveMovie::SetFileName(const char* lpszNewValue)
{
    SendMessage(MPM_SETFILENAME, 0, LPARAM(lpszNewValue ? lpszNewValue : ""));
}

BEGIN_MESSAGE_MAP(CMusicPlayerDialog, CDialog)
    ON_MESSAGE(WM_PLAYERCOMMAND, OnPlayerCommand)
    ON_NOTIFY(MPN_STATECHANGE, IDC_MOVIE, OnMovieStateChange)
    ON_NOTIFY(MPN_ERROR, IDC_MOVIE, OnMovieError)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMusicPlayerDialog::CMusicPlayerDialog() : CDialog(IDD_MUSICPLAYER) {}

BOOL CMusicPlayerDialog::Create(CWnd* pParentWnd)
{
    // The template names the control's class: it must exist before the dialog does.
    RegisterMediaControlClass();
    return CDialog::Create(IDD_MUSICPLAYER, pParentWnd);
}

void CMusicPlayerDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MOVIE, m_movie);
}

LRESULT CMusicPlayerDialog::OnPlayerCommand(WPARAM wParam, LPARAM)
{
    if (wParam == 1) {
        m_nCurrent = -1;
        m_bPlaying = TRUE;
        Play(TRUE);
    } else if (wParam == 2) {
        m_bPlaying = TRUE;
        Play(TRUE);
    } else {
        m_bPlaying = FALSE;
        Play(FALSE);
    }
    return 0;
}

void CMusicPlayerDialog::AskToConfigure(const char* question)
{
    if (AfxMessageBox(question, MB_YESNO) == IDYES) {
        if (CWnd* main = AfxGetMainWnd())
            main->PostMessage(WM_COMMAND, ID_CONFIGURE_MUSIC);
    }
    m_bPlaying = FALSE;
}

void CMusicPlayerDialog::Play(BOOL bStart)
{
    if (!m_movie.m_hWnd)
        return;
    m_movie.SetFileName("");  // whatever played stops
    if (!bStart)
        return;
    PlayChoice choice = ChooseNextFile(AfxGetApp()->Profile(), m_nCurrent, std::rand());
    switch (choice.pick) {
    case PlayPick::NoPlayLists:
        AskToConfigure("There are no play lists.\nDo you wnat to configure background music now?");
        return;
    case PlayPick::NoSelection:
        AskToConfigure("There is no play list selected.\nDo you wnat to configure background music now?");
        return;
    case PlayPick::NoFiles:
        AskToConfigure("There are no files in the current playlist.\nDo you wnat to configure background music now?");
        return;
    case PlayPick::EmptyItem:
        m_nCurrent = choice.index;
        m_bPlaying = FALSE;
        Play(FALSE);
        return;
    case PlayPick::Play:
        m_nCurrent = choice.index;
        m_movie.SetFileName(choice.path);
        return;
    }
}

void CMusicPlayerDialog::OnMovieStateChange(NMHDR* pNotify, LRESULT* pResult)
{
    auto* change = reinterpret_cast<NMMEDIASTATE*>(pNotify);
    // Only a file that came to its end: running to stopped.
    if (change->oldState == 2 && change->newState == 0)
        PostMessage(WM_PLAYERCOMMAND, m_bPlaying ? 2 : 0);
    *pResult = 0;
}

void CMusicPlayerDialog::OnMovieError(NMHDR* pNotify, LRESULT* pResult)
{
    auto* error = reinterpret_cast<NMMEDIAERROR*>(pNotify);
    CString text;
    text.Format("Background music error while playing %s: %s.\nDo you want to continue playing background music?",
                static_cast<const char*>(m_movie.GetFileName()), error->description ? error->description : "");
    *pResult = 0;
    if (AfxMessageBox(text, MB_YESNO) == IDYES) {
        m_bPlaying = TRUE;
        Play(TRUE);
    } else {
        m_bPlaying = FALSE;
        Play(FALSE);
    }
}

void CMusicPlayerDialog::OnDestroy()
{
    CDialog::OnDestroy();
    m_bPlaying = FALSE;
}
