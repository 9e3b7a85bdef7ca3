// A document: the data one or more views show, read from and written to a file through
// Serialize. It knows its views, and with auto-delete on it goes away with its last view.
#pragma once

#include "framework/CCmdTarget.h"
#include "framework/CFile.h"
#include "framework/CString.h"

#include <vector>

class CDocTemplate;
class CView;

class CDocument : public CCmdTarget {
public:
    CDocument() = default;
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const char* lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Keeps the full path and takes the title from the file's name; the frames of the views
    // show the new title.
    virtual void SetPathName(const char* lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    int GetViewCount() const { return static_cast<int>(m_viewList.size()); }
    CView* GetView(int index) const { return m_viewList[static_cast<size_t>(index)]; }
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0);
    void UpdateFrameCounts();

    virtual BOOL OnNewDocument();
    // Opens the file and hands it to Serialize; a file that cannot be opened is reported
    // and gives FALSE.
    virtual BOOL OnOpenDocument(const char* lpszPathName);
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    virtual void Serialize(CArchive& ar);

    // Commands reach the document after its active view.
    BOOL OnCmdMsg(UINT nID, int nCode) override;

    BOOL m_bAutoDelete = TRUE;  // deleted with its last view
    CDocTemplate* m_pDocTemplate = nullptr;

protected:
    virtual void OnChangedViewList();
    virtual void ReportOpenFailure(const char* lpszPathName, DWORD dwError);

    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_viewList;
};
