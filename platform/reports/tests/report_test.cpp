#include "reports/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace reports {
namespace {

// Every character 100 units wide, every line 200 units high, whatever the font.
class FixedMeasurer : public TextMeasurer {
public:
    TextSize Measure(const FontSpec&, const std::string& text) const override {
        return TextSize{static_cast<int>(text.size()) * 100, 200};
    }
};

std::vector<const TextRun*> Runs(const Page& page) {
    std::vector<const TextRun*> runs;
    for (const auto& item : page.items)
        if (const auto* run = std::get_if<TextRun>(&item)) runs.push_back(run);
    return runs;
}

// A report of `rows` numbered rows: page 10000 high, margins 500, title 1000, rows 1000, so a
// column holds 8 rows on the first page and 9 on the others.
struct RowReport {
    Report report;
    FixedMeasurer measurer;
    int rows = 0;
    int next = 0;
    std::vector<std::string> calls;

    explicit RowReport(int rowCount, int columns = 1) : rows(rowCount) {
        report.SetMeasurer(&measurer);
        report.SetPageSize(8500, 10000);
        report.SetColumns(columns);
        report.SetColumnSpace(500);
        report.TitleBand().SetHeight(1000);
        report.AddLabel(report.TitleBand(), "LHeading", "Heading");
        report.DetailBand().SetHeight(1000);
        report.AddLabel(report.DetailBand(), "Row", "");
        report.DetailBand().Add<SysData>("Number", SysDataKind::DetailNumber).SetLeft(3000);
        report.beforePrint = [this] { calls.push_back("before"); next = 0; };
        report.needData = [this] {
            calls.push_back("need");
            if (next >= rows) return false;
            report.FindLabel("Row")->SetCaption("row " + std::to_string(next++));
            return true;
        };
        report.afterPrint = [this] { calls.push_back("after"); };
    }
};

TEST(ReportPagination, RowsFillColumnThenNextPage) {
    RowReport r(20);
    r.report.Generate();
    const PageList& pages = r.report.Printer().Pages();
    ASSERT_EQ(r.report.Printer().PageCount(), 3);  // 8 + 9 + 3
    EXPECT_EQ(Runs(pages.pages[0]).size(), 1u + 8 * 2);
    EXPECT_EQ(Runs(pages.pages[1]).size(), 9u * 2);
    EXPECT_EQ(Runs(pages.pages[2]).size(), 3u * 2);
    // The first row on a later page starts at the top margin, not below a title.
    const auto second = Runs(pages.pages[1]);
    EXPECT_EQ(second[0]->text, "row 8");
    EXPECT_EQ(second[0]->box.top, 500);
    EXPECT_EQ(second[1]->text, "9");  // detail numbers count from 1 across pages
    EXPECT_EQ(Runs(pages.pages[0])[1]->box.top, 1500);
}

TEST(ReportPagination, HooksRunInOrderOncePerRow) {
    RowReport r(2);
    r.report.Generate();
    EXPECT_EQ(r.calls, (std::vector<std::string>{"before", "need", "need", "need", "after"}));
}

TEST(ReportPagination, ColumnsFillBeforeTheNextPage) {
    RowReport r(8 * 3 + 9 * 3 + 1, 3);
    r.report.Generate();
    ASSERT_EQ(r.report.Printer().PageCount(), 3);
    const auto first = Runs(r.report.Printer().Pages().pages[0]);
    // Content width 7500, three columns 500 apart: 2166 wide, columns at 500, 3166, 5832.
    EXPECT_EQ(first[1]->box.left, 500);
    EXPECT_EQ(first[1 + 8 * 2]->text, "row 8");
    EXPECT_EQ(first[1 + 8 * 2]->box.left, 500 + 2166 + 500);
    EXPECT_EQ(first[1 + 8 * 2]->box.top, 1500);
    EXPECT_EQ(first[1 + 16 * 2]->box.left, 500 + 2 * (2166 + 500));
    const auto second = Runs(r.report.Printer().Pages().pages[1]);
    EXPECT_EQ(second[0]->text, "row 24");
    EXPECT_EQ(second[0]->box.left, 500);
    EXPECT_EQ(Runs(r.report.Printer().Pages().pages[2]).size(), 2u);
}

TEST(ReportPagination, NoRowsOrNoDetailBandGiveOnePage) {
    RowReport r(0);
    r.report.Generate();
    EXPECT_EQ(r.report.Printer().PageCount(), 1);
    EXPECT_EQ(Runs(r.report.Printer().Pages().pages[0]).size(), 1u);

    Report titleOnly;
    titleOnly.AddLabel(titleOnly.TitleBand(), "Only", "Only title");
    titleOnly.Generate();
    EXPECT_EQ(titleOnly.Printer().PageCount(), 1);
    EXPECT_FALSE(titleOnly.HasDetailBand());
}

TEST(ReportPagination, BandTallerThanAColumnStillPrintsAndEnds) {
    RowReport r(3);
    r.report.DetailBand().SetHeight(20000);
    r.report.Generate();
    EXPECT_EQ(r.report.Printer().PageCount(), 3);
}

// A title band longer than a page goes on over the next pages; a frame running over a page's
// end is drawn in parts, one on each page.
TEST(ReportPagination, ATitleBandLongerThanAPageGoesOnOverTheNextPages) {
    Report report;
    report.SetPageSize(8500, 10000);  // margins 500: 9000 of content a page
    report.TitleBand().SetHeight(20000);
    report.AddLabel(report.TitleBand(), "First", "first").SetTop(100);
    report.AddLabel(report.TitleBand(), "Second", "second").SetTop(9500);
    report.AddLabel(report.TitleBand(), "Third", "third").SetTop(18200);
    report.TitleBand().Add<Shape>("Frame", ShapeKind::Rectangle).SetBounds(0, 8000, 1000, 2000);
    report.Generate();
    const auto& pages = report.Printer().Pages().pages;
    ASSERT_EQ(pages.size(), 3u);
    struct Expect {
        size_t page;
        const char* text;
        int top;
    };
    for (const Expect& e : {Expect{0, "first", 600}, Expect{1, "second", 1000}, Expect{2, "third", 700}}) {
        const auto runs = Runs(pages[e.page]);
        ASSERT_EQ(runs.size(), 1u) << e.text;
        EXPECT_EQ(runs[0]->text, e.text);
        EXPECT_EQ(runs[0]->box.top, e.top) << e.text;
    }
    EXPECT_EQ(std::get<BoxShape>(pages[0].items.back()).box, (Rect{500, 8500, 1500, 9500}));
    EXPECT_EQ(std::get<BoxShape>(pages[1].items.back()).box, (Rect{500, 500, 1500, 1500}));
}

TEST(ReportPagination, RegenerationReplacesPages) {
    RowReport r(20);
    r.report.Generate();
    r.rows = 1;
    r.report.Generate();
    EXPECT_EQ(r.report.Printer().PageCount(), 1);
}

TEST(ReportLabels, AutoSizeAndAlignmentToBand) {
    Report report;
    FixedMeasurer measurer;
    report.SetMeasurer(&measurer);
    report.SetPageSize(8500, 11000);
    Label& centred = report.AddLabel(report.TitleBand(), "C", "abcd");
    centred.SetAlignment(Alignment::Center);
    centred.SetAlignToBand(true);
    Label& right = report.AddLabel(report.TitleBand(), "R", "ab");
    right.SetAlignment(Alignment::Right);
    right.SetAlignToBand(true);
    Label& fixed = report.AddLabel(report.TitleBand(), "F", "a & b");
    fixed.SetAutoSize(false);
    fixed.SetBounds(100, 300, 555, 777);
    report.Generate();
    const auto runs = Runs(report.Printer().Pages().pages[0]);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0]->box, (Rect{500 + (7500 - 400) / 2, 500, 500 + (7500 - 400) / 2 + 400, 700}));
    EXPECT_EQ(runs[1]->box.right, 8000);
    EXPECT_EQ(runs[2]->box, (Rect{600, 800, 1155, 1577}));
    EXPECT_EQ(runs[2]->text, "a & b");  // kept as it is, for a painter that draws no prefixes
}

