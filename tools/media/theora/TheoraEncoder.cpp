#include "TheoraEncoder.h"

#include <cmath>
#include <stdexcept>

namespace pestrol::tools {

namespace {

constexpr int kSerial = 517; // fixed, so that a regenerated file is byte for byte the same

std::uint8_t Clamp(double v)
{
    return static_cast<std::uint8_t>(std::lround(std::fmin(255.0, std::fmax(0.0, v))));
}

} // namespace

TheoraPlanes::TheoraPlanes(int width, int height)
    : m_width(width)
    , m_height(height)
    , m_y(width * height)
    , m_cb(width * height / 4)
    , m_cr(width * height / 4)
{
}

// The exact inverse of the player's fixed-point conversion (74, 102, 25, 52, 129 over 64),
// so that white comes back as 255 and meets the white around the video without a seam.
void TheoraPlanes::Convert(const std::vector<std::uint8_t>& bgrx)
{
    std::vector<double> cb(m_width * m_height), cr(m_width * m_height);
    for (int i = 0; i < m_width * m_height; ++i) {
        const double b = bgrx[i * 4], g = bgrx[i * 4 + 1], r = bgrx[i * 4 + 2];
        const double luma = (g + 25.0 / 129 * b + 52.0 / 102 * r) / (1 + 25.0 / 129 + 52.0 / 102);
        m_y[i] = Clamp(16 + luma * 64 / 74);
        cb[i] = (b - luma) * 64 / 129;
        cr[i] = (r - luma) * 64 / 102;
    }
    const int cw = m_width / 2;
    for (int y = 0; y < m_height / 2; ++y)
        for (int x = 0; x < cw; ++x) {
            const int i = 2 * y * m_width + 2 * x;
            m_cb[y * cw + x]
                = Clamp(128 + (cb[i] + cb[i + 1] + cb[i + m_width] + cb[i + m_width + 1]) / 4);
            m_cr[y * cw + x]
                = Clamp(128 + (cr[i] + cr[i + 1] + cr[i + m_width] + cr[i + m_width + 1]) / 4);
        }
}

void TheoraPlanes::Fill(th_ycbcr_buffer buffer)
{
    buffer[0] = { m_width, m_height, m_width, m_y.data() };
    buffer[1] = { m_width / 2, m_height / 2, m_width / 2, m_cb.data() };
    buffer[2] = { m_width / 2, m_height / 2, m_width / 2, m_cr.data() };
}

TheoraEncoder::TheoraEncoder(int width, int height, int fps, int quality, Sink sink)
    : m_sink(std::move(sink))
{
    th_info info;
    th_info_init(&info);
    info.frame_width = info.pic_width = width;
    info.frame_height = info.pic_height = height;
    info.fps_numerator = fps;
    info.fps_denominator = 1;
    info.aspect_numerator = info.aspect_denominator = 1;
    info.colorspace = TH_CS_ITU_REC_470BG;
    info.pixel_fmt = TH_PF_420;
    info.quality = quality;
    info.keyframe_granule_shift = 6;
    m_encoder = th_encode_alloc(&info);
    th_info_clear(&info);
    if (!m_encoder)
        throw std::runtime_error("libtheora refuses these settings");
    ogg_stream_init(&m_stream, kSerial);
    WriteHeaders();
}

TheoraEncoder::~TheoraEncoder()
{
    th_encode_free(m_encoder);
    ogg_stream_clear(&m_stream);
}

void TheoraEncoder::Frame(TheoraPlanes& planes, bool last)
{
    th_ycbcr_buffer buffer;
    planes.Fill(buffer);
    if (th_encode_ycbcr_in(m_encoder, buffer) != 0)
        throw std::runtime_error("libtheora refused a frame");
    ogg_packet packet;
    while (th_encode_packetout(m_encoder, last, &packet) > 0)
        ogg_stream_packetin(&m_stream, &packet);
    Pages(last);
}

// The identification header alone on the first page, as Ogg demands; the others after it.
void TheoraEncoder::WriteHeaders()
{
    th_comment comment;
    th_comment_init(&comment);
    ogg_packet packet;
    for (bool first = true; th_encode_flushheader(m_encoder, &comment, &packet) > 0;
         first = false) {
        ogg_stream_packetin(&m_stream, &packet);
        if (first)
            Pages(true);
    }
    Pages(true);
    th_comment_clear(&comment);
}

void TheoraEncoder::Pages(bool flush)
{
    ogg_page page;
    while (flush ? ogg_stream_flush(&m_stream, &page) : ogg_stream_pageout(&m_stream, &page)) {
        m_sink(page.header, page.header_len);
        m_sink(page.body, page.body_len);
    }
}

std::vector<std::uint8_t> EncodeTheora(int width, int height, int fps,
    const std::vector<std::vector<std::uint8_t>>& frames, int quality)
{
    std::vector<std::uint8_t> out;
    TheoraEncoder encoder(
        width, height, fps, quality, [&out](const unsigned char* bytes, long size) {
            out.insert(out.end(), bytes, bytes + size);
        });
    TheoraPlanes planes(width, height);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        planes.Convert(frames[i]);
        encoder.Frame(planes, i + 1 == frames.size());
    }
    return out;
}

} // namespace pestrol::tools
