// Modal dialogs run the framework's own loop: data exchange with validation messages, the
// focus back on the refused control, and pre-translation of the dialog's messages.
#include "framework_test_ids.h"
#include "test_app.h"

#include <gtest/gtest.h>

namespace {

class CNumberDialog : public CDialog {
public:
    CNumberDialog() : CDialog(IDD_NUMBER) {}
    int number = 60;
    int choice = 1;
    int preTranslated = 0;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NUMBER, number);
        DDV_MinMaxInt(pDX, number, 50, 10000);
        DDX_Radio(pDX, IDC_RADIO1, choice);
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_USER + 20)
            ++preTranslated;
        return CDialog::PreTranslateMessage(pMsg);
    }
};

TEST(Dialog, ModalDataExchangeRefusesBadValuesAndKeepsTheDialogOpen)
{
    CNumberDialog dialog;
    std::vector<std::string> boxes;
    bool focusBackOnEdit = false;
    std::string shownNumber;
    bool radioShown = false;

    RunSoon(300, [&] {
        shownNumber = [&] {
            CString t;
            dialog.GetDlgItemText(IDC_NUMBER, t);
            return std::string(t);
        }();
        radioShown = dialog.IsDlgButtonChecked(IDC_RADIO2) == BST_CHECKED;
        // A message for a control inside the dialog reaches the dialog's pre-translation.
        PostMessageA(GetDlgItem(dialog.m_hWnd, IDC_NUMBER), WM_USER + 20, 0, 0);
        dialog.SetDlgItemText(IDC_NUMBER, "5");
        dialog.PostMessage(WM_COMMAND, IDOK);
        RunSoon(300, [&] {
            HWND box = FindThreadMessageBox();
            if (box) {
                boxes.push_back(Caption(box) + ": " + MessageBoxText(box));
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
            RunSoon(300, [&] {
                focusBackOnEdit = GetFocus() == GetDlgItem(dialog.m_hWnd, IDC_NUMBER);
                dialog.SetDlgItemText(IDC_NUMBER, "abc");
                dialog.PostMessage(WM_COMMAND, IDOK);
                RunSoon(300, [&] {
                    HWND box2 = FindThreadMessageBox();
                    if (box2) {
                        boxes.push_back(MessageBoxText(box2));
                        PostMessageA(box2, WM_COMMAND, IDOK, 0);
                    }
                    RunSoon(300, [&] {
                        dialog.SetDlgItemText(IDC_NUMBER, " 500 ");
                        dialog.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO3);
                        dialog.PostMessage(WM_COMMAND, IDOK);
                    });
                });
            });
        });
    });

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shownNumber, "60");
    EXPECT_TRUE(radioShown);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "Framework Test: Please enter an integer between 50 and 10000.");
    EXPECT_EQ(boxes[1], "Please enter an integer.");
    EXPECT_TRUE(focusBackOnEdit);
    EXPECT_EQ(dialog.number, 500);
    EXPECT_EQ(dialog.choice, 2);
    EXPECT_GE(dialog.preTranslated, 1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

// Reads the controls back whenever the edit changes, as dialogs with previews do.
class CEchoDialog : public CNumberDialog {
public:
    std::vector<int> readBacks;  // 1 taken, 0 refused

protected:
    void OnNumberChanged() { readBacks.push_back(UpdateData(TRUE) ? 1 : 0); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEchoDialog, CNumberDialog)
    ON_EN_CHANGE(IDC_NUMBER, OnNumberChanged)
END_MESSAGE_MAP()

TEST(Dialog, ControlsAreNotReadBackWhileTheyAreBeingFilled)
{
    CEchoDialog dialog;
    dialog.number = 75;
    RunSoon(300, [&] {
        dialog.SetDlgItemText(IDC_NUMBER, "80");  // the user types
        dialog.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.readBacks, (std::vector<int>{0, 1}));  // refused while filling, then taken
    EXPECT_EQ(dialog.number, 80);
    EXPECT_EQ(FindThreadMessageBox(), nullptr);
}

TEST(Dialog, CancelLeavesTheMembersAlone)
{
    CNumberDialog dialog;
    RunSoon(200, [&] {
        dialog.SetDlgItemText(IDC_NUMBER, "700");
        dialog.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.number, 60);
}

TEST(Dialog, MessageBoxesCarryTheProgramTitle)
{
    std::string caption, text;
    RunSoon(200, [&] {
        HWND box = FindThreadMessageBox();
        if (box) {
            caption = Caption(box);
            text = MessageBoxText(box);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    });
    AfxMessageBox("Hello");
    EXPECT_EQ(caption, "Framework Test");
    EXPECT_EQ(text, "Hello");
    EXPECT_STREQ(theTestApp.m_pszAppName, "Framework Test");  // from string AFX_IDS_APP_TITLE
}

TEST(Dialog, AModalDialogOpensCentredOverItsOwnerUnlessItPlacesItself)
{
    // Unplaced, or centred by its template (which would centre it on the screen, half off a
    // small owner near a corner).
    for (UINT id : {IDD_NUMBER, IDD_CENTRED}) {
        HWND ownerWindow = CreateWindowA("STATIC", "owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 30, 600, 420,
                                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        CWnd owner;
        owner.Attach(ownerWindow);
        CDialog dialog(id, &owner);
        RECT shown = {};
        RunSoon(300, [&] {
            dialog.GetWindowRect(&shown);
            dialog.EndDialog(IDCANCEL);
        });
        dialog.DoModal();
        owner.Detach();
        DestroyWindow(ownerWindow);
        EXPECT_NEAR((shown.left + shown.right) / 2, 40 + 300, 1) << id;
        EXPECT_NEAR((shown.top + shown.bottom) / 2, 30 + 210, 1) << id;
    }
}

}  // namespace
