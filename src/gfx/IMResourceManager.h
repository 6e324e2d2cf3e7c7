#pragma once

#include "gfx/TextureRegistry.h"
#include "media/CSoundSystem.h"
#include "platform/Colour.h"
#include "platform/Rect.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

struct SDL_Window;

namespace pestrol {

class FontFace;
class GlyphCache;

// The one object behind everything drawn and heard: the renderer with its frames, drawing
// origin and clip rectangle; the texture registry and the sound system it inherits; the
// fonts and glyph images. Created by CreateRenderer, reached through ResourceManager(),
// destroyed by DestroyRenderer (the sound system last).
class IMResourceManager : public CSoundSystem, public TextureRegistry {
public:
    explicit IMResourceManager(std::unique_ptr<RenderDevice> device);
    ~IMResourceManager() override;

    // 0 when the device is usable, 1 when it was refused.
    int CreateDevice(SDL_Window* window, bool windowed, int width, int height, int refresh);
    bool IsDeviceLost();
    // Unloads every texture and, when the device is lost, opens it anew; true when it is
    // usable afterwards.
    bool RestoreDevice();

    // A frame: cleared to opaque black, drawn, presented. An idle pass of the loop draws
    // nothing but counts as a frame all the same.
    void BeginFrame();
    void EndFrame();
    void CountIdlePass() { ++m_frameCount; }
    std::uint32_t FrameCount() const { return m_frameCount; }
    std::uint32_t StartTime() const { return m_startTime; }
    void SetStartTime(std::uint32_t ticks) { m_startTime = ticks; }

    // Draws part of a texture (all of its image when `source` is null) into `dest`, offset by
    // the drawing origin, tinted by `colour`, rotated by `angle` radians about its centre.
    void DrawTexture(
        TextureIndex index, const Rect& dest, const Rect* source, Colour colour, float angle);

    // Added to every quad; callers that draw a subtree move it and put it back.
    Point GetOrigin() const { return m_origin; }
    void SetOrigin(Point origin) { m_origin = origin; }
    // The clip rectangle, in back-buffer pixels.
    Rect GetViewport() const { return m_viewport; }
    void SetViewport(const Rect& viewport);

    Size GetBackBufferSize() const { return m_backBuffer; }
    bool IsWindowed() const { return m_windowed; }
    // What this frame holds so far (read it before EndFrame presents it).
    bool ReadFramePixels(const Rect& area, std::vector<Colour>& pixels);

    void RegisterDefaultSkin();
    void ReleaseDefaultSkin();

    // The index of a font in the font list (underlining does not make another font), or -1
    // when the system has no usable font.
    int GetFont(
        std::wstring_view face, std::int32_t height, bool bold, bool italic, bool underline);
    int FontCount() const;
    FontFace* GetFontFace(int font);
    // The picture of a character in a style, registered under `key` (shared when the key
    // is registered already). Its size is `size`, else the advance by the cell height.
    TextureIndex CreateGlyph(std::wstring_view key, wchar_t ch, std::optional<Size> size,
        Colour text, std::int32_t height, std::wstring_view face, bool italic, bool bold,
        bool underline, Colour background);

private:
    std::unique_ptr<GlyphCache> m_glyphs;
    SDL_Window* m_window = nullptr;
    Size m_backBuffer {};
    bool m_windowed = false;
    bool m_deviceLost = true;
    int m_refreshRate = 0;
    std::uint32_t m_startTime = 0;
    std::uint32_t m_frameCount = 0;
    Point m_origin {};
    Rect m_viewport {};
};

// Makes the manager on `window` (800 x 600, full screen unless `windowed`) and registers
// the default skin. Throws std::runtime_error "Не могу создать устройство Direct3D" when the
// device is refused (and the two messages of the device itself); the manager is gone then.
void CreateRenderer(SDL_Window* window, bool windowed);
// Releases the skin, traces the frame rate, destroys the manager.
void DestroyRenderer();
// The process-wide manager; null outside CreateRenderer ... DestroyRenderer.
IMResourceManager* ResourceManager();

} // namespace pestrol
