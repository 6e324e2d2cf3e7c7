#pragma once

#include <cstdint>
#include <vector>

namespace pestrol::tools {

// A sine tone encoded as Ogg Vorbis with libvorbisenc, for tests and measurements: `frames` sample
// frames at `rate`, the same signal on every channel, starting at its peak so that the
// first decoded frame is not silent.
struct Tone {
    int channels = 2;
    int rate = 44100;
    long frames = 44100;
    double frequency = 440.0;
    double amplitude = 0.5;
};

std::vector<std::uint8_t> EncodeTone(const Tone& tone);

// The whole stream decoded to 16-bit interleaved samples, for comparisons.
std::vector<std::int16_t> DecodeAll(const std::vector<std::uint8_t>& ogg);

}  // namespace pestrol::tools
