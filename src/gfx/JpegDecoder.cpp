#include "gfx/ImageDecoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace pestrol {

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void LeaveDecoder(j_common_ptr info)
{
    (*info->err->output_message)(info);
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

// Everything the decoding touches lives here, outside the frame that calls setjmp.
struct JpegJob {
    jpeg_decompress_struct info {};
    JpegError error {};
    DecodedImage image;
};

bool Decode(JpegJob& job, std::span<const std::uint8_t> data)
{
    if (setjmp(job.error.jump))
        return false;
    jpeg_create_decompress(&job.info);
    jpeg_mem_src(&job.info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&job.info, TRUE);
    if (job.info.image_width > kMaxImageSide || job.info.image_height > kMaxImageSide)
        return false;
    // libjpeg-turbo writes B, G, R, A itself, with alpha 255.
    job.info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&job.info);
    job.image.width = static_cast<int>(job.info.output_width);
    job.image.height = static_cast<int>(job.info.output_height);
    job.image.pixels.resize(std::size_t(job.image.width) * job.image.height);
    while (job.info.output_scanline < job.info.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(
            job.image.pixels.data() + std::size_t(job.info.output_scanline) * job.image.width);
        jpeg_read_scanlines(&job.info, &row, 1);
    }
    jpeg_finish_decompress(&job.info);
    // Damaged data only warns and fills the rest with grey: take it as not a picture.
    return job.error.manager.num_warnings == 0;
}

} // namespace

std::optional<DecodedImage> DecodeJpeg(std::span<const std::uint8_t> data)
{
    if (data.empty())
        return std::nullopt;
    JpegJob job;
    job.info.err = jpeg_std_error(&job.error.manager);
    job.error.manager.error_exit = LeaveDecoder;
    bool ok = false;
    try {
        ok = Decode(job, data);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    jpeg_destroy_decompress(&job.info);
    if (!ok)
        return std::nullopt;
    return std::move(job.image);
}

} // namespace pestrol
