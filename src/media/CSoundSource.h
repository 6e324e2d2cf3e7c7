#pragma once

#include "platform/ResourceLibrary.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string_view>

struct OggVorbis_File;

namespace pestrol {

// One decodable Ogg Vorbis sound: a numbered resource, a file, or a block of memory,
// read as 16-bit signed little-endian PCM.
class CSoundSource {
public:
    // `name` is a decimal resource number (looked up in `library`) or a file path.
    static std::unique_ptr<CSoundSource> Open(std::wstring_view name,
                                              const ResourceLibrary* library);
    // The bytes stay the caller's and must outlive the source.
    static std::unique_ptr<CSoundSource> OpenMemory(const std::uint8_t* data, std::size_t size);

    ~CSoundSource();
    CSoundSource(const CSoundSource&) = delete;
    CSoundSource& operator=(const CSoundSource&) = delete;

    int Channels() const { return m_channels; }
    int Rate() const { return m_rate; }
    int BytesPerFrame() const { return m_bytesPerFrame; }
    // What is played, in sample frames.
    std::int64_t TotalFrames() const { return m_totalFrames; }

    bool Rewind();
    // Reads up to `size` bytes of whole frames, never past the playable length.
    std::size_t ReadPcm(std::uint8_t* out, std::size_t size);

    // The memory reader behind the decoder's callbacks.
    struct MemoryReader {
        const std::uint8_t* data = nullptr;
        std::size_t position = 0;
        std::size_t size = 0;
    };

private:
    CSoundSource();
    bool Decode(bool fromFile);
    void TrimResourceTail();
    bool SameFormat(int link) const;

    std::FILE* m_file = nullptr;
    std::optional<ResourceData> m_resource;
    MemoryReader m_reader;
    int m_channels = 0;
    int m_rate = 0;
    int m_bytesPerFrame = 0;
    std::int64_t m_totalFrames = 0;
    std::int64_t m_framesRead = 0;  // since the last rewind
    std::unique_ptr<OggVorbis_File> m_decoder;
    bool m_decoderOpen = false;
};

}  // namespace pestrol
