#pragma once

#include "gfx/IMView.h"
#include "gfx/TextureRegistry.h"
#include "platform/Colour.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pestrol {

// One character of a text view with its style and the registry name (key) of its picture.
struct IMGlyph {
    TextureIndex texture = 0;
    wchar_t character = 0;
    Rect rect; // relative to the view, set by the layout
    Colour colour = kWhite;
    bool underline = false;
    bool bold = false;
    bool italic = false;
    std::int32_t height = 16;
    std::wstring face;
    std::wstring key;
    Colour background = 0;
    bool whitespaceMark = false;
};

// The parts of a text style to change; absent parts are kept.
struct IMTextStyleChange {
    std::optional<Colour> colour = std::nullopt;
    std::optional<bool> underline = std::nullopt;
    std::optional<bool> bold = std::nullopt;
    std::optional<bool> italic = std::nullopt;
    std::optional<std::int32_t> height = std::nullopt;
    std::optional<std::wstring> face = std::nullopt;
    std::optional<Colour> background = std::nullopt;
};

// A line or a block of styled text, one glyph picture per character, laid out on one line
// or wrapped at words within the view's width. Draws only the lines inside the clip.
class IMTextView : public IMView {
public:
    IMTextView() = default;
    ~IMTextView() override;
    IMTextView(const IMTextView&) = delete;
    IMTextView& operator=(const IMTextView&) = delete;

    void Draw() override;
    // Both ignore positions outside 0 ... the glyph count.
    virtual void InsertText(std::int32_t position, std::wstring_view text);
    virtual void EraseText(std::int32_t position, std::int32_t count);

    void SetText(std::wstring_view text);
    std::wstring GetText() const;
    void SetStyle(const IMTextStyleChange& change);
    void SetColour(Colour colour) { SetStyle({ .colour = colour }); }
    void SetBackground(Colour background) { SetStyle({ .background = background }); }
    void SetHeight(std::int32_t height) { SetStyle({ .height = height }); }
    void SetBold(bool bold) { SetStyle({ .bold = bold }); }
    void SetChar(wchar_t character, std::int32_t index);
    // The style new characters get, as a glyph record without character or picture.
    IMGlyph GetStyle() const;

    // The glyph count when the index lies beyond the text; a negative index comes back.
    std::int32_t GetChar(std::int32_t index) const;
    Rect GetCharRect(std::int32_t index) const;
    // The glyph count when out of range.
    Colour GetCharColour(std::int32_t index) const;
    std::wstring GetCharFace(std::int32_t index) const;
    std::int32_t GetLength() const { return static_cast<std::int32_t>(m_glyphs.size()); }
    const std::vector<std::int32_t>& GetLineStarts() const { return m_lineStarts; }

    // Set directly; seen at the next layout or style change.
    bool wordWrap = false;
    bool showWhitespace = false;
    std::int32_t defaultLineHeight = 16;

    // "<face><character><height><colour><bold><underline><italic><background><mark>",
    // colours as signed decimal.
    static std::wstring GlyphKey(const IMGlyph& glyph);

private:
    void Layout(std::size_t from);
    void AddLineStart(std::int32_t start);
    void GiveTexture(IMGlyph& glyph) const;
    void ReleaseGlyphs(std::size_t first, std::size_t last);
    std::unique_ptr<IMGlyph> MakeGlyph(wchar_t character) const;
    Size GlyphSize(const IMGlyph& glyph) const;
    std::int32_t LineTop(std::size_t line) const;

    Colour m_colour = kWhite;
    Colour m_background = 0x00AFAFAF;
    bool m_underline = false;
    bool m_bold = false;
    bool m_italic = false;
    std::int32_t m_height = 16;
    std::wstring m_face = L"Arial";
    std::vector<std::unique_ptr<IMGlyph>> m_glyphs;
    std::vector<std::int32_t> m_lineStarts { 0 };
};

} // namespace pestrol
