#include "win32/report_forms.h"

#include "win32/font_enumeration.h"
#include "win32/glyphwell_forms.h"
#include "win32/main_form.h"

namespace glyphwell {

namespace {
std::string LocalDateTime() {
    char date[64] = {};
    char time[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
    return std::string(date) + " " + time;
}

void Prepare(reports::Report& report) {
    report.SetMeasurer(&ReportMeasurer());
    report.SetDateTimeSource(LocalDateTime);
}
}  // namespace

ReportSources GlyphwellReportSources() {
    ReportSources sources;
    sources.settings = &fGlyphwell->Store();
    sources.screenFonts = [] { return ScreenFontNames(); };
    sources.printerFonts = [] { return PrinterFontNames(); };
    sources.selectedFont = [] { return fGlyphwell->SelectedFontName(); };
    sources.nameLess = ListCollationLess;
    return sources;
}

reports::GdiTextMeasurer& ReportMeasurer() {
    static reports::GdiTextMeasurer measurer;
    return measurer;
}

TfQRAllFonts::TfQRAllFonts(forms::Component* owner) : ReportForm(owner, "fQRAllFonts") {
    Prepare(Report().qrAllFonts);
}

TfqrCondensed::TfqrCondensed(forms::Component* owner) : ReportForm(owner, "fqrCondensed") {
    Prepare(Report().qrCondensed);
}

TfqrSingleFont::TfqrSingleFont(forms::Component* owner) : ReportForm(owner, "fqrSingleFont") {
    Prepare(Report().qrSingleFont);
}

TfQRCharSet::TfQRCharSet(forms::Component* owner) : ReportForm(owner, "fQRCharSet") {
    Prepare(Report().qrCharSet);
}

}  // namespace glyphwell
