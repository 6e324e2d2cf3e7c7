#pragma once

#include "OggTone.h"

#include <cstdint>
#include <vector>

namespace pestrol::test {

using tools::DecodeAll;
using tools::EncodeTone;
using tools::Tone;

// The tones the sound tests play, encoded once per test process.
const std::vector<std::uint8_t>& ShortTone();     // 0.3 s, stereo, 44,100 Hz
const std::vector<std::uint8_t>& LongTone();      // 10 s, mono, 22,050 Hz
const std::vector<std::uint8_t>& ResourceTone();  // 100,000 frames, stereo, 44,100 Hz

}  // namespace pestrol::test
