// theora-encode WIDTH HEIGHT FPS OUT.ogv [QUALITY] < frames
//
// Encodes raw frames into an Ogg Theora file without sound. Each frame on standard input is
// WIDTH x HEIGHT pixels of 4 bytes, B G R x (cairo's RGB24 in memory), top row first.
// WIDTH and HEIGHT must be multiples of 16; QUALITY is libtheora's 0..63 (default 40).
#include <theora/theoraenc.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kSerial = 517; // fixed, so that a regenerated file is byte for byte the same

std::uint8_t Clamp(double v)
{
    return static_cast<std::uint8_t>(std::lround(std::fmin(255.0, std::fmax(0.0, v))));
}

// Y'CbCr 4:2:0 planes of one frame.
class Planes {
public:
    Planes(int width, int height)
        : m_width(width)
        , m_height(height)
        , m_y(width * height)
        , m_cb(width * height / 4)
        , m_cr(width * height / 4)
    {
    }

    // The exact inverse of the player's fixed-point conversion (74, 102, 25, 52, 129 over 64),
    // so that white comes back as 255 and meets the white around the video without a seam.
    void Convert(const std::vector<std::uint8_t>& bgrx)
    {
        std::vector<double> cb(m_width * m_height), cr(m_width * m_height);
        for (int i = 0; i < m_width * m_height; ++i) {
            const double b = bgrx[i * 4], g = bgrx[i * 4 + 1], r = bgrx[i * 4 + 2];
            const double luma
                = (g + 25.0 / 129 * b + 52.0 / 102 * r) / (1 + 25.0 / 129 + 52.0 / 102);
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

    void Fill(th_ycbcr_buffer buffer)
    {
        buffer[0] = { m_width, m_height, m_width, m_y.data() };
        buffer[1] = { m_width / 2, m_height / 2, m_width / 2, m_cb.data() };
        buffer[2] = { m_width / 2, m_height / 2, m_width / 2, m_cr.data() };
    }

private:
    int m_width, m_height;
    std::vector<std::uint8_t> m_y, m_cb, m_cr;
};

class Encoder {
public:
    Encoder(int width, int height, int fps, int quality, std::FILE* out)
        : m_out(out)
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

    ~Encoder()
    {
        th_encode_free(m_encoder);
        ogg_stream_clear(&m_stream);
    }

    void Frame(Planes& planes, bool last)
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

private:
    // The identification header alone on the first page, as Ogg demands; the others after it.
    void WriteHeaders()
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

    void Pages(bool flush)
    {
        ogg_page page;
        while (flush ? ogg_stream_flush(&m_stream, &page) : ogg_stream_pageout(&m_stream, &page)) {
            std::fwrite(page.header, 1, page.header_len, m_out);
            std::fwrite(page.body, 1, page.body_len, m_out);
        }
    }

    std::FILE* m_out;
    th_enc_ctx* m_encoder = nullptr;
    ogg_stream_state m_stream;
};

bool ReadFrame(std::vector<std::uint8_t>& frame)
{
    return std::fread(frame.data(), 1, frame.size(), stdin) == frame.size();
}

void Run(int width, int height, int fps, const char* path, int quality)
{
    std::FILE* out = std::fopen(path, "wb");
    if (!out)
        throw std::runtime_error(std::string("cannot write ") + path);
    Encoder encoder(width, height, fps, quality, out);
    Planes planes(width, height);
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(width) * height * 4),
        next(frame.size());
    if (!ReadFrame(frame))
        throw std::runtime_error("no frames on standard input");
    for (bool more = true; more;) {
        more = ReadFrame(next);
        planes.Convert(frame);
        encoder.Frame(planes, !more);
        frame.swap(next);
    }
    std::fclose(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5 || argc > 6) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT FPS OUT.ogv [QUALITY] < frames\n", argv[0]);
        return 2;
    }
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]), fps = std::atoi(argv[3]);
    const int quality = argc == 6 ? std::atoi(argv[5]) : 40;
    if (width <= 0 || height <= 0 || width % 16 || height % 16 || fps <= 0 || quality < 0
        || quality > 63) {
        std::fprintf(stderr,
            "%s: sizes must be positive multiples of 16, fps positive, quality 0..63\n", argv[0]);
        return 2;
    }
    try {
        Run(width, height, fps, argv[4], quality);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
