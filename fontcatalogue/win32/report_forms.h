// The four report forms. Each holds its report, never shown itself; the report's pages go to
// the preview window. They measure with the system's fonts and read the main window's lists.
#pragma once

#include <memory>

#include "Form.h"
#include "fontreports/font_reports.h"
#include "reports/gdi_measurer.h"

namespace glyphwell {

// What every report form shares: the sources and the measurer.
ReportSources GlyphwellReportSources();
reports::GdiTextMeasurer& ReportMeasurer();

template <class R>
class ReportForm : public forms::Form {
public:
    explicit ReportForm(forms::Component* owner, const char* name) : forms::Form(owner), report_(GlyphwellReportSources()) {
        SetName(name);
    }
    R& Report() { return report_; }

private:
    R report_;
};

class TfQRAllFonts : public ReportForm<AllFontsReport> {
public:
    explicit TfQRAllFonts(forms::Component* owner);
};

class TfqrCondensed : public ReportForm<CondensedReport> {
public:
    explicit TfqrCondensed(forms::Component* owner);
};

class TfqrSingleFont : public ReportForm<SingleFontReport> {
public:
    explicit TfqrSingleFont(forms::Component* owner);
};

class TfQRCharSet : public ReportForm<CharSetReport> {
public:
    explicit TfQRCharSet(forms::Component* owner);
};

}  // namespace glyphwell
