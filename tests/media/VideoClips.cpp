#include "media/VideoClips.h"

#include "TheoraEncoder.h"
#include "platform/ResourceLibrary.h"

#include <ogg/ogg.h>

#include <cstring>
#include <stdexcept>

namespace pestrol::test {

namespace {

void PutBgrx(Bytes& frame, std::size_t pixel, Colour colour)
{
    frame[pixel * 4] = BlueOf(colour);
    frame[pixel * 4 + 1] = GreenOf(colour);
    frame[pixel * 4 + 2] = RedOf(colour);
    frame[pixel * 4 + 3] = 0;
}

class OggReader {
public:
    explicit OggReader(std::span<const std::uint8_t> ogg)
    {
        ogg_sync_init(&m_sync);
        std::memcpy(ogg_sync_buffer(&m_sync, long(ogg.size())), ogg.data(), ogg.size());
        ogg_sync_wrote(&m_sync, long(ogg.size()));
    }
    ~OggReader() { ogg_sync_clear(&m_sync); }
    bool Next(ogg_page& page) { return ogg_sync_pageout(&m_sync, &page) == 1; }

private:
    ogg_sync_state m_sync;
};

Bytes PageBytes(const ogg_page& page)
{
    Bytes bytes(page.header, page.header + page.header_len);
    bytes.insert(bytes.end(), page.body, page.body + page.body_len);
    return bytes;
}

} // namespace

Bytes SolidClip(const std::vector<Colour>& colours, int width, int height)
{
    std::vector<Bytes> frames;
    for (Colour colour : colours) {
        Bytes frame(std::size_t(width) * height * 4);
        for (std::size_t i = 0; i < std::size_t(width) * height; ++i)
            PutBgrx(frame, i, colour);
        frames.push_back(std::move(frame));
    }
    return tools::EncodeTheora(width, height, 12, frames);
}

Bytes QuadrantClip(int width, int height, const Colour (&quadrants)[4])
{
    Bytes frame(std::size_t(width) * height * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            PutBgrx(frame, std::size_t(y) * width + x,
                quadrants[(y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0)]);
    return tools::EncodeTheora(width, height, 12, { frame });
}

std::vector<Bytes> OggPages(std::span<const std::uint8_t> ogg)
{
    OggReader reader(ogg);
    std::vector<Bytes> pages;
    for (ogg_page page; reader.Next(page);)
        pages.push_back(PageBytes(page));
    return pages;
}

std::vector<OggPacketCopy> OggPackets(std::span<const std::uint8_t> ogg)
{
    OggReader reader(ogg);
    ogg_stream_state stream;
    bool started = false;
    std::vector<OggPacketCopy> packets;
    for (ogg_page page; reader.Next(page);) {
        if (!started) {
            ogg_stream_init(&stream, ogg_page_serialno(&page));
            started = true;
        }
        if (ogg_stream_pagein(&stream, &page) != 0)
            continue;
        for (ogg_packet packet; ogg_stream_packetout(&stream, &packet) == 1;)
            packets.push_back({ Bytes(packet.packet, packet.packet + packet.bytes),
                packet.b_o_s != 0, packet.e_o_s != 0, packet.granulepos });
    }
    if (started)
        ogg_stream_clear(&stream);
    return packets;
}

std::vector<Bytes> PagePerPacket(const std::vector<OggPacketCopy>& packets, int serial)
{
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);
    std::vector<Bytes> pages;
    std::int64_t number = 0;
    for (const OggPacketCopy& copy : packets) {
        ogg_packet packet {};
        packet.packet = const_cast<unsigned char*>(copy.bytes.data());
        packet.bytes = long(copy.bytes.size());
        packet.b_o_s = copy.bos;
        packet.e_o_s = copy.eos;
        packet.granulepos = copy.granule;
        packet.packetno = number++;
        ogg_stream_packetin(&stream, &packet);
        for (ogg_page page; ogg_stream_flush(&stream, &page) != 0;)
            pages.push_back(PageBytes(page));
    }
    ogg_stream_clear(&stream);
    return pages;
}

Bytes Join(const std::vector<Bytes>& pages)
{
    Bytes bytes;
    for (const Bytes& page : pages)
        bytes.insert(bytes.end(), page.begin(), page.end());
    return bytes;
}

std::span<const std::uint8_t> PraiseVideo(const wchar_t* name)
{
    static const ResourceLibrary library(EmbeddedResources(), "/nonexistent/pack");
    auto bytes = library.FindNamed(name);
    if (!bytes)
        throw std::runtime_error("no such resource");
    return *bytes;
}

} // namespace pestrol::test
