// A banded report: a title band across the top of the first page and a detail band printed
// once per data row, rows filling a column, then the next column, then the next page.
// The program supplies data through the before-print, need-data and after-print hooks; the
// preview hook receives the printer object holding the generated pages.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "display_list.h"
#include "report_elements.h"
#include "report_printer.h"

namespace reports {

struct Margins {
    int left = 500;
    int top = 500;
    int right = 500;
    int bottom = 500;
};

class Report {
public:
    Report();

    // The print job's name.
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    int PageWidth() const { return pageWidth_; }
    int PageHeight() const { return pageHeight_; }
    void SetPageSize(int width, int height);
    const Margins& GetMargins() const { return margins_; }
    void SetMargins(const Margins& margins) { margins_ = margins; }
    int Columns() const { return columns_; }
    void SetColumns(int columns) { columns_ = columns < 1 ? 1 : columns; }
    int ColumnSpace() const { return columnSpace_; }
    void SetColumnSpace(int space) { columnSpace_ = space; }
    const FontSpec& BaseFont() const { return baseFont_; }
    void SetBaseFont(const FontSpec& font) { baseFont_ = font; }

    Band& TitleBand() { return titleBand_; }
    // Created on first use; a report without one prints its title band only.
    Band& DetailBand();
    bool HasDetailBand() const { return detailBand_ != nullptr; }

    // A label anywhere in the report found by name, or null.
    Label* FindLabel(const std::string& name) const;

    // A new label in the report's base font, as the form designer would place it.
    Label& AddLabel(Band& band, const std::string& name, const std::string& caption);

    void SetMeasurer(const TextMeasurer* measurer) { measurer_ = measurer; }
    const TextMeasurer& Measurer() const;
    // Text for date-and-time fields; the program gives the local date and time.
    void SetDateTimeSource(std::function<std::string()> source) { dateTime_ = std::move(source); }

    std::function<void()> beforePrint;
    std::function<bool()> needData;  // true: a row's data is set, print it
    std::function<void()> afterPrint;
    std::function<void(ReportPrinter&)> onPreview;

    // Runs the hooks and lays the pages out into the printer object.
    void Generate();
    // Generates, then hands the pages to the preview hook; false when there is none.
    bool Preview();
    const ReportPrinter& Printer() const { return printer_; }
    ReportPrinter& Printer() { return printer_; }

private:
    std::string title_;
    int pageWidth_ = 8500;
    int pageHeight_ = 11000;
    Margins margins_;
    int columns_ = 1;
    int columnSpace_ = 250;
    FontSpec baseFont_;
    Band titleBand_{BandKind::Title};
    std::unique_ptr<Band> detailBand_;
    const TextMeasurer* measurer_ = nullptr;
    std::function<std::string()> dateTime_;
    ReportPrinter printer_;
};

// A measurer that needs no device: width 0.6 em a character, height 1.2 em.
class SimpleMeasurer : public TextMeasurer {
public:
    TextSize Measure(const FontSpec& font, const std::string& text) const override;
};

}  // namespace reports
