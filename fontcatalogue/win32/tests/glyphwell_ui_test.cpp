// The program's windows driven in-process under Wine, checked against the system itself: font
// lists against an enumeration of our own, settings against the registry's raw data.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "Application.h"
#include "Clipboard.h"
#include "core/char_grids.h"
#include "core/font_set.h"
#include "core/settings.h"
#include "win32/charset_form.h"
#include "win32/compare_form.h"
#include "win32/configuration_form.h"
#include "win32/glyphwell_forms.h"
#include "win32/magnify_form.h"
#include "win32/main_form.h"
#include "win32/preview_form.h"
#include "win32/report_forms.h"
#include "win32/simple_forms.h"
#include "win32/wholeset_form.h"
#include "reports/gdi_painter.h"

#include "win32/tests/ui_test_support.h"

namespace glyphwell {
namespace {

using namespace testing_support;

TEST_F(Glyphwell, FirstRunListsTheScreenFontsOncePerFace) {
    Start();
    RECT r{};
    GetWindowRect(fGlyphwell->WindowHandle(), &r);
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.top, 2);
    EXPECT_EQ(r.right - r.left, 218);
    EXPECT_EQ(r.bottom - r.top, 316);
    const auto expected = ScreenFamilies();
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(fGlyphwell->LB1->ItemList(), expected);
    EXPECT_EQ(Status(), std::to_string(expected.size()) + " Screen Fonts");
    EXPECT_EQ(fGlyphwell->LB1->ItemIndex(), 0);
    EXPECT_EQ(SendMessageA(fGlyphwell->LB1->WindowHandle(), LB_GETITEMHEIGHT, 0, 0), 24);
    EXPECT_EQ(fGlyphwell->SampleString, "ABC123");
}

TEST_F(Glyphwell, PrinterSetListsThePrintersFonts) {
    const auto expected = PrinterFamilies();
    if (expected.empty()) GTEST_SKIP() << "no printer in this prefix";
    SetRaw("FontSet", "1");
    Start();
    EXPECT_EQ(fGlyphwell->LB1->ItemList(), expected);
    EXPECT_EQ(Status(), std::to_string(expected.size()) + " Printer Fonts");
}

TEST_F(Glyphwell, DamagedSettingsFallBackToTheirDefaults) {
    SetRaw("FontSize", "");
    SetRaw("FontHeight", "tall");
    SetRaw("screenwidth", "");
    SetRaw("Fontset", "zero");
    Start();
    EXPECT_EQ(SendMessageA(fGlyphwell->LB1->WindowHandle(), LB_GETITEMHEIGHT, 0, 0), 24);
    EXPECT_EQ(fGlyphwell->LB1->GetFont().Height(), PointsToHeight(12));
    EXPECT_GT(fGlyphwell->LB1->Count(), 0);
    RECT r{};
    GetWindowRect(fGlyphwell->WindowHandle(), &r);
    EXPECT_EQ(r.right - r.left, 218);
}

TEST_F(Glyphwell, AnUnknownFontSetLeavesTheListEmptyAndCommandsDoNothing) {
    SetRaw("FontSet", "2");
    Start();
    EXPECT_EQ(fGlyphwell->LB1->Count(), 0);
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(fGlyphwell->SelectedFontName(), "");
    fGlyphwell->CharacterSet1Click(nullptr);
    fGlyphwell->LB1DblClick(nullptr);
    fGlyphwell->SingleFontCharacterSet1Click(nullptr);
    fGlyphwell->CharacterSet2Click(nullptr);
    Pump();
    EXPECT_FALSE(fCharSet->Visible());
    EXPECT_FALSE(CustPreview->Visible());
    // The installed-fonts reports still run: they do not depend on the selection.
    fGlyphwell->FontList1Click(nullptr);
    EXPECT_TRUE(CustPreview->Visible());
}

TEST_F(Glyphwell, SettingsSurviveARestartReadBackFromTheRegistry) {
    Start();
    SetWindowPos(fGlyphwell->WindowHandle(), nullptr, 40, 50, 300, 400, SWP_NOZORDER);
    fGlyphwell->ResetCharacterSet1Click(nullptr);
    fCharSet->SetLeft(123);
    Stop();
    EXPECT_EQ(RawSetting("screenleft"), "40");
    EXPECT_EQ(RawSetting("screenheight"), "400");
    EXPECT_EQ(RawSetting("cscreenleft"), "123");
    EXPECT_EQ(RawSetting("cscreentop"), "2");
    Start();
    RECT r{};
    GetWindowRect(fGlyphwell->WindowHandle(), &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(fCharSet->Left(), 123);
    EXPECT_EQ(fCharSet->Top(), 2);
}

TEST_F(Glyphwell, ConfigurationShowsDefaultsAndStoresAllSixValues) {
    Start();
    fConfiguration->FormShow(nullptr);
    EXPECT_EQ(fConfiguration->eSize->Text(), "12");
    EXPECT_EQ(fConfiguration->pSize->Text(), "12");
    EXPECT_EQ(fConfiguration->eString->Text(), "ABC123");
    EXPECT_EQ(fConfiguration->ePrinterString->Text(), "Glyphwell is a great utility!");
    EXPECT_EQ(fConfiguration->FontSet->ItemIndex(), 0);
    EXPECT_EQ(fConfiguration->PrinterSet->ItemIndex(), 0);
    // Typed letters never reach a size edit.
    SendMessageA(fConfiguration->eSize->WindowHandle(), WM_CHAR, 'a', 0);
    SendMessageA(fConfiguration->eSize->WindowHandle(), WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(fConfiguration->eSize->Text(), "12");
    fConfiguration->eSize->SetText("20");
    fConfiguration->eString->SetText("Q&A");
    fConfiguration->btnOKClick(nullptr);
    EXPECT_EQ(RawSetting("FontSize"), "20");
    EXPECT_EQ(RawSetting("FontString"), "Q&A");
    EXPECT_EQ(RawSetting("FontSet"), "0");
    EXPECT_EQ(RawSetting("PrinterString"), "Glyphwell is a great utility!");
}

TEST_F(Glyphwell, ComparisonShowsBothSetsWithTheirCounts) {
    Start();
    fCompare->FormShow(nullptr);
    const auto screen = ScreenFamilies();
    const auto printer = PrinterFamilies();
    EXPECT_EQ(fCompare->SF->ItemList(), screen);
    EXPECT_EQ(fCompare->PF->ItemList(), printer);
    EXPECT_EQ(fCompare->SFCount->Caption(), std::to_string(screen.size()) + " Fonts");
    EXPECT_EQ(fCompare->PFCount->Caption(), std::to_string(printer.size()) + " Fonts");
    if (printer.empty()) return;
    // The sets differ both ways here: screen-only raster faces, printer-only device faces.
    const auto screenOnly = FontsOnlyIn(fCompare->SF->ItemList(), fCompare->PF->ItemList());
    const auto printerOnly = FontsOnlyIn(fCompare->PF->ItemList(), fCompare->SF->ItemList());
    EXPECT_FALSE(screenOnly.empty());
    EXPECT_FALSE(printerOnly.empty());
    for (const auto& name : printerOnly) EXPECT_EQ(IndexIn(fCompare->SF, name), -1) << name;
}

TEST_F(Glyphwell, CharacterSetViewFollowsTheSelectionAndCopies) {
    Start();
    const int courier = IndexOf("Courier New");
    const int arial = IndexOf("Arial");
    ASSERT_GE(courier, 0);
    ASSERT_GE(arial, 0);
    Select(arial);
    fGlyphwell->CharacterSet1Click(nullptr);
    Pump();
    ASSERT_TRUE(fCharSet->Visible());
    EXPECT_EQ(fCharSet->Caption(), "Arial");
    EXPECT_EQ(fCharSet->sg1->Cells(0, 0), "!");
    EXPECT_EQ(fCharSet->sg1->Cells(31, 6), std::string(1, '\0'));
    Select(courier);
    EXPECT_EQ(fGlyphwell->Caption(), "Courier New");
    EXPECT_EQ(fCharSet->Caption(), "Courier New");
    EXPECT_EQ(fCharSet->sg1->GetFont().Name(), "Courier New");
    EXPECT_EQ(fMagnify->Panel1->GetFont().Name(), "Courier New");

    // "&" is code 38: column 5 of the first row. A right click copies the recorded cell.
    ASSERT_TRUE(fCharSet->sg1->SelectCell(5, 0));
    fCharSet->sg1MouseDown(fCharSet->sg1, forms::mbRight, 0, 5 * 19 + 4, 4);
    EXPECT_EQ(forms::clipboard::GetText(), "&");
    const std::string rtf = forms::clipboard::GetRichText();
    EXPECT_NE(rtf.find("Courier New;"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\fs24 \\'26"), std::string::npos) << rtf;

    // The left button shows the magnifier with that character below the pointer; release hides it.
    fCharSet->sg1MouseDown(fCharSet->sg1, forms::mbLeft, 0, 40, 10);
    EXPECT_TRUE(fMagnify->Visible());
    EXPECT_EQ(fMagnify->Panel1->Caption(), "&");
    EXPECT_EQ(fMagnify->Left(), fCharSet->Left() + 40 - fMagnify->Width() / 2);
    fCharSet->sg1MouseUp(fCharSet->sg1, forms::mbLeft, 0, 40, 10);
    EXPECT_FALSE(fMagnify->Visible());
}

TEST_F(Glyphwell, WholeSetViewFollowsTheSelectionAndItsOwnPicker) {
    Start();
    EXPECT_EQ(fWholeSet->FontComboBox1->FontName(), "Arial");
    const int tahoma = IndexOf("Tahoma");
    ASSERT_GE(tahoma, 0);
    Select(tahoma);
    fGlyphwell->WholeCharacterSet2Click(nullptr);
    Pump();
    ASSERT_TRUE(fWholeSet->Visible());
    EXPECT_EQ(fWholeSet->FontComboBox1->FontName(), "Tahoma");
    EXPECT_EQ(fWholeSet->sg1->GetFont().Name(), "Tahoma");
    Select(IndexOf("Courier New"));
    EXPECT_EQ(fWholeSet->sg1->GetFont().Name(), "Courier New");
    // The picker's own choice changes the grid and leaves the main list alone.
    fWholeSet->FontComboBox1->SetFontName("arial");
    EXPECT_EQ(fWholeSet->FontComboBox1->FontName(), "Arial");
    EXPECT_EQ(fWholeSet->sg1->GetFont().Name(), "Arial");
    EXPECT_EQ(fGlyphwell->SelectedFontName(), "Courier New");
    fWholeSet->FontComboBox1->SetFontName("No Such Font");
    EXPECT_EQ(fWholeSet->FontComboBox1->ItemIndex(), -1);
    // Every screen face is in the picker once.
    EXPECT_EQ(fWholeSet->FontComboBox1->Count(), fGlyphwell->LB1->Count());
}

TEST_F(Glyphwell, PreviewPagesZoomsAndBeepsAtTheEnds) {
    Start();
    int beeps = 0;
    CustPreview->beep = [&] { ++beeps; };
    fGlyphwell->CharacterSet2Click(nullptr);
    Pump();
    ASSERT_TRUE(CustPreview->Visible());
    EXPECT_EQ(beeps, 0);
    const int pages = CustPreview->Pages().PageCount();
    EXPECT_GE(pages, 2);
    EXPECT_EQ(CustPreview->Navigation().Page(), 1);
    // At the first page, going back beeps and stays.
    CustPreview->PreviousPage1Click(nullptr);
    EXPECT_EQ(beeps, 1);
    CustPreview->FirstPage1Click(nullptr);
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(CustPreview->QRPreview1->PageNumber(), 1);
    CustPreview->LastPage1Click(nullptr);
    EXPECT_EQ(CustPreview->QRPreview1->PageNumber(), pages);
    EXPECT_EQ(beeps, 2);
    // At the last page, going on beeps and stays.
    CustPreview->NextPage1Click(nullptr);
    CustPreview->LastPage1Click(nullptr);
    EXPECT_EQ(beeps, 4);
    EXPECT_EQ(CustPreview->QRPreview1->PageNumber(), pages);
    CustPreview->FirstPage1Click(nullptr);
    EXPECT_EQ(CustPreview->QRPreview1->PageNumber(), 1);
    CustPreview->NextPage1Click(nullptr);
    EXPECT_EQ(CustPreview->QRPreview1->PageNumber(), 2);
    EXPECT_EQ(beeps, 4);

    CustPreview->N1001Click(nullptr);
    CustPreview->SpeedButton7Click(nullptr);
    EXPECT_EQ(CustPreview->QRPreview1->Zoom(), 120);
    // Zooming out stops at the 10 % floor.
    for (int i = 0; i < 20; ++i) CustPreview->SpeedButton8Click(nullptr);
    EXPECT_EQ(CustPreview->QRPreview1->Zoom(), 10);
    // Fit width: the page at 100 % scaled to the room the control has.
    CustPreview->FitWidth1Click(nullptr);
    const int expected = CustPreview->QRPreview1->AvailableWidth() * 100 / CustPreview->QRPreview1->PageWidthAt100();
    EXPECT_EQ(CustPreview->QRPreview1->Zoom(), std::clamp(expected, 10, 800));
    EXPECT_NE(CustPreview->QRPreview1->Zoom(), 10);
}

// Whether window a lies above window b.
bool Above(HWND a, HWND b) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == a) return true;
        if (w == b) return false;
    }
    return false;
}

TEST_F(Glyphwell, AReportOpensActiveAndInFrontOfTheStayOnTopWholeSetView) {
    Start();
    fGlyphwell->WholeCharacterSet2Click(nullptr);
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(fWholeSet->WindowHandle()) != FALSE; }));
    fGlyphwell->CharacterSet2Click(nullptr);
    const HWND preview = CustPreview->WindowHandle();
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(preview) && GetActiveWindow() == preview; }));
    EXPECT_TRUE(Above(preview, fWholeSet->WindowHandle()));
    RECT r{};
    GetWindowRect(preview, &r);
    EXPECT_EQ(GetAncestor(WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}), GA_ROOT), preview);
    // The view brought up over it again, the next report still opens in front.
    SetWindowPos(fWholeSet->WindowHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_TRUE(PumpUntil([&] { return Above(fWholeSet->WindowHandle(), preview); }));
    fGlyphwell->FontList1Click(nullptr);
    EXPECT_TRUE(PumpUntil([&] { return Above(preview, fWholeSet->WindowHandle()); }));
    // Once the view has gone, the preview no longer stays above every other window.
    fWholeSet->Close();
    EXPECT_TRUE(PumpUntil([&] { return (GetWindowLongA(preview, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0; }));
}

TEST_F(Glyphwell, EveryTopLevelWindowHasTheProgramsIcon) {
    Start();
    for (forms::Form* form : std::initializer_list<forms::Form*>{fGlyphwell, CustPreview, fCharSet, fWholeSet, AboutBox})
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(form->Handle(), WM_GETICON, ICON_BIG, 0)), ProgramIcon())
            << form->Caption();
}

