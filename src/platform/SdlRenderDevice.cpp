#include "platform/RenderDevice.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include <atomic>
#include <cstring>
#include <new>
#include <stdexcept>

namespace pestrol {

namespace {

// Textures die with their renderer; the token tells a texture whether its renderer still
// lives, so a texture outliving a re-opened device is dropped without touching SDL.
using RendererToken = std::shared_ptr<int>;

class SdlTexture final : public DeviceTexture {
public:
    SdlTexture(SDL_Texture* texture, int width, int height, const RendererToken& token)
        : m_texture(texture)
        , m_width(width)
        , m_height(height)
        , m_token(token)
    {
    }
    ~SdlTexture() override
    {
        if (!m_token.expired())
            SDL_DestroyTexture(m_texture);
    }
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    bool Lock(std::uint8_t*& pixels, int& pitch) override
    {
        void* memory = nullptr;
        if (SDL_LockTexture(m_texture, nullptr, &memory, &pitch) != 0)
            return false;
        pixels = static_cast<std::uint8_t*>(memory);
        return true;
    }
    void Unlock() override { SDL_UnlockTexture(m_texture); }
    SDL_Texture* Get() const { return m_texture; }

private:
    SDL_Texture* m_texture;
    int m_width;
    int m_height;
    std::weak_ptr<int> m_token;
};

class SdlRenderDevice final : public RenderDevice {
public:
    ~SdlRenderDevice() override
    {
        if (m_watching)
            SDL_DelEventWatch(&SdlRenderDevice::WatchResets, this);
        CloseRenderer();
    }

    std::optional<Size> Open(SDL_Window* window, bool windowed, Size requested) override
    {
        if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            throw std::runtime_error("Can't init Direct3D");
        SDL_DisplayMode mode;
        const int display = window != nullptr ? SDL_GetWindowDisplayIndex(window) : 0;
        if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0)
            throw std::runtime_error("Can't init DisplayMode");
        WatchForResets();
        CloseRenderer();
        if (window == nullptr)
            return std::nullopt;
        m_renderer = SDL_CreateRenderer(window, -1, 0);
        if (m_renderer == nullptr)
            return std::nullopt;
        if (windowed)
            SDL_GetWindowSize(window, &requested.width, &requested.height);
        SDL_RenderSetLogicalSize(m_renderer, requested.width, requested.height);
        SDL_SetRenderDrawBlendMode(m_renderer, SDL_BLENDMODE_BLEND);
        m_token = std::make_shared<int>(0);
        m_lost = false;
        return requested;
    }

    bool IsLost() const override { return m_lost || m_renderer == nullptr; }

