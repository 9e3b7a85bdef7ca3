// Ending a thread's modal windows: the innermost first, each with its cautious answer and only
// once the one above it has returned; nothing new opens meanwhile.
#include "framework_test_ids.h"
#include "test_app.h"

#include <gtest/gtest.h>

namespace {

TEST(ModalWindows, EndingAnswersTheInnermostFirstAndOpensNothingNew)
{
    CDialog dialog(IDD_NUMBER);
    int boxAnswer = 0, laterBox = 0;
    INT_PTR laterDialog = 0;
    bool dialogRanOnAfterTheBox = false;
    RunSoon(200, [&] {
        RunSoon(300, [&] {
            EXPECT_EQ(AfxModalWindowCount(), 2);
            EXPECT_TRUE(AfxEndModalWindows(nullptr, WM_APP + 7));
        });
        boxAnswer = AfxMessageBox("Remove it?", MB_YESNO);
        // The dialog below the box is told only now, after its handler has the answer.
        dialogRanOnAfterTheBox = IsWindowVisible(dialog.m_hWnd) != FALSE;
        laterBox = AfxMessageBox("Shown after?", MB_YESNOCANCEL);
        CDialog other(IDD_NUMBER);
        laterDialog = other.DoModal();
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(boxAnswer, IDNO);
    EXPECT_TRUE(dialogRanOnAfterTheBox);
    EXPECT_EQ(laterBox, IDCANCEL);
    EXPECT_EQ(laterDialog, IDCANCEL);
    EXPECT_EQ(AfxModalWindowCount(), 0);
    EXPECT_FALSE(AfxEndingModalWindows());
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_APP + 7, WM_APP + 7, PM_REMOVE)) << "told that all have gone";
    EXPECT_FALSE(AfxEndModalWindows(nullptr, WM_APP + 7)) << "nothing open";
}

}  // namespace
