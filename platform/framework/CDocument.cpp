#include "framework/CDocument.h"

#include "framework/CDocTemplate.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"

#include <algorithm>
#include <commdlg.h>

CDocument::~CDocument()
{
    // Views outliving their document must not reach it any more.
    for (CView* pView : m_viewList)
        pView->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(const char* lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(const char* lpszPathName, BOOL)
{
    char full[MAX_PATH];
    DWORD n = ::GetFullPathNameA(lpszPathName, MAX_PATH, full, nullptr);
    m_strPathName = (n > 0 && n < MAX_PATH) ? full : lpszPathName;
    char title[MAX_PATH];
    if (::GetFileTitleA(m_strPathName, title, MAX_PATH) == 0) {
        SetTitle(title);
    } else {
        int slash = m_strPathName.ReverseFind('\\');
        SetTitle(m_strPathName.Mid(slash + 1));
    }
}

void CDocument::UpdateFrameCounts()
{
    for (CView* pView : m_viewList)
        if (CFrameWnd* frame = pView->GetParentFrame(); frame && frame->GetActiveView() == pView)
            frame->OnUpdateFrameTitle(TRUE);
}

void CDocument::AddView(CView* pView)
{
    if (std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end())
        return;
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (it == m_viewList.end())
        return;
    m_viewList.erase(it);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.empty() && m_bAutoDelete)
        OnCloseDocument();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint)
{
    for (CView* pView : m_viewList)
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint);
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* lpszPathName)
{
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite)) {
        ReportOpenFailure(lpszPathName, file.GetLastError());
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE);
    try {
        CArchive archive(&file, CArchive::load);
        Serialize(archive);
    } catch (...) {
        file.Close();
        DeleteContents();
        ReportOpenFailure(lpszPathName, ERROR_INVALID_DATA);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportOpenFailure(const char* lpszPathName, DWORD dwError)
{
    CString text;
    if (dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND)
        text.Format("%s was not found.", lpszPathName);
    else if (dwError == ERROR_SHARING_VIOLATION || dwError == ERROR_ACCESS_DENIED)
        text.Format("Unable to read from %s, it is opened by someone else.", lpszPathName);
    else
        text.Format("Failed to open document %s.", lpszPathName);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument()
{
    // Frames still showing the document go first; their views then leave the list.
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.empty()) {
        CView* pView = m_viewList.front();
        CFrameWnd* frame = pView->GetParentFrame();
        if (frame && frame->IsWindow())
            frame->DestroyWindow();
        else
            RemoveView(pView);
        if (!m_viewList.empty() && m_viewList.front() == pView)
            RemoveView(pView);  // a view without a window left
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::DeleteContents() {}

void CDocument::Serialize(CArchive&) {}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode))
        return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode);
}
