// The current printer of the program: the system's default until the user picks another in the
// printer setup dialog. Reports print on it and the catalogue lists its fonts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "reports/report_printer.h"

namespace reports {

// Owns a printer device context.
class PrinterDC {
public:
    PrinterDC() = default;
    explicit PrinterDC(HDC dc) : dc_(dc) {}
    ~PrinterDC() { if (dc_) DeleteDC(dc_); }
    PrinterDC(PrinterDC&& other) noexcept : dc_(other.dc_) { other.dc_ = nullptr; }
    PrinterDC& operator=(PrinterDC&& other) noexcept;
    PrinterDC(const PrinterDC&) = delete;
    PrinterDC& operator=(const PrinterDC&) = delete;
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_ = nullptr;
};

class CurrentPrinter {
public:
    static CurrentPrinter& Instance();

    // A DC for the current printer, Letter portrait when asked to; empty when there is none.
    PrinterDC OpenDC(bool letterPortrait = false);
    bool Available();
    std::string Name();

    // The system's printer setup dialog; the choice is kept for later printing. False when the
    // user cancelled or there is no printer (*noPrinter tells which).
    bool Setup(HWND owner, bool* noPrinter = nullptr);

private:
    CurrentPrinter() = default;
    bool LoadDefault();
    bool LoadSettings(const std::string& name);
    std::string name_;
    std::string devMode_;  // the printer's DEVMODE bytes
};

// Prints generated pages on the current printer, Letter portrait, one job per report.
class GdiPrintTarget : public PrintTarget {
public:
    ~GdiPrintTarget() override;
    PrintStatus Begin(const std::string& jobName, const PageList& pages) override;
    bool PrintPage(const PageList& pages, int index) override;
    bool End() override;
    void Abort() override;

private:
    PrinterDC dc_;
    bool inDocument_ = false;
};

}  // namespace reports
