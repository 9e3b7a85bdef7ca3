// Property sheets under the framework's modal loop: OK applies the pages that were shown,
// wizards finish, and a sheet may open another one from inside its own loop.
#include "framework_test_ids.h"
#include "test_app.h"

#include <gtest/gtest.h>

namespace {

class CCountingPage : public CPropertyPage {
public:
    explicit CCountingPage(UINT id, UINT caption = 0) : CPropertyPage(id, caption) {}
    int inits = 0, oks = 0, actives = 0;
    BOOL OnInitDialog() override
    {
        ++inits;
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        ++actives;
        return CPropertyPage::OnSetActive();
    }
    void OnOK() override { ++oks; }
};

// A page that relays what reaches its controls, as the program's tooltip pages do.
class CRelayPage : public CCountingPage {
public:
    CRelayPage() : CCountingPage(IDD_PAGE1) {}
    int relayed = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_USER + 30)
            ++relayed;
        return CCountingPage::PreTranslateMessage(pMsg);
    }
};

class CTestSheet : public CPropertySheet {
public:
    CTestSheet() : CPropertySheet("Test Sheet") {}
    bool initialised = false;
    BOOL OnInitDialog() override
    {
        initialised = CWnd::FromHandlePermanent(m_hWnd) == this;
        return CPropertySheet::OnInitDialog();
    }
};

TEST(PropertySheet, OkAppliesOnlyThePagesThatWereShown)
{
    CTestSheet sheet;
    CCountingPage first(IDD_PAGE1), second(IDD_PAGE2, IDS_PAGE_TITLE);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    std::string tabTitle;
    RunSoon(300, [&] {
        TCITEMA item = {};
        char text[64] = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        TabCtrl_GetItem(sheet.GetTabControl()->m_hWnd, 1, &item);
        tabTitle = text;
        sheet.PressButton(PSBTN_OK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_TRUE(sheet.initialised);
    EXPECT_EQ(first.inits, 1);
    EXPECT_EQ(first.oks, 1);
    EXPECT_EQ(second.inits, 0);
    EXPECT_EQ(second.oks, 0);
    EXPECT_EQ(tabTitle, "Titled Page");
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(first.m_hWnd, nullptr);
}

TEST(PropertySheet, PagesSeeTheMessagesOfTheirControlsInsideTheModalLoop)
{
    CTestSheet sheet;
    CRelayPage page;
    sheet.AddPage(&page);
    RunSoon(300, [&] {
        PostMessageA(GetDlgItem(page.m_hWnd, IDC_NUMBER), WM_USER + 30, 0, 0);
        RunSoon(200, [&] { sheet.PressButton(PSBTN_CANCEL); });
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(page.relayed, 1);
}

class CMenuPage : public CCountingPage {
public:
    CMenuPage() : CCountingPage(IDD_PAGE1) {}
    int commands = 0;

protected:
    void OnMenuCommand() { ++commands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuPage, CCountingPage)
    ON_COMMAND(40123, OnMenuCommand)
END_MESSAGE_MAP()

TEST(PropertySheet, MenuCommandsTheSheetOwnsReachTheActivePage)
{
    CTestSheet sheet;
    CMenuPage page;
    sheet.AddPage(&page);
    RunSoon(300, [&] {
        sheet.SendMessage(WM_COMMAND, 40123, 0);  // as from a popup menu owned by the sheet
        sheet.SendMessage(WM_COMMAND, 40124, 0);  // nobody's
        RunSoon(100, [&] { sheet.PressButton(PSBTN_CANCEL); });
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(page.commands, 1);
}

TEST(PropertySheet, TheSheetsOwnButtonCommandsStayWithTheSheet)
{
    CTestSheet sheet;
    CMenuPage page;
    sheet.AddPage(&page);
    // IDOK without a control, as another program or a keyboard accelerator sends it.
    RunSoon(300, [&] {
        sheet.PostMessage(WM_COMMAND, IDOK, 0);
        // Should OK go elsewhere, the sheet is cancelled rather than left open.
        RunSoon(2000, [hwnd = sheet.m_hWnd] {
            if (IsWindow(hwnd))
                PostMessageA(hwnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        });
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST(PropertySheet, CancelAndNestedSheets)
{
    CTestSheet outer;
    CCountingPage outerPage(IDD_PAGE1);
    outer.AddPage(&outerPage);
    INT_PTR innerResult = 0;
    bool outerStillOpen = false;
    RunSoon(300, [&] {
        // A sheet opened from inside the outer sheet's loop runs its own loop.
        CTestSheet inner;
        CCountingPage innerPage(IDD_PAGE2);
        inner.AddPage(&innerPage);
        RunSoon(300, [&] { inner.PressButton(PSBTN_CANCEL); });
        innerResult = inner.DoModal();
        outerStillOpen = outer.m_hWnd && IsWindow(outer.m_hWnd);
        RunSoon(100, [&] { outer.PressButton(PSBTN_CANCEL); });
    });
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_EQ(innerResult, IDCANCEL);
    EXPECT_TRUE(outerStillOpen);
    EXPECT_EQ(outerPage.oks, 0);
}

TEST(PropertySheet, WizardsGoPageByPageToFinish)
{
    CTestSheet wizard;
    CCountingPage first(IDD_PAGE1), second(IDD_PAGE2);
    wizard.AddPage(&first);
    wizard.AddPage(&second);
    wizard.SetWizardMode();
    RunSoon(300, [&] {
        wizard.SetWizardButtons(PSWIZB_NEXT);
        wizard.PressButton(PSBTN_NEXT);
        RunSoon(300, [&] {
            wizard.SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
            wizard.PressButton(PSBTN_FINISH);
        });
    });
    EXPECT_EQ(wizard.DoModal(), ID_WIZFINISH);
    EXPECT_EQ(first.actives, 1);
    EXPECT_EQ(second.actives, 1);
}

}  // namespace
