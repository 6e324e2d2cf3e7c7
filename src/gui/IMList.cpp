#include "gui/IMList.h"

#include <boost/bind/bind.hpp>

namespace pestrol {

IMList::IMList(IMDialog* parent)
    : IMViewControl<IMEmptyView>(parent, 0), m_frame(new IMDialog(parent, Rect{}, 0))
{
    m_background = new IMPicture(m_frame, 0);
    m_background->SetImage(L"EditBarBackGround");
    m_items = new IMDialog(m_frame, Rect{}, 0);
    for (IMPicture*& border : m_borders)
        border = Border();
    m_mask = new IMPicture(m_items, 0);
    m_mask->SetImage(L"SelectionMask");
    m_mask->Hide();
}

IMPicture* IMList::Border()
{
    auto* border = new IMPicture(m_frame, 0);
    border->SetImage(L"EditBarKaretka");
    return border;
}

void IMList::SetRect(const Rect& rect)
{
    IMViewControl<IMEmptyView>::SetRect(rect);
    const std::int32_t w = rect.Width();
    const std::int32_t h = rect.Height();
    m_frame->SetRect(rect);
    m_items->SetRect({1, 1, w - 1, h - 1});
    m_background->SetRect({1, 1, w - 1, h - 1});
    m_borders[0]->SetRect({0, 0, w, 1});
    m_borders[1]->SetRect({0, h - 1, w, h});
    m_borders[2]->SetRect({0, 0, 1, h});
    m_borders[3]->SetRect({w - 1, 0, w, h});
}

IMCaption* IMList::AddItem(std::wstring_view text)
{
    std::int32_t y = 0;
    for (const IMCaption* line : m_lines)
        y += line->GetHeight();
    IMCaption* line = m_items->CreateText(0, y, text);
    line->SetColour(kOpaqueBlack);
    line->Clicked.connect(boost::bind(&IMList::Select, this, line));
    m_lines.push_back(line);
    return line;
}

long IMList::Select(IMCaption* line)
{
    m_selected = line;
    if (line == nullptr) {
        m_mask->Hide();
        return 0;
    }
    m_mask->Show();
    const Rect r = line->GetRect();
    m_mask->SetRect({0, r.top, m_items->GetWidth(), r.bottom + 1});
    return 0;
}

}  // namespace pestrol
