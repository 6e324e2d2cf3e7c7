#include "platform/Random.h"

#include <cstdint>

namespace pestrol {

namespace {

// PCG32 (O'Neill): even its low output bits are well mixed, so that parity coins and
// small moduli stay fair for seeds that differ by one second.
constexpr std::uint64_t kMultiplier = 6364136223846793005ull;
constexpr std::uint64_t kIncrement = 1442695040888963407ull;

std::uint64_t g_state = 0;

std::uint32_t Next()
{
    const std::uint64_t old = g_state;
    g_state = old * kMultiplier + kIncrement;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rotation = static_cast<std::uint32_t>(old >> 59u);
    return (xorshifted >> rotation) | (xorshifted << ((32u - rotation) & 31u));
}

}  // namespace

void Srand(unsigned int seed)
{
    g_state = 0;
    Next();
    g_state += seed;
    Next();
}

int Rand()
{
    return static_cast<int>(Next() >> 17);
}

// Seeded as a C runtime is before its first srand.
[[maybe_unused]] static const bool g_seeded = (Srand(1), true);

}  // namespace pestrol
