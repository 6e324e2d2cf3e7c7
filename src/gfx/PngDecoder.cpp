#include "gfx/ImageDecoder.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace pestrol {

namespace {

struct MemoryReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
};

// Everything the decoding touches lives here, outside the frame that calls setjmp.
struct PngJob {
    MemoryReader reader {};
    png_structp png = nullptr;
    png_infop info = nullptr;
    DecodedImage image;
    std::vector<png_bytep> rows;
};

void ReportError(png_structp png, png_const_charp message)
{
    std::fprintf(stderr, "libpng error: %s\n", message);
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp)
{
}

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length)
{
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->position)
        png_error(png, "read past the end of the data");
    std::memcpy(out, reader->data + reader->position, length);
    reader->position += length;
}

// The transformations that turn any PNG into B, G, R, A bytes per pixel.
void RequestBgra(png_structp png, png_infop info)
{
    const png_byte type = png_get_color_type(png, info);
    const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    const bool background = png_get_valid(png, info, PNG_INFO_bKGD) != 0;
    png_set_strip_16(png);
    if (type == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_expand_gray_1_2_4_to_8(png);
    if (transparency)
        png_set_tRNS_to_alpha(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if (background) {
        png_color_16p colour = nullptr;
        png_get_bKGD(png, info, &colour);
        png_set_background(png, colour, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
    }
    double fileGamma = 0;
    if (png_get_gAMA(png, info, &fileGamma))
        png_set_gamma(png, 2.2, fileGamma);
    // Compositing drops alpha; opaque types never had it.
    if (background || ((type & PNG_COLOR_MASK_ALPHA) == 0 && !transparency))
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
}

bool Decode(PngJob& job)
{
    if (setjmp(png_jmpbuf(job.png)))
        return false;
    png_set_user_limits(job.png, kMaxImageSide, kMaxImageSide);
    png_set_read_fn(job.png, &job.reader, ReadFromMemory);
    png_set_sig_bytes(job.png, 8);
    png_read_info(job.png, job.info);
    RequestBgra(job.png, job.info);
    png_read_update_info(job.png, job.info);
    const png_uint_32 width = png_get_image_width(job.png, job.info);
    const png_uint_32 height = png_get_image_height(job.png, job.info);
    if (png_get_rowbytes(job.png, job.info) != width * 4)
        png_error(job.png, "unexpected pixel layout");
    job.image.width = static_cast<int>(width);
    job.image.height = static_cast<int>(height);
    job.image.pixels.resize(std::size_t { width } * height);
    job.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        job.rows[y]
            = reinterpret_cast<png_bytep>(job.image.pixels.data() + std::size_t { y } * width);
    png_read_image(job.png, job.rows.data());
    png_read_end(job.png, nullptr);
    return true;
}

} // namespace

std::optional<DecodedImage> DecodePng(std::span<const std::uint8_t> data)
{
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0)
        return std::nullopt;
    PngJob job;
    job.reader = { data.data(), data.size(), 8 };
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ReportError, IgnoreWarning);
    if (job.png == nullptr)
        return std::nullopt;
    job.info = png_create_info_struct(job.png);
    bool ok = false;
    if (job.info != nullptr) {
        try {
            ok = Decode(job);
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    png_destroy_read_struct(&job.png, &job.info, nullptr);
    if (!ok)
        return std::nullopt;
    return std::move(job.image);
}

std::optional<DecodedImage> DecodeImage(std::span<const std::uint8_t> data)
{
    if (data.size() >= 8 && png_sig_cmp(data.data(), 0, 8) == 0)
        return DecodePng(data);
    return DecodeJpeg(data);
}

} // namespace pestrol
