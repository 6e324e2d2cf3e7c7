// Everything the program looks up by number or by block name is in its resource table: the
// pictures at the sizes their places need, the sounds decodable in the formats and lengths the
// screens count on, and the praise videos decodable by the player's Theora interface.
#include "assets/DefaultSkin.h"
#include "platform/ResourceLibrary.h"

#include <gtest/gtest.h>

#include <ogg/ogg.h>
#include <png.h>
#include <theora/theora.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pestrol {
namespace {

using Bytes = std::span<const std::uint8_t>;

const ResourceLibrary& Library()
{
    static const ResourceLibrary library(EmbeddedResources(), "/nonexistent/pack");
    return library;
}

std::optional<Bytes> Find(const std::wstring& name)
{
    return Library().FindNamed(name);
}

std::string Narrow(const std::wstring& name)
{
    return std::string(name.begin(), name.end());
}

struct Size {
    int width = 0, height = 0;
};

std::optional<Size> PngSize(Bytes bytes)
{
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return std::nullopt;
    const Size size { static_cast<int>(image.width), static_cast<int>(image.height) };
    png_image_free(&image);
    return size;
}

struct Picture {
    std::wstring name;
    Size size; // 0 x 0 where no size is asked for
};

std::vector<Picture> PicturesTheProgramUses()
{
    std::vector<Picture> pictures;
    for (const SkinImage& image : kSkin)
        pictures.push_back({ image.name, { image.width, image.height } });
    for (int n : { 111, 112, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 125, 126, 127,
             128, 129, 130, 131, 133, 134, 153, 155 })
        pictures.push_back({ std::to_wstring(n), { 250, 450 } });
    for (int n : { 135, 136, 137, 138, 139, 140, 141, 142, 143, 144, 146, 147, 148, 150, 151, 152,
             154, 156, 157 })
        pictures.push_back({ std::to_wstring(n), { 242, 467 } });
    for (int n = 101; n <= 108; ++n)
        pictures.push_back({ std::to_wstring(n), { 2, 2 } });
    const Picture sized[] = {
        { L"110", { 16, 16 } },
        { L"158", { 500, 600 } },
        { L"159", { 300, 975 } },
        { L"160", { 188, 316 } },
        { L"170", { 300, 600 } },
        { L"171", { 190, 318 } },
        { L"KEYBOARDPIC", { 524, 230 } },
        { L"MOUSE", { 246, 246 } },
        { L"KEYSPACE", { 112, 14 } },
        { L"oblako_png", {} },
        { L"500", {} },
    };
    pictures.insert(pictures.end(), std::begin(sized), std::end(sized));
    for (int n : { 161, 162, 174, 175, 176, 178, 179, 180, 181, 182, 183, 184, 185, 186, 189, 190 })
        pictures.push_back({ std::to_wstring(n), {} });
    return pictures;
}

TEST(Resources, EveryPictureIsEmbeddedAtItsSize)
{
    for (const Picture& picture : PicturesTheProgramUses()) {
        SCOPED_TRACE(Narrow(picture.name));
        auto bytes = Find(picture.name);
        ASSERT_TRUE(bytes.has_value()) << "missing from the resource table";
        auto size = PngSize(*bytes);
        ASSERT_TRUE(size.has_value()) << "not a readable PNG";
        if (picture.size.width == 0)
            continue;
        EXPECT_EQ(size->width, picture.size.width);
        EXPECT_EQ(size->height, picture.size.height);
    }
}

// The instruction's picture of the whole exercise screen is made from a rendering of that
// screen, so it can only come once the screen draws.
TEST(Resources, ExerciseScreenPicture)
{
    auto bytes = Find(L"169");
    if (!bytes)
        GTEST_SKIP() << "169 is made from a rendering of the exercise screen";
    auto size = PngSize(*bytes);
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->width, 800);
    EXPECT_EQ(size->height, 600);
}

// --- Sounds -----------------------------------------------------------------------------

struct MemoryFile {
    Bytes bytes;
    std::size_t position = 0;
};

size_t ReadMemory(void* out, size_t size, size_t count, void* source)
{
    auto* file = static_cast<MemoryFile*>(source);
    const size_t n = std::min(size * count, file->bytes.size() - file->position);
    std::memcpy(out, file->bytes.data() + file->position, n);
    file->position += n;
    return n;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence)
{
    auto* file = static_cast<MemoryFile*>(source);
    const ogg_int64_t base = whence == SEEK_SET ? 0
        : whence == SEEK_CUR                    ? static_cast<ogg_int64_t>(file->position)
                                                : static_cast<ogg_int64_t>(file->bytes.size());
    if (base + offset < 0 || base + offset > static_cast<ogg_int64_t>(file->bytes.size()))
        return -1;
    file->position = static_cast<std::size_t>(base + offset);
    return 0;
}

long TellMemory(void* source)
{
    return static_cast<long>(static_cast<MemoryFile*>(source)->position);
}

