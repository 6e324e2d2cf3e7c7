#include "media/SoundFixtures.h"

namespace pestrol::test {

const std::vector<std::uint8_t>& ShortTone()
{
    static const auto bytes = EncodeTone({2, 44100, 13230, 440.0, 0.5});
    return bytes;
}

const std::vector<std::uint8_t>& LongTone()
{
    static const auto bytes = EncodeTone({1, 22050, 220500, 330.0, 0.4});
    return bytes;
}

const std::vector<std::uint8_t>& ResourceTone()
{
    static const auto bytes = EncodeTone({2, 44100, 100000, 523.25, 0.5});
    return bytes;
}

}  // namespace pestrol::test
