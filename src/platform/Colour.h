#pragma once

#include <cstdint>

namespace pestrol {

// 0xAARRGGBB, alpha in the top byte. Opaque white is the neutral tint of an image.
using Colour = std::uint32_t;

constexpr Colour kWhite = 0xFFFFFFFFu;
constexpr Colour kOpaqueBlack = 0xFF000000u;

constexpr Colour MakeColour(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return (Colour{a} << 24) | (Colour{r} << 16) | (Colour{g} << 8) | Colour{b};
}
constexpr std::uint8_t AlphaOf(Colour c) { return static_cast<std::uint8_t>(c >> 24); }
constexpr std::uint8_t RedOf(Colour c) { return static_cast<std::uint8_t>(c >> 16); }
constexpr std::uint8_t GreenOf(Colour c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t BlueOf(Colour c) { return static_cast<std::uint8_t>(c); }

}  // namespace pestrol