struct Sound {
    int channels = 0;
    long rate = 0;
    std::vector<float> mono; // every frame, the channels averaged, -1 .. 1
    int peak = 0; // largest sample magnitude of any channel

    double Seconds() const { return static_cast<double>(mono.size()) / rate; }

    double Rms(double from, double to) const
    {
        const auto first = static_cast<std::size_t>(from * rate),
                   last = static_cast<std::size_t>(to * rate);
        double sum = 0;
        for (std::size_t i = first; i < last && i < mono.size(); ++i)
            sum += mono[i] * mono[i];
        return std::sqrt(sum / static_cast<double>(last - first));
    }
};

std::optional<Sound> DecodeVorbis(Bytes bytes)
{
    MemoryFile file { bytes };
    OggVorbis_File vf;
    const ov_callbacks callbacks { ReadMemory, SeekMemory, nullptr, TellMemory };
    if (ov_open_callbacks(&file, &vf, nullptr, 0, callbacks) != 0)
        return std::nullopt;
    Sound sound;
    sound.channels = ov_info(&vf, -1)->channels;
    sound.rate = ov_info(&vf, -1)->rate;
    const ogg_int64_t total = ov_pcm_total(&vf, -1);
    std::vector<std::int16_t> pcm(4096 * sound.channels);
    int section = 0;
    for (long got; (got = ov_read(&vf, reinterpret_cast<char*>(pcm.data()), 2 * pcm.size(), 0, 2, 1,
                        &section))
         > 0;)
        for (long f = 0; f < got / 2 / sound.channels; ++f) {
            float sum = 0;
            for (int c = 0; c < sound.channels; ++c) {
                const int v = pcm[f * sound.channels + c];
                sound.peak = std::max(sound.peak, std::abs(v));
                sum += v / 32768.0f;
            }
            sound.mono.push_back(sum / sound.channels);
        }
    ov_clear(&vf);
    if (static_cast<ogg_int64_t>(sound.mono.size()) != total)
        return std::nullopt;
    return sound;
}

struct SoundCase {
    const wchar_t* name;
    int channels; // 0: one or two
    double shortest, longest;
    bool numbered; // numbered sounds lose 20 ms a channel at their end when they are played
};

const SoundCase kSounds[] = {
    { L"163", 0, 12.0, 40.0, true },
    { L"167", 0, 0.5, 3.0, true },
    { L"ENDHELPSOUND", 2, 5.0, 5.4, false },
    { L"bravo_sound", 0, 0.4, 2.0, false },
    { L"gotovo_sound", 0, 0.4, 2.0, false },
    { L"molodec_sound", 0, 0.4, 2.0, false },
    { L"otlichno_sound", 0, 0.4, 2.0, false },
    { L"ura_sound", 0, 0.4, 2.0, false },
};

constexpr double kQuiet = 0.002; // about -54 dBFS: nothing to hear

TEST(Resources, EverySoundDecodesWithItsFormatAndLength)
{
    for (const SoundCase& c : kSounds) {
        SCOPED_TRACE(Narrow(c.name));
        auto bytes = Find(c.name);
        ASSERT_TRUE(bytes.has_value()) << "missing from the resource table";
        auto sound = DecodeVorbis(*bytes);
        ASSERT_TRUE(sound.has_value()) << "not a readable Ogg Vorbis stream";
        EXPECT_EQ(sound->rate, 44100);
        if (c.channels) {
            EXPECT_EQ(sound->channels, c.channels);
        } else {
            EXPECT_TRUE(sound->channels == 1 || sound->channels == 2) << sound->channels;
        }
        EXPECT_GE(sound->Seconds(), c.shortest);
        EXPECT_LE(sound->Seconds(), c.longest);
        EXPECT_LT(sound->peak, 32000) << "clips";
        EXPECT_GT(sound->Rms(0, sound->Seconds()), 0.03) << "too quiet to hear clearly";
        if (c.numbered) {
            EXPECT_LT(sound->Rms(sound->Seconds() - 0.1, sound->Seconds()), kQuiet)
                << "its cut end is not silence";
        }
    }
}

// The highlights appear 2.5 s and 8.96 s into the narration: the sentences about the target's
// frame and the control panel must begin there, after a pause.
TEST(Resources, NarrationSentencesStartWithTheirHighlights)
{
    auto sound = DecodeVorbis(*Find(L"163"));
    ASSERT_TRUE(sound.has_value());
    for (double start : { 2.5, 8.96 }) {
        SCOPED_TRACE(start);
        EXPECT_LT(sound->Rms(start - 0.2, start - 0.01), kQuiet);
        EXPECT_GT(sound->Rms(start, start + 0.25), 0.02);
    }
}

// --- Videos -----------------------------------------------------------------------------

struct Video {
    int width = 0, height = 0, pictureWidth = 0, pictureHeight = 0;
    int fpsNumerator = 0, fpsDenominator = 0;
    int frames = 0;
    std::array<int, 3>
        firstCorner {}; // RGB of the first frame's top-left pixel, as the player converts it
};

