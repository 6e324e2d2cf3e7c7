#include "gui/IMEditBar.h"

#include "gui/IMTextEdit.h"

#include <algorithm>
#include <boost/bind/bind.hpp>

namespace pestrol {

namespace {
constexpr std::int32_t kRightMargin = 3;
constexpr std::int32_t kLeftMargin = 2;
}  // namespace

IMEditBar::IMEditBar(IMDialog* parent) : IMDialog(parent, Rect{}, 0)
{
    m_background = new IMPicture(this, 0);
    m_background->SetImage(L"EditBarBackGround");
    for (IMPicture*& corner : m_corners) {
        corner = Line();
        corner->SetSize(1, 1);
    }
    for (IMPicture*& border : m_borders)
        border = Line();
    m_text = new IMTextEdit(this);
    m_text->SetColour(kOpaqueBlack);
    using boost::placeholders::_1;
    FocusGained.connect(boost::bind(&IMControl::SetFocused, m_text, true));
    FocusLost.connect(boost::bind(&IMControl::SetFocused, m_text, false));
    m_text->KeyMessage.connect(boost::bind(&IMEditBar::ScrollToCaret, this));
}

IMPicture* IMEditBar::Line()
{
    auto* line = new IMPicture(this, 0);
    line->SetImage(L"EditBarKaretka");
    return line;
}

void IMEditBar::SetRect(const Rect& rect)
{
    IMDialog::SetRect(rect);
    if (m_text == nullptr)
        return;
    const std::int32_t w = rect.Width();
    const std::int32_t h = rect.Height();
    const Point corners[] = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}};
    for (std::size_t i = 0; i < m_corners.size(); ++i)
        m_corners[i]->MoveTo(corners[i]);
    m_borders[0]->SetRect({0, 1, 1, h - 1});
    m_borders[1]->SetRect({1, 0, w - 1, 1});
    m_borders[2]->SetRect({w - 1, 1, w, h - 1});
    m_borders[3]->SetRect({1, h - 1, w - 1, h});
    m_background->SetRect({1, 1, w - 1, h - 1});
    m_text->SetRect({3, 2, w - 1, h - 1});
}

long IMEditBar::ScrollToCaret()
{
    const Rect caret = m_text->GetCaret()->GetRect();
    Rect text = m_text->GetRect();
    const std::int32_t limit = GetWidth() - kRightMargin;
    if (caret.right > limit) {
        text.right = std::max(text.right, caret.right);
        m_text->SetRect(text.Offset(limit - caret.right, 0));
    }
    if (caret.left < 0)
        m_text->SetRect(m_text->GetRect().Offset(kLeftMargin - caret.left, 0));
    return 0;
}

std::wstring IMEditBar::GetText() const
{
    return m_text->GetText();
}

}  // namespace pestrol
