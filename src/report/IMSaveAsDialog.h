#pragma once

#include "gui/IMButtonBase.h"
#include "gui/IMDialogBase.h"
#include "gui/IMStaticPictureBase.h"

#include <string>

namespace pestrol {

class IMEditBar;

// The small dialog of the end screen in which the report's file name is edited before it
// is saved there: the path field, Save As and Close, framed in black.
class IMSaveAsDialog : public IMDialog {
public:
    static constexpr Rect kPlace { 220, 225, 580, 375 };

    explicit IMSaveAsDialog(IMDialog* parent);

    // Shows the path with the cursor after its last character, its end in view.
    void SetPath(const std::wstring& path);
    std::wstring GetText() const;
    // A line under the path field; empty hides it.
    void SetNotice(const std::wstring& notice);

    IMButton* GetSaveAsButton() const { return m_saveAs; }
    IMButton* GetCloseButton() const { return m_close; }
    IMEditBar* GetPathField() const { return m_path; }

private:
    IMPicture* m_background;
    IMButton* m_saveAs = nullptr;
    IMButton* m_close = nullptr;
    IMEditBar* m_path = nullptr;
    IMCaption* m_notice = nullptr;
};

} // namespace pestrol
