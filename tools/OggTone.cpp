#include "OggTone.h"

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace pestrol::tools {

namespace {

class Encoder {
public:
    explicit Encoder(const Tone& tone) : m_tone(tone)
    {
        vorbis_info_init(&m_info);
        if (vorbis_encode_init_vbr(&m_info, tone.channels, tone.rate, 0.4f) != 0)
            throw std::runtime_error("vorbis_encode_init_vbr");
        vorbis_comment_init(&m_comment);
        vorbis_analysis_init(&m_dsp, &m_info);
        vorbis_block_init(&m_dsp, &m_block);
        ogg_stream_init(&m_stream, 517);
    }
    ~Encoder()
    {
        ogg_stream_clear(&m_stream);
        vorbis_block_clear(&m_block);
        vorbis_dsp_clear(&m_dsp);
        vorbis_comment_clear(&m_comment);
        vorbis_info_clear(&m_info);
    }

    std::vector<std::uint8_t> Run()
    {
        WriteHeaders();
        constexpr long kChunk = 1024;
        for (long done = 0; done < m_tone.frames; done += kChunk)
            Submit(done, std::min(kChunk, m_tone.frames - done));
        vorbis_analysis_wrote(&m_dsp, 0);
        Drain();
        return std::move(m_out);
    }

private:
    void WriteHeaders()
    {
        ogg_packet id, comment, code;
        vorbis_analysis_headerout(&m_dsp, &m_comment, &id, &comment, &code);
        ogg_stream_packetin(&m_stream, &id);
        ogg_stream_packetin(&m_stream, &comment);
        ogg_stream_packetin(&m_stream, &code);
        ogg_page page;
        while (ogg_stream_flush(&m_stream, &page) != 0)
            Append(page);
    }

    void Submit(long first, long count)
    {
        float** buffer = vorbis_analysis_buffer(&m_dsp, static_cast<int>(count));
        for (long i = 0; i < count; ++i) {
            const double t = static_cast<double>(first + i) / m_tone.rate;
            const auto v = static_cast<float>(m_tone.amplitude * std::cos(2 * M_PI * m_tone.frequency * t));
            for (int c = 0; c < m_tone.channels; ++c)
                buffer[c][i] = v;
        }
        vorbis_analysis_wrote(&m_dsp, static_cast<int>(count));
        Drain();
    }

    void Drain()
    {
        while (vorbis_analysis_blockout(&m_dsp, &m_block) == 1) {
            vorbis_analysis(&m_block, nullptr);
            vorbis_bitrate_addblock(&m_block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&m_dsp, &packet) == 1) {
                ogg_stream_packetin(&m_stream, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&m_stream, &page) != 0)
                    Append(page);
            }
        }
        ogg_page page;
        while (ogg_stream_flush(&m_stream, &page) != 0)
            Append(page);
    }

    void Append(const ogg_page& page)
    {
        m_out.insert(m_out.end(), page.header, page.header + page.header_len);
        m_out.insert(m_out.end(), page.body, page.body + page.body_len);
    }

    Tone m_tone;
    vorbis_info m_info;
    vorbis_comment m_comment;
    vorbis_dsp_state m_dsp;
    vorbis_block m_block;
    ogg_stream_state m_stream;
    std::vector<std::uint8_t> m_out;
};

struct Reader {
    const std::vector<std::uint8_t>& bytes;
    std::size_t position = 0;
};

std::size_t Read(void* out, std::size_t size, std::size_t count, void* source)
{
    auto& r = *static_cast<Reader*>(source);
    const std::size_t n = std::min(size * count, r.bytes.size() - r.position);
    std::memcpy(out, r.bytes.data() + r.position, n);
    r.position += n;
    return n / size;
}

}  // namespace

std::vector<std::uint8_t> EncodeTone(const Tone& tone)
{
    return Encoder(tone).Run();
}

std::vector<std::int16_t> DecodeAll(const std::vector<std::uint8_t>& ogg)
{
    Reader reader{ogg};
    OggVorbis_File file;
    const ov_callbacks callbacks{Read, nullptr, nullptr, nullptr};
    if (ov_open_callbacks(&reader, &file, nullptr, 0, callbacks) != 0)
        throw std::runtime_error("ov_open_callbacks");
    std::vector<std::int16_t> samples;
    char chunk[4096];
    int bitstream = 0;
    long got;
    while ((got = ov_read(&file, chunk, sizeof chunk, 0, 2, 1, &bitstream)) > 0) {
        const std::size_t at = samples.size();
        samples.resize(at + static_cast<std::size_t>(got) / 2);
        std::memcpy(samples.data() + at, chunk, static_cast<std::size_t>(got));
    }
    ov_clear(&file);
    return samples;
}

}  // namespace pestrol::tools
