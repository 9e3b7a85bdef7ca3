#include "report_printer.h"

namespace reports {

const char* PrintStatusText(PrintStatus status) {
    switch (status) {
    case PrintStatus::Printed: return "The report was printed.";
    case PrintStatus::NoPrinter: return "There is no printer to print on. Install a printer and try again.";
    case PrintStatus::Cancelled: return "Printing was cancelled.";
    case PrintStatus::Failed: return "The report could not be printed.";
    }
    return "";
}

PrintStatus ReportPrinter::Print(PrintTarget& target) const {
    const PrintStatus begun = target.Begin(jobName_, pages_);
    if (begun != PrintStatus::Printed) return begun;
    for (int i = 0; i < PageCount(); ++i) {
        if (!target.PrintPage(pages_, i)) {
            target.Abort();
            return PrintStatus::Failed;
        }
    }
    return target.End() ? PrintStatus::Printed : PrintStatus::Failed;
}

}  // namespace reports
