// theora-encode WIDTH HEIGHT FPS OUT.ogv [QUALITY] < frames
//
// Encodes raw frames into an Ogg Theora file without sound. Each frame on standard input is
// WIDTH x HEIGHT pixels of 4 bytes, B G R x (cairo's RGB24 in memory), top row first.
// WIDTH and HEIGHT must be multiples of 16; QUALITY is libtheora's 0..63 (default 40).
#include "TheoraEncoder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using pestrol::tools::TheoraEncoder;
using pestrol::tools::TheoraPlanes;

bool ReadFrame(std::vector<std::uint8_t>& frame)
{
    return std::fread(frame.data(), 1, frame.size(), stdin) == frame.size();
}

void Run(int width, int height, int fps, const char* path, int quality)
{
    std::FILE* out = std::fopen(path, "wb");
    if (!out)
        throw std::runtime_error(std::string("cannot write ") + path);
    TheoraEncoder encoder(width, height, fps, quality,
        [out](const unsigned char* bytes, long size) { std::fwrite(bytes, 1, size, out); });
    TheoraPlanes planes(width, height);
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
