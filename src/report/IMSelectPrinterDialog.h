#pragma once

#include "gui/IMButtonBase.h"
#include "gui/IMDialogBase.h"
#include "gui/IMStaticPictureBase.h"
#include "platform/PrinterDevice.h"

#include <memory>

namespace pestrol {

class IMList;

// The small dialog of the end screen in which the pupil picks one of the printers CUPS
// offers, the default one already picked, before printing the report there.
class IMSelectPrinterDialog : public IMDialog {
public:
    static constexpr Rect kPlace { 220, 125, 580, 375 };

    explicit IMSelectPrinterDialog(IMDialog* parent);

    // The device context of the picked printer; null while none is picked or when the
    // printer has gone.
    std::unique_ptr<PrinterDevice> GetPrinterDC() const;

    IMButton* GetPrintButton() const { return m_print; }
    IMButton* GetCloseButton() const { return m_close; }
    IMList* GetList() const { return m_list; }

private:
    void FillList();

    IMPicture* m_background;
    IMButton* m_print = nullptr;
    IMButton* m_close = nullptr;
    IMList* m_list = nullptr;
};

} // namespace pestrol
