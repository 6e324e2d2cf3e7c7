#pragma once

// Ogg Theora encoding with libtheora's encoder: the praise videos' encoder and the video
// player's tests share it.
#include <theora/theoraenc.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace pestrol::tools {

// Y'CbCr 4:2:0 planes of one frame.
class TheoraPlanes {
public:
    TheoraPlanes(int width, int height);

    // From WIDTH x HEIGHT pixels of 4 bytes, B G R x, top row first.
    void Convert(const std::vector<std::uint8_t>& bgrx);
    void Fill(th_ycbcr_buffer buffer);

private:
    int m_width, m_height;
    std::vector<std::uint8_t> m_y, m_cb, m_cr;
};

// Writes a stream without sound, page by page, to `sink`.
class TheoraEncoder {
public:
    using Sink = std::function<void(const unsigned char* bytes, long size)>;

    // WIDTH and HEIGHT multiples of 16, QUALITY libtheora's 0..63.
    TheoraEncoder(int width, int height, int fps, int quality, Sink sink);
    ~TheoraEncoder();
    TheoraEncoder(const TheoraEncoder&) = delete;
    TheoraEncoder& operator=(const TheoraEncoder&) = delete;

    void Frame(TheoraPlanes& planes, bool last);

private:
    void WriteHeaders();
    void Pages(bool flush);

    Sink m_sink;
    th_enc_ctx* m_encoder = nullptr;
    ogg_stream_state m_stream;
};

// A whole clip in memory, each frame given as for TheoraPlanes::Convert.
std::vector<std::uint8_t> EncodeTheora(int width, int height, int fps,
    const std::vector<std::vector<std::uint8_t>>& frames, int quality = 63);

} // namespace pestrol::tools
