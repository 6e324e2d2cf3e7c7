#include "report/IMSelectPrinterDialog.h"

#include "gui/IMList.h"
#include "platform/Printers.h"
#include "report/ReportPrinter.h"
#include "screens/ScreenParts.h"

#include <boost/bind/bind.hpp>

namespace pestrol {

IMSelectPrinterDialog::IMSelectPrinterDialog(IMDialog* parent)
    : IMDialog(parent, kPlace, 0)
    , m_background(MakeBackground(this))
{
    MakeFrame(this);
    CreateText(30, 38, L"Выберите принтер:")->SetColour(kOpaqueBlack);
    m_list = new IMList(this);
    m_list->SetRect({ 30, 58, 330, 158 });
    m_print = CreateButton(
        30, 179, L"PrintButton", L"PrintButton", L"PrintButtonNuv", L"PrintButtonKlick");
    m_close = CreateButton(
        221, 179, L"CloseButton", L"CloseButton", L"CloseButtonNuv", L"CloseButtonKlick");
    FillList();
    m_close->Clicked.connect(boost::bind(&IMControl::Close, this));
}

void IMSelectPrinterDialog::FillList()
{
    const PrinterList printers = LocalPrinters();
    for (std::size_t i = 0; i < printers.names.size(); ++i) {
        IMCaption* line = m_list->AddItem(printers.names[i]);
        if (printers.defaultPrinter == i)
            m_list->Select(line);
    }
}

std::unique_ptr<PrinterDevice> IMSelectPrinterDialog::GetPrinterDC() const
{
    const IMCaption* selected = m_list->GetSelected();
    return pestrol::GetPrinterDC(
        selected != nullptr ? std::optional(selected->GetText()) : std::nullopt);
}

} // namespace pestrol
