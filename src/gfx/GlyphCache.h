#pragma once

#include "gfx/ImageDecoder.h"
#include "platform/Colour.h"
#include "platform/FontFace.h"
#include "platform/Rect.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pestrol {

class FontEngine;

// The fonts the texts ask for and the pictures of their characters. A font is one face at
// one height, bold or not, italic or not; underlining is drawn here, so it shares the font.
// Fonts and their per-character widths and outlines live as long as the cache.
class GlyphCache {
public:
    GlyphCache();
    ~GlyphCache();
    GlyphCache(const GlyphCache&) = delete;
    GlyphCache& operator=(const GlyphCache&) = delete;

    // The index of the font in the list, made on first request; -1 when the system has no
    // usable font at all.
    int GetFont(
        std::wstring_view face, std::int32_t height, bool bold, bool italic, bool underline);
    int FontCount() const { return static_cast<int>(m_fonts.size()); }
    FontFace* Font(int index);

    // The character in the text colour over the background, in a picture of `size`, or
    // else of its advance by the cell height (never narrower or lower than 1).
    DecodedImage Rasterise(wchar_t ch, std::optional<Size> size, Colour text, std::int32_t height,
        std::wstring_view face, bool italic, bool bold, bool underline, Colour background);

private:
    struct FontRecord {
        std::wstring face;
        std::int32_t height;
        bool bold;
        bool italic;
        bool underline;
        std::unique_ptr<FontFace> font;
    };

    std::unique_ptr<FontEngine> m_engine;
    bool m_engineFailed = false;
    std::vector<FontRecord> m_fonts;
};

} // namespace pestrol
