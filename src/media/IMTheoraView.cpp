#include "media/IMTheoraView.h"

#include "gfx/IMResourceManager.h"
#include "gfx/ImageDecoder.h"

#include <ogg/ogg.h>
#include <theora/theora.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

namespace pestrol {

namespace {

constexpr std::size_t kReadSize = 8192;
constexpr std::chrono::milliseconds kNoWait { 0 };

// Numbers the texture pairs of every video opened in this process.
std::uint32_t g_openCount = 0;

[[noreturn]] void Fail(const char* message)
{
    throw std::runtime_error(message);
}

std::uint8_t Clamp(int value)
{
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// BT.601 video range in 6-bit fixed point, stored B, G, R, A. Our textures honour alpha, so
// frames are written opaque.
void PutPixel(std::uint8_t* out, int luma, int red, int green, int blue)
{
    const int y = 74 * (luma - 16);
    out[0] = Clamp((y + blue) >> 6);
    out[1] = Clamp((y + green) >> 6);
    out[2] = Clamp((y + red) >> 6);
    out[3] = 0xFF;
}

// Two rows at a time, since each chroma sample covers a 2 x 2 block. The row width is the
// luma width rounded up to 16, kept inside the plane's stride and the texture's pitch.
void ConvertPicture(const yuv_buffer& yuv, std::uint8_t* pixels, int pitch, int height)
{
    const int width = std::min({ (yuv.y_width + 15) & ~15, std::abs(yuv.y_stride), pitch / 4 });
    const int rows = std::min(yuv.y_height, height);
    for (int row = 0; row + 1 < rows; row += 2) {
        const unsigned char* luma = yuv.y + std::ptrdiff_t(row) * yuv.y_stride;
        const unsigned char* u = yuv.u + std::ptrdiff_t(row / 2) * yuv.uv_stride;
        const unsigned char* v = yuv.v + std::ptrdiff_t(row / 2) * yuv.uv_stride;
        std::uint8_t* top = pixels + std::ptrdiff_t(row) * pitch;
        std::uint8_t* bottom = top + pitch;
        for (int x = 0; x + 1 < width; x += 2) {
            const int cb = u[x / 2] - 128;
            const int cr = v[x / 2] - 128;
            const int red = 102 * cr;
            const int green = -25 * cb - 52 * cr;
            const int blue = 129 * cb;
            PutPixel(top + 4 * x, luma[x], red, green, blue);
            PutPixel(top + 4 * x + 4, luma[x + 1], red, green, blue);
            PutPixel(bottom + 4 * x, luma[x + yuv.y_stride], red, green, blue);
            PutPixel(bottom + 4 * x + 4, luma[x + 1 + yuv.y_stride], red, green, blue);
        }
    }
}

} // namespace

// The libogg and legacy libtheora states of one pass through the data.
struct IMTheoraView::Decoder {
    ogg_stream_state stream {};
    ogg_sync_state sync {};
    ogg_page page {};
    ogg_packet packet {};
    theora_comment comment {};
    theora_info info {};
    theora_state state {};
    yuv_buffer yuv {};
    bool hasStream = false;
    bool decoding = false;

