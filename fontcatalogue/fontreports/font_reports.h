// The catalogue's four reports, laid out as the report forms describe them, with their data
// hooks. Each holds one report; generating it runs the hooks against the sources.
#pragma once

#include <string>
#include <vector>

#include "reports/report.h"
#include "fontreports/report_sources.h"

namespace glyphwell {

// Heading labels every report carries in its title band.
void AddReportHeadings(reports::Report& report, const std::string& subHeading);

// Every installed font, each name printed in its own face at the report font size.
class AllFontsReport {
public:
    explicit AllFontsReport(const ReportSources& sources);
    reports::Report qrAllFonts;

    void qrAllFontsBeforePrint();
    bool qrAllFontsNeedData();
    void qrAllFontsAfterPrint();

private:
    ReportSources sources_;
    std::vector<std::string> fonts_;
    int row_ = 0;
};

// The installed font names in three columns.
class CondensedReport {
public:
    explicit CondensedReport(const ReportSources& sources);
    reports::Report qrCondensed;

    void qrCondensedBeforePrint();
    bool qrCondensedNeedData();
    void qrCondensedAfterPrint();

private:
    ReportSources sources_;
    std::vector<std::string> fonts_;
    int row_ = 0;
};

// The selected font's alphabet, digits and sample text at nine sizes.
class SingleFontReport {
public:
    explicit SingleFontReport(const ReportSources& sources);
    reports::Report qrSingleFont;

    void qrSingleFontBeforePrint();

private:
    void LayOutSamples(const reports::TextMeasurer* measurer);
    ReportSources sources_;
};

// The 256 codes of the selected font, flowing down six columns.
class CharSetReport {
public:
    explicit CharSetReport(const ReportSources& sources);
    reports::Report qrCharSet;

    void qrCharSetBeforePrint();
    bool qrCharSetNeedData();

private:
    ReportSources sources_;
    int code_ = 0;
};

// The sizes of the single-font report's sample lines, in order.
inline constexpr int kSampleSizes[] = {8, 10, 12, 14, 18, 24, 36, 48, 72};

}  // namespace glyphwell
