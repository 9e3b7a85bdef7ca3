// Printing the four reports on the real printer, and the program without one. Run by the
// print scripts: they start the print server (or hide it) and check the PDFs that come out.
#include <gtest/gtest.h>

#include <fstream>

#include "core/font_set.h"
#include "win32/compare_form.h"
#include "win32/report_forms.h"
#include "win32/tests/ui_test_support.h"

namespace glyphwell {
namespace {

using namespace testing_support;

std::string BesideProgram(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

// Each report previewed with Arial selected, then printed from the preview; the script reads
// what was printed from the manifest: "report <job>|<pages>", the sample and the font names.
TEST_F(Glyphwell, PrintsEveryReportOnTheCurrentPrinter) {
    if (PrinterFamilies().empty()) GTEST_SKIP() << "no printer in this prefix";
    Start();
    const int arial = IndexIn(fGlyphwell->LB1, "Arial");
    ASSERT_GE(arial, 0);
    fGlyphwell->LB1->SetItemIndex(arial);
    fGlyphwell->LB1Click(fGlyphwell->LB1);
    std::ofstream manifest(BesideProgram("glyphwell-print-manifest.txt"), std::ios::trunc);
    manifest << "sample " << fGlyphwell->ReadSetting(setting::PrinterString) << "\n";
    for (const auto& name : fGlyphwell->LB1->ItemList()) manifest << "font " << name << "\n";
    void (TfGlyphwell::*commands[])(forms::Component*) = {
        &TfGlyphwell::FontList1Click, &TfGlyphwell::InstalledFontsCondensed1Click,
        &TfGlyphwell::SingleFontCharacterSet1Click, &TfGlyphwell::CharacterSet2Click};
    for (auto command : commands) {
        (fGlyphwell->*command)(nullptr);
        Pump();
        ASSERT_TRUE(CustPreview->Visible());
        const auto& pages = CustPreview->Pages();
        EXPECT_EQ(CustPreview->Navigation().PageCount(), pages.PageCount());
        CustPreview->Print1Click(nullptr);
        EXPECT_EQ(CustPreview->LastPrintStatus(), reports::PrintStatus::Printed) << pages.JobName();
        manifest << "report " << pages.JobName() << "|" << pages.PageCount() << "\n";
    }
}

// Run with the print server out of reach: nothing fails, and the program says why.
TEST_F(Glyphwell, WithoutAPrinterListsAreEmptyAndPrintingSaysSo) {
    if (!PrinterFamilies().empty()) GTEST_SKIP() << "a printer is installed";
    SetRaw("FontSet", "1");
    SetRaw("PrinterSet", "1");
    Start();
    EXPECT_EQ(fGlyphwell->LB1->Count(), 0);
    EXPECT_EQ(Status(), "0 Printer Fonts");
    fCompare->FormShow(nullptr);
    EXPECT_EQ(fCompare->PF->Count(), 0);
    EXPECT_GT(fCompare->SF->Count(), 0);
    EXPECT_EQ(fCompare->PFCount->Caption(), "0 Fonts");
    fGlyphwell->FontList1Click(nullptr);
    Pump();
    ASSERT_TRUE(CustPreview->Visible());
    EXPECT_EQ(CustPreview->Pages().PageCount(), 1);
    CustPreview->Print1Click(nullptr);
    EXPECT_EQ(CustPreview->LastPrintStatus(), reports::PrintStatus::NoPrinter);
    EXPECT_STRNE(reports::PrintStatusText(reports::PrintStatus::NoPrinter), "");
}

}  // namespace
}  // namespace glyphwell