// A selected row drawn into a bitmap between two untouched rows: the name shows inside its row
// and nothing is drawn outside it, whatever the face's cell height.
TEST_F(Glyphwell, EveryFontListRowDrawsItsNameInsideTheRow) {
    Start();
    const int row = static_cast<int>(SendMessageA(fGlyphwell->LB1->WindowHandle(), LB_GETITEMHEIGHT, 0, 0));
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 3 * row);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    const COLORREF marker = RGB(1, 2, 3);
    for (const char* face : {"Arial", "DejaVu Math TeX Gyre", "Courier", "System"}) {
        const int index = IndexOf(face);
        if (index < 0) continue;  // not installed here
        RECT all{0, 0, 300, 3 * row};
        HBRUSH brush = CreateSolidBrush(marker);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        const RECT middle{0, row, 300, 2 * row};
        fGlyphwell->LB1DrawItem(fGlyphwell->LB1, index, dc, middle, forms::odSelected);
        int outside = 0, inside = 0;
        for (int y = 0; y < 3 * row; ++y)
            for (int x = 0; x < 300; ++x) {
                const COLORREF c = GetPixel(dc, x, y);
                if (y < row || y >= 2 * row) outside += c != marker;
                else inside += c == text;
            }
        EXPECT_EQ(outside, 0) << face;
        EXPECT_GT(inside, 20) << face;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// Each text of a preview page at the preview's zoom, drawn unclipped on its own (so that text
// too large for its box shows as such), checked against its box: the rows it covers, and the
// width the layout counted. Answers how many texts were checked.
template <class Pick>
int ExpectTextsKeepToTheirBoxes(const reports::Page& page, Pick pick) {
    const auto& pages = CustPreview->Pages().Pages();
    reports::PagePlacement at;
    at.scaleX = at.scaleY =
        CustPreview->QRPreview1->PageWidthAt100() * CustPreview->QRPreview1->Zoom() / 100.0 / pages.width;
    const int width = static_cast<int>(pages.width * at.scaleX) + 1;
    const int height = static_cast<int>(pages.height * at.scaleY) + 1;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    int checked = 0;
    for (const auto& item : page.items) {
        const auto* run = std::get_if<reports::TextRun>(&item);
        if (!run || !pick(*run)) continue;
        ++checked;
        RECT all{0, 0, width, height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        reports::TextRun whole = *run;
        whole.clip = false;
        reports::PaintPage(dc, reports::Page{{whole}}, at);
        RECT ink{width, height, -1, -1};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (GetPixel(dc, x, y) != RGB(255, 255, 255)) {
                    ink.left = std::min<LONG>(ink.left, x);
                    ink.top = std::min<LONG>(ink.top, y);
                    ink.right = std::max<LONG>(ink.right, x + 1);
                    ink.bottom = std::max<LONG>(ink.bottom, y + 1);
                }
        const int boxTop = static_cast<int>(run->box.top * at.scaleY);
        const int boxBottom = static_cast<int>(run->box.bottom * at.scaleY + 1.5);
        const double counted = ReportMeasurer().Measure(run->font, run->text).width * at.scaleX;
        if (ink.top >= ink.bottom) {
            ADD_FAILURE() << run->text << ": nothing drawn";
            continue;
        }
        EXPECT_GE(ink.top, boxTop - 1) << run->text;
        EXPECT_LE(ink.bottom, boxBottom) << run->text;
        EXPECT_LE(ink.right - run->box.left * at.scaleX, counted * 1.05 + 3) << run->text;
        EXPECT_LE(ink.right, run->box.right * at.scaleX + 2) << run->text;
        // The letters are as tall as the line, not small ones spread over its width.
        EXPECT_GE(ink.bottom - ink.top, (boxBottom - boxTop) * 0.4) << run->text;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return checked;
}

// The installed-fonts report at Fit Width: each face, bitmap faces below their smallest size and
// faces with outsized cells among them, is drawn inside its row and as wide as counted.
TEST_F(Glyphwell, AtFitWidthEveryFaceOfTheInstalledFontsReportKeepsToItsRow) {
    Start();
    fGlyphwell->FontList1Click(nullptr);
    CustPreview->FitWidth1Click(nullptr);
    const std::set<std::string> faces{"Courier", "Fixedsys", "MS Sans Serif", "Small Fonts", "System",
                                      "DejaVu Math TeX Gyre", "Arial"};
    EXPECT_GE(ExpectTextsKeepToTheirBoxes(CustPreview->Pages().Pages().pages.at(0),
                                          [&](const reports::TextRun& run) {
                                              return run.text == run.font.name && faces.count(run.text);
                                          }),
              5);
}

// The detail report of a bitmap face, whose large sizes the system gives by their cell: each
// sample line stays inside its frame, at Fit Width and at 100 %.
TEST_F(Glyphwell, AtFitWidthTheDetailReportOfABitmapFaceKeepsItsLinesInTheFrame) {
    Start();
    if (IndexOf("System") < 0) GTEST_SKIP() << "no System face here";
    Select(IndexOf("System"));
    fGlyphwell->SingleFontCharacterSet1Click(nullptr);
    for (void (TCustPreview::*zoom)(forms::Component*) : {&TCustPreview::FitWidth1Click, &TCustPreview::N1001Click}) {
        (CustPreview->*zoom)(nullptr);
        int checked = 0;
        for (const auto& page : CustPreview->Pages().Pages().pages)
            checked += ExpectTextsKeepToTheirBoxes(page, [](const reports::TextRun& run) {
                return run.font.name == "System" && run.text.find("Glyphwell") != std::string::npos;
            });
        EXPECT_GE(checked, 9);
    }
}

// What a message dialog that appeared said; the dialog is closed as soon as it is seen.
std::string g_dialogText;

BOOL CALLBACK CollectText(HWND child, LPARAM) {
    char text[256] = {};
    GetWindowTextA(child, text, sizeof text);
    if (text[0]) g_dialogText += std::string(text) + "|";
    return TRUE;
}

BOOL CALLBACK CloseDialog(HWND wnd, LPARAM) {
    char caption[64] = {};
    GetWindowTextA(wnd, caption, sizeof caption);
    if (IsWindowVisible(wnd) && std::string(caption) == "Error") {
        EnumChildWindows(wnd, CollectText, 0);
        PostMessageA(wnd, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

void CALLBACK CloseDialogTimer(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), CloseDialog, 0); }

TEST_F(Glyphwell, AFailedCalculatorStartIsReported) {
    Start();
    char path[MAX_PATH] = {};
    if (SearchPathA(nullptr, "calc.exe", nullptr, MAX_PATH, path, nullptr)) GTEST_SKIP() << "a calculator exists";
    g_dialogText.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, CloseDialogTimer);
    fGlyphwell->Calcu1Click(nullptr);
    KillTimer(nullptr, timer);
    EXPECT_NE(g_dialogText.find("Can not find Windows calculator"), std::string::npos) << g_dialogText;
}

void CALLBACK TypeSizeAndPressOk(HWND, UINT, UINT_PTR, DWORD) {
    if (!fConfiguration->Visible() || !fConfiguration->Modal()) return;
    fConfiguration->eSize->SetText("20");
    SendMessageA(fConfiguration->btnOK->Handle(), BM_CLICK, 0, 0);
}

TEST_F(Glyphwell, ConfigureAppliesTheNewListSettings) {
    Start();
    // Once the dialog shows, the size is typed over and OK pressed; the list then takes it.
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, TypeSizeAndPressOk);
    fGlyphwell->SetString1Click(nullptr);
    KillTimer(nullptr, timer);
    EXPECT_EQ(fGlyphwell->LB1->GetFont().Height(), PointsToHeight(20));
    const std::string stored = RawSetting("FontHeight");
    const LRESULT height = SendMessageA(fGlyphwell->LB1->WindowHandle(), LB_GETITEMHEIGHT, 0, 0);
    EXPECT_EQ(stored, std::to_string(height));
    EXPECT_GT(height, 24);
    EXPECT_EQ(RawSetting("FontSize"), "20");
    EXPECT_GT(fGlyphwell->LB1->Count(), 0);
}

std::string WindowText(HWND wnd) {
    char text[128] = {};
    GetWindowTextA(wnd, text, sizeof text);
    return text;
}

TEST_F(Glyphwell, DialogButtonsHaveTheirCaptions) {
    Start();
    struct Case {
        forms::GlyphButton* button;
        const char* caption;
    };
    const Case cases[] = {{fConfiguration->btnOK, "OK"}, {fConfiguration->BtnCancel, "Cancel"},
                          {AboutBox->OKButton, "OK"}, {fCompare->OKButton, "OK"}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.button->Caption(), c.caption);
        EXPECT_EQ(WindowText(c.button->Handle()), c.caption);
        EXPECT_NE(c.button->Glyph(), nullptr) << c.caption;
    }
    EXPECT_TRUE(fConfiguration->btnOK->Default());
    EXPECT_TRUE(fConfiguration->BtnCancel->Cancel());
    EXPECT_TRUE(AboutBox->OKButton->Default());
    EXPECT_NE(AboutBox->Icon(), nullptr);
    EXPECT_EQ(fGlyphwell->Icon(), AboutBox->Icon());
    EXPECT_NE(fGlyphwell->Icon(), LoadIconA(nullptr, IDI_APPLICATION));
}

// Types into the settings dialog once it shows, then presses a key in the focused edit.
WPARAM g_settingsKey = 0;
void CALLBACK TypeThenPressKey(HWND, UINT, UINT_PTR, DWORD) {
    if (!fConfiguration->Visible() || !fConfiguration->Modal()) return;
    fConfiguration->eString->SetText("Typed");
    PostMessageA(fConfiguration->eString->Handle(), WM_KEYDOWN, g_settingsKey, 1);
}

TEST_F(Glyphwell, EnterSavesTheSettingsAndEscapeWritesNothing) {
    Start();
    g_settingsKey = VK_ESCAPE;
    UINT_PTR timer = SetTimer(nullptr, 0, 100, TypeThenPressKey);
    fGlyphwell->SetString1Click(nullptr);
    KillTimer(nullptr, timer);
    EXPECT_FALSE(fConfiguration->Visible());
    EXPECT_EQ(RawSetting("FontString"), "<no key>");
    EXPECT_EQ(fGlyphwell->SampleString, "ABC123");
    EXPECT_EQ(RawSetting("FontHeight"), "<no key>");

    g_settingsKey = VK_RETURN;
    timer = SetTimer(nullptr, 0, 100, TypeThenPressKey);
    fGlyphwell->SetString1Click(nullptr);
    KillTimer(nullptr, timer);
    EXPECT_EQ(RawSetting("FontString"), "Typed");
    EXPECT_EQ(RawSetting("FontSize"), "12");
    EXPECT_EQ(fGlyphwell->SampleString, "Typed");
    // The dialog stays above the other windows.
    EXPECT_NE(GetWindowLongA(fConfiguration->WindowHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(Glyphwell, AnOutOfRangeFontSetShowsAndStoresAValidChoice) {
    SetRaw("FontSet", "5");
    SetRaw("PrinterSet", "-3");
    Start();
    fConfiguration->FormShow(nullptr);
    EXPECT_EQ(fConfiguration->FontSet->ItemIndex(), 0);
    EXPECT_EQ(fConfiguration->PrinterSet->ItemIndex(), 0);
    fConfiguration->btnOKClick(nullptr);
    EXPECT_EQ(RawSetting("FontSet"), "0");
    EXPECT_EQ(RawSetting("PrinterSet"), "0");
}

void CALLBACK TypeHugeSizeAndPressOk(HWND, UINT, UINT_PTR, DWORD) {
    if (!fConfiguration->Visible() || !fConfiguration->Modal()) return;
    fConfiguration->eSize->SetText("900");
    SendMessageA(fConfiguration->btnOK->Handle(), BM_CLICK, 0, 0);
}

TEST_F(Glyphwell, AHugeListFontKeepsItsItemHeightWithinTheListBoxLimit) {
    SetRaw("FontHeight", "4000");
    Start();
    EXPECT_EQ(SendMessageA(fGlyphwell->LB1->WindowHandle(), LB_GETITEMHEIGHT, 0, 0), 255);
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, TypeHugeSizeAndPressOk);
    fGlyphwell->SetString1Click(nullptr);
    KillTimer(nullptr, timer);
    const LRESULT height = SendMessageA(fGlyphwell->LB1->WindowHandle(), LB_GETITEMHEIGHT, 0, 0);
    EXPECT_EQ(RawSetting("FontHeight"), std::to_string(height));
    EXPECT_LE(height, 255);
    EXPECT_GT(height, 200);  // as large as the limit lets it be
    // The item height is the font's "X" plus 2.
    forms::WindowDC dc(fGlyphwell->LB1->Handle());
    forms::SelectGuard guard(dc.Get(), fGlyphwell->LB1->GetFont().Handle());
    SIZE x{};
    GetTextExtentPoint32A(dc.Get(), "X", 1, &x);
    EXPECT_EQ(height, x.cy + 2);
}

TEST_F(Glyphwell, MinimisedOrMaximisedCloseStoresTheRestoredBounds) {
    Start();
    SetWindowPos(fGlyphwell->WindowHandle(), nullptr, 40, 50, 300, 400, SWP_NOZORDER);
    ShowWindow(fGlyphwell->WindowHandle(), SW_MINIMIZE);
    Pump();
    Stop();
    EXPECT_EQ(RawSetting("screenleft"), "40");
    EXPECT_EQ(RawSetting("screentop"), "50");
    EXPECT_EQ(RawSetting("screenwidth"), "300");
    EXPECT_EQ(RawSetting("screenheight"), "400");
    Start();
    ShowWindow(fGlyphwell->WindowHandle(), SW_MAXIMIZE);
    Pump();
    Stop();
    EXPECT_EQ(RawSetting("screenwidth"), "300");
    EXPECT_EQ(RawSetting("screenheight"), "400");
    // Bounds stored off the screen open on it.
    SetRaw("screenleft", "-32000");
    SetRaw("screentop", "-32000");
    SetRaw("screenwidth", "5000");
    Start();
    RECT r{};
    GetWindowRect(fGlyphwell->WindowHandle(), &r);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(r.left, work.left);
    EXPECT_EQ(r.top, work.top);
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.bottom - r.top, 400);
}

void Mouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    Pump();
}

void Key(WORD key) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof input[0]);
    Pump();
}

