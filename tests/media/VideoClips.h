#pragma once

#include "platform/Colour.h"

#include <cstdint>
#include <span>
#include <vector>

namespace pestrol::test {

using Bytes = std::vector<std::uint8_t>;

// Clips encoded with our Theora encoder at its best quality, 12 frames a second.
// One solid colour per frame.
Bytes SolidClip(const std::vector<Colour>& colours, int width = 32, int height = 32);
// One frame of four quadrants: top left, top right, bottom left, bottom right.
Bytes QuadrantClip(int width, int height, const Colour (&quadrants)[4]);

// An Ogg stream taken apart and put together again.
struct OggPacketCopy {
    Bytes bytes;
    bool bos = false;
    bool eos = false;
    std::int64_t granule = 0;
};
std::vector<Bytes> OggPages(std::span<const std::uint8_t> ogg);
// The packets of the stream of the first page.
std::vector<OggPacketCopy> OggPackets(std::span<const std::uint8_t> ogg);
// Each packet on a page of its own, so that headers and frames can be cut apart.
std::vector<Bytes> PagePerPacket(const std::vector<OggPacketCopy>& packets, int serial);
Bytes Join(const std::vector<Bytes>& pages);

// A named block of the program's resource table (the praise videos, the cloud).
std::span<const std::uint8_t> PraiseVideo(const wchar_t* name);

} // namespace pestrol::test
