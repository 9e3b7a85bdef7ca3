// The printer object of a report: the generated pages, their count and printing them to a
// target (a printer in the program, a recorder in tests).
#pragma once

#include <string>

#include "display_list.h"

namespace reports {

enum class PrintStatus { Printed, NoPrinter, Cancelled, Failed };
const char* PrintStatusText(PrintStatus status);

// One print job: the pages go to it in order between Begin and End.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    virtual PrintStatus Begin(const std::string& jobName, const PageList& pages) = 0;
    virtual bool PrintPage(const PageList& pages, int index) = 0;
    virtual bool End() = 0;
    virtual void Abort() = 0;
};

class ReportPrinter {
public:
    const PageList& Pages() const { return pages_; }
    PageList& Pages() { return pages_; }
    int PageCount() const { return static_cast<int>(pages_.pages.size()); }
    const std::string& JobName() const { return jobName_; }
    void SetJobName(std::string name) { jobName_ = std::move(name); }

    // Prints every page; a page or the end that fails aborts the job and says so.
    PrintStatus Print(PrintTarget& target) const;

private:
    std::string jobName_;
    PageList pages_;
};

}  // namespace reports
