// The preview control: shows one generated page at a zoom, on a grey desk with scroll bars when
// the page is larger than the control. It draws through the same painter as printing.
#pragma once

#include "Control.h"
#include "reports/report_printer.h"

namespace reports {

class PreviewControl : public forms::Control {
public:
    explicit PreviewControl(forms::Component* owner);

    // The printer object whose pages are shown (not owned); page 1 after a change.
    void SetPrinter(const ReportPrinter* printer);
    const ReportPrinter* Printer() const { return printer_; }
    int PageNumber() const { return page_; }
    void SetPageNumber(int page);
    int Zoom() const { return zoom_; }
    void SetZoom(int percent);
    // The page's size in pixels at 100 %.
    int PageWidthAt100() const;
    int PageHeightAt100() const;
    // The room a page has inside the control (less the margins round it).
    int AvailableWidth() const;
    int AvailableHeight() const;

protected:
    void GetWindowParams(forms::WindowParams& p) override;
    void Paint(HDC dc) override;
    void EraseBackground(HDC) override {}
    void Resized() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void UpdateScrollBars();
    void Scroll(int bar, WPARAM wp);
    const ReportPrinter* printer_ = nullptr;
    int page_ = 1;
    int zoom_ = 100;
    int scrollX_ = 0;
    int scrollY_ = 0;
};

}  // namespace reports
