#include "gfx/GfxTestSupport.h"

#include <SDL.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <map>

#include <jpeglib.h>

namespace pestrol::test {

namespace {

void Append(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void Flush(png_structp)
{
}

std::uint16_t Grey(Colour c)
{
    return static_cast<std::uint16_t>((RedOf(c) + GreenOf(c) + BlueOf(c)) / 3);
}

// One row of samples of the image's colour type and depth (8 or 16 bits).
struct RowOptions : PngOptions {
    std::map<Colour, int> palette;
};

std::vector<std::uint8_t> Row(const Colour* argb, int width, const RowOptions& o)
{
    std::vector<std::uint8_t> row;
    auto put = [&](unsigned value8) {
        if (o.bitDepth == 16) {
            row.push_back(static_cast<std::uint8_t>(value8));
            row.push_back(static_cast<std::uint8_t>(value8));
        } else {
            row.push_back(static_cast<std::uint8_t>(value8));
        }
    };
    for (int x = 0; x < width; ++x) {
        const Colour c = argb[x];
        switch (o.colourType) {
        case PNG_COLOR_TYPE_GRAY:
            put(Grey(c));
            break;
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            put(Grey(c));
            put(AlphaOf(c));
            break;
        case PNG_COLOR_TYPE_RGB:
            put(RedOf(c)), put(GreenOf(c)), put(BlueOf(c));
            break;
        case PNG_COLOR_TYPE_PALETTE:
            row.push_back(static_cast<std::uint8_t>(o.palette.at(c)));
            break;
        default:
            put(RedOf(c)), put(GreenOf(c)), put(BlueOf(c)), put(AlphaOf(c));
        }
    }
    return row;
}

} // namespace

// A palette of the image's colours, with their alpha in tRNS.
void SetPalette(png_structp png, png_infop info, const std::vector<Colour>& argb, RowOptions& o)
{
    std::vector<png_color> colours;
    std::vector<png_byte> alphas;
    for (Colour c : argb) {
        if (o.palette.emplace(c, int(colours.size())).second) {
            colours.push_back({ RedOf(c), GreenOf(c), BlueOf(c) });
            alphas.push_back(AlphaOf(c));
        }
    }
    png_set_PLTE(png, info, colours.data(), int(colours.size()));
    png_set_tRNS(png, info, alphas.data(), int(alphas.size()), nullptr);
}

std::vector<std::uint8_t> MakePng(
    int width, int height, const std::vector<Colour>& argb, const PngOptions& options)
{
    RowOptions o;
    static_cast<PngOptions&>(o) = options;
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, Append, Flush);
    png_set_IHDR(png, info, width, height, o.bitDepth, o.colourType, PNG_INTERLACE_NONE,
        PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (o.colourType == PNG_COLOR_TYPE_PALETTE)
        SetPalette(png, info, argb, o);
    if (o.gamma)
        png_set_gAMA(png, info, *o.gamma);
    if (o.background) {
        png_color_16 bg {};
        bg.red = RedOf(*o.background);
        bg.green = GreenOf(*o.background);
        bg.blue = BlueOf(*o.background);
        bg.gray = BlueOf(*o.background);
        png_set_bKGD(png, info, &bg);
    }
    if (o.transparentGrey) {
        png_color_16 t {};
        t.gray = *o.transparentGrey;
        png_set_tRNS(png, info, nullptr, 0, &t);
    }
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        auto row = Row(&argb[std::size_t(y) * width], width, o);
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<std::uint8_t> MakeJpeg(
    int width, int height, const std::vector<Colour>& argb, bool grey)
{
    jpeg_compress_struct info {};
    jpeg_error_mgr error {};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<std::uint8_t> row;
    while (info.next_scanline < info.image_height) {
        row.clear();
        for (int x = 0; x < width; ++x) {
            const Colour c = argb[std::size_t(info.next_scanline) * width + x];
            if (grey) {
                row.push_back(static_cast<std::uint8_t>(Grey(c)));
            } else {
                row.insert(row.end(), { RedOf(c), GreenOf(c), BlueOf(c) });
            }
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

bool WritePngFile(
    const std::filesystem::path& path, int width, int height, const std::vector<Colour>& argb)
{
    const auto bytes = MakePng(width, height, argb);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

std::vector<Colour> Solid(int width, int height, Colour colour)
{
    return std::vector<Colour>(std::size_t(width) * height, colour);
}

void RendererTest::SetUp()
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    m_window = SDL_CreateWindow("test", 0, 0, 800, 600, SDL_WINDOW_HIDDEN);
    ASSERT_NE(m_window, nullptr) << SDL_GetError();
    CreateRenderer(m_window, true);
    ASSERT_NE(ResourceManager(), nullptr);
}

void RendererTest::TearDown()
{
    DestroyRenderer();
    if (m_window != nullptr)
        SDL_DestroyWindow(m_window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

Colour RendererTest::PixelAt(int x, int y)
{
    std::vector<Colour> pixels;
    EXPECT_TRUE(Manager().ReadFramePixels({ x, y, x + 1, y + 1 }, pixels));
    return pixels.empty() ? 0 : pixels[0];
}

std::vector<Colour> RendererTest::Frame()
{
    std::vector<Colour> pixels;
    EXPECT_TRUE(Manager().ReadFramePixels({ 0, 0, 800, 600 }, pixels));
    return pixels;
}

void ProgramRendererTest::SetUp()
{
    m_library = std::make_unique<ResourceLibrary>(EmbeddedResources(), std::filesystem::path {});
    ResourceLibrary::SetCurrent(m_library.get());
    RendererTest::SetUp();
}

void ProgramRendererTest::TearDown()
{
    RendererTest::TearDown();
    ResourceLibrary::SetCurrent(nullptr);
}

} // namespace pestrol::test
