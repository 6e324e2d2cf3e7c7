#include "platform/CupsPrinterDevice.h"
#include "platform/Printers.h"
#include "platform/Utf8.h"

#include <cups/cups.h>

namespace pestrol {
namespace {

std::wstring DestinationName(const cups_dest_t& dest)
{
    std::string name = dest.name;
    if (dest.instance != nullptr)
        name += std::string("/") + dest.instance;
    return FromUtf8(name);
}

// The default media with its margins and the default resolution of the destination, where
// CUPS names them.
void ReadPage(cups_dest_t* dest, PrintTarget& target)
{
    cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
    if (info == nullptr)
        return;
    ipp_attribute_t* media = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "media");
    cups_size_t size {};
    if (media != nullptr
        && cupsGetDestMediaByName(CUPS_HTTP_DEFAULT, dest, info, ippGetString(media, 0, nullptr),
            CUPS_MEDIA_FLAGS_DEFAULT, &size)
        && size.width > 0 && size.length > 0) {
        target.widthMm = size.width / 100.0;
        target.heightMm = size.length / 100.0;
        target.leftMm = size.left / 100.0;
        target.topMm = size.top / 100.0;
        target.rightMm = size.right / 100.0;
        target.bottomMm = size.bottom / 100.0;
    }
    ipp_attribute_t* resolution
        = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution");
    if (resolution != nullptr && ippGetValueTag(resolution) == IPP_TAG_RESOLUTION) {
        int y = 0;
        ipp_res_t units = IPP_RES_PER_INCH;
        int x = ippGetResolution(resolution, 0, &y, &units);
        double perInch = units == IPP_RES_PER_CM ? 2.54 : 1;
        if (x > 0 && y > 0) {
            target.xDpi = x * perInch;
            target.yDpi = y * perInch;
        }
    }
    cupsFreeDestInfo(info);
}

}  // namespace

PrinterList LocalPrinters()
{
    cups_dest_t* dests = nullptr;
    int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    PrinterList list;
    for (int i = 0; i < count; ++i) {
        if (dests[i].is_default)
            list.defaultPrinter = list.names.size();
        list.names.push_back(DestinationName(dests[i]));
    }
    cupsFreeDests(count, dests);
    return list;
}

std::unique_ptr<PrinterDevice> OpenPrinter(const std::wstring& name)
{
    std::string full = ToUtf8(name);
    PrintTarget target;
    std::size_t slash = full.find('/');
    target.queue = full.substr(0, slash);
    if (slash != std::string::npos)
        target.instance = full.substr(slash + 1);
    // CUPS answers the default destination for an empty name.
    if (target.queue.empty())
        return nullptr;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, target.queue.c_str(),
        target.instance.empty() ? nullptr : target.instance.c_str());
    if (dest == nullptr)
        return nullptr;
    ReadPage(dest, target);
    cupsFreeDests(1, dest);
    return std::make_unique<CupsPrinterDevice>(std::move(target));
}

}  // namespace pestrol
