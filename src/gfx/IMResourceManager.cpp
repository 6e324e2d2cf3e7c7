#include "gfx/IMResourceManager.h"

#include "gfx/DefaultSkin.h"
#include "gfx/GlyphCache.h"
#include "platform/Clock.h"
#include "platform/DebugTrace.h"
#include "platform/ResourceLibrary.h"

#include <numbers>
#include <stdexcept>
#include <string>

namespace pestrol {

namespace {
IMResourceManager* g_manager = nullptr;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kRefreshRate = 75;
} // namespace

IMResourceManager::IMResourceManager(std::unique_ptr<RenderDevice> device)
    : TextureRegistry(std::move(device))
    , m_glyphs(std::make_unique<GlyphCache>())
{
}

IMResourceManager::~IMResourceManager() = default;

int IMResourceManager::CreateDevice(
    SDL_Window* window, bool windowed, int width, int height, int refresh)
{
    m_window = window;
    m_windowed = windowed;
    m_refreshRate = refresh;
    m_backBuffer = { width, height };
    UnloadAllTextures();
    const auto backBuffer = Device().Open(window, windowed, { width, height });
    m_deviceLost = !backBuffer;
    if (!backBuffer)
        return 1;
    m_backBuffer = *backBuffer;
    SetViewport({ 0, 0, m_backBuffer.width, m_backBuffer.height });
    return 0;
}

bool IMResourceManager::IsDeviceLost()
{
    if (!m_deviceLost)
        m_deviceLost = Device().IsLost();
    return m_deviceLost;
}

bool IMResourceManager::RestoreDevice()
{
    UnloadAllTextures();
    if (m_deviceLost)
        CreateDevice(m_window, m_windowed, m_backBuffer.width, m_backBuffer.height, m_refreshRate);
    return !m_deviceLost;
}

void IMResourceManager::BeginFrame()
{
    Device().Clear(kOpaqueBlack);
}

void IMResourceManager::EndFrame()
{
    ++m_frameCount;
    Device().Present();
}

void IMResourceManager::DrawTexture(
    TextureIndex index, const Rect& dest, const Rect* source, Colour colour, float angle)
{
    DeviceTexture* texture = PrepareTexture(index);
    if (texture == nullptr || dest.IsEmpty())
        return;
    const Rect part = source != nullptr ? *source : GetImageRect(index);
    const QuadF quad { float(m_origin.x + dest.left), float(m_origin.y + dest.top),
        float(m_origin.x + dest.right), float(m_origin.y + dest.bottom) };
    Device().Draw(*texture, part, quad, colour, angle * 180.0 / std::numbers::pi);
}

void IMResourceManager::SetViewport(const Rect& viewport)
{
    m_viewport = viewport;
    Device().SetClip(viewport);
}

bool IMResourceManager::ReadFramePixels(const Rect& area, std::vector<Colour>& pixels)
{
    return Device().ReadPixels(area, pixels);
}

void IMResourceManager::RegisterDefaultSkin()
{
    const ResourceLibrary* library = ResourceLibrary::Current();
    if (library == nullptr)
        return;
    for (const wchar_t* name : DefaultSkinNames()) {
        if (auto block = library->FindNamed(name))
            RegisterImage(name, block->data(), block->size());
    }
}

void IMResourceManager::ReleaseDefaultSkin()
{
    const ResourceLibrary* library = ResourceLibrary::Current();
    for (const wchar_t* name : DefaultSkinNames()) {
        // Only what RegisterDefaultSkin took: a skin name registered by someone else stays.
        if (library != nullptr && library->FindNamed(name))
            ReleaseTextureByName(name);
    }
}

int IMResourceManager::GetFont(
    std::wstring_view face, std::int32_t height, bool bold, bool italic, bool underline)
{
    return m_glyphs->GetFont(face, height, bold, italic, underline);
}

int IMResourceManager::FontCount() const
{
    return m_glyphs->FontCount();
}

FontFace* IMResourceManager::GetFontFace(int font)
{
    return m_glyphs->Font(font);
}

TextureIndex IMResourceManager::CreateGlyph(std::wstring_view key, wchar_t ch,
    std::optional<Size> size, Colour text, std::int32_t height, std::wstring_view face, bool italic,
    bool bold, bool underline, Colour background)
{
    if (const TextureIndex index = FindTexture(key); index != SlotCount())
        return AddTextureRef(index);
    return RegisterPixels(key,
        m_glyphs->Rasterise(ch, size, text, height, face, italic, bold, underline, background));
}

void CreateRenderer(SDL_Window* window, bool windowed)
{
    auto manager = std::make_unique<IMResourceManager>(CreateSdlRenderDevice());
    g_manager = manager.get();
    manager->SetStartTime(TickCount());
    manager->InitSound();
    try {
        if (manager->CreateDevice(window, windowed, kWidth, kHeight, kRefreshRate) != 0)
            throw std::runtime_error("Не могу создать устройство Direct3D");
    } catch (...) {
        g_manager = nullptr;
        throw;
    }
    manager->RegisterDefaultSkin();
    manager.release();
}

void DestroyRenderer()
{
    if (g_manager == nullptr)
        return;
    g_manager->ReleaseDefaultSkin();
    std::uint32_t elapsed = TickCount() - g_manager->StartTime();
    if (elapsed == 0)
        elapsed = 1;
    const std::uint32_t fps = g_manager->FrameCount() * 1000u / elapsed;
    DebugTrace(L"FPS: " + std::to_wstring(fps) + L"\n");
    delete g_manager;
    g_manager = nullptr;
}

IMResourceManager* ResourceManager()
{
    return g_manager;
}

} // namespace pestrol
