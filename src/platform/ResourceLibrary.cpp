#include "platform/ResourceLibrary.h"

#include "platform/ResourcePack.h"

#include <climits>
#include <system_error>

namespace pestrol {

namespace {
const ResourceLibrary* g_current = nullptr;
}

ResourceData::ResourceData(ResourceData&& other) noexcept
{
    const bool owned = other.m_view.data() == other.m_owned.data();
    m_owned = std::move(other.m_owned);
    m_view = owned ? std::span<const std::uint8_t>(m_owned) : other.m_view;
    other.m_view = {};
}

ResourceLibrary::ResourceLibrary(std::span<const ResourceBlock> embedded,
                                 std::filesystem::path packPath)
    : m_packPath(std::move(packPath))
{
    for (const ResourceBlock& block : embedded) {
        std::span<const std::uint8_t> bytes(block.data, block.size);
        m_named.emplace(block.name, bytes);
        if (auto number = ParseNumber(block.name))
            m_numbered.emplace(*number, bytes);
    }
}

std::optional<std::span<const std::uint8_t>> ResourceLibrary::FindNamed(
    std::wstring_view name) const
{
    auto it = m_named.find(name);
    if (it == m_named.end())
        return std::nullopt;
    return it->second;
}

std::optional<ResourceData> ResourceLibrary::FindNumbered(std::uint16_t number) const
{
    if (auto it = m_numbered.find(number); it != m_numbered.end())
        return ResourceData(it->second);
    std::error_code ec;
    if (m_packPath.empty() || !std::filesystem::exists(m_packPath, ec))
        return std::nullopt;
    // Opened for each lookup and closed again, so the pack may be replaced while the
    // program runs.
    ResourcePack pack(m_packPath);
    if (auto bytes = pack.Read(number))
        return ResourceData(std::move(*bytes));
    return std::nullopt;
}

std::optional<std::uint16_t> ResourceLibrary::ParseNumber(std::wstring_view name)
{
    // As a C runtime's wcstol reads it, with the whole name being the number: an
    // optional sign, then decimal digits, within the range of a 32-bit long.
    std::size_t i = 0;
    bool negative = false;
    if (i < name.size() && (name[i] == L'+' || name[i] == L'-'))
        negative = name[i++] == L'-';
    if (i == name.size())
        return std::nullopt;
    long long value = 0;
    for (; i < name.size(); ++i) {
        if (name[i] < L'0' || name[i] > L'9')
            return std::nullopt;
        value = value * 10 + (name[i] - L'0');
        if (value > static_cast<long long>(INT32_MAX) + (negative ? 1 : 0))
            return std::nullopt;
    }
    if (negative)
        value = -value;
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(value) & 0xFFFFu);
}

const ResourceLibrary* ResourceLibrary::Current()
{
    return g_current;
}

void ResourceLibrary::SetCurrent(const ResourceLibrary* library)
{
    g_current = library;
}

std::filesystem::path ExecutableDirectory()
{
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path(ec);
    return exe.parent_path();
}

}  // namespace pestrol