TEST(ReportElements, ShapesDateTimeAndRemoval) {
    Report report;
    report.SetDateTimeSource([] { return std::string("12/08/26 10:00:00"); });
    report.TitleBand().Add<Shape>("Box", ShapeKind::Rectangle).SetBounds(0, 0, 1000, 500);
    report.TitleBand().Add<Shape>("Rule", ShapeKind::HorizontalLine).SetBounds(0, 600, 2000, 20);
    report.TitleBand().Add<SysData>("When", SysDataKind::DateTime);
    Label& measuring = report.AddLabel(report.TitleBand(), "Measure", "X");
    report.TitleBand().Remove(measuring);
    EXPECT_EQ(report.FindLabel("Measure"), nullptr);
    report.Generate();
    const Page& page = report.Printer().Pages().pages[0];
    ASSERT_EQ(page.items.size(), 3u);
    EXPECT_EQ(std::get<BoxShape>(page.items[0]).box, (Rect{500, 500, 1500, 1000}));
    const auto& rule = std::get<LineShape>(page.items[1]);
    EXPECT_EQ(rule.y1, rule.y2);
    EXPECT_EQ(rule.x2 - rule.x1, 2000);
    EXPECT_EQ(std::get<TextRun>(page.items[2]).text, "12/08/26 10:00:00");
}

