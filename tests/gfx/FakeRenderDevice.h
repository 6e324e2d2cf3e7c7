#pragma once

#include "platform/RenderDevice.h"

#include <memory>
#include <new>
#include <vector>

namespace pestrol::test {

// A device of plain memory with room for a fixed number of textures: the only way to run
// a registry out of texture memory on purpose.
class FakeRenderDevice final : public RenderDevice {
public:
    explicit FakeRenderDevice(int textureBudget)
        : m_budget(std::make_shared<int>(textureBudget))
    {
    }

    std::optional<Size> Open(SDL_Window*, bool, Size requested) override { return requested; }
    bool IsLost() const override { return false; }
    std::unique_ptr<DeviceTexture> CreateTexture(int width, int height) override
    {
        if (*m_budget == 0)
            throw std::bad_alloc();
        return std::make_unique<Texture>(width, height, m_budget);
    }
    void Clear(Colour) override { }
    void Present() override { }
    void SetClip(const Rect&) override { }
    void Draw(DeviceTexture&, const Rect&, const QuadF&, Colour, double) override { }
    bool ReadPixels(const Rect&, std::vector<Colour>&) override { return false; }

private:
    class Texture final : public DeviceTexture {
    public:
        Texture(int width, int height, std::shared_ptr<int> budget)
            : m_width(width)
            , m_height(height)
            , m_pixels(std::size_t(width) * height * 4)
            , m_budget(std::move(budget))
        {
            --*m_budget;
        }
        ~Texture() override { ++*m_budget; }
        int Width() const override { return m_width; }
        int Height() const override { return m_height; }
        bool Lock(std::uint8_t*& pixels, int& pitch) override
        {
            pixels = m_pixels.data();
            pitch = m_width * 4;
            return true;
        }
        void Unlock() override { }

    private:
        int m_width;
        int m_height;
        std::vector<std::uint8_t> m_pixels;
        std::shared_ptr<int> m_budget;
    };

    std::shared_ptr<int> m_budget;
};

} // namespace pestrol::test
