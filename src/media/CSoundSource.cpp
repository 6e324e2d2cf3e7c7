#include "media/CSoundSource.h"

#include "platform/Utf8.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace pestrol {

namespace {

// Beyond these a header is damaged or hostile: its one-second buffer would not fit.
constexpr long kMaxRate = 192000;
constexpr int kMaxChannels = 8;

using MemoryReader = CSoundSource::MemoryReader;

std::size_t ReadMemory(void* out, std::size_t size, std::size_t count, void* source)
{
    auto& reader = *static_cast<MemoryReader*>(source);
    if (size == 0)
        return 0;
    const std::size_t remaining = reader.position < reader.size ? reader.size - reader.position : 0;
    const std::size_t bytes = std::min(size * count, remaining);
    std::memcpy(out, reader.data + reader.position, bytes);
    reader.position += bytes;
    return bytes / size;
}

int SeekMemory(void* source, ogg_int64_t offset, int origin)
{
    auto& reader = *static_cast<MemoryReader*>(source);
    ogg_int64_t base = 0;
    switch (origin) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = static_cast<ogg_int64_t>(reader.position); break;
    case SEEK_END: base = static_cast<ogg_int64_t>(reader.size); break;
    default: return -1;
    }
    if (offset < -base || offset > std::numeric_limits<ogg_int64_t>::max() - base)
        return -1;
    reader.position = static_cast<std::size_t>(base + offset);
    return 0;
}

int CloseNothing(void*)
{
    return 1;
}

long TellMemory(void* source)
{
    return static_cast<long>(static_cast<MemoryReader*>(source)->position);
}

std::size_t ReadFile(void* out, std::size_t size, std::size_t count, void* file)
{
    return std::fread(out, size, count, static_cast<std::FILE*>(file));
}

int SeekFile(void* file, ogg_int64_t offset, int origin)
{
    return fseeko(static_cast<std::FILE*>(file), static_cast<off_t>(offset), origin);
}

long TellFile(void* file)
{
    return static_cast<long>(ftello(static_cast<std::FILE*>(file)));
}

constexpr ov_callbacks kMemoryCallbacks{ReadMemory, SeekMemory, CloseNothing, TellMemory};
// The file is closed by the source, after the decoder.
constexpr ov_callbacks kFileCallbacks{ReadFile, SeekFile, CloseNothing, TellFile};

}  // namespace

CSoundSource::CSoundSource() : m_decoder(std::make_unique<OggVorbis_File>()) {}

CSoundSource::~CSoundSource()
{
    if (m_decoderOpen)
        ov_clear(m_decoder.get());
    if (m_file != nullptr)
        std::fclose(m_file);
}

std::unique_ptr<CSoundSource> CSoundSource::Open(std::wstring_view name,
                                                 const ResourceLibrary* library)
{
    std::unique_ptr<CSoundSource> source(new CSoundSource);
    if (auto number = ResourceLibrary::ParseNumber(name)) {
        if (library == nullptr)
            return nullptr;
        std::optional<ResourceData> found = library->FindNumbered(*number);
        if (!found)
            return nullptr;
        source->m_resource.emplace(std::move(*found));
        source->m_reader = {source->m_resource->data(), 0, source->m_resource->size()};
        if (!source->Decode(false))
            return nullptr;
        source->TrimResourceTail();
        return source;
    }
    source->m_file = std::fopen(ToUtf8(name).c_str(), "rb");
    if (source->m_file == nullptr || !source->Decode(true))
        return nullptr;
    return source;
}

std::unique_ptr<CSoundSource> CSoundSource::OpenMemory(const std::uint8_t* data, std::size_t size)
{
    std::unique_ptr<CSoundSource> source(new CSoundSource);
    source->m_reader = {data, 0, data == nullptr ? 0 : size};
    if (!source->Decode(false))
        return nullptr;
    return source;
}

bool CSoundSource::Decode(bool fromFile)
{
    void* handle = fromFile ? static_cast<void*>(m_file) : static_cast<void*>(&m_reader);
    const ov_callbacks& callbacks = fromFile ? kFileCallbacks : kMemoryCallbacks;
    if (ov_open_callbacks(handle, m_decoder.get(), nullptr, 0, callbacks) != 0)
        return false;
    m_decoderOpen = true;
    const vorbis_info* info = ov_info(m_decoder.get(), -1);
    const ogg_int64_t total = ov_pcm_total(m_decoder.get(), -1);
    if (info == nullptr || info->channels < 1 || info->channels > kMaxChannels ||
        info->rate < 1 || info->rate > kMaxRate || total < 0)
        return false;
    m_channels = info->channels;
    m_rate = static_cast<int>(info->rate);
    m_bytesPerFrame = m_channels * 2;
    m_totalFrames = total;
    return true;
}

// Resources end with a tail that is not played: 20 ms worth of bytes, taken as frames.
void CSoundSource::TrimResourceTail()
{
    const auto trim = static_cast<std::int64_t>(static_cast<double>(m_rate) * m_channels * 2 * 0.02);
    if (m_totalFrames > trim)
        m_totalFrames -= trim;
}

// A chained stream may change its format from link to link; the buffer keeps the first.
bool CSoundSource::SameFormat(int link) const
{
    const vorbis_info* info = ov_info(m_decoder.get(), link);
    return info != nullptr && info->channels == m_channels && info->rate == m_rate;
}

bool CSoundSource::Rewind()
{
    m_framesRead = 0;
    return ov_pcm_seek(m_decoder.get(), 0) == 0;
}

// Damaged pages can move the decoder's position backwards; counting what was delivered
// keeps such a stream within its stated length too.
std::size_t CSoundSource::ReadPcm(std::uint8_t* out, std::size_t size)
{
    const std::int64_t position = std::max<std::int64_t>(ov_pcm_tell(m_decoder.get()), m_framesRead);
    const std::int64_t left = m_totalFrames - position;
    if (left <= 0)
        return 0;
    size = std::min(size, static_cast<std::size_t>(left) * static_cast<std::size_t>(m_bytesPerFrame));
    std::size_t done = 0;
    while (done < size) {
        int bitstream = 0;
        const int want = static_cast<int>(std::min<std::size_t>(size - done, 1 << 20));
        const long got = ov_read(m_decoder.get(), reinterpret_cast<char*>(out + done), want, 0, 2,
                                 1, &bitstream);
        if (got <= 0 || !SameFormat(bitstream))
            break;
        done += static_cast<std::size_t>(got);
    }
    m_framesRead += static_cast<std::int64_t>(done) / m_bytesPerFrame;
    return done;
}

}  // namespace pestrol
