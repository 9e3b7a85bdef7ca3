#include "reports/printer_device.h"

#include <commdlg.h>

#include <cstring>

#include "reports/gdi_painter.h"

namespace reports {

namespace {
// The default printer as the system keeps it: "name,driver,port" in the [windows] section.
std::string DefaultPrinterName() {
    char device[512] = {};
    GetProfileStringA("windows", "device", "", device, sizeof device);
    std::string name = device;
    return name.substr(0, name.find(','));
}

HGLOBAL CopyToGlobal(const void* data, size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!memory) return nullptr;
    std::memcpy(GlobalLock(memory), data, size);
    GlobalUnlock(memory);
    return memory;
}

// A DEVNAMES block naming the printer (driver and port are found by the spooler).
HGLOBAL MakeDevNames(const std::string& device) {
    const std::string driver = "winspool";
    const size_t header = sizeof(DEVNAMES);
    std::string block(header + driver.size() + 1 + device.size() + 1 + 1, '\0');
    auto* names = reinterpret_cast<DEVNAMES*>(block.data());
    names->wDriverOffset = static_cast<WORD>(header);
    names->wDeviceOffset = static_cast<WORD>(header + driver.size() + 1);
    names->wOutputOffset = static_cast<WORD>(header + driver.size() + 1 + device.size() + 1);
    std::memcpy(block.data() + names->wDriverOffset, driver.c_str(), driver.size());
    std::memcpy(block.data() + names->wDeviceOffset, device.c_str(), device.size());
    return CopyToGlobal(block.data(), block.size());
}
}  // namespace

PrinterDC& PrinterDC::operator=(PrinterDC&& other) noexcept {
    if (this != &other) {
        if (dc_) DeleteDC(dc_);
        dc_ = other.dc_;
        other.dc_ = nullptr;
    }
    return *this;
}

CurrentPrinter& CurrentPrinter::Instance() {
    static CurrentPrinter printer;
    return printer;
}

bool CurrentPrinter::LoadSettings(const std::string& name) {
    HANDLE printer = nullptr;
    if (name.empty() || !OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr)) return false;
    std::string mode;
    const LONG size = DocumentPropertiesA(nullptr, printer, const_cast<char*>(name.c_str()), nullptr, nullptr, 0);
    if (size > 0) {
        mode.assign(static_cast<size_t>(size), '\0');
        if (DocumentPropertiesA(nullptr, printer, const_cast<char*>(name.c_str()),
                                reinterpret_cast<DEVMODEA*>(mode.data()), nullptr, DM_OUT_BUFFER) != IDOK)
            mode.clear();
    }
    ClosePrinter(printer);
    name_ = name;
    devMode_ = std::move(mode);
    return true;
}

bool CurrentPrinter::LoadDefault() {
    if (!name_.empty()) return true;
    return LoadSettings(DefaultPrinterName());
}

bool CurrentPrinter::Available() { return LoadDefault(); }

std::string CurrentPrinter::Name() {
    LoadDefault();
    return name_;
}

PrinterDC CurrentPrinter::OpenDC(bool letterPortrait) {
    if (!LoadDefault()) return PrinterDC{};
    // Work on a copy: the user's own choice stays as it is for everything else.
    std::string mode = devMode_;
    DEVMODEA* devMode = mode.size() >= sizeof(DEVMODEA) ? reinterpret_cast<DEVMODEA*>(mode.data()) : nullptr;
    if (devMode && letterPortrait) {
        devMode->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
        devMode->dmPaperSize = DMPAPER_LETTER;
        devMode->dmOrientation = DMORIENT_PORTRAIT;
    }
    return PrinterDC{::CreateDCA("WINSPOOL", name_.c_str(), nullptr, devMode)};
}

bool CurrentPrinter::Setup(HWND owner, bool* noPrinter) {
    if (noPrinter) *noPrinter = false;
    if (!LoadDefault()) {
        if (noPrinter) *noPrinter = true;
        return false;
    }
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hDevMode = devMode_.empty() ? nullptr : CopyToGlobal(devMode_.data(), devMode_.size());
    dialog.hDevNames = MakeDevNames(name_);
    dialog.Flags = PD_PRINTSETUP;
    const BOOL chosen = PrintDlgA(&dialog);
    if (chosen && dialog.hDevNames) {
        auto* names = static_cast<DEVNAMES*>(GlobalLock(dialog.hDevNames));
        const std::string device = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
        GlobalUnlock(dialog.hDevNames);
        std::string mode;
        if (dialog.hDevMode) {
            mode.assign(static_cast<const char*>(GlobalLock(dialog.hDevMode)), GlobalSize(dialog.hDevMode));
            GlobalUnlock(dialog.hDevMode);
        }
        name_ = device;
        devMode_ = std::move(mode);
    }
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    return chosen != FALSE;
}

GdiPrintTarget::~GdiPrintTarget() {
    if (inDocument_) Abort();
}

PrintStatus GdiPrintTarget::Begin(const std::string& jobName, const PageList&) {
    if (!CurrentPrinter::Instance().Available()) return PrintStatus::NoPrinter;
    dc_ = CurrentPrinter::Instance().OpenDC(true);
    if (!dc_) return PrintStatus::Failed;
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = jobName.c_str();
    if (StartDocA(dc_.Get(), &info) <= 0)
        return GetLastError() == ERROR_CANCELLED ? PrintStatus::Cancelled : PrintStatus::Failed;
    inDocument_ = true;
    return PrintStatus::Printed;
}

bool GdiPrintTarget::PrintPage(const PageList& pages, int index) {
    if (StartPage(dc_.Get()) <= 0) return false;
    PaintPage(dc_.Get(), pages.pages[static_cast<size_t>(index)], DevicePlacement(dc_.Get()));
    return EndPage(dc_.Get()) > 0;
}

bool GdiPrintTarget::End() {
    inDocument_ = false;
    return EndDoc(dc_.Get()) > 0;
}

void GdiPrintTarget::Abort() {
    inDocument_ = false;
    AbortDoc(dc_.Get());
}

}  // namespace reports