    Decoder()
    {
        ogg_sync_init(&sync);
        theora_info_init(&info);
        theora_comment_init(&comment);
    }
    ~Decoder()
    {
        if (decoding)
            theora_clear(&state);
        if (hasStream)
            ogg_stream_clear(&stream);
        theora_comment_clear(&comment);
        theora_info_clear(&info);
        ogg_sync_clear(&sync);
    }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
};

IMTheoraView::IMTheoraView() = default;

IMTheoraView::~IMTheoraView()
{
    ReleaseTextures();
}

void IMTheoraView::Open(const void* data, std::size_t size)
{
    ReleaseTextures();
    m_frameReady.WaitFor(kNoWait);
    m_data = static_cast<const std::uint8_t*>(data);
    m_size = data != nullptr ? size : 0;
    m_position = 0;
    m_currentFrame = 0;
    m_lastFrame = std::numeric_limits<std::int32_t>::max();
    m_lastDecoded = -1;
    m_requested = 0;
    m_highestFrameCount = 0;
    m_convertedCount = 0;
    m_decoder = std::make_unique<Decoder>();
    FindTheoraStream();
    ReadHeaders();
    StartDecoder();
    // Frame 0 is decoded before the textures are made, so that a video refused by the
    // decoder leaves no textures behind.
    const bool decoded = NextPacket();
    if (decoded)
        DecodePacket();
    else
        m_lastFrame = m_lastDecoded;
    CreateTextures();
    if (decoded)
        Convert();
    m_frameReady.Set();
}

bool IMTheoraView::ReadData()
{
    if (m_position >= m_size)
        return false;
    const std::size_t count = std::min(kReadSize, m_size - m_position);
    char* buffer = ogg_sync_buffer(&m_decoder->sync, static_cast<long>(count));
    if (buffer == nullptr)
        return false;
    std::memcpy(buffer, m_data + m_position, count);
    ogg_sync_wrote(&m_decoder->sync, static_cast<long>(count));
    m_position += count;
    return true;
}

// Beginning-of-stream pages come first; the first other page ends the search.
void IMTheoraView::FindTheoraStream()
{
    for (;;) {
        const int got = ogg_sync_pageout(&m_decoder->sync, &m_decoder->page);
        if (got == 0 && !ReadData())
            Fail("eof searched, terminate...");
        if (got != 1)
            continue;
        if (!ogg_page_bos(&m_decoder->page)) {
            PageIn();
            return;
        }
        TryStream();
    }
}

// The stream of the current beginning page becomes the Theora stream when its first
// packet is a Theora identification header; any other stream is left alone.
void IMTheoraView::TryStream()
{
    Decoder& d = *m_decoder;
    ogg_stream_state test;
    if (ogg_stream_init(&test, ogg_page_serialno(&d.page)) != 0)
        Fail("error during ogg_stream_init");
    const bool theora = !d.hasStream && ogg_stream_pagein(&test, &d.page) == 0
        && ogg_stream_packetout(&test, &d.packet) == 1
        && theora_decode_header(&d.info, &d.comment, &d.packet) == 0;
    if (!theora) {
        ogg_stream_clear(&test);
        return;
    }
    d.stream = test;
    d.hasStream = true;
}

void IMTheoraView::PageIn()
{
    Decoder& d = *m_decoder;
    if (d.hasStream && ogg_page_serialno(&d.page) != d.stream.serialno)
        return;
    if (!d.hasStream || ogg_stream_pagein(&d.stream, &d.page) != 0)
        Fail("error during ogg_stream_pagein");
}

// The identification header came with the stream; the comment and setup headers follow.
void IMTheoraView::ReadHeaders()
{
    Decoder& d = *m_decoder;
    for (int headers = 1; headers < 3;) {
        const int got = ogg_stream_packetout(&d.stream, &d.packet);
        if (got < 0)
            Fail("error during ogg_stream_packetout");
        if (got == 0) {
            if (!NextPage())
                Fail("eof searched. terminate...");
            continue;
        }
        if (theora_decode_header(&d.info, &d.comment, &d.packet) != 0)
            Fail("error during theora_decode_header (corrupt stream)");
        ++headers;
    }
}

// A frame larger than a texture can be is refused before the decoder allocates for it. (The
// legacy interface calls the coded size width and height, the picture frame width and height.)
void IMTheoraView::StartDecoder()
{
    Decoder& d = *m_decoder;
    if (d.info.width > unsigned(kMaxImageSide) || d.info.height > unsigned(kMaxImageSide)
        || theora_decode_init(&d.state, &d.info) != 0)
        Fail("error during theora_decode_header (corrupt stream)");
    d.decoding = true;
}

void IMTheoraView::CreateTextures()
{
    IMResourceManager& manager = *ResourceManager();
    const std::wstring number = std::to_wstring(g_openCount++);
    const int width = static_cast<int>(m_decoder->info.frame_width);
    const int height = static_cast<int>(m_decoder->info.frame_height);
    m_front = manager.CreateBlankTexture(L"IMTheoraView1" + number, width, height);
    m_back = manager.CreateBlankTexture(L"IMTheoraView2" + number, width, height);
    m_hasTextures = m_front != manager.SlotCount() && m_back != manager.SlotCount();
    if (!m_hasTextures) {
        // Without both the video decodes but shows nothing; an index left over would later
        // name somebody else's texture.
        for (TextureIndex index : { m_front, m_back })
            if (index != manager.SlotCount())
                manager.ReleaseTexture(index);
        return;
    }
    SetImageIndex(m_front);
    SetSourceRect({ 0, 0, width, height });
}

void IMTheoraView::ReleaseTextures()
{
    if (m_hasTextures && ResourceManager() != nullptr) {
        ResourceManager()->ReleaseTexture(m_front);
        ResourceManager()->ReleaseTexture(m_back);
    }
    m_hasTextures = false;
}

bool IMTheoraView::NextPage()
{
    for (;;) {
        const int got = ogg_sync_pageout(&m_decoder->sync, &m_decoder->page);
        if (got == 1) {
            PageIn();
            return true;
        }
        if (got == 0 && !ReadData())
            return false;
    }
}

// A hole where pages were lost is passed over: the decoder goes on from the next packet.
bool IMTheoraView::NextPacket()
{
    for (;;) {
        const int got = ogg_stream_packetout(&m_decoder->stream, &m_decoder->packet);
        if (got == 1)
            return true;
        if (got == 0 && !NextPage())
            return false;
    }
}

void IMTheoraView::DecodePacket()
{
    Decoder& d = *m_decoder;
    if (theora_decode_packetin(&d.state, &d.packet) != 0)
        Fail("error during theora_decode_packetin...");
    if (theora_decode_YUVout(&d.state, &d.yuv) != 0)
        Fail("error during theora_decode_YUVout...");
    ++m_lastDecoded;
    m_highestFrameCount = std::max(m_highestFrameCount, m_lastDecoded + 1);
}

void IMTheoraView::ShowFrame(std::int32_t frame)
{
    if (!m_frameReady.WaitFor(kNoWait))
        return;
    m_currentFrame = frame;
    if (m_hasTextures) {
        SetImageIndex(m_back);
        std::swap(m_front, m_back);
    }
    m_requested = frame + 1;
    m_decodeRequest.Set();
    DecodeRequested();
}

// Frames between are decoded, since the codec needs them, but only the requested one is
// converted. The last frame is one to decode too, once it is known (a replay).
void IMTheoraView::DecodeRequested()
{
    if (!m_decodeRequest.WaitFor(kNoWait))
        return;
    if (m_requested < m_lastDecoded)
        Rewind();
    while (m_lastDecoded < m_requested && m_requested <= m_lastFrame) {
        if (!NextPacket()) {
            m_lastFrame = m_lastDecoded;
            break;
        }
        DecodePacket();
    }
    if (m_requested == m_lastDecoded && !ResourceManager()->IsDeviceLost())
        Convert();
    m_frameReady.Set();
}

void IMTheoraView::Rewind()
{
    m_decoder.reset();
    m_decoder = std::make_unique<Decoder>();
    m_position = 0;
    FindTheoraStream();
    ReadHeaders();
    StartDecoder();
    m_lastDecoded = -1;
}

void IMTheoraView::Convert()
{
    if (!m_hasTextures)
        return;
    const yuv_buffer& yuv = m_decoder->yuv;
    ResourceManager()->ModifyPixels(m_back, [&yuv](std::uint8_t* pixels, int pitch, int height) {
        ConvertPicture(yuv, pixels, pitch, height);
    });
    ++m_convertedCount;
}

} // namespace pestrol