// Other programs' windows on the same display can cover the grid or take the activation while
// the mouse and keys are sent: such a run is not a verdict on the program and is tried again.
bool ActivationLeftThisProcess() {
    DWORD owner = 0;
    HWND foreground = GetForegroundWindow();
    if (foreground) GetWindowThreadProcessId(foreground, &owner);
    return foreground && owner != GetCurrentProcessId();
}

TEST_F(Glyphwell, APressOnTheGridShowsTheTopMostMagnifierAndTheViewKeepsTheKeyboard) {
    Start();
    Select(IndexOf("Arial"));
    fGlyphwell->CharacterSet1Click(nullptr);
    Pump();
    struct Seen {
        int colOnPress = -1, colAfterKey = -1;
        bool magnifierShown = false, magnifierTopMost = false, magnifierHidden = false;
        bool viewActiveOnPress = false, viewActiveAfter = false, squareInside = false;
        std::string caption;
    } seen;
    for (int attempt = 0; attempt < 3; ++attempt) {
        seen = Seen{};
        SetForegroundWindow(fCharSet->WindowHandle());
        fCharSet->sg1->SelectCell(0, 0);
        ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == fCharSet->WindowHandle(); }));
        // The centre of cell (5, 0), "&": cells are 18 pixels with one-pixel lines.
        POINT at = fCharSet->sg1->ClientToScreen(POINT{5 * 19 + 9, 9});
        SetCursorPos(at.x, at.y);
        // Held above other programs' windows for the press; still the top-most band's lowest.
        SetWindowPos(fCharSet->WindowHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Pump();
        const bool gridUnderMouse = WindowFromPoint(at) == fCharSet->sg1->WindowHandle();
        Mouse(MOUSEEVENTF_LEFTDOWN);
        PumpUntil([] { return IsWindowVisible(fMagnify->WindowHandle()) != FALSE; });
        seen.colOnPress = fCharSet->sg1->Col();
        seen.magnifierShown = fMagnify->Visible() && IsWindowVisible(fMagnify->WindowHandle());
        seen.caption = fMagnify->Panel1->Caption();
        seen.magnifierTopMost = (GetWindowLongA(fMagnify->WindowHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        seen.viewActiveOnPress = GetActiveWindow() == fCharSet->WindowHandle();
        // The square and its shadow are inside the magnifier.
        seen.squareInside = fMagnify->ClientWidth() == fMagnify->ClientHeight() &&
                            fMagnify->ClientWidth() >= fMagnify->Shape1->Left() + fMagnify->Shape1->Width();
        Mouse(MOUSEEVENTF_LEFTUP);
        PumpUntil([] { return !IsWindowVisible(fMagnify->WindowHandle()); });
        seen.magnifierHidden = !IsWindowVisible(fMagnify->WindowHandle());
        seen.viewActiveAfter = GetActiveWindow() == fCharSet->WindowHandle();
        Key(VK_RIGHT);
        PumpUntil([] { return fCharSet->sg1->Col() == 6; });
        seen.colAfterKey = fCharSet->sg1->Col();
        SetWindowPos(fCharSet->WindowHandle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (gridUnderMouse && !ActivationLeftThisProcess()) break;
    }
    EXPECT_EQ(seen.colOnPress, 5);
    EXPECT_TRUE(seen.magnifierShown);
    EXPECT_EQ(seen.caption, "&");
    EXPECT_TRUE(seen.magnifierTopMost);
    EXPECT_TRUE(seen.viewActiveOnPress);
    EXPECT_TRUE(seen.squareInside);
    EXPECT_TRUE(seen.magnifierHidden);
    EXPECT_TRUE(seen.viewActiveAfter);
    EXPECT_EQ(seen.colAfterKey, 6);
}

TEST_F(Glyphwell, WholeSetViewFitsItsWindowAndRefillsOnAFontChange) {
    Start();
    fGlyphwell->WholeCharacterSet2Click(nullptr);
    Pump();
    const auto* grid = fWholeSet->sg1;
    EXPECT_GE(grid->Left(), 0);
    EXPECT_LE(grid->Left() + grid->Width(), fWholeSet->ClientWidth());
    EXPECT_LE(grid->Top() + grid->Height(), fWholeSet->ClientHeight());
    EXPECT_NE(GetWindowLongA(fWholeSet->WindowHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    // The system announces a font change to top-level windows; the picker lists afresh.
    const int count = fWholeSet->FontComboBox1->Count();
    fWholeSet->FontComboBox1->AddItem("Not A Font", 0);
    ASSERT_EQ(fWholeSet->FontComboBox1->Count(), count + 1);
    SendMessageA(fWholeSet->WindowHandle(), WM_FONTCHANGE, 0, 0);
    EXPECT_EQ(fWholeSet->FontComboBox1->Count(), count);
    EXPECT_EQ(fWholeSet->FontComboBox1->IndexOf("Not A Font"), -1);
}

TEST_F(Glyphwell, InstalledFontsReportListsNamesInTheListsOrder) {
    Start();
    // Hyphens, accents and case: byte order and the list box's order differ on these.
    const std::vector<std::string> names{"Zed", "A-C", "AB", "\xC9" "clair", "Ecole", "ab2", "Ed"};
    fCompare->SF->SetItems(names);
    const auto listOrder = fCompare->SF->ItemList();
    auto byBytes = names;
    std::sort(byBytes.begin(), byBytes.end(), [](const std::string& a, const std::string& b) { return FontNameLess(a, b); });
    ASSERT_NE(listOrder, byBytes) << "the names no longer tell the orders apart";

    ReportSources sources = GlyphwellReportSources();
    sources.screenFonts = [&] { return names; };
    AllFontsReport report(sources);
    report.qrAllFonts.SetMeasurer(&ReportMeasurer());
    report.qrAllFonts.Generate();
    std::vector<std::string> printed;
    for (const auto& page : report.qrAllFonts.Printer().Pages().pages)
        for (const auto& item : page.items)
            if (const auto* run = std::get_if<reports::TextRun>(&item); run && run->font.name == run->text)
                printed.push_back(run->text);
    EXPECT_EQ(printed, listOrder);
}


TEST_F(Glyphwell, TheFontListHasTheKeyboardAtStartUp) {
    Start();
    const HWND list = fGlyphwell->LB1->WindowHandle();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == list; })) << "the focus is on window " << GetFocus();
    ASSERT_EQ(fGlyphwell->LB1->ItemIndex(), 0);
    PressKey(VK_DOWN);
    ASSERT_TRUE(PumpUntil([] { return fGlyphwell->LB1->ItemIndex() == 1; }));
    EXPECT_EQ(fGlyphwell->Caption(), fGlyphwell->LB1->Items(1));
}

TEST_F(Glyphwell, TabAndTheArrowsMoveTheFocusThroughConfigure) {
    Start();
    TfConfiguration* c = fConfiguration;
    c->Show();
    // The control or, in a radio group, one of its buttons.
    auto focusOn = [](forms::Control* to) {
        return PumpUntil([&] { return GetFocus() == to->WindowHandle() || GetParent(GetFocus()) == to->WindowHandle(); });
    };
    auto checkedHasFocus = [&](int index) {
        return c->FontSet->ItemIndex() == index && GetParent(GetFocus()) == c->FontSet->WindowHandle() &&
               SendMessageA(GetFocus(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    };
    EXPECT_TRUE(focusOn(c->eSize)) << "the first field has no focus on show";
    c->eSize->SetFocus();
    struct Step {
        bool shift;
        forms::Control* to;
        const char* what;
    };
    const Step steps[] = {
        {false, c->pSize, "pSize"},         {false, c->eString, "eString"},     {false, c->ePrinterString, "ePrinterString"},
        {false, c->FontSet, "FontSet"},     {false, c->PrinterSet, "PrinterSet"}, {false, c->btnOK, "btnOK"},
        {false, c->BtnCancel, "BtnCancel"}, {false, c->eSize, "eSize (wrapped)"}, {true, c->BtnCancel, "BtnCancel (back)"},
        {true, c->btnOK, "btnOK"},           {true, c->PrinterSet, "PrinterSet"}, {true, c->FontSet, "FontSet"},
        {true, c->ePrinterString, "ePrinterString"},
    };
    for (const Step& step : steps) {
        PressKey(VK_TAB, step.shift);
        EXPECT_TRUE(focusOn(step.to)) << (step.shift ? "Shift+Tab" : "Tab") << " did not reach " << step.what;
        // An edit entered from the keyboard has its text selected, so typing replaces it.
        if (auto* edit = dynamic_cast<forms::Edit*>(step.to)) {
            DWORD from = 1, to = 0;
            SendMessageA(edit->WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
            EXPECT_EQ(from, 0u) << step.what;
            EXPECT_EQ(to, edit->Text().size()) << step.what;
        }
    }
    // The arrows move the focus and the check round a group.
    PressKey(VK_TAB);
    ASSERT_TRUE(focusOn(c->FontSet));
    ASSERT_TRUE(checkedHasFocus(0));
    PressKey(VK_DOWN);
    EXPECT_TRUE(PumpUntil([&] { return checkedHasFocus(1); }));
    PressKey(VK_RIGHT);
    EXPECT_TRUE(PumpUntil([&] { return checkedHasFocus(0); }));
    PressKey(VK_UP);
    EXPECT_TRUE(PumpUntil([&] { return c->FontSet->ItemIndex() == 1; }));
    EXPECT_EQ(c->PrinterSet->ItemIndex(), 0);
    c->Hide();
}

// Presses Escape in the dialog once it shows; ends it with Abort when Escape did not.
forms::Form* g_escaped = nullptr;
DWORD g_escapeStart = 0;
void CALLBACK PressEscape(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_escaped || !g_escaped->Modal() || GetActiveWindow() != g_escaped->WindowHandle()) return;
    if (GetTickCount() - g_escapeStart > kPatience)
        g_escaped->SetModalResult(forms::mrAbort);
    else
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
}

TEST_F(Glyphwell, EscapeClosesTheDialogsWhoseOnlyButtonIsOk) {
    Start();
    forms::Form* dialogs[] = {AboutBox, fCompare};
    for (forms::Form* dialog : dialogs) {
        g_escaped = dialog;
        g_escapeStart = GetTickCount();
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, PressEscape);
        EXPECT_EQ(dialog->ShowModal(), forms::mrOk) << dialog->Caption();
        KillTimer(nullptr, timer);
        EXPECT_FALSE(IsWindowVisible(dialog->WindowHandle())) << dialog->Caption();
    }
    g_escaped = nullptr;
}


TEST_F(Glyphwell, ASecondReportBringsThePreviewToTheFrontAndActivatesIt) {
    Start();
    fGlyphwell->FontList1Click(nullptr);
    ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == CustPreview->WindowHandle(); }));
    // The user goes on in the character-set view, which comes over the preview, then asks for
    // another report.
    fGlyphwell->CharacterSet1Click(nullptr);
    ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == fCharSet->WindowHandle(); }));
    ASSERT_TRUE(Above(fCharSet->WindowHandle(), CustPreview->WindowHandle()));
    fGlyphwell->CharacterSet2Click(nullptr);
    EXPECT_TRUE(PumpUntil([] { return GetActiveWindow() == CustPreview->WindowHandle(); }));
    EXPECT_TRUE(Above(CustPreview->WindowHandle(), fCharSet->WindowHandle()));
}

}  // namespace
}  // namespace glyphwell
