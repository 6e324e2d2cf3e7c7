#include "gfx/IMTextView.h"

#include "gfx/IMResourceManager.h"
#include "platform/ResourceLibrary.h"

#include <algorithm>
#include <limits>

namespace pestrol {

namespace {

// Stands for a glyph whose picture could not be had: never a registry index, so releasing
// or drawing it does nothing.
constexpr TextureIndex kNoTexture = std::numeric_limits<TextureIndex>::max();

bool IsWhitespace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

TextureIndex RegisterMark(IMResourceManager& manager, const std::wstring& key, const wchar_t* mark)
{
    const ResourceLibrary* library = ResourceLibrary::Current();
    if (const TextureIndex index = manager.FindTexture(key); index != manager.SlotCount())
        return manager.AddTextureRef(index);
    const auto block = library != nullptr ? library->FindNamed(mark) : std::nullopt;
    if (!block)
        return manager.SlotCount();
    return manager.RegisterImage(key, block->data(), block->size());
}

const wchar_t* MarkOf(wchar_t c)
{
    switch (c) {
    case L' ':
        return L"MarkSpace";
    case L'\t':
        return L"MarkTab";
    default:
        return L"MarkLineBreak";
    }
}

} // namespace

IMTextView::~IMTextView()
{
    ReleaseGlyphs(0, m_glyphs.size());
}

std::wstring IMTextView::GlyphKey(const IMGlyph& g)
{
    auto number = [](std::int64_t n) { return std::to_wstring(n); };
    return g.face + g.character + number(g.height) + number(std::int32_t(g.colour)) + number(g.bold)
        + number(g.underline) + number(g.italic) + number(std::int32_t(g.background))
        + number(g.whitespaceMark);
}

void IMTextView::GiveTexture(IMGlyph& g) const
{
    IMResourceManager& manager = *ResourceManager();
    g.whitespaceMark = showWhitespace && IsWhitespace(g.character);
    g.key = GlyphKey(g);
    TextureIndex index;
    if (g.whitespaceMark)
        index = RegisterMark(manager, g.key, MarkOf(g.character));
    else if (g.character == L'\n')
        index = RegisterMark(manager, g.key, L"MarkLineFeedHidden");
    else
        index = manager.CreateGlyph(g.key, IsWhitespace(g.character) ? L' ' : g.character,
            std::nullopt, g.colour, g.height, g.face, g.italic, g.bold, g.underline, g.background);
    g.texture = index == manager.SlotCount() ? kNoTexture : index;
}

IMGlyph IMTextView::GetStyle() const
{
    IMGlyph g;
    g.colour = m_colour;
    g.underline = m_underline;
    g.bold = m_bold;
    g.italic = m_italic;
    g.height = m_height;
    g.face = m_face;
    g.background = m_background;
    return g;
}

std::unique_ptr<IMGlyph> IMTextView::MakeGlyph(wchar_t character) const
{
    auto g = std::make_unique<IMGlyph>(GetStyle());
    g->character = character;
    GiveTexture(*g);
    return g;
}

void IMTextView::ReleaseGlyphs(std::size_t first, std::size_t last)
{
    IMResourceManager* manager = ResourceManager();
    for (std::size_t i = first; i < last && manager != nullptr; ++i)
        manager->ReleaseTexture(m_glyphs[i]->texture);
    m_glyphs.erase(
        m_glyphs.begin() + std::ptrdiff_t(first), m_glyphs.begin() + std::ptrdiff_t(last));
}

void IMTextView::SetText(std::wstring_view text)
{
    ReleaseGlyphs(0, m_glyphs.size());
    SetSourceRect({});
    InsertText(0, text);
}

void IMTextView::InsertText(std::int32_t position, std::wstring_view text)
{
    if (position < 0 || position > GetLength())
        return;
    for (std::size_t i = 0; i < text.size(); ++i)
        m_glyphs.insert(m_glyphs.begin() + position + std::ptrdiff_t(i), MakeGlyph(text[i]));
    Layout(std::size_t(position));
}

void IMTextView::EraseText(std::int32_t position, std::int32_t count)
{
    if (position < 0 || position > GetLength())
        return;
    const std::size_t last
        = std::min(m_glyphs.size(), std::size_t(position) + std::size_t(std::max(count, 0)));
    ReleaseGlyphs(std::size_t(position), last);
    Layout(std::size_t(position));
}

std::wstring IMTextView::GetText() const
{
    std::wstring text;
    for (const auto& g : m_glyphs)
        text += g->character;
    return text;
}

void IMTextView::SetStyle(const IMTextStyleChange& change)
{
    m_colour = change.colour.value_or(m_colour);
    m_underline = change.underline.value_or(m_underline);
    m_bold = change.bold.value_or(m_bold);
    m_italic = change.italic.value_or(m_italic);
    m_height = change.height.value_or(m_height);
    m_face = change.face.value_or(m_face);
    m_background = change.background.value_or(m_background);
    bool resized = false;
    for (auto& g : m_glyphs) {
        IMGlyph next = *g;
        next.colour = change.colour.value_or(g->colour);
        next.underline = change.underline.value_or(g->underline);
        next.bold = change.bold.value_or(g->bold);
        next.italic = change.italic.value_or(g->italic);
        next.height = change.height.value_or(g->height);
        next.face = change.face.value_or(g->face);
        next.background = change.background.value_or(g->background);
        next.whitespaceMark = showWhitespace && IsWhitespace(next.character);
        if (GlyphKey(next) == g->key)
            continue;
        const Size before = GlyphSize(*g);
        const TextureIndex old = g->texture;
        GiveTexture(next);
        *g = std::move(next);
        ResourceManager()->ReleaseTexture(old);
        resized = resized || GlyphSize(*g) != before;
    }
    if (resized)
        Layout(0);
    SetDirty(true);
}

void IMTextView::SetChar(wchar_t character, std::int32_t index)
{
    if (index < 0 || index >= GetLength())
        return;
    m_glyphs[index]->character = character;
    SetStyle({});
}

std::int32_t IMTextView::GetChar(std::int32_t index) const
{
    if (index < 0)
        return index;
    return index < GetLength() ? std::int32_t(m_glyphs[index]->character) : GetLength();
}

Rect IMTextView::GetCharRect(std::int32_t index) const
{
    return index >= 0 && index < GetLength() ? m_glyphs[index]->rect : Rect {};
}

Colour IMTextView::GetCharColour(std::int32_t index) const
{
    return index >= 0 && index < GetLength() ? m_glyphs[index]->colour : Colour(GetLength());
}

std::wstring IMTextView::GetCharFace(std::int32_t index) const
{
    return index >= 0 && index < GetLength() ? m_glyphs[index]->face : std::wstring();
}

Size IMTextView::GlyphSize(const IMGlyph& glyph) const
{
    const Rect r = ResourceManager()->GetImageRect(glyph.texture);
    return { r.Width(), r.Height() };
}

void IMTextView::AddLineStart(std::int32_t start)
{
    auto it = std::lower_bound(m_lineStarts.begin(), m_lineStarts.end(), start);
    if (it == m_lineStarts.end() || *it != start)
        m_lineStarts.insert(it, start);
}

void IMTextView::Layout(std::size_t from)
{
    if (from == 0)
        m_lineStarts = { 0 };
    else
        std::erase_if(m_lineStarts, [&](std::int32_t s) { return s >= std::int32_t(from); });

    const std::size_t count = m_glyphs.size();
    std::int32_t x = 0, y = 0, lineHeight = defaultLineHeight, widest = 0, totalHeight = 0;
    Rect extent;
    std::size_t lastSpace = count;
    for (std::size_t j = 0; j < count; ++j) {
        IMGlyph& g = *m_glyphs[j];
        const Size size = GlyphSize(g);
        if (g.character == L' ')
            lastSpace = j;
        if (j < from) {
            y = g.rect.top;
            x = g.rect.right;
            if (g.character == L'\n' || g.character == L'\r') {
                x = g.character == L'\n' ? 0 : g.rect.Width();
                y = g.rect.top + defaultLineHeight;
            }
            extent.right = std::max(extent.right, g.rect.right);
            extent.bottom = std::max(extent.bottom, g.rect.bottom);
            continue;
        }
        lineHeight = std::max(lineHeight, size.height);
        if (!wordWrap) {
            g.rect = { x, 0, x + size.width, size.height };
            x += size.width;
            extent.bottom = std::max(extent.bottom, size.height);
            extent.right += size.width;
            continue;
        }
        if (x + size.width > GetWidth()) {
            y += lineHeight;
            lineHeight = defaultLineHeight;
            x = 0;
            if (lastSpace < j) {
                AddLineStart(std::int32_t(lastSpace + 1));
                for (std::size_t k = lastSpace + 1; k <= j; ++k) {
                    const Size s = GlyphSize(*m_glyphs[k]);
                    m_glyphs[k]->rect = { x, y, x + s.width, y + s.height };
                    x += s.width;
                }
                lastSpace = count;
            } else if (g.character == L' ') {
                g.rect = {};
            } else {
                AddLineStart(std::int32_t(j));
                g.rect = { 0, y, size.width, y + size.height };
                x = size.width;
            }
        } else {
            g.rect = { x, y, x + size.width, y + size.height };
            if (g.character == L'\n' || g.character == L'\r') {
                y += lineHeight;
                lineHeight = defaultLineHeight;
                x = g.character == L'\n' ? 0 : size.width;
                AddLineStart(std::int32_t(j + 1));
            }
            x += size.width;
        }
        widest = std::max(widest, x + size.width);
        totalHeight = y + lineHeight;
    }
    if (wordWrap)
        extent = { 0, 0, widest, totalHeight };
    SetSourceRect(extent);
}

std::int32_t IMTextView::LineTop(std::size_t line) const
{
    const auto start = std::size_t(m_lineStarts[line]);
    return start < m_glyphs.size() ? m_glyphs[start]->rect.top
                                   : std::numeric_limits<std::int32_t>::max();
}

void IMTextView::Draw()
{
    IMResourceManager& manager = *ResourceManager();
    const Rect clip = manager.GetViewport();
    const Point origin = manager.GetOrigin();
    const Rect rect = GetRect();
    const Rect visible = clip.Intersect(rect.Offset(origin.x, origin.y));
    if (visible.IsEmpty()) {
        SetDirty(false);
        return;
    }
    manager.SetViewport(visible);
    manager.SetOrigin({ origin.x + rect.left, origin.y + rect.top });

    const std::int32_t top = origin.y + rect.top;
    std::size_t lines = m_lineStarts.size();
    auto below = [&](std::int32_t limit, std::size_t line) {
        return LineTop(line) + std::int64_t(top) > limit;
    };
    std::size_t lo = 0, hi = lines; // first line whose top lies below the clip top
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        below(visible.top, mid) ? hi = mid : lo = mid + 1;
    }
    const std::size_t first = lo == 0 ? 0 : lo - 1;
    lo = first;
    hi = lines; // first line whose top is at or below the clip bottom
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        below(visible.bottom - 1, mid) ? hi = mid : lo = mid + 1;
    }
    const std::size_t begin = std::size_t(m_lineStarts[first]);
    const std::size_t end = lo < lines ? std::size_t(m_lineStarts[lo]) : m_glyphs.size();
    for (std::size_t i = begin; i < end && i < m_glyphs.size(); ++i)
        manager.DrawTexture(m_glyphs[i]->texture, m_glyphs[i]->rect, nullptr, kWhite, 0);

    manager.SetOrigin(origin);
    manager.SetViewport(clip);
    SetDirty(false);
}

} // namespace pestrol
