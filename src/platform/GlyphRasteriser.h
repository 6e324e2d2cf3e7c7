#pragma once

#include "platform/Colour.h"
#include "platform/GlyphPath.h"

#include <cstdint>

namespace pestrol {

// Pixels a glyph is drawn into: rows from the top of the image down, each `pitch` bytes
// apart, 0xAARRGGBB values.
struct PixelTarget {
    std::uint32_t* pixels = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t pitch = 0;  // bytes
};

// Fills the target with the background, then the path with the text colour, anti-aliased
// (non-zero winding, linear coverage). The path's y = 0 is the target's bottom row. The
// text colour is laid over the background with its alpha times the coverage, so over a
// transparent background a glyph's edges keep the text colour and only lose alpha.
void RasteriseGlyph(const GlyphPath& path, Colour text, Colour background,
                    const PixelTarget& target);

}  // namespace pestrol
