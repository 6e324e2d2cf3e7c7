#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pestrol {

// One resource compiled into the executable: a decimal number ("111") or a block name
// ("oblako_png") and its bytes.
struct ResourceBlock {
    const wchar_t* name;
    const std::uint8_t* data;
    std::size_t size;
};

// The bytes of one resource: a view into the executable, or a copy read from the pack.
class ResourceData {
public:
    explicit ResourceData(std::span<const std::uint8_t> view) : m_view(view) {}
    explicit ResourceData(std::vector<std::uint8_t> owned)
        : m_owned(std::move(owned)), m_view(m_owned) {}
    ResourceData(ResourceData&& other) noexcept;
    ResourceData& operator=(ResourceData&&) = delete;
    ResourceData(const ResourceData&) = delete;

    const std::uint8_t* data() const { return m_view.data(); }
    std::size_t size() const { return m_view.size(); }
    std::span<const std::uint8_t> bytes() const { return m_view; }

private:
    std::vector<std::uint8_t> m_owned;
    std::span<const std::uint8_t> m_view;
};

// Finds resources by name: first among those compiled into the executable, then, for
// numbered resources the executable lacks, in the resource pack beside it.
class ResourceLibrary {
public:
    ResourceLibrary(std::span<const ResourceBlock> embedded, std::filesystem::path packPath);

    // A named block of the executable ("ENDHELPSOUND", a skin name, or a number).
    std::optional<std::span<const std::uint8_t>> FindNamed(std::wstring_view name) const;
    // A numbered resource: the executable's own, else the pack's.
    std::optional<ResourceData> FindNumbered(std::uint16_t number) const;

    const std::filesystem::path& PackPath() const { return m_packPath; }

    // A name that is wholly a decimal number, reduced to its low 16 bits; nothing for
    // any other name (a file path, a skin name, " 12", "12a", "").
    static std::optional<std::uint16_t> ParseNumber(std::wstring_view name);

    // The process-wide library, installed by the program's entry point.
    static const ResourceLibrary* Current();
    static void SetCurrent(const ResourceLibrary* library);

private:
    std::map<std::wstring, std::span<const std::uint8_t>, std::less<>> m_named;
    std::map<std::uint16_t, std::span<const std::uint8_t>> m_numbered;
    std::filesystem::path m_packPath;
};

// The resources the program carries, made by the build from assets/resources.txt.
std::span<const ResourceBlock> EmbeddedResources();

// The folder of the running executable (for the pack that lies beside it).
std::filesystem::path ExecutableDirectory();

}  // namespace pestrol
