#include "gfx/GlyphCache.h"

#include "platform/DebugTrace.h"
#include "platform/FontEngine.h"
#include "platform/GlyphRasteriser.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <stdexcept>

namespace pestrol {

GlyphCache::GlyphCache() = default;
GlyphCache::~GlyphCache() = default;

int GlyphCache::GetFont(
    std::wstring_view face, std::int32_t height, bool bold, bool italic, bool underline)
{
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        const FontRecord& f = m_fonts[i];
        if (f.face == face && f.height == height && f.bold == bold && f.italic == italic)
            return static_cast<int>(i);
    }
    try {
        if (!m_engine && !m_engineFailed)
            m_engine = std::make_unique<FontEngine>();
        if (!m_engine)
            return -1;
        m_fonts.push_back({ std::wstring(face), height, bold, italic, underline,
            m_engine->OpenFace(face, height, bold, italic) });
    } catch (const std::runtime_error& e) {
        m_engineFailed = !m_engine;
        DebugTrace(L"Fonts: " + FromUtf8(e.what()) + L"\n");
        return -1;
    }
    return static_cast<int>(m_fonts.size() - 1);
}

FontFace* GlyphCache::Font(int index)
{
    if (index < 0 || index >= FontCount())
        return nullptr;
    return m_fonts[index].font.get();
}

DecodedImage GlyphCache::Rasterise(wchar_t ch, std::optional<Size> size, Colour text,
    std::int32_t height, std::wstring_view face, bool italic, bool bold, bool underline,
    Colour background)
{
    FontFace* font = Font(GetFont(face, height, bold, italic, underline));
    GlyphPath path;
    if (font != nullptr)
        path = font->Path(ch, underline);
    else
        path.outlineFailed = true;
    DecodedImage image;
    const Size cell = size.value_or(Size { path.advance, font ? font->Metrics().height : height });
    image.width = std::clamp(cell.width, 1, kMaxImageSide);
    image.height = std::clamp(cell.height, 1, kMaxImageSide);
    image.pixels.resize(std::size_t(image.width) * image.height);
    RasteriseGlyph(path, text, background,
        { image.pixels.data(), image.width, image.height, image.width * 4 });
    return image;
}

} // namespace pestrol