int Clamp(int v)
{
    return std::clamp(v, 0, 255);
}

std::array<int, 3> PlayerRgb(const yuv_buffer& yuv, int x, int y)
{
    const int luma = 74 * (yuv.y[y * yuv.y_stride + x] - 16);
    const int u = yuv.u[(y / 2) * yuv.uv_stride + x / 2] - 128;
    const int v = yuv.v[(y / 2) * yuv.uv_stride + x / 2] - 128;
    return { Clamp((luma + 102 * v) >> 6), Clamp((luma - 25 * u - 52 * v) >> 6),
        Clamp((luma + 129 * u) >> 6) };
}

// Legacy decoder state that frees itself, whichever way decoding ends.
struct TheoraDecoder {
    ogg_sync_state sync;
    ogg_stream_state stream;
    theora_info info;
    theora_comment comment;
    theora_state state;
    bool streaming = false, decoding = false;

    TheoraDecoder()
    {
        ogg_sync_init(&sync);
        theora_info_init(&info);
        theora_comment_init(&comment);
    }
    ~TheoraDecoder()
    {
        if (decoding)
            theora_clear(&state);
        if (streaming)
            ogg_stream_clear(&stream);
        theora_comment_clear(&comment);
        theora_info_clear(&info);
        ogg_sync_clear(&sync);
    }

    // One packet: the three headers first, then frames. False on a packet the decoder refuses.
    bool Packet(ogg_packet& packet, int& headers, Video& video)
    {
        if (headers < 3) {
            if (theora_decode_header(&info, &comment, &packet) != 0)
                return false;
            if (++headers == 3)
                decoding = theora_decode_init(&state, &info) == 0;
            return headers < 3 || decoding;
        }
        yuv_buffer yuv;
        if (theora_decode_packetin(&state, &packet) != 0 || theora_decode_YUVout(&state, &yuv) != 0)
            return false;
        if (video.frames++ == 0)
            video.firstCorner = PlayerRgb(yuv, 0, 0);
        return true;
    }
};

std::optional<Video> DecodeTheora(Bytes bytes)
{
    TheoraDecoder d;
    std::memcpy(
        ogg_sync_buffer(&d.sync, static_cast<long>(bytes.size())), bytes.data(), bytes.size());
    ogg_sync_wrote(&d.sync, static_cast<long>(bytes.size()));
    Video video;
    int headers = 0;
    ogg_page page;
    while (ogg_sync_pageout(&d.sync, &page) == 1) {
        if (!d.streaming) {
            if (!ogg_page_bos(&page) || ogg_stream_init(&d.stream, ogg_page_serialno(&page)) != 0)
                return std::nullopt;
            d.streaming = true;
        }
        if (ogg_page_serialno(&page) != d.stream.serialno
            || ogg_stream_pagein(&d.stream, &page) != 0)
            continue;
        ogg_packet packet;
        while (ogg_stream_packetout(&d.stream, &packet) == 1)
            if (!d.Packet(packet, headers, video))
                return std::nullopt;
    }
    if (!d.decoding)
        return std::nullopt;
    video.width = static_cast<int>(d.info.width);
    video.height = static_cast<int>(d.info.height);
    video.pictureWidth = static_cast<int>(d.info.frame_width);
    video.pictureHeight = static_cast<int>(d.info.frame_height);
    video.fpsNumerator = static_cast<int>(d.info.fps_numerator);
    video.fpsDenominator = static_cast<int>(d.info.fps_denominator);
    return video;
}

struct VideoCase {
    const wchar_t* name;
    int frames;
};

// One cartoon for each word of praise, in the praise's order.
const VideoCase kVideos[] = {
    { L"bravo_video", 42 },
    { L"gotovo_video", 36 },
    { L"molodec_video", 36 },
    { L"otlichno_video", 36 },
    { L"ura_video", 48 },
};

TEST(Resources, EveryPraiseVideoDecodesAt320x240And12FramesASecond)
{
    for (const VideoCase& c : kVideos) {
        SCOPED_TRACE(Narrow(c.name));
        auto bytes = Find(c.name);
        ASSERT_TRUE(bytes.has_value()) << "missing from the resource table";
        auto video = DecodeTheora(*bytes);
        ASSERT_TRUE(video.has_value()) << "not a readable Ogg Theora stream";
        EXPECT_EQ(video->width, 320);
        EXPECT_EQ(video->height, 240);
        EXPECT_EQ(video->pictureWidth, 320);
        EXPECT_EQ(video->pictureHeight, 240);
        EXPECT_EQ(video->fpsNumerator, 12 * video->fpsDenominator);
        EXPECT_EQ(video->frames, c.frames);
        EXPECT_GE(video->frames, 2 * 12);
        EXPECT_LE(video->frames, 4 * 12);
        // The cloud around the video is white: the video's background must meet it without a seam.
        for (int channel : video->firstCorner)
            EXPECT_GE(channel, 252);
    }
}

} // namespace
} // namespace pestrol
