#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace pestrol {

class AudioMixer;

// One stream's looping buffer of 16-bit little-endian samples in the stream's own format,
// which the mixer reads while it plays, advancing the play position as it goes. Every
// operation expects the caller to hold `guard`; the mixer takes it around each read.
class SoundBuffer {
public:
    SoundBuffer(AudioMixer& mixer, std::mutex& guard, int channels, int rate, std::size_t bytes);
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    std::size_t Size() const { return m_bytes.size(); }
    int Channels() const { return m_channels; }
    int Rate() const { return m_rate; }

    // Plays from the current position round and round until Stop.
    void Play();
    void Stop();
    bool IsPlaying() const { return m_playing; }

    // The play position in bytes, always at a sample frame.
    std::size_t Position() const { return m_frame * FrameBytes(); }
    void SetPosition(std::size_t offset);

    // The bytes [offset, offset + length) to write; empty when the range leaves the
    // buffer or a part is still locked. Unlock ends the write.
    std::span<std::uint8_t> Lock(std::size_t offset, std::size_t length);
    void Unlock();

private:
    friend class AudioMixer;

    std::size_t FrameBytes() const { return static_cast<std::size_t>(m_channels) * 2; }
    std::size_t Frames() const { return m_bytes.size() / FrameBytes(); }
    std::int32_t Sample(std::size_t frame, int channel) const;
    std::int32_t Interpolated(int channel, std::uint32_t outRate) const;
    void Advance(std::uint32_t outRate);
    // Adds `frames` stereo frames at `outRate` to `out` and moves the play position on.
    void MixInto(std::int32_t* out, std::size_t frames, std::uint32_t outRate);

    AudioMixer& m_mixer;
    std::mutex& m_guard;
    int m_channels;
    int m_rate;
    int m_rightChannel;
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_frame = 0;
    std::uint32_t m_phase = 0;  // how far past m_frame, in 1/outRate of a frame
    bool m_playing = false;
    bool m_locked = false;
};

}  // namespace pestrol
