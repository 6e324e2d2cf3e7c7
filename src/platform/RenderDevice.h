#pragma once

#include "platform/Colour.h"
#include "platform/Rect.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

struct SDL_Window;

namespace pestrol {

// One texture of the device: 32-bit ARGB pixels (B, G, R, A in memory).
class DeviceTexture {
public:
    virtual ~DeviceTexture() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Write access to the pixels; the pitch is the row length in bytes. What a lock shows
    // before it is written is undefined, so callers write every row they need.
    virtual bool Lock(std::uint8_t*& pixels, int& pitch) = 0;
    virtual void Unlock() = 0;
};

// A quad in back-buffer pixels, before rotation.
struct QuadF {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

// The drawing device under the renderer: a back buffer of fixed logical size, textures,
// tinted and rotated quads, a clip rectangle.
class RenderDevice {
public:
    virtual ~RenderDevice() = default;

    // Opens (or opens anew, dropping every texture) the device on `window`: full screen
    // scaled and letterboxed to `requested`, windowed at the window's own size. Nothing
    // when the device refuses; throws std::runtime_error "Can't init Direct3D" when there
    // is no video at all and "Can't init DisplayMode" when the display mode is unreadable.
    virtual std::optional<Size> Open(SDL_Window* window, bool windowed, Size requested) = 0;
    // True once the device reported a reset since it was opened.
    virtual bool IsLost() const = 0;

    // Throws std::bad_alloc when texture memory is exhausted; nothing on other failures.
    virtual std::unique_ptr<DeviceTexture> CreateTexture(int width, int height) = 0;

    virtual void Clear(Colour colour) = 0;
    virtual void Present() = 0;
    virtual void SetClip(const Rect& clip) = 0;
    // `source` in texture pixels; `degrees` clockwise about the quad's centre.
    virtual void Draw(
        DeviceTexture& texture, const Rect& source, const QuadF& dest, Colour tint, double degrees)
        = 0;
    // The back buffer's pixels inside `area` (back-buffer coordinates), row by row, as
    // drawn so far in this frame.
    virtual bool ReadPixels(const Rect& area, std::vector<Colour>& pixels) = 0;
};

// The device on SDL's renderer: accelerated where available, software otherwise.
std::unique_ptr<RenderDevice> CreateSdlRenderDevice();

} // namespace pestrol
