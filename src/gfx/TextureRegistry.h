#pragma once

#include "gfx/ImageDecoder.h"
#include "platform/Colour.h"
#include "platform/Rect.h"
#include "platform/RenderDevice.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pestrol {

using TextureIndex = std::uint32_t;

// Named, reference-counted textures with stable indices. Every texture keeps a copy of its
// pixels, so it survives a lost device and answers pixel hit tests; the device textures
// are a cache over those copies, unloaded when texture memory runs short.
class TextureRegistry {
public:
    explicit TextureRegistry(std::unique_ptr<RenderDevice> device);
    virtual ~TextureRegistry();
    TextureRegistry(const TextureRegistry&) = delete;
    TextureRegistry& operator=(const TextureRegistry&) = delete;

    // The index registered under `name`, or SlotCount() when there is none.
    TextureIndex FindTexture(std::wstring_view name) const;
    TextureIndex AddTextureRef(TextureIndex index);
    // Decodes PNG or JPEG data; on failure registers nothing and answers SlotCount().
    TextureIndex RegisterImage(std::wstring_view name, const void* data, std::size_t size);
    // A decimal resource number (the program's own resources, then the pack), else a file.
    TextureIndex LoadImage(std::wstring_view name);
    TextureIndex CreateBlankTexture(std::wstring_view name, int width, int height);
    // Registers rows of `image.width` ARGB pixels (the glyph cache's pictures).
    TextureIndex RegisterPixels(std::wstring_view name, const DecodedImage& image);
    void ReleaseTexture(TextureIndex index);
    void ReleaseTextureByName(std::wstring_view name);

    void UnloadTexture(TextureIndex index);
    void UnloadAllTextures();
    void RestoreTexture(TextureIndex index);
    int GetTexturePitch(TextureIndex index);
    // `write` gets the locked pixels, their row pitch in bytes and the image height. The
    // pixel copy is left as it was.
    void ModifyPixels(
        TextureIndex index, const std::function<void(std::uint8_t*, int, int)>& write);

    TextureIndex SlotCount() const { return static_cast<TextureIndex>(m_entries.size()); }
    // Zero for an empty slot.
    int GetRefCount(TextureIndex index) const;
    // (0, 0, image width, image height); empty for an empty slot.
    Rect GetImageRect(TextureIndex index) const;
    // The power-of-two size of the texture.
    Size GetTextureSize(TextureIndex index) const;
    bool IsTextureLoaded(TextureIndex index) const;
    // A pixel of the copy (restoring the texture first); 0 outside the texture.
    Colour GetTexturePixel(TextureIndex index, int x, int y);

protected:
    RenderDevice& Device() { return *m_device; }
    // The entry's device texture, re-created from its pixel copy when it was unloaded.
    DeviceTexture* PrepareTexture(TextureIndex index);

private:
    struct Entry {
        std::unique_ptr<DeviceTexture> texture;
        Rect imageRect;
        int textureWidth = 0;
        int textureHeight = 0;
        std::wstring name;
        int refCount = 0;
        // Texture height rows of texture width pixels.
        std::vector<Colour> pixels;
    };

    Entry* At(TextureIndex index) const;
    TextureIndex Register(
        std::wstring_view name, int width, int height, std::vector<Colour> pixels);
    TextureIndex Reference(std::wstring_view name);
    std::unique_ptr<DeviceTexture> MakeTexture(std::wstring_view name, int width, int height);
    bool UnloadAnother(std::wstring_view name);
    bool Upload(Entry& entry);
    TextureIndex RegisterDecoded(std::wstring_view name, const std::optional<DecodedImage>& image);

    std::unique_ptr<RenderDevice> m_device;
    std::vector<std::unique_ptr<Entry>> m_entries;
    std::map<std::wstring, TextureIndex, std::less<>> m_names;
    std::vector<TextureIndex> m_free;
};

// The smallest power of two not less than `n` (1 for anything below 2).
int NextPowerOfTwo(int n);

} // namespace pestrol
