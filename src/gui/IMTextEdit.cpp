#include "gui/IMTextEdit.h"

#include "gfx/IMResourceManager.h"
#include "gui/IMTimerHost.h"

#include <algorithm>
#include <boost/bind/bind.hpp>
#include <optional>

namespace pestrol {

namespace {

// Shared by every edit, so that up and down keep the column the pupil left.
std::optional<std::int32_t> g_desiredColumn;

}  // namespace

IMTextEdit::IMTextEdit(IMDialog* parent) : IMCaption(parent, 0), m_caret(new IMPicture(parent, 1))
{
    m_caret->SetPictureImage(L"EditBarKaretka");
    m_caret->Hide();
    SetFocusable(true);
    using boost::placeholders::_1;
    KeyMessage.connect(boost::bind(&IMTextEdit::OnKey, this, _1));
    FocusGained.connect(boost::bind(&IMControl::Show, m_caret));
    FocusLost.connect(boost::bind(&IMControl::Hide, m_caret));
    Invalidated.connect(boost::bind(&IMTextEdit::UpdateCaret, this));
    if (IMTimerHost* timers = IMTimerHost::Main()) {
        m_blinkTimer = timers->AddTimer(kBlinkInterval);
        timers->ConnectTimer(m_blinkTimer, boost::bind(&IMTextEdit::Blink, this));
    }
}

// The blink timer is ours alone; the window that holds it may already be gone.
IMTextEdit::~IMTextEdit()
{
    if (IMTimerHost* timers = IMTimerHost::Main())
        timers->RemoveTimer(m_blinkTimer);
}

bool IMTextEdit::IsTypable(std::uint32_t character)
{
    switch (character) {
    case 8:
    case 9:
    case 10:
    case 13:
    case 27:
        return false;
    default:
        return true;
    }
}

long IMTextEdit::OnKey(const IMKeyboardEvent& e)
{
    if (e.IsCode(msg::kChar))
        OnCharacter(e.m_wParam);
    if (!g_desiredColumn)
        g_desiredColumn = CurrentColumn();
    if (e.IsCode(msg::kKeyDown))
        OnKeyDown(e.m_wParam);
    SetDirty(true);
    return 0;
}

void IMTextEdit::OnCharacter(std::uint32_t character)
{
    if (character == vk::kBack) {
        if (m_cursor > 0) {
            EraseText(m_cursor - 1, 1);
            SetCursor(m_cursor - 1);
        }
    } else if (IsTypable(character)) {
        const wchar_t typed = static_cast<wchar_t>(character);
        InsertText(m_cursor, std::wstring_view(&typed, 1));
        SetCursor(m_cursor + 1);
    }
}

void IMTextEdit::OnKeyDown(std::uint32_t key)
{
    switch (key) {
    case vk::kLeft:
    case vk::kRight:
        m_caret->Show();
        SetCursor(m_cursor + (key == vk::kLeft ? -1 : 1));
        g_desiredColumn = CurrentColumn();
        break;
    case vk::kUp:
        m_caret->Show();
        MoveUp();
        break;
    case vk::kDown:
        m_caret->Show();
        MoveDown();
        break;
    case vk::kDelete:
        if (m_cursor < GetLength())
            EraseText(m_cursor, 1);
        break;
    default:
        break;
    }
}

void IMTextEdit::MoveUp()
{
    const std::size_t line = CurrentLine();
    if (line == 0)
        return;
    const std::int32_t previous = GetLineStarts()[line - 1];
    const std::int32_t current = GetLineStarts()[line];
    if (previous + *g_desiredColumn < current)
        SetCursor(previous + *g_desiredColumn);
    else
        SetCursor(current - 1);
}

void IMTextEdit::MoveDown()
{
    const auto& starts = GetLineStarts();
    const std::size_t line = CurrentLine();
    if (line + 1 >= starts.size())
        return;
    const std::int32_t next = starts[line + 1];
    const std::int32_t target = next + *g_desiredColumn;
    if (GetLength() - 1 < target)
        SetCursor(GetLength() - 1);
    else if (line + 2 < starts.size() && starts[line + 2] < target)
        SetCursor(starts[line + 2] - 1);
    else
        SetCursor(target);
}

std::size_t IMTextEdit::CurrentLine() const
{
    const auto& starts = GetLineStarts();
    const auto after = std::upper_bound(starts.begin(), starts.end(), m_cursor);
    return after == starts.begin() ? 0 : std::size_t(after - starts.begin() - 1);
}

std::int32_t IMTextEdit::CurrentColumn() const
{
    if (GetLineStarts().empty())
        return m_cursor;
    return m_cursor - GetLineStarts()[CurrentLine()];
}

void IMTextEdit::SetCursor(std::int32_t position)
{
    m_cursor = std::clamp(position, 0, GetLength());
    UpdateCaret();
}

long IMTextEdit::UpdateCaret()
{
    const Point origin = GetPosition();
    const std::int32_t height = CaretHeight();
    Point at = origin;
    if (GetLength() > 0 && m_cursor > 0) {
        const Rect before = GetCharRect(std::min(m_cursor, GetLength()) - 1);
        at = {origin.x + before.right, origin.y + before.top};
    }
    m_caret->SetRect({at.x, at.y, at.x + 1, at.y + height});
    return 0;
}

long IMTextEdit::Blink()
{
    if (HasFocus())
        m_caret->IsHidden() ? m_caret->Show() : m_caret->Hide();
    return 0;
}

std::int32_t IMTextEdit::CaretHeight()
{
    if (GetLength() > 0)
        return GetCharRect(std::clamp(m_cursor - 1, 0, GetLength() - 1)).Height();
    IMResourceManager* manager = ResourceManager();
    if (manager == nullptr)
        return 0;
    const IMGlyph style = GetStyle();
    const TextureIndex space
        = manager->CreateGlyph(L"TempSpaceBar", L' ', std::nullopt, style.colour, style.height,
                               style.face, style.italic, style.bold, style.underline,
                               style.background);
    const std::int32_t height = manager->GetImageRect(space).Height();
    manager->ReleaseTexture(space);
    return height;
}

}  // namespace pestrol
