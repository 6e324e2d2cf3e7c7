#include "platform/GlyphRasteriser.h"

#include <agg_basics.h>
#include <agg_conv_curve.h>
#include <agg_pixfmt_rgba.h>
#include <agg_rasterizer_scanline_aa_nogamma.h>
#include <agg_renderer_base.h>
#include <agg_renderer_scanline.h>
#include <agg_rendering_buffer.h>
#include <agg_scanline_u.h>

#include <algorithm>
#include <bit>
#include <cstddef>

namespace pestrol {
namespace {

// A 0xAARRGGBB value lies in memory as B, G, R, A only on little-endian machines.
static_assert(std::endian::native == std::endian::little);

// Feeds a glyph path to AGG as a vertex source.
class PathSource {
public:
    explicit PathSource(const GlyphPath& path) : m_path(path) {}
    void rewind(unsigned) { m_next = 0; }
    unsigned vertex(double* x, double* y)
    {
        if (m_next >= m_path.Commands().size())
            return agg::path_cmd_stop;
        *x = m_path.Points()[m_next].x;
        *y = m_path.Points()[m_next].y;
        return static_cast<unsigned>(m_path.Commands()[m_next++]);
    }

private:
    const GlyphPath& m_path;
    std::size_t m_next = 0;
};

// Porter and Duff's "over" on unpremultiplied pixels, rounded so that a colour laid on a
// transparent pixel keeps its exact value. AGG's ordinary blender takes the pixel for
// premultiplied, so a transparent grey background leaks into the edges; its plain blender
// is off by a unit after the round trip through premultiplication.
struct OverBlender : agg::conv_rgba_plain<agg::rgba8, agg::order_bgra> {
    using color_type = agg::rgba8;
    using order_type = agg::order_bgra;
    using value_type = color_type::value_type;
    using calc_type = color_type::calc_type;
    using Order = order_type;

    static void blend_pix(value_type* p, value_type r, value_type g, value_type b,
                          value_type alpha, agg::cover_type cover)
    {
        blend_pix(p, r, g, b, color_type::mult_cover(alpha, cover));
    }

    static void blend_pix(value_type* p, value_type r, value_type g, value_type b,
                          value_type alpha)
    {
        if (alpha == 0)
            return;
        const calc_type below = calc_type(p[Order::A]) * (255 - alpha);  // weight × 255
        const calc_type total = calc_type(alpha) * 255 + below;
        p[Order::R] = Mix(r, p[Order::R], alpha, below, total);
        p[Order::G] = Mix(g, p[Order::G], alpha, below, total);
        p[Order::B] = Mix(b, p[Order::B], alpha, below, total);
        p[Order::A] = value_type((total + 127) / 255);
    }

    static value_type Mix(calc_type top, calc_type bottom, calc_type alpha, calc_type below,
                          calc_type total)
    {
        return value_type((top * alpha * 255 + bottom * below + total / 2) / total);
    }
};

using PixelFormat = agg::pixfmt_alpha_blend_rgba<OverBlender, agg::rendering_buffer>;

void Fill(const PixelTarget& target, Colour colour)
{
    auto* row = reinterpret_cast<std::byte*>(target.pixels);
    for (std::int32_t y = 0; y < target.height; ++y, row += target.pitch) {
        auto* pixel = reinterpret_cast<std::uint32_t*>(row);
        std::fill(pixel, pixel + target.width, colour);
    }
}

agg::rgba8 AggColour(Colour c) { return {RedOf(c), GreenOf(c), BlueOf(c), AlphaOf(c)}; }

}  // namespace

void RasteriseGlyph(const GlyphPath& path, Colour text, Colour background,
                    const PixelTarget& target)
{
    if (!target.pixels || target.width <= 0 || target.height <= 0)
        return;
    Fill(target, background);
    if (path.IsEmpty())
        return;
    // A negative stride makes AGG's row 0 the bottom row, where the path's y axis starts.
    agg::rendering_buffer buffer(reinterpret_cast<agg::int8u*>(target.pixels),
                                 unsigned(target.width), unsigned(target.height),
                                 -target.pitch);
    PixelFormat pixels(buffer);
    agg::renderer_base<PixelFormat> base(pixels);
    agg::rasterizer_scanline_aa_nogamma<> rasteriser;
    rasteriser.filling_rule(agg::fill_non_zero);
    PathSource source(path);
    agg::conv_curve<PathSource> curves(source);
    rasteriser.add_path(curves);
    agg::scanline_u8 scanline;
    agg::render_scanlines_aa_solid(rasteriser, scanline, base, AggColour(text));
}

}  // namespace pestrol
