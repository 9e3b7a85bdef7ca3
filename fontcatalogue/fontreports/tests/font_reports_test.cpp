#include "fontreports/font_reports.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace glyphwell {
namespace {

class MapStore : public SettingsStore {
public:
    std::map<std::string, std::string> values;
    std::optional<std::string> ReadData(std::string_view name) override {
        auto it = values.find(std::string(name));
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    bool WriteData(std::string_view name, std::string_view data) override {
        values[std::string(name)] = std::string(data);
        return true;
    }
};

// Line height is 1.2 em of the font's size; width 0.5 em a character unless told otherwise.
class EmMeasurer : public reports::TextMeasurer {
public:
    int widthPerMille = 500;
    reports::TextSize Measure(const reports::FontSpec& font, const std::string& text) const override {
        const int em = font.sizePoints * 1000 / 72;
        return {static_cast<int>(text.size()) * em * widthPerMille / 1000, em * 12 / 10};
    }
};

struct Fixture {
    MapStore store;
    EmMeasurer measurer;
    std::vector<std::string> screen{"Tahoma", "Arial", "Courier New", "A&B Sans"};
    std::vector<std::string> printer{"Helvetica", "Courier"};
    std::string selected = "Tahoma";
    ReportSources Sources() {
        ReportSources s;
        s.settings = &store;
        s.screenFonts = [this] { return screen; };
        s.printerFonts = [this] { return printer; };
        s.selectedFont = [this] { return selected; };
        return s;
    }
};

std::vector<const reports::TextRun*> Runs(const reports::Report& report) {
    std::vector<const reports::TextRun*> runs;
    for (const auto& page : report.Printer().Pages().pages)
        for (const auto& item : page.items)
            if (const auto* run = std::get_if<reports::TextRun>(&item)) runs.push_back(run);
    return runs;
}

std::vector<std::string> Texts(const reports::Report& report) {
    std::vector<std::string> texts;
    for (const auto* run : Runs(report)) texts.push_back(run->text);
    return texts;
}

bool Has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(AllFontsReport, ScreenFontsSortedEachInItsOwnFace) {
    Fixture f;
    AllFontsReport report(f.Sources());
    report.qrAllFonts.SetMeasurer(&f.measurer);
    report.qrAllFonts.SetDateTimeSource([] { return std::string("now"); });
    report.qrAllFonts.Generate();
    const auto texts = Texts(report.qrAllFonts);
    EXPECT_EQ(texts[0], "Glyphwell by Corvane Software");
    EXPECT_TRUE(Has(texts, "Installed Fonts Report"));
    EXPECT_TRUE(Has(texts, "Font Class : Screen"));
    EXPECT_TRUE(Has(texts, "Number of fonts : 4"));
    EXPECT_TRUE(Has(texts, "Font Size: 12"));
    std::vector<std::string> faces;
    for (const auto* run : Runs(report.qrAllFonts))
        if (run->font.name == run->text && run->box.left == 500 + 4100) faces.push_back(run->text);
    EXPECT_EQ(faces, (std::vector<std::string>{"A&B Sans", "Arial", "Courier New", "Tahoma"}));
    EXPECT_EQ(report.qrAllFonts.Printer().JobName(), "Glyphwell All Fonts");
    EXPECT_EQ(report.qrAllFonts.Printer().Pages().width, 8500);
    EXPECT_EQ(report.qrAllFonts.Printer().Pages().height, 11000);
}

TEST(AllFontsReport, RowsGrowWithTheReportFontSize) {
    Fixture f;
    WriteSetting(f.store, setting::ReportFontSize, "36");
    AllFontsReport report(f.Sources());
    report.qrAllFonts.SetMeasurer(&f.measurer);
    report.qrAllFonts.Generate();
    const int h = 36 * 1000 / 72 * 12 / 10;
    EXPECT_EQ(report.qrAllFonts.DetailBand().Height(), h + 2);
    int rows = 0;
    for (const auto* run : Runs(report.qrAllFonts)) {
        if (run->text == "Arial" && run->font.name == "Arial") {
            EXPECT_EQ(run->font.sizePoints, 36);
            EXPECT_EQ(run->box.Height(), h);
            ++rows;
        }
    }
    EXPECT_EQ(rows, 2);  // the name, and the name in its own face
    EXPECT_EQ(report.qrAllFonts.FindLabel("MeasureRow"), nullptr);
    EXPECT_TRUE(Has(Texts(report.qrAllFonts), "Font Size: 36"));
}

TEST(InstalledFontsReports, ListNamesInTheCollationTheyAreGivenAndBoundTheSize) {
    Fixture f;
    f.screen = {"Ab", "A-c", "AD"};
    WriteSetting(f.store, setting::ReportFontSize, "100000");
    ReportSources sources = f.Sources();
    // A collation that ignores hyphens, as the system's list boxes sort.
    sources.nameLess = [](const std::string& a, const std::string& b) {
        auto key = [](std::string s) {
            s.erase(std::remove(s.begin(), s.end(), '-'), s.end());
            for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return s;
        };
        return key(a) < key(b);
    };
    AllFontsReport all(sources);
    all.qrAllFonts.SetMeasurer(&f.measurer);
    all.qrAllFonts.Generate();
    CondensedReport condensed(sources);
    condensed.qrCondensed.SetMeasurer(&f.measurer);
    condensed.qrCondensed.Generate();
    const std::vector<std::string> expected{"Ab", "A-c", "AD"};
    for (const auto* report : {&all.qrAllFonts, &condensed.qrCondensed}) {
        std::vector<std::string> names;
        for (const auto& text : Texts(*report))
            if (std::find(f.screen.begin(), f.screen.end(), text) != f.screen.end() &&
                std::find(names.begin(), names.end(), text) == names.end())
                names.push_back(text);
        EXPECT_EQ(names, expected) << report->Title();
    }
    std::string sizeLine = "Font Size: ";
    sizeLine += std::to_string(kMaxFontSize);
    EXPECT_TRUE(Has(Texts(all.qrAllFonts), sizeLine));
}

TEST(InstalledFontsReports, PrinterSetListsThePrinterFontsAndEmptyListsStillPrint) {
    Fixture f;
    WriteSetting(f.store, setting::PrinterSet, "1");
    AllFontsReport all(f.Sources());
    all.qrAllFonts.SetMeasurer(&f.measurer);
    all.qrAllFonts.Generate();
    EXPECT_TRUE(Has(Texts(all.qrAllFonts), "Font Class : Printer"));
    EXPECT_TRUE(Has(Texts(all.qrAllFonts), "Number of fonts : 2"));
    EXPECT_FALSE(Has(Texts(all.qrAllFonts), "Tahoma"));

    CondensedReport condensed(f.Sources());
    condensed.qrCondensed.SetMeasurer(&f.measurer);
    condensed.qrCondensed.Generate();
    EXPECT_TRUE(Has(Texts(condensed.qrCondensed), "Font Class : Printer"));
    EXPECT_TRUE(Has(Texts(condensed.qrCondensed), "Courier"));

    f.printer.clear();  // no printer: an empty report, not a failure
    condensed.qrCondensed.Generate();
    EXPECT_EQ(condensed.qrCondensed.Printer().PageCount(), 1);
    EXPECT_TRUE(Has(Texts(condensed.qrCondensed), "Number of fonts : 0"));
}

TEST(CondensedReport, ThreeColumnsBeforeTheNextPage) {
    Fixture f;
    f.screen.clear();
    for (int i = 0; i < 200; ++i) f.screen.push_back("Font " + std::string(1, static_cast<char>('A' + i % 26)) + std::to_string(i));
    CondensedReport report(f.Sources());
    report.qrCondensed.SetMeasurer(&f.measurer);
    report.qrCondensed.Generate();
    // Rows of 200 units: (10500 - 500 - 1950) / 200 = 40 a column on page one, 50 later.
    ASSERT_EQ(report.qrCondensed.Printer().PageCount(), 2);
    std::set<int> lefts;
    for (const auto& item : report.qrCondensed.Printer().Pages().pages[0].items)
        if (const auto* run = std::get_if<reports::TextRun>(&item); run && run->text.rfind("Font ", 0) == 0 &&
            run->text.rfind("Font Class", 0) != 0)
            lefts.insert(run->box.left);
    EXPECT_EQ(lefts.size(), 3u);
}

TEST(SingleFontReport, SelectedFontAtNineSizesWithTheSample) {
    Fixture f;
    WriteSetting(f.store, setting::PrinterString, "Fish & Chips");
    SingleFontReport report(f.Sources());
    report.qrSingleFont.SetMeasurer(&f.measurer);
    report.qrSingleFont.Generate();
    EXPECT_EQ(report.qrSingleFont.Printer().PageCount(), 1);
    const auto runs = Runs(report.qrSingleFont);
    std::vector<std::string> samples;
    for (const auto* run : runs)
        if (run->font.name == "Tahoma") samples.push_back(run->text);
    ASSERT_EQ(samples.size(), 13u);  // the 72-point line in two
    EXPECT_EQ(samples[0], "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(samples[2], "1234567890$%&(.,;:\"!?@#*)");
    EXPECT_EQ(samples[3], "8 - Fish & Chips");
    EXPECT_EQ(samples[11], "72 - Fish &");
    EXPECT_EQ(samples[12], "Chips");
    EXPECT_TRUE(Has(Texts(report.qrSingleFont), "Font Name : Tahoma"));
    EXPECT_TRUE(Has(Texts(report.qrSingleFont), "Single Font Report"));
    // Everything stays on the page.
    for (const auto* run : runs) EXPECT_LE(run->box.bottom, 10500) << run->text;
}

// The large sizes do not fit the frame's width on one line: they go on in further lines, each
// whole inside the frame, and the lines of one size stay clear of the next. Wide faces take
// more lines than a page holds: the frame goes on over the next page.
TEST(SingleFontReport, LargeSamplesWrapInsideTheirFrame) {
    struct Case {
        int emPerMille;  // average character width
        size_t pages;
    };
    for (const Case& c : {Case{500, 2}, Case{420, 1}}) {
        Fixture f;
        f.measurer.widthPerMille = c.emPerMille;
        SingleFontReport report(f.Sources());
        report.qrSingleFont.SetMeasurer(&f.measurer);
        report.qrSingleFont.Generate();
        const auto& pages = report.qrSingleFont.Printer().Pages().pages;
        EXPECT_EQ(pages.size(), c.pages) << c.emPerMille;
        std::map<int, std::string> sizeText;
        int lastSize = 0;
        for (const auto& page : pages) {
            std::vector<reports::Rect> frames;
            for (const auto& item : page.items)
                if (const auto* box = std::get_if<reports::BoxShape>(&item)) frames.push_back(box->box);
            ASSERT_FALSE(frames.empty());
            const reports::Rect frame = frames.back();
            int lastBottom = 0;
            for (const auto& item : page.items) {
                const auto* run = std::get_if<reports::TextRun>(&item);
                if (!run || run->font.name != "Tahoma") continue;
                if (frames.size() > 1 && run->box.top < frames[0].bottom) continue;  // the alphabets
                const int size = run->font.sizePoints;
                EXPECT_LE(f.measurer.Measure(run->font, run->text).width, run->box.Width()) << run->text;
                EXPECT_GE(run->box.left, frame.left) << run->text;
                EXPECT_LE(run->box.right, frame.right) << run->text;
                EXPECT_GE(run->box.top, frame.top) << run->text;
                EXPECT_LE(run->box.bottom, frame.bottom) << run->text;
                EXPECT_LE(frame.bottom, 10500) << run->text;
                EXPECT_GE(run->box.top, lastBottom) << run->text;
                EXPECT_GE(size, lastSize) << run->text;
                lastBottom = run->box.bottom;
                lastSize = size;
                sizeText[size] += (sizeText[size].empty() ? "" : " ") + run->text;
            }
        }
        for (int size : kSampleSizes)
            EXPECT_EQ(sizeText[size], std::to_string(size) + " - Glyphwell is a great utility!") << c.emPerMille;
    }
}

TEST(CharSetReport, ExactlyTheCodes0To255InSixColumns) {
    Fixture f;
    CharSetReport report(f.Sources());
    report.qrCharSet.SetMeasurer(&f.measurer);
    report.qrCharSet.Generate();
    std::vector<int> numbers;
    int chars = 0;
    std::set<int> lefts;
    for (const auto* run : Runs(report.qrCharSet)) {
        if (run->font.name == "Tahoma") {
            EXPECT_EQ(run->text.size(), 1u);
            EXPECT_EQ(static_cast<unsigned char>(run->text[0]), chars);
            ++chars;
        } else if (!run->text.empty() && std::isdigit(static_cast<unsigned char>(run->text[0])) && run->font.sizePoints == 12) {
            numbers.push_back(std::stoi(run->text));
            lefts.insert(run->box.left);
        }
    }
    ASSERT_EQ(numbers.size(), 256u);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(numbers[static_cast<size_t>(i)], i);
    EXPECT_EQ(chars, 256);
    EXPECT_EQ(lefts.size(), 6u);
    EXPECT_TRUE(Has(Texts(report.qrCharSet), "Font : Tahoma"));
    // A second run starts again at code 0 and prints the same rows.
    const std::vector<std::string> first = Texts(report.qrCharSet);
    report.qrCharSet.Generate();
    EXPECT_EQ(Texts(report.qrCharSet), first);
}

}  // namespace
}  // namespace glyphwell
