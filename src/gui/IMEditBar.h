#pragma once

#include "gui/IMDialogBase.h"
#include "gui/IMStaticPictureBase.h"

#include <array>
#include <string>

namespace pestrol {

class IMTextEdit;

// A framed one-line input box: passes its focus on to its text edit and scrolls the text
// sideways so that the caret stays inside the frame.
class IMEditBar : public IMDialog {
public:
    explicit IMEditBar(IMDialog* parent);

    // Lays out the frame, the background and the text for the new size.
    void SetRect(const Rect& rect) override;

    long ScrollToCaret();
    std::wstring GetText() const;
    IMTextEdit* GetTextEdit() const { return m_text; }

private:
    IMPicture* Line();

    IMTextEdit* m_text = nullptr;
    IMPicture* m_background = nullptr;
    std::array<IMPicture*, 4> m_corners{};  // top-left, top-right, bottom-left, bottom-right
    std::array<IMPicture*, 4> m_borders{};  // left, top, right, bottom
};

}  // namespace pestrol
