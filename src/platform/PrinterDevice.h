#pragma once

#include <string>
#include <string_view>

namespace pestrol {

// A printer's device context: pages in device pixels of the printer's default paper and
// resolution, one default font, and the document that becomes a print job.
class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;

    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    // The font's cell height with its external leading.
    virtual int LineHeight() const = 0;
    virtual int AverageCharWidth() const = 0;
    virtual int TextWidth(std::wstring_view text) const = 0;

    // False when the printer refuses the job; nothing is printed then.
    virtual bool StartDocument(const std::wstring& jobName) = 0;
    virtual void StartPage() = 0;
    // (x, y) is the top left corner of the text's cell.
    virtual void DrawText(int x, int y, std::wstring_view text) = 0;
    virtual void EndPage() = 0;
    // Hands the document to the printer; false when it was not accepted.
    virtual bool EndDocument() = 0;
};

}  // namespace pestrol
