#include "report/IMSaveAsDialog.h"

#include "gui/IMEditBar.h"
#include "gui/IMTextEdit.h"
#include "screens/ScreenParts.h"

#include <boost/bind/bind.hpp>

namespace pestrol {

namespace {
constexpr Colour kNoticeColour = 0xFFB00000;
} // namespace

IMSaveAsDialog::IMSaveAsDialog(IMDialog* parent)
    : IMDialog(parent, kPlace, 0)
    , m_background(MakeBackground(this))
{
    MakeFrame(this);
    m_path = new IMEditBar(this);
    m_path->SetRect({ 30, 28, 330, 48 });
    m_saveAs = CreateButton(
        30, 79, L"SaveAsButton", L"SaveAsButton", L"SaveAsButtonNuv", L"SaveAsButtonKlick");
    m_close = CreateButton(
        221, 79, L"CloseButton", L"CloseButton", L"CloseButtonNuv", L"CloseButtonKlick");
    m_notice = MakeCaption(this, L"", { .height = 14, .colour = kNoticeColour }, { 30, 56 });
    FocusGained.connect(boost::bind(&IMControl::SetFocused, m_path, true));
    m_close->Clicked.connect(boost::bind(&IMControl::Close, this));
}

void IMSaveAsDialog::SetPath(const std::wstring& path)
{
    IMTextEdit* edit = m_path->GetTextEdit();
    edit->SetText(path);
    edit->SetCursor(static_cast<std::int32_t>(path.size()));
    edit->UpdateCaret();
    m_path->ScrollToCaret();
}

std::wstring IMSaveAsDialog::GetText() const
{
    return m_path->GetText();
}

void IMSaveAsDialog::SetNotice(const std::wstring& notice)
{
    m_notice->SetText(notice);
    m_notice->SetRect(m_notice->GetSourceRect());
    m_notice->MoveTo(30, 56);
}

} // namespace pestrol
