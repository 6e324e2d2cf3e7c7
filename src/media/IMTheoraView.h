#pragma once

#include "gfx/IMTextureView.h"
#include "media/IMAnimationView.h"
#include "platform/AutoResetEvent.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>

namespace pestrol {

// An Ogg Theora video played from memory into two textures of the registry: the front one
// is shown while the back one receives the next frame. Decoding runs on the calling thread
// inside ShowFrame; only the frame that will be shown next is converted to RGB.
class IMTheoraView : public IMTextureView, public IMAnimationView {
public:
    IMTheoraView();
    ~IMTheoraView() override;

    // Finds the Theora stream (other streams are ignored), prepares frame 0 and shows a
    // blank, transparent texture until the first ShowFrame. The bytes stay the caller's and
    // must outlive the view. Throws std::runtime_error when the data holds no Theora stream.
    void Open(const void* data, std::size_t size);

    // Shows the frame prepared by the previous call (frame 0 after Open) and prepares frame
    // `frame` + 1, rewinding when that lies behind. Throws std::runtime_error when the
    // decoder refuses a packet; the view shows nothing new afterwards.
    void ShowFrame(std::int32_t frame) override;
    std::int32_t GetCurrentFrame() const override { return m_currentFrame; }
    std::int32_t GetFirstFrame() const override { return m_firstFrame; }
    std::int32_t GetLastFrame() const override { return m_lastFrame; }
    void SetFirstFrame(std::int32_t frame) override { m_firstFrame = frame; }
    void SetLastFrame(std::int32_t frame) override { m_lastFrame = frame; }

    // Frames decoded so far: the video's length once it has played to its end.
    std::int32_t GetFrameCount() const { return m_highestFrameCount; }
    // Frames converted to RGB since Open.
    std::int32_t GetConvertedCount() const { return m_convertedCount; }

private:
    struct Decoder;

    bool ReadData();
    void FindTheoraStream();
    void TryStream();
    void PageIn();
    void ReadHeaders();
    void StartDecoder();
    void CreateTextures();
    bool NextPage();
    bool NextPacket();
    void DecodePacket();
    void DecodeRequested();
    void Rewind();
    void Convert();
    void ReleaseTextures();

    std::unique_ptr<Decoder> m_decoder;
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_position = 0;
    std::int32_t m_currentFrame = 0;
    std::int32_t m_lastFrame = std::numeric_limits<std::int32_t>::max();
    std::int32_t m_firstFrame = 0;
    TextureIndex m_front = 0;
    TextureIndex m_back = 0;
    bool m_hasTextures = false;
    std::int32_t m_highestFrameCount = 0;
    std::int32_t m_lastDecoded = -1;
    std::int32_t m_requested = 0;
    std::int32_t m_convertedCount = 0;
    // Set and consumed on the main thread alone, so their waits never block: an event found
    // unset means the step that should have set it failed.
    AutoResetEvent m_decodeRequest;
    AutoResetEvent m_frameReady;
};

} // namespace pestrol
