#include "platform/SoundBuffer.h"

#include "platform/AudioMixer.h"

#include <algorithm>
#include <cstring>

namespace pestrol {

namespace {

// The right front channel in Vorbis's channel order (3 channels: L C R; 5 and more:
// FL C FR ...; 4: FL FR RL RR).
int RightFront(int channels)
{
    if (channels == 1)
        return 0;
    return channels == 3 || channels >= 5 ? 2 : 1;
}

}  // namespace

SoundBuffer::SoundBuffer(AudioMixer& mixer, std::mutex& guard, int channels, int rate,
                         std::size_t bytes)
    : m_mixer(mixer)
    , m_guard(guard)
    , m_channels(std::max(channels, 1))
    , m_rate(std::max(rate, 1))
    , m_rightChannel(RightFront(m_channels))
    , m_bytes(std::max(bytes - bytes % FrameBytes(), FrameBytes()), 0)
{
    m_mixer.Add(*this);
}

SoundBuffer::~SoundBuffer()
{
    m_mixer.Remove(*this);
}

void SoundBuffer::Play()
{
    m_playing = true;
}

void SoundBuffer::Stop()
{
    m_playing = false;
}

void SoundBuffer::SetPosition(std::size_t offset)
{
    m_frame = std::min(offset / FrameBytes(), Frames() - 1);
    m_phase = 0;
}

std::span<std::uint8_t> SoundBuffer::Lock(std::size_t offset, std::size_t length)
{
    if (m_locked || offset > m_bytes.size() || length > m_bytes.size() - offset)
        return {};
    m_locked = true;
    return std::span<std::uint8_t>(m_bytes).subspan(offset, length);
}

void SoundBuffer::Unlock()
{
    m_locked = false;
}

std::int32_t SoundBuffer::Sample(std::size_t frame, int channel) const
{
    std::int16_t value;
    std::memcpy(&value, &m_bytes[frame * FrameBytes() + static_cast<std::size_t>(channel) * 2],
                sizeof value);
    return value;
}

std::int32_t SoundBuffer::Interpolated(int channel, std::uint32_t outRate) const
{
    const std::int32_t here = Sample(m_frame, channel);
    if (m_phase == 0)
        return here;
    const std::int32_t next = Sample((m_frame + 1) % Frames(), channel);
    return here + static_cast<std::int32_t>(static_cast<std::int64_t>(next - here) * m_phase /
                                            outRate);
}

void SoundBuffer::Advance(std::uint32_t outRate)
{
    m_phase += static_cast<std::uint32_t>(m_rate);
    while (m_phase >= outRate) {
        m_phase -= outRate;
        m_frame = (m_frame + 1) % Frames();
    }
}

void SoundBuffer::MixInto(std::int32_t* out, std::size_t frames, std::uint32_t outRate)
{
    for (std::size_t i = 0; i < frames; ++i) {
        out[2 * i] += Interpolated(0, outRate);
        out[2 * i + 1] += Interpolated(m_rightChannel, outRate);
        Advance(outRate);
    }
}

}  // namespace pestrol
