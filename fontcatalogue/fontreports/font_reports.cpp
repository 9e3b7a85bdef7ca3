#include "fontreports/font_reports.h"

#include <algorithm>

#include "core/char_grids.h"
#include "core/font_set.h"

namespace glyphwell {

using reports::Alignment;
using reports::FontSpec;
using reports::Label;
using reports::Report;
using reports::ShapeKind;
using reports::SysData;
using reports::SysDataKind;

namespace {

constexpr int kBandWidth = 7500;  // Letter less the half-inch margins

FontSpec Arial(int size) { return FontSpec{"Arial", size}; }

// The font list of the set "PrinterSet" names, sorted, and the class line that says which.
std::vector<std::string> InstalledFonts(const ReportSources& sources, reports::Label& fontClass) {
    const bool printer = ReadSettingNumber(*sources.settings, setting::PrinterSet) != 0;
    std::vector<std::string> fonts;
    if (printer && sources.printerFonts) fonts = sources.printerFonts();
    if (!printer && sources.screenFonts) fonts = sources.screenFonts();
    if (sources.nameLess)
        std::sort(fonts.begin(), fonts.end(), sources.nameLess);
    else
        std::sort(fonts.begin(), fonts.end(), [](const std::string& a, const std::string& b) { return FontNameLess(a, b); });
    fontClass.SetCaption(printer ? "Font Class : Printer" : "Font Class : Screen");
    return fonts;
}

Label& Find(const Report& report, const std::string& name) { return *report.FindLabel(name); }

void BasicReport(Report& report, const std::string& title, int baseSize, int columns) {
    report.SetTitle(title);
    report.SetPageSize(8500, 11000);
    report.SetMargins(reports::Margins{500, 500, 500, 500});
    report.SetBaseFont(Arial(baseSize));
    report.SetColumns(columns);
    report.SetColumnSpace(250);
}

}  // namespace

void AddReportHeadings(Report& report, const std::string& subHeading) {
    Label& heading = report.AddLabel(report.TitleBand(), "LHeading", "Glyphwell by Corvane Software");
    heading.SetFont(Arial(18));
    heading.SetAlignment(Alignment::Center);
    heading.SetAlignToBand(true);
    Label& sub = report.AddLabel(report.TitleBand(), "LSubHeading", subHeading);
    sub.SetFont(Arial(14));
    sub.SetAlignment(Alignment::Center);
    sub.SetAlignToBand(true);
    sub.SetTop(350);
}

AllFontsReport::AllFontsReport(const ReportSources& sources) : sources_(sources) {
    Report& r = qrAllFonts;
    BasicReport(r, "Glyphwell All Fonts", 10, 1);
    r.TitleBand().SetHeight(1700);
    AddReportHeadings(r, "Installed Fonts Report");
    r.TitleBand().Add<reports::Shape>("QRShape1", ShapeKind::HorizontalLine).SetBounds(0, 1550, kBandWidth, 20);
    auto& when = r.TitleBand().Add<SysData>("QRSysData2", SysDataKind::DateTime);
    when.SetFont(Arial(10));
    when.SetTop(750);
    r.AddLabel(r.TitleBand(), "lFontSize", "Font Size:").SetTop(1000);
    r.AddLabel(r.TitleBand(), "NumFonts", "Number of fonts :").SetTop(1250);
    Label& fontClass = r.AddLabel(r.TitleBand(), "FontClass", "Font Class :");
    fontClass.SetBounds(4000, 1250, 3000, 200);

    r.DetailBand().SetHeight(250);
    auto& number = r.DetailBand().Add<SysData>("QRSysData1", SysDataKind::DetailNumber);
    number.SetFont(Arial(12));
    number.SetAutoSize(false);
    number.SetBounds(0, 0, 600, 200);
    Label& name = r.AddLabel(r.DetailBand(), "Fontname", "");
    name.SetAutoSize(false);
    name.SetBounds(700, 0, 3300, 200);
    Label& face = r.AddLabel(r.DetailBand(), "FontFace", "");
    face.SetAutoSize(false);
    face.SetBounds(4100, 0, kBandWidth - 4100, 200);

    r.beforePrint = [this] { qrAllFontsBeforePrint(); };
    r.needData = [this] { return qrAllFontsNeedData(); };
    r.afterPrint = [this] { qrAllFontsAfterPrint(); };
}

void AllFontsReport::qrAllFontsBeforePrint() {
    Report& r = qrAllFonts;
    fonts_ = InstalledFonts(sources_, Find(r, "FontClass"));
    const int size = BoundedFontSize(ReadSettingNumber(*sources_.settings, setting::ReportFontSize));
    // Measure the row with a hidden auto-sizing label, as the band will print it.
    Label& measure = r.AddLabel(r.DetailBand(), "MeasureRow", "X");
    measure.SetFont(Arial(size));
    measure.SetVisible(false);
    measure.Fit(r.Measurer(), measure.Caption());
    const int h = measure.Height();
    r.DetailBand().Remove(measure);

    r.DetailBand().SetHeight(h + 2);
    for (const char* name : {"QRSysData1", "FontFace", "Fontname"}) {
        auto* element = static_cast<reports::TextElement*>(r.DetailBand().Find(name));
        element->SetHeight(h);
        element->Font().sizePoints = size;
    }
    Find(r, "lFontSize").SetCaption("Font Size: " + std::to_string(size));
    Find(r, "NumFonts").SetCaption("Number of fonts : " + std::to_string(fonts_.size()));
    row_ = 0;
}

bool AllFontsReport::qrAllFontsNeedData() {
    if (row_ >= static_cast<int>(fonts_.size())) return false;
    const std::string& name = fonts_[static_cast<size_t>(row_)];
    Find(qrAllFonts, "Fontname").SetCaption(name);
    Label& face = Find(qrAllFonts, "FontFace");
    face.SetCaption(name);
    face.Font().name = name;
    ++row_;
    return true;
}

void AllFontsReport::qrAllFontsAfterPrint() { fonts_.clear(); }

CondensedReport::CondensedReport(const ReportSources& sources) : sources_(sources) {
    Report& r = qrCondensed;
    BasicReport(r, "Fonts Condensed", 10, 3);
    r.TitleBand().SetHeight(1450);
    AddReportHeadings(r, "Installed Fonts Condensed Report");
    auto& when = r.TitleBand().Add<SysData>("QRSysData2", SysDataKind::DateTime);
    when.SetFont(Arial(10));
    when.SetTop(750);
    r.AddLabel(r.TitleBand(), "NumFonts", "Number of fonts :").SetTop(1000);
    Label& fontClass = r.AddLabel(r.TitleBand(), "FontClass", "Font Class :");
    fontClass.SetBounds(4000, 1000, 3000, 200);
    r.TitleBand().Add<reports::Shape>("QRShape1", ShapeKind::HorizontalLine).SetBounds(0, 1300, kBandWidth, 20);

    r.DetailBand().SetHeight(200);
    auto& number = r.DetailBand().Add<SysData>("QRSysData1", SysDataKind::DetailNumber);
    number.SetFont(Arial(10));
    number.SetAutoSize(false);
    number.SetBounds(0, 0, 400, 180);
    Label& name = r.AddLabel(r.DetailBand(), "FontName", "");
    name.SetAutoSize(false);
    name.SetBounds(450, 0, 1850, 180);

    r.beforePrint = [this] { qrCondensedBeforePrint(); };
    r.needData = [this] { return qrCondensedNeedData(); };
    r.afterPrint = [this] { qrCondensedAfterPrint(); };
}

void CondensedReport::qrCondensedBeforePrint() {
    fonts_ = InstalledFonts(sources_, Find(qrCondensed, "FontClass"));
    Find(qrCondensed, "NumFonts").SetCaption("Number of fonts : " + std::to_string(fonts_.size()));
    row_ = 0;
}

bool CondensedReport::qrCondensedNeedData() {
    if (row_ >= static_cast<int>(fonts_.size())) return false;
    Find(qrCondensed, "FontName").SetCaption(fonts_[static_cast<size_t>(row_)]);
    ++row_;
    return true;
}

void CondensedReport::qrCondensedAfterPrint() { fonts_.clear(); }

SingleFontReport::SingleFontReport(const ReportSources& sources) : sources_(sources) {
    Report& r = qrSingleFont;
    BasicReport(r, "Font Detail", 10, 1);
    AddReportHeadings(r, "Single Font Report");
    Label& fontName = r.AddLabel(r.TitleBand(), "FontName", "Font Name :");
    fontName.SetFont(Arial(12));
    fontName.SetTop(750);

    // The alphabet and digits framed by one shape, the sizes by the other.
    r.TitleBand().Add<reports::Shape>("QRShape1", ShapeKind::Rectangle).SetBounds(0, 1050, kBandWidth, 1400);
    const char* alphabets[] = {"abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                               "1234567890$%&(.,;:\"!?@#*)"};
    int top = 1100;
    for (int n = 1; n <= 3; ++n) {
        Label& line = r.AddLabel(r.TitleBand(), "charset" + std::to_string(n), alphabets[n - 1]);
        line.Font().sizePoints = 24;
        line.SetAutoSize(false);
        line.SetBounds(100, top, kBandWidth - 200, 430);
        top += 430;
    }
    r.TitleBand().Add<reports::Shape>("QRShape2", ShapeKind::Rectangle);
    for (int n = 4; n <= 12; ++n) {
        Label& line = r.AddLabel(r.TitleBand(), "charset" + std::to_string(n), "");
        line.Font().sizePoints = kSampleSizes[n - 4];
        line.SetAutoSize(false);
        line.SetWordWrap(true);
    }
    LayOutSamples(nullptr);
    r.beforePrint = [this] { qrSingleFontBeforePrint(); };
}

// The sample lines one under the other inside their frame. A sample too wide for the frame
// goes on in further lines (counted with the measurer once the captions are known); when they
// no longer fit the page, the band goes on over the next page, and a sample that would run
// over the page's end starts there.
void SingleFontReport::LayOutSamples(const reports::TextMeasurer* measurer) {
    constexpr int kFirstTop = 2600;
    constexpr int kPageContent = 10000;  // Letter less the margins
    int top = kFirstTop;
    for (int n = 4; n <= 12; ++n) {
        Label& line = Find(qrSingleFont, "charset" + std::to_string(n));
        const int lineHeight = kSampleSizes[n - 4] * 1000 / 72 * 12 / 10;
        const int lines = measurer ? static_cast<int>(line.Lines(*measurer, line.Caption()).size()) : 1;
        const int pageEnd = (top / kPageContent + 1) * kPageContent;
        if (top + lineHeight * lines > pageEnd && lineHeight * lines <= kPageContent - 200) top = pageEnd + 100;
        line.SetBounds(100, top, kBandWidth - 200, lineHeight * lines);
        top += lineHeight * lines + 40;
    }
    qrSingleFont.TitleBand().Find("QRShape2")->SetBounds(0, kFirstTop - 50, kBandWidth, top - kFirstTop + 100);
    qrSingleFont.TitleBand().SetHeight(std::max(kPageContent, top + 100));
}

void SingleFontReport::qrSingleFontBeforePrint() {
    const std::string selected = sources_.selectedFont ? sources_.selectedFont() : std::string();
    Find(qrSingleFont, "FontName").SetCaption("Font Name : " + selected);
    const std::string sample = ReadSetting(*sources_.settings, setting::PrinterString);
    for (int n = 1; n <= 12; ++n) {
        Label* label = qrSingleFont.FindLabel("charset" + std::to_string(n));
        if (!label) continue;
        label->Font().name = selected;
        if (n >= 4) label->SetCaption(std::to_string(kSampleSizes[n - 4]) + " - " + sample);
    }
    LayOutSamples(&qrSingleFont.Measurer());
}

CharSetReport::CharSetReport(const ReportSources& sources) : sources_(sources) {
    Report& r = qrCharSet;
    BasicReport(r, "Character Set", 12, 6);
    r.TitleBand().SetHeight(1050);
    AddReportHeadings(r, "Character Set");
    Label& fontName = r.AddLabel(r.TitleBand(), "FontName", "Font :");
    fontName.SetFont(Arial(10));
    fontName.SetTop(750);

    r.DetailBand().SetHeight(230);
    Label& num = r.AddLabel(r.DetailBand(), "Num", "");
    num.SetAutoSize(false);
    num.SetBounds(0, 0, 450, 220);
    Label& ch = r.AddLabel(r.DetailBand(), "Char", "");
    ch.SetAutoSize(false);
    ch.SetBounds(500, 0, 500, 220);

    r.beforePrint = [this] { qrCharSetBeforePrint(); };
    r.needData = [this] { return qrCharSetNeedData(); };
}

void CharSetReport::qrCharSetBeforePrint() {
    code_ = 0;
    const std::string selected = sources_.selectedFont ? sources_.selectedFont() : std::string();
    Find(qrCharSet, "FontName").SetCaption("Font : " + selected);
    Find(qrCharSet, "Char").Font().name = selected;
}

bool CharSetReport::qrCharSetNeedData() {
    if (code_ > 255) return false;
    Find(qrCharSet, "Num").SetCaption(std::to_string(code_));
    Find(qrCharSet, "Char").SetCaption(CharacterText(code_));
    ++code_;
    return true;
}

}  // namespace glyphwell