    std::unique_ptr<DeviceTexture> CreateTexture(int width, int height) override
    {
        if (m_renderer == nullptr)
            return nullptr;
        SDL_ClearError();
        SDL_Texture* texture = SDL_CreateTexture(
            m_renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
        if (texture == nullptr) {
            if (std::strcmp(SDL_GetError(), "Out of memory") == 0)
                throw std::bad_alloc();
            return nullptr;
        }
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
        return std::make_unique<SdlTexture>(texture, width, height, m_token);
    }

    void Clear(Colour colour) override
    {
        if (m_renderer == nullptr)
            return;
        SDL_SetRenderDrawColor(
            m_renderer, RedOf(colour), GreenOf(colour), BlueOf(colour), AlphaOf(colour));
        SDL_RenderClear(m_renderer);
    }

    void Present() override
    {
        if (m_renderer != nullptr)
            SDL_RenderPresent(m_renderer);
    }

    void SetClip(const Rect& clip) override
    {
        if (m_renderer == nullptr)
            return;
        const SDL_Rect r { clip.left, clip.top, clip.Width(), clip.Height() };
        SDL_RenderSetClipRect(m_renderer, &r);
        m_clip = clip;
    }

    void Draw(DeviceTexture& texture, const Rect& source, const QuadF& dest, Colour tint,
        double degrees) override
    {
        if (m_renderer == nullptr)
            return;
        SDL_Texture* t = static_cast<SdlTexture&>(texture).Get();
        SDL_SetTextureColorMod(t, RedOf(tint), GreenOf(tint), BlueOf(tint));
        SDL_SetTextureAlphaMod(t, AlphaOf(tint));
        // Shrinking filters linearly, enlarging keeps whole texels.
        const bool shrinks = dest.right - dest.left < source.Width()
            || dest.bottom - dest.top < source.Height();
        SDL_SetTextureScaleMode(t, shrinks ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
        if (degrees == 0.0) {
            QuadF clippedDest = dest;
            Rect clippedSource = source;
            if (ClipToViewport(clippedDest, clippedSource)) {
                const SDL_FRect d = ToSdl(clippedDest);
                const SDL_Rect s = ToSdl(clippedSource);
                SDL_RenderCopyF(m_renderer, t, &s, &d);
            }
        } else {
            const SDL_FRect d = ToSdl(dest);
            const SDL_Rect s = ToSdl(source);
            SDL_RenderCopyExF(m_renderer, t, &s, &d, degrees, nullptr, SDL_FLIP_NONE);
        }
    }

    bool ReadPixels(const Rect& area, std::vector<Colour>& pixels) override
    {
        if (m_renderer == nullptr || area.IsEmpty())
            return false;
        pixels.assign(static_cast<std::size_t>(area.Width()) * area.Height(), 0);
        const SDL_Rect r { area.left, area.top, area.Width(), area.Height() };
        return SDL_RenderReadPixels(
                   m_renderer, &r, SDL_PIXELFORMAT_ARGB8888, pixels.data(), area.Width() * 4)
            == 0;
    }

private:
    static SDL_FRect ToSdl(const QuadF& q) { return { q.left, q.top, q.right - q.left, q.bottom - q.top }; }
    static SDL_Rect ToSdl(const Rect& r) { return { r.left, r.top, r.Width(), r.Height() }; }

    // Cuts an upright quad to the clip rectangle ourselves, with the matching part of the
    // source in whole texels: SDL's software renderer drops a stretched quad whose clipped
    // source would be thinner than a texel (a 1-pixel border stretched along an edge).
    // False when nothing of the quad is left.
    bool ClipToViewport(QuadF& dest, Rect& source) const
    {
        const float left = std::max(dest.left, float(m_clip.left));
        const float top = std::max(dest.top, float(m_clip.top));
        const float right = std::min(dest.right, float(m_clip.right));
        const float bottom = std::min(dest.bottom, float(m_clip.bottom));
        if (right <= left || bottom <= top)
            return false;
        const float sx = float(source.Width()) / (dest.right - dest.left);
        const float sy = float(source.Height()) / (dest.bottom - dest.top);
        const auto cut = [](float from, float scale, std::int32_t origin, std::int32_t limit,
                             float newFrom, float newTo) {
            auto first = static_cast<std::int32_t>(std::floor(origin + (newFrom - from) * scale + 1e-3f));
            auto last = static_cast<std::int32_t>(std::ceil(origin + (newTo - from) * scale - 1e-3f));
            first = std::clamp(first, origin, limit - 1);
            last = std::clamp(last, first + 1, limit);
            return std::pair { first, last };
        };
        const auto [sl, sr] = cut(dest.left, sx, source.left, source.right, left, right);
        const auto [st, sb] = cut(dest.top, sy, source.top, source.bottom, top, bottom);
        dest = { left, top, right, bottom };
        source = { sl, st, sr, sb };
        return true;
    }

    void WatchForResets()
    {
        if (!m_watching)
            SDL_AddEventWatch(&SdlRenderDevice::WatchResets, this);
        m_watching = true;
    }

    static int WatchResets(void* self, SDL_Event* event)
    {
        if (event->type == SDL_RENDER_DEVICE_RESET || event->type == SDL_RENDER_TARGETS_RESET)
            static_cast<SdlRenderDevice*>(self)->m_lost = true;
        return 0;
    }

    void CloseRenderer()
    {
        m_token.reset();
        if (m_renderer != nullptr)
            SDL_DestroyRenderer(m_renderer);
        m_renderer = nullptr;
    }

    SDL_Renderer* m_renderer = nullptr;
    RendererToken m_token;
    // Set from SDL's event watch, which may run wherever an event is pushed.
    std::atomic<bool> m_lost = false;
    bool m_watching = false;
    Rect m_clip { -(1 << 20), -(1 << 20), 1 << 20, 1 << 20 };
};

} // namespace

std::unique_ptr<RenderDevice> CreateSdlRenderDevice()
{
    return std::make_unique<SdlRenderDevice>();
}

} // namespace pestrol
