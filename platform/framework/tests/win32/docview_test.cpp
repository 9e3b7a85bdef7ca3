// Documents and views: the template's frame with its view, a document read through Serialize,
// commands routed view, document, frame, update handlers, and the document going with its
// last view.
#include "framework_test_ids.h"
#include "test_app.h"

#include <gtest/gtest.h>

#include <string>

namespace {

enum : UINT { kViewOnly = 40001, kDocOnly, kFrameOnly, kEveryone, kNobody, kChecked };

std::string g_ran;
bool g_docDeleted;

class CTestDoc : public CDocument {
public:
    ~CTestDoc() override { g_docDeleted = true; }
    void Serialize(CArchive& ar) override
    {
        char buffer[64] = {};
        UINT n = ar.GetFile()->Read(buffer, sizeof buffer - 1);
        m_text.assign(buffer, n);
    }
    std::string m_text;

protected:
    void OnDoc() { g_ran += "doc "; }
    void OnEveryone() { g_ran += "doc-everyone "; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND(kDocOnly, OnDoc)
    ON_COMMAND(kEveryone, OnEveryone)
END_MESSAGE_MAP()

class CTestView : public CView {
public:
    void OnDraw(HDC) override {}
    void OnInitialUpdate() override { ++m_initialUpdates; }
    int m_initialUpdates = 0;

protected:
    void OnView() { g_ran += "view "; }
    void OnEveryone() { g_ran += "view-everyone "; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestView, CView)
    ON_COMMAND(kViewOnly, OnView)
    ON_COMMAND(kEveryone, OnEveryone)
END_MESSAGE_MAP()

class CTestFrame : public CFrameWnd {
protected:
    void OnFrame() { g_ran += "frame "; }
    void OnEveryone() { g_ran += "frame-everyone "; }
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_COMMAND(kFrameOnly, OnFrame)
    ON_COMMAND(kEveryone, OnEveryone)
    ON_UPDATE_COMMAND_UI(kChecked, OnUpdateChecked)
END_MESSAGE_MAP()

TEST(DocView, TemplateBuildsTheTripleRoutesCommandsAndTheDocumentGoesWithItsView)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "docview test.txt";
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, "contents", 8, &written, nullptr);
    CloseHandle(h);

    g_docDeleted = false;
    CSingleDocTemplate docTemplate(IDS_PAGE_TITLE, DOC_FACTORY(CTestDoc), FRAME_FACTORY(CTestFrame),
                                   VIEW_FACTORY(CTestView));
    CString field;
    EXPECT_TRUE(docTemplate.GetDocString(field, CDocTemplate::windowTitle));
    EXPECT_EQ(field, "Titled Page");
    EXPECT_FALSE(docTemplate.GetDocString(field, CDocTemplate::filterExt));

    auto* doc = static_cast<CTestDoc*>(docTemplate.CreateNewDocument());
    ASSERT_NE(doc, nullptr);
    CFrameWnd* frame = docTemplate.CreateNewFrame(doc, nullptr);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(doc->OnOpenDocument(path.c_str()));
    EXPECT_EQ(doc->m_text, "contents");
    doc->SetPathName(path.c_str());
    docTemplate.InitialUpdateFrame(frame, doc, TRUE);
    auto* view = dynamic_cast<CTestView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDocument(), doc);
    EXPECT_EQ(view->m_initialUpdates, 1);
    EXPECT_EQ(Caption(frame->m_hWnd), "docview test.txt - Titled Page");

    // The view first, then its document, then the frame.
    for (UINT id : {kViewOnly, kDocOnly, kFrameOnly, kEveryone, kNobody})
        frame->SendMessage(WM_COMMAND, id);
    EXPECT_EQ(g_ran, "view doc frame view-everyone ");

    // Update handlers; without one an item is disabled only when no handler takes it and the
    // caller asks.
    HMENU menu = CreatePopupMenu();
    for (UINT id : {kDocOnly, kNobody, kChecked})
        AppendMenuA(menu, MF_STRING, id, "item");
    AfxUpdateMenuItems(menu, frame, TRUE);
    EXPECT_FALSE(GetMenuState(menu, kDocOnly, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(menu, kNobody, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(menu, kChecked, MF_BYCOMMAND) & MF_CHECKED);
    DestroyMenu(menu);

    frame->DestroyWindow();
    EXPECT_TRUE(g_docDeleted);
    EXPECT_EQ(docTemplate.GetOnlyDocument(), nullptr);

    // A file that cannot be opened is reported and refused.
    auto* second = static_cast<CTestDoc*>(docTemplate.CreateNewDocument());
    RunSoon(200, [] {
        if (HWND box = FindThreadMessageBox())
            PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_FALSE(second->OnOpenDocument("C:\\no such folder\\missing.txt"));
    DeleteFileA(path.c_str());
}

}  // namespace
