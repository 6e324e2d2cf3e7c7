// glyphstrip OUTPUT.png [TEXT]
// Draws a line of text in the sizes and styles the screens use, glyph by glyph through the
// program's own font engine and rasteriser, into a PNG for looking at.
#include "platform/FontEngine.h"
#include "platform/GlyphRasteriser.h"
#include "platform/Utf8.h"

#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using pestrol::Colour;

struct Style {
    std::int32_t height;
    bool bold;
    bool underline;
    Colour text;
    Colour background;  // of the glyph images
    Colour paper;       // what they are laid on
};

const Style kStyles[] = {
    {14, false, false, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF},
    {16, false, false, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF},
    {18, false, false, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF},
    {24, false, false, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF},
    {18, true, false, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF},
    {24, true, false, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF},
    // Glyph images as the text views make them: over transparent grey, laid on the screen.
    {16, false, false, 0xFF1E5AA8, 0x00AFAFAF, 0xFFE5E6E6},
    {21, true, false, 0xFFFFFFFF, 0x00AFAFAF, 0xFF2E8B3A},
    {20, false, true, 0xFFB01010, 0x00AFAFAF, 0xFFE5E6E6},
};

constexpr std::int32_t kMargin = 8;

class Canvas {
public:
    Canvas(std::int32_t w, std::int32_t h) : m_width(w), m_height(h), m_pixels(w * h, 0xFFFFFFFF) {}

    void FillRow(std::int32_t top, std::int32_t height, Colour c)
    {
        for (std::int32_t y = top; y < top + height && y < m_height; ++y)
            for (std::int32_t x = 0; x < m_width; ++x)
                m_pixels[y * m_width + x] = c;
    }

    // Lays an image over the canvas by its alpha.
    void Lay(const std::vector<std::uint32_t>& image, std::int32_t w, std::int32_t h,
             std::int32_t left, std::int32_t top)
    {
        for (std::int32_t y = 0; y < h; ++y)
            for (std::int32_t x = 0; x < w; ++x)
                if (left + x < m_width && top + y < m_height)
                    Over(m_pixels[(top + y) * m_width + left + x], image[y * w + x]);
    }

    bool Write(const char* path) const
    {
        std::FILE* file = std::fopen(path, "wb");
        if (!file)
            return false;
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) {
            png_destroy_write_struct(&png, &info);
            std::fclose(file);
            return false;
        }
        png_init_io(png, file);
        png_set_IHDR(png, info, m_width, m_height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<png_byte> row(m_width * 3);
        for (std::int32_t y = 0; y < m_height; ++y) {
            for (std::int32_t x = 0; x < m_width; ++x) {
                const Colour c = m_pixels[y * m_width + x];
                row[x * 3] = pestrol::RedOf(c);
                row[x * 3 + 1] = pestrol::GreenOf(c);
                row[x * 3 + 2] = pestrol::BlueOf(c);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        png_destroy_write_struct(&png, &info);
        return std::fclose(file) == 0;
    }

private:
    static void Over(std::uint32_t& below, Colour top)
    {
        const unsigned a = pestrol::AlphaOf(top);
        auto mix = [a](unsigned t, unsigned b) { return (t * a + b * (255 - a) + 127) / 255; };
        below = pestrol::MakeColour(0xFF, mix(pestrol::RedOf(top), pestrol::RedOf(below)),
                                    mix(pestrol::GreenOf(top), pestrol::GreenOf(below)),
                                    mix(pestrol::BlueOf(top), pestrol::BlueOf(below)));
    }

    std::int32_t m_width, m_height;
    std::vector<std::uint32_t> m_pixels;
};

std::int32_t DrawLine(Canvas& canvas, pestrol::FontFace& face, const std::wstring& text,
                      const Style& style, std::int32_t top)
{
    std::int32_t x = kMargin;
    for (wchar_t ch : text) {
        const pestrol::GlyphPath path = face.Path(ch, style.underline);
        const std::int32_t w = std::max(path.advance, 1), h = std::max(path.cellHeight, 1);
        std::vector<std::uint32_t> image(w * h);
        pestrol::RasteriseGlyph(path, style.text, style.background, {image.data(), w, h, w * 4});
        canvas.Lay(image, w, h, x, top);
        x += path.advance;
    }
    return x;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: glyphstrip OUTPUT.png [TEXT]\n");
        return 2;
    }
    const std::wstring text = pestrol::FromUtf8(
        argc == 3 ? argv[2] : "Выберите принтер: Пол Тренажер «Пестроль» ЁёЙй 0123");
    const pestrol::FontEngine engine;
    std::int32_t height = kMargin;
    for (const Style& s : kStyles)
        height += s.height + kMargin;
    Canvas canvas(900, height);
    std::int32_t top = kMargin;
    for (const Style& s : kStyles) {
        auto face = engine.OpenFace(L"Arial", s.height, s.bold, false);
        canvas.FillRow(top - kMargin / 2, s.height + kMargin, s.paper);
        DrawLine(canvas, *face, text, s, top);
        top += s.height + kMargin;
    }
    if (!canvas.Write(argv[1])) {
        std::fprintf(stderr, "glyphstrip: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
