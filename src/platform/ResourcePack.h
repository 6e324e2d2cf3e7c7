#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

namespace pestrol {

// A file of numbered resources that lies beside the executable and holds what the
// executable lacks. The layout, all integers little-endian:
//
//   8 bytes   "PSTRPAK1"
//   4 bytes   count of entries
//   count x { 4 bytes number, 4 bytes size, 8 bytes offset from the file's start }
//   the resources' bytes
//
// A damaged pack (short, wrong magic, an entry outside the file) yields nothing.
class ResourcePack {
public:
    explicit ResourcePack(std::filesystem::path path) : m_path(std::move(path)) {}

    // The bytes of resource `number`, or nothing when the pack lacks it or is unreadable.
    std::optional<std::vector<std::uint8_t>> Read(std::uint16_t number) const;

    // Writes a pack holding `resources` (through a temporary file renamed into place).
    static bool Write(const std::filesystem::path& path,
                      const std::map<std::uint16_t, std::vector<std::uint8_t>>& resources);

    static constexpr char kMagic[8] = {'P', 'S', 'T', 'R', 'P', 'A', 'K', '1'};

private:
    std::filesystem::path m_path;
};

}  // namespace pestrol
