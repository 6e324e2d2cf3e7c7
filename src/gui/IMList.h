#pragma once

#include "gui/IMDialogBase.h"
#include "gui/IMStaticPictureBase.h"

#include <array>
#include <string_view>
#include <vector>

namespace pestrol {

// A framed box of text lines of which the pupil selects one with the mouse. The list draws
// nothing itself: its frame and lines live in two dialogs beside it in its parent.
class IMList : public IMViewControl<IMEmptyView> {
public:
    explicit IMList(IMDialog* parent);

    // Lays out the frame, its background and the lines' area.
    void SetRect(const Rect& rect) override;

    // A line in opaque black below the last one; a click on it selects it.
    IMCaption* AddItem(std::wstring_view text);
    // Null hides the selection.
    long Select(IMCaption* line);

    IMCaption* GetSelected() const { return m_selected; }
    const std::vector<IMCaption*>& Items() const { return m_lines; }
    IMDialog* GetItemsDialog() const { return m_items; }
    IMPicture* GetSelectionMask() const { return m_mask; }

private:
    IMPicture* Border();

    IMDialog* m_frame;
    IMDialog* m_items = nullptr;
    IMPicture* m_background = nullptr;
    std::array<IMPicture*, 4> m_borders{};  // top, bottom, left, right
    IMPicture* m_mask = nullptr;
    std::vector<IMCaption*> m_lines;
    IMCaption* m_selected = nullptr;
};

}  // namespace pestrol
