// The report preview window: one generated page at a time, paging, zoom and printing. It is
// shown without being modal and keeps the pages of the report it was last given.
#pragma once

#include <functional>

#include "Form.h"
#include "GlyphButton.h"
#include "Menu.h"
#include "Panel.h"
#include "core/preview_navigation.h"
#include "reports/preview_control.h"
#include "reports/report_printer.h"

namespace glyphwell {

class TCustPreview : public forms::Form {
public:
    explicit TCustPreview(forms::Component* owner);

    // Takes a copy of the report's pages (the report may run again) and shows them.
    void ShowPages(const reports::ReportPrinter& printer);
    // Stays on top while another stay-on-top window of the program shows, so that it is not
    // covered by it; called when such a window is shown or hidden.
    void KeepInFront();
    const reports::ReportPrinter& Pages() const { return pages_; }
    const PreviewNavigation& Navigation() const { return nav_; }
    // What the last print said (shown to the user when it was not printed).
    reports::PrintStatus LastPrintStatus() const { return lastStatus_; }

    reports::PreviewControl* QRPreview1;
    forms::Panel* Panel1;
    forms::GlyphButton* SpeedButton1;
    forms::GlyphButton* SpeedButton2;
    forms::GlyphButton* SpeedButton3;
    forms::GlyphButton* SpeedButton4;
    forms::GlyphButton* SpeedButton5;
    forms::GlyphButton* SpeedButton6;
    forms::GlyphButton* SpeedButton7;
    forms::GlyphButton* SpeedButton8;
    forms::MainMenu* MainMenu1;

    void SpeedButton1Click(forms::Component* sender);
    void FirstPage1Click(forms::Component* sender);
    void PreviousPage1Click(forms::Component* sender);
    void NextPage1Click(forms::Component* sender);
    void LastPage1Click(forms::Component* sender);
    void N501Click(forms::Component* sender);
    void N1001Click(forms::Component* sender);
    void N2001Click(forms::Component* sender);
    void N4001Click(forms::Component* sender);
    void FitWidth1Click(forms::Component* sender);
    void FitHeight1Click(forms::Component* sender);
    void SpeedButton7Click(forms::Component* sender);
    void SpeedButton8Click(forms::Component* sender);
    void PrinterSetup1Click(forms::Component* sender);
    void Print1Click(forms::Component* sender);

    // When set, print outcomes are recorded without a message box (in-process tests).
    bool quietPrinting = false;
    // Sounded when paging cannot go further; in-process tests count the beeps instead.
    std::function<void()> beep = [] { MessageBeep(0); };

private:
    forms::GlyphButton* AddButton(const char* name, const char* caption, const char* hint, int left,
                                  void (TCustPreview::*handler)(forms::Component*));
    forms::MenuItem* AddItem(forms::MenuItem* parent, const char* name, const char* caption, forms::ShortCut key,
                             void (TCustPreview::*handler)(forms::Component*));
    void ShowZoom();
    void ShowPage();
    reports::ReportPrinter pages_;
    PreviewNavigation nav_;
    reports::PrintStatus lastStatus_ = reports::PrintStatus::Printed;
};

}  // namespace glyphwell
