// The caption control on a real form in this process, with a spy between it and the form's own
// window procedure: what the control passes on to the default handling and what it keeps.
#include "TCaptionControl.h"

#include <Application.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

WNDPROC g_formProc = nullptr;
std::vector<UINT> g_passed;
bool g_captionPassed = false;  // the last non-client region passed on holds the caption's middle

LRESULT CALLBACK Spy(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCLBUTTONDOWN) {
        // Recorded, not handled: the default handling would start moving the window.
        g_passed.push_back(msg);
        return 0;
    }
    if (msg == WM_NCPAINT) {
        g_passed.push_back(msg);
        RECT wr;
        GetWindowRect(w, &wr);
        POINT middle{(wr.left + wr.right) / 2, wr.top + GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
        g_captionPassed = wp <= 1 || PtInRegion(reinterpret_cast<HRGN>(wp), middle.x, middle.y);
    }
    return CallWindowProcA(g_formProc, w, msg, wp, lp);
}

class CaptionForm : public forms::Form {
public:
    CaptionForm() : Form(nullptr)
    {
        SetBorderStyle(forms::bsSingle);
        SetBorderIcons(forms::biSystemMenu | forms::biMinimize);
        SetBounds(100, 100, 320, 120);
        SetCaption("Caption test");
    }
};

TEST(CaptionControl, PaintsOnlyItsOwnCaptionAndKeepsClicksOnItsOwnButtons)
{
    forms::Application::Instance().Initialize();
    CaptionForm form;
    HWND w = form.Handle();
    g_formProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Spy)));
    int clicks = 0;
    {
        platterly::TCaptionControl caption(&form);
        caption.SetCaptionGradient(platterly::TCaptionGradient::cgAlways);
        caption.SetButtonsDirection(platterly::TDirection::dirLeft);
        caption.Buttons().Add(platterly::TCaptionButton{"A", true, true, false, platterly::TCaptionButtonKind::cbkCustom});
        caption.SetShowButtons(true);
        caption.OnButtonClick = [&](forms::Component*, int index, bool& pushed) {
            EXPECT_EQ(index, 0);
            pushed = !pushed;
            ++clicks;
        };
        form.Show();
        forms::Application::Instance().ProcessMessages();

        // The default painting is handed the frame without the caption.
        g_passed.clear();
        RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        ASSERT_NE(std::find(g_passed.begin(), g_passed.end(), static_cast<UINT>(WM_NCPAINT)), g_passed.end());
        EXPECT_FALSE(g_captionPassed);
        RECT wr;
        GetWindowRect(w, &wr);
        const int frame = GetSystemMetrics(SM_CYDLGFRAME);
        const int captionY = wr.top + frame + GetSystemMetrics(SM_CYCAPTION) / 2;

        // Across the caption: a press on the own button is the control's alone and gives one
        // click; a press anywhere else goes on to the default handling.
        int buttonHits = 0, passedOn = 0;
        for (int x = wr.left + frame; x < wr.right - 60; x += 2) {
            g_passed.clear();
            int before = clicks;
            POINT screen{x, captionY};
            SendMessageA(w, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
            POINT client = screen;
            ScreenToClient(w, &client);
            SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
            bool reached = std::find(g_passed.begin(), g_passed.end(), static_cast<UINT>(WM_NCLBUTTONDOWN)) != g_passed.end();
            if (clicks > before) {
                ++buttonHits;
                EXPECT_EQ(clicks, before + 1);
                EXPECT_FALSE(reached) << "a press on the own button went on at x " << x - wr.left;
            } else if (reached) {
                ++passedOn;
            }
        }
        EXPECT_GT(buttonHits, 3);
        EXPECT_GT(passedOn, 20);
        form.Hide();
    }
    SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_formProc));
}

} // namespace
