#include "report/ReportPrinter.h"

#include "platform/Printers.h"
#include "report/ReportXml.h"

#include <algorithm>
#include <map>

namespace pestrol {
namespace {

using xercesc::DOMElement;
using xercesc::DOMNodeList;

const DOMElement* FirstTable(const DOMElement& worksheet)
{
    DOMNodeList* tables = worksheet.getElementsByTagName(u"Table");
    return tables->getLength() > 0 ? static_cast<const DOMElement*>(tables->item(0)) : nullptr;
}

// Lines top to bottom in device pixels; a line that would end within two line heights of
// the bottom edge sends the next one to a new page. The new page is opened only when a
// next line comes, so that a report ending at a page break feeds no blank sheet.
class PageWriter {
public:
    explicit PageWriter(PrinterDevice& device)
        : m_device(device)
        , m_half(device.PageWidth() / 2)
        , m_line(device.LineHeight())
        , m_column(device.AverageCharWidth())
        , m_y(m_line)
    {
    }

    // A label and its value; the value goes to half the page or, after a wider label,
    // one column unit past it.
    void WriteHeadingLine(const std::wstring& label, const std::wstring& value)
    {
        m_device.DrawText(m_column, m_y, label);
        int x = m_column + std::max(m_half, m_device.TextWidth(label) + m_column);
        m_device.DrawText(x, m_y, value);
        m_y += m_line;
    }

    void SkipLine() { m_y += m_line; }

    void WriteRow(const DOMElement& row)
    {
        if (m_breakPending) {
            m_device.EndPage();
            m_device.StartPage();
            m_y = m_line;
            m_breakPending = false;
        }
        int x = m_column;
        DOMNodeList* cells = row.getElementsByTagName(u"Data");
        for (XMLSize_t i = 0; i < cells->getLength(); ++i) {
            std::wstring text = FromXml(cells->item(i)->getTextContent());
            m_device.DrawText(x, m_y, text);
            x += std::max(m_half, m_device.TextWidth(text) + m_column);
        }
        if (m_y + 2 * m_line >= m_device.PageHeight())
            m_breakPending = true;
        else
            m_y += m_line;
    }

private:
    PrinterDevice& m_device;
    int m_half;
    int m_line;
    int m_column;
    int m_y;
    bool m_breakPending = false;
};

// Keyed by label, so the lines come in the labels' character order.
std::map<std::wstring, std::wstring> HeadingTable(const ReportHeading& heading)
{
    return {
        { L"Номер ЦОР", heading.catalogueNumber },
        { L"Название", heading.exerciseTitle },
        { L"Ученик", heading.pupilName },
    };
}

}  // namespace

std::unique_ptr<PrinterDevice> GetPrinterDC(const std::optional<std::wstring>& selectedPrinter)
{
    return selectedPrinter ? OpenPrinter(*selectedPrinter) : nullptr;
}

bool PrintReport(std::unique_ptr<PrinterDevice> device, const ReportHeading& heading,
    const SpreadsheetReport& report)
{
    const DOMElement* table = FirstTable(report.Worksheet());
    if (device == nullptr || table == nullptr)
        return false;
    PageWriter page(*device);
    if (!device->StartDocument(kPrintJobName))
        return false;
    device->StartPage();
    for (const auto& [label, value] : HeadingTable(heading))
        page.WriteHeadingLine(label, value);
    page.SkipLine();
    DOMNodeList* rows = table->getElementsByTagName(u"Row");
    for (XMLSize_t i = 0; i < rows->getLength(); ++i)
        page.WriteRow(*static_cast<const DOMElement*>(rows->item(i)));
    device->EndPage();
    return device->EndDocument();
}

}  // namespace pestrol
