// The one-document template: a resource id whose string holds the document's names
// ("window title\ndoc name\nnew name\nfilter name\nfilter extension"), and factories for the
// document, frame and view it puts together.
#pragma once

#include "framework/CCmdTarget.h"
#include "framework/CString.h"
#include "framework/SubString.h"

class CDocument;
class CFrameWnd;
class CView;

// A factory of one class, where the template needs one.
template <class Base, class T>
Base* AfxCreateObject()
{
    return new T;
}
#define DOC_FACTORY(T) (&AfxCreateObject<CDocument, T>)
#define FRAME_FACTORY(T) (&AfxCreateObject<CFrameWnd, T>)
#define VIEW_FACTORY(T) (&AfxCreateObject<CView, T>)

class CDocTemplate : public CCmdTarget {
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    using DocumentFactory = CDocument* (*)();
    using FrameFactory = CFrameWnd* (*)();
    using ViewFactory = CView* (*)();

    CDocTemplate(UINT nIDResource, DocumentFactory pDocClass, FrameFactory pFrameClass, ViewFactory pViewClass);
    ~CDocTemplate() override;

    // Field n of the resource string; false and empty when it has none.
    BOOL GetDocString(CString& rString, DocStringIndex index) const;

    virtual CDocument* CreateNewDocument();
    // A frame with its view for the document, built from the template's resources (menu,
    // title); nullptr when it cannot be made. The other frame is only a model for the new one.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);

    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    UINT GetResourceId() const { return m_nIDResource; }

protected:
    UINT m_nIDResource;
    DocumentFactory m_pDocClass;
    FrameFactory m_pFrameClass;
    ViewFactory m_pViewClass;
    CString m_strDocStrings;
};

class CSingleDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;
    ~CSingleDocTemplate() override;

    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* GetOnlyDocument() const { return m_pOnlyDoc; }

protected:
    CDocument* m_pOnlyDoc = nullptr;
};