TEST(ReportPreview, HookGetsTheGeneratedPagesAndJobName) {
    RowReport r(20);
    r.report.SetTitle("Glyphwell All Fonts");
    int seen = 0;
    std::string job;
    r.report.onPreview = [&](ReportPrinter& printer) {
        seen = printer.PageCount();
        job = printer.JobName();
    };
    EXPECT_TRUE(r.report.Preview());
    EXPECT_EQ(seen, 3);
    EXPECT_EQ(job, "Glyphwell All Fonts");
    r.report.onPreview = nullptr;
    EXPECT_FALSE(r.report.Preview());
}

class RecordingTarget : public PrintTarget {
public:
    PrintStatus beginStatus = PrintStatus::Printed;
    int failAt = -1;
    std::vector<std::string> log;
    PrintStatus Begin(const std::string& job, const PageList&) override {
        log.push_back("begin " + job);
        return beginStatus;
    }
    bool PrintPage(const PageList&, int index) override {
        log.push_back("page " + std::to_string(index));
        return index != failAt;
    }
    bool End() override {
        log.push_back("end");
        return true;
    }
    void Abort() override { log.push_back("abort"); }
};

TEST(ReportPrinting, PrintsEveryPageOrAbortsOrSaysThereIsNoPrinter) {
    RowReport r(20);
    r.report.SetTitle("Job");
    r.report.Generate();
    RecordingTarget ok;
    EXPECT_EQ(r.report.Printer().Print(ok), PrintStatus::Printed);
    EXPECT_EQ(ok.log, (std::vector<std::string>{"begin Job", "page 0", "page 1", "page 2", "end"}));

    RecordingTarget broken;
    broken.failAt = 1;
    EXPECT_EQ(r.report.Printer().Print(broken), PrintStatus::Failed);
    EXPECT_EQ(broken.log.back(), "abort");

    RecordingTarget none;
    none.beginStatus = PrintStatus::NoPrinter;
    EXPECT_EQ(r.report.Printer().Print(none), PrintStatus::NoPrinter);
    EXPECT_EQ(none.log.size(), 1u);
    EXPECT_STRNE(PrintStatusText(PrintStatus::NoPrinter), "");
}

}  // namespace
}  // namespace reports
