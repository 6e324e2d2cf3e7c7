#include "gfx/TextureRegistry.h"

#include "platform/DebugTrace.h"
#include "platform/ResourceLibrary.h"
#include "platform/Utf8.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <new>

namespace pestrol {

namespace {

std::optional<std::vector<std::uint8_t>> ReadFile(std::wstring_view path)
{
    std::ifstream file(std::filesystem::path(ToUtf8(path)), std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
}

std::optional<DecodedImage> DecodeResource(std::wstring_view name)
{
    if (auto number = ResourceLibrary::ParseNumber(name)) {
        const ResourceLibrary* library = ResourceLibrary::Current();
        if (library == nullptr)
            return std::nullopt;
        if (auto data = library->FindNumbered(*number))
            return DecodeImage(data->bytes());
        return std::nullopt;
    }
    if (auto bytes = ReadFile(name))
        return DecodeImage(*bytes);
    return std::nullopt;
}

} // namespace

int NextPowerOfTwo(int n)
{
    int p = 1;
    while (p < n)
        p *= 2;
    return p;
}

TextureRegistry::TextureRegistry(std::unique_ptr<RenderDevice> device)
    : m_device(std::move(device))
{
}

TextureRegistry::~TextureRegistry()
{
    m_entries.clear();
}

TextureRegistry::Entry* TextureRegistry::At(TextureIndex index) const
{
    return index < m_entries.size() ? m_entries[index].get() : nullptr;
}

TextureIndex TextureRegistry::FindTexture(std::wstring_view name) const
{
    auto it = m_names.find(name);
    return it == m_names.end() ? SlotCount() : it->second;
}

TextureIndex TextureRegistry::AddTextureRef(TextureIndex index)
{
    Entry* entry = At(index);
    if (entry == nullptr)
        return SlotCount();
    ++entry->refCount;
    return index;
}

TextureIndex TextureRegistry::Reference(std::wstring_view name)
{
    const TextureIndex index = FindTexture(name);
    return index == SlotCount() ? index : AddTextureRef(index);
}

TextureIndex TextureRegistry::RegisterImage(
    std::wstring_view name, const void* data, std::size_t size)
{
    if (const TextureIndex index = Reference(name); index != SlotCount())
        return index;
    if (data == nullptr)
        return SlotCount();
    return RegisterDecoded(name, DecodeImage({ static_cast<const std::uint8_t*>(data), size }));
}

TextureIndex TextureRegistry::LoadImage(std::wstring_view name)
{
    if (const TextureIndex index = Reference(name); index != SlotCount())
        return index;
    return RegisterDecoded(name, DecodeResource(name));
}

TextureIndex TextureRegistry::RegisterDecoded(
    std::wstring_view name, const std::optional<DecodedImage>& image)
{
    if (!image)
        return SlotCount();
    return RegisterPixels(name, *image);
}

TextureIndex TextureRegistry::CreateBlankTexture(std::wstring_view name, int width, int height)
{
    if (const TextureIndex index = Reference(name); index != SlotCount())
        return index;
    if (width < 0 || height < 0 || width > kMaxImageSide || height > kMaxImageSide)
        return SlotCount();
    return Register(name, width, height, {});
}

TextureIndex TextureRegistry::RegisterPixels(std::wstring_view name, const DecodedImage& image)
{
    if (const TextureIndex index = Reference(name); index != SlotCount())
        return index;
    if (image.width < 0 || image.height < 0 || image.width > kMaxImageSide
        || image.height > kMaxImageSide
        || image.pixels.size() != std::size_t(image.width) * image.height)
        return SlotCount();
    const int textureWidth = NextPowerOfTwo(image.width);
    std::vector<Colour> pixels(std::size_t(textureWidth) * NextPowerOfTwo(image.height), 0);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(&pixels[std::size_t(y) * textureWidth],
            &image.pixels[std::size_t(y) * image.width], std::size_t(image.width) * sizeof(Colour));
    return Register(name, image.width, image.height, std::move(pixels));
}

TextureIndex TextureRegistry::Register(
    std::wstring_view name, int width, int height, std::vector<Colour> pixels)
{
    auto entry = std::make_unique<Entry>();
    entry->texture = MakeTexture(name, NextPowerOfTwo(width), NextPowerOfTwo(height));
    if (!entry->texture)
        return SlotCount();
    entry->imageRect = { 0, 0, width, height };
    entry->textureWidth = entry->texture->Width();
    entry->textureHeight = entry->texture->Height();
    entry->name = name;
    entry->refCount = 1;
    entry->pixels = std::move(pixels);
    entry->pixels.resize(std::size_t(entry->textureWidth) * entry->textureHeight, 0);
    if (!Upload(*entry))
        entry->texture.reset();

    TextureIndex index = SlotCount();
    if (!m_free.empty()) {
        index = m_free.back();
        m_free.pop_back();
    } else {
        m_entries.emplace_back();
    }
    m_names.emplace(entry->name, index);
    m_entries[index] = std::move(entry);
    return index;
}

std::unique_ptr<DeviceTexture> TextureRegistry::MakeTexture(
    std::wstring_view name, int width, int height)
{
    for (;;) {
        try {
            return m_device->CreateTexture(width, height);
        } catch (const std::bad_alloc&) {
            if (!UnloadAnother(name))
                return nullptr;
        }
    }
}

bool TextureRegistry::UnloadAnother(std::wstring_view name)
{
    for (const auto& entry : m_entries) {
        if (entry && entry->texture && entry->name != name) {
            entry->texture.reset();
            return true;
        }
    }
    return false;
}

bool TextureRegistry::Upload(Entry& entry)
{
    std::uint8_t* memory = nullptr;
    int pitch = 0;
    if (!entry.texture->Lock(memory, pitch))
        return false;
    const std::size_t rowBytes = std::size_t(entry.textureWidth) * sizeof(Colour);
    for (int y = 0; y < entry.textureHeight; ++y)
        std::memcpy(memory + std::size_t(y) * pitch,
            &entry.pixels[std::size_t(y) * entry.textureWidth], rowBytes);
    entry.texture->Unlock();
    return true;
}

void TextureRegistry::ReleaseTexture(TextureIndex index)
{
    Entry* entry = At(index);
    if (entry == nullptr || --entry->refCount > 0)
        return;
    m_names.erase(entry->name);
    m_entries[index].reset();
    m_free.push_back(index);
}

void TextureRegistry::ReleaseTextureByName(std::wstring_view name)
{
    ReleaseTexture(FindTexture(name));
}

void TextureRegistry::UnloadTexture(TextureIndex index)
{
    if (Entry* entry = At(index))
        entry->texture.reset();
}

void TextureRegistry::UnloadAllTextures()
{
    for (const auto& entry : m_entries) {
        if (entry)
            entry->texture.reset();
    }
}

void TextureRegistry::RestoreTexture(TextureIndex index)
{
    Entry* entry = At(index);
    if (entry == nullptr || entry->texture)
        return;
    entry->texture = MakeTexture(entry->name, entry->textureWidth, entry->textureHeight);
    if (entry->texture && !Upload(*entry))
        entry->texture.reset();
}

DeviceTexture* TextureRegistry::PrepareTexture(TextureIndex index)
{
    RestoreTexture(index);
    Entry* entry = At(index);
    return entry != nullptr ? entry->texture.get() : nullptr;
}

int TextureRegistry::GetTexturePitch(TextureIndex index)
{
    DeviceTexture* texture = PrepareTexture(index);
    std::uint8_t* memory = nullptr;
    int pitch = 0;
    if (texture == nullptr || !texture->Lock(memory, pitch))
        return 0;
    texture->Unlock();
    return pitch;
}

void TextureRegistry::ModifyPixels(
    TextureIndex index, const std::function<void(std::uint8_t*, int, int)>& write)
{
    DeviceTexture* texture = PrepareTexture(index);
    if (texture == nullptr)
        return;
    std::uint8_t* memory = nullptr;
    int pitch = 0;
    if (!texture->Lock(memory, pitch)) {
        DebugTrace(L"ModifyPixels: the texture cannot be locked\n");
        return;
    }
    write(memory, pitch, At(index)->imageRect.bottom);
    texture->Unlock();
}

int TextureRegistry::GetRefCount(TextureIndex index) const
{
    const Entry* entry = At(index);
    return entry != nullptr ? entry->refCount : 0;
}

Rect TextureRegistry::GetImageRect(TextureIndex index) const
{
    const Entry* entry = At(index);
    return entry != nullptr ? entry->imageRect : Rect {};
}

Size TextureRegistry::GetTextureSize(TextureIndex index) const
{
    const Entry* entry = At(index);
    return entry != nullptr ? Size { entry->textureWidth, entry->textureHeight } : Size {};
}

bool TextureRegistry::IsTextureLoaded(TextureIndex index) const
{
    const Entry* entry = At(index);
    return entry != nullptr && entry->texture != nullptr;
}

Colour TextureRegistry::GetTexturePixel(TextureIndex index, int x, int y)
{
    RestoreTexture(index);
    const Entry* entry = At(index);
    if (entry == nullptr || x < 0 || y < 0 || x >= entry->textureWidth || y >= entry->textureHeight)
        return 0;
    return entry->pixels[std::size_t(y) * entry->textureWidth + x];
}

} // namespace pestrol
