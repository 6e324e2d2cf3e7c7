#pragma once

#include "platform/PrinterDevice.h"

#include <memory>
#include <string>

namespace pestrol {

// Where a CUPS job goes and the page it prints on.
struct PrintTarget {
    std::string queue;
    std::string instance;
    // Paper and its unprintable margins in millimetres, resolution in dots per inch.
    double widthMm = 210;
    double heightMm = 297;
    double leftMm = 0;
    double topMm = 0;
    double rightMm = 0;
    double bottomMm = 0;
    double xDpi = 300;
    double yDpi = 300;
};

// The document is drawn into a cairo PDF file with the system's default sans font and
// submitted to the CUPS queue when it ends. As on a printer's own device, the page is the
// printable area: (0, 0) is its top left corner, inside the paper's margins.
class CupsPrinterDevice : public PrinterDevice {
public:
    explicit CupsPrinterDevice(PrintTarget target);
    ~CupsPrinterDevice() override;

    int PageWidth() const override;
    int PageHeight() const override;
    int LineHeight() const override;
    int AverageCharWidth() const override;
    int TextWidth(std::wstring_view text) const override;

    bool StartDocument(const std::wstring& jobName) override;
    void StartPage() override;
    void DrawText(int x, int y, std::wstring_view text) override;
    void EndPage() override;
    bool EndDocument() override;

private:
    struct Document;

    PrintTarget m_target;
    struct Font;
    std::unique_ptr<Font> m_font;
    std::unique_ptr<Document> m_document;
};

}  // namespace pestrol
