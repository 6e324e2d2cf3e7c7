#pragma once

#include "platform/Colour.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pestrol {

// A decoded picture: rows of `width` ARGB pixels, top row first.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;
};

// Larger pictures are refused before any pixel memory is taken: nothing the program
// shows comes near this.
constexpr int kMaxImageSide = 4096;

// PNG of any colour type and depth: 16-bit samples stripped to 8, palette and grey
// expanded, transparency kept as alpha, composited onto bKGD when the file has one,
// gamma-corrected for a 2.2 screen when the file has gAMA. Nothing when the data is not a
// whole, valid PNG.
std::optional<DecodedImage> DecodePng(std::span<const std::uint8_t> data);
// Baseline or progressive JPEG, grey or colour; nothing for damaged data.
std::optional<DecodedImage> DecodeJpeg(std::span<const std::uint8_t> data);
// PNG when the data starts with the PNG signature, else JPEG.
std::optional<DecodedImage> DecodeImage(std::span<const std::uint8_t> data);

} // namespace pestrol
