#include "platform/RenderDevice.h"

#include <SDL.h>

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
    }

    void Draw(DeviceTexture& texture, const Rect& source, const QuadF& dest, Colour tint,
        double degrees) override
    {
        if (m_renderer == nullptr)
            return;
        SDL_Texture* t = static_cast<SdlTexture&>(texture).Get();
        SDL_SetTextureColorMod(t, RedOf(tint), GreenOf(tint), BlueOf(tint));
        SDL_SetTextureAlphaMod(t, AlphaOf(tint));
        const SDL_FRect d { dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top };
        // Shrinking filters linearly, enlarging keeps whole texels.
        const bool shrinks = d.w < source.Width() || d.h < source.Height();
        SDL_SetTextureScaleMode(t, shrinks ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
        const SDL_Rect s { source.left, source.top, source.Width(), source.Height() };
        if (degrees == 0.0)
            SDL_RenderCopyF(m_renderer, t, &s, &d);
        else
            SDL_RenderCopyExF(m_renderer, t, &s, &d, degrees, nullptr, SDL_FLIP_NONE);
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
};

} // namespace

std::unique_ptr<RenderDevice> CreateSdlRenderDevice()
{
    return std::make_unique<SdlRenderDevice>();
}

} // namespace pestrol
