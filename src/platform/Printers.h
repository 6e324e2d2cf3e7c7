#pragma once

#include "platform/PrinterDevice.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pestrol {

// The printers CUPS offers, in its order ("queue" or "queue/instance"), and which of them
// is the default. Empty when there are none or no CUPS scheduler answers.
struct PrinterList {
    std::vector<std::wstring> names;
    std::optional<std::size_t> defaultPrinter;
};

PrinterList LocalPrinters();

// The device context of a printer named as in the list; null when CUPS does not know it.
std::unique_ptr<PrinterDevice> OpenPrinter(const std::wstring& name);

}  // namespace pestrol
