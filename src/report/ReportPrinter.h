#pragma once

#include "platform/PrinterDevice.h"
#include "report/SpreadsheetReport.h"

#include <memory>
#include <optional>
#include <string>

namespace pestrol {

// What the printout says above the rows.
struct ReportHeading {
    std::wstring catalogueNumber;
    std::wstring exerciseTitle;
    std::wstring pupilName;
};

// The name the print job carries in the printer's queue.
inline constexpr wchar_t kPrintJobName[] = L"Print1: Printing";

// The device context of the printer chosen in the printer list; none while nothing is
// chosen or when the printer has gone.
std::unique_ptr<PrinterDevice> GetPrinterDC(const std::optional<std::wstring>& selectedPrinter);

// Prints the heading, one empty line and every row of the pupil's worksheet in two
// columns, the second at half the page width unless the first text is wider, and lets
// the device go. False when nothing was printed: no device, no table, or the printer
// refused the job.
bool PrintReport(std::unique_ptr<PrinterDevice> device, const ReportHeading& heading,
    const SpreadsheetReport& report);

}  // namespace pestrol
