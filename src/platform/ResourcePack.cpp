#include "platform/ResourcePack.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <system_error>

namespace pestrol {

namespace {

constexpr std::uint64_t kHeaderSize = 12;
constexpr std::uint64_t kEntrySize = 16;

std::uint64_t ReadLittle(const unsigned char* p, int bytes)
{
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

void PutLittle(std::vector<char>& out, std::uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ResourcePack::Read(std::uint16_t number) const
{
    std::ifstream in(m_path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::error_code ec;
    const std::uint64_t fileSize = std::filesystem::file_size(m_path, ec);
    if (ec || fileSize < kHeaderSize)
        return std::nullopt;

    unsigned char header[kHeaderSize];
    if (!in.read(reinterpret_cast<char*>(header), kHeaderSize) ||
        std::memcmp(header, kMagic, sizeof kMagic) != 0)
        return std::nullopt;
    const std::uint64_t count = ReadLittle(header + 8, 4);
    if (count > (fileSize - kHeaderSize) / kEntrySize)
        return std::nullopt;

    for (std::uint64_t i = 0; i < count; ++i) {
        unsigned char entry[kEntrySize];
        if (!in.read(reinterpret_cast<char*>(entry), kEntrySize))
            return std::nullopt;
        if (ReadLittle(entry, 4) != number)
            continue;
        const std::uint64_t size = ReadLittle(entry + 4, 4);
        const std::uint64_t offset = ReadLittle(entry + 8, 8);
        if (offset > fileSize || size > fileSize - offset)
            return std::nullopt;
        std::vector<std::uint8_t> bytes(size);
        in.seekg(static_cast<std::streamoff>(offset));
        if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
            return std::nullopt;
        return bytes;
    }
    return std::nullopt;
}

bool ResourcePack::Write(const std::filesystem::path& path,
                         const std::map<std::uint16_t, std::vector<std::uint8_t>>& resources)
{
    std::vector<char> out(kMagic, kMagic + sizeof kMagic);
    PutLittle(out, resources.size(), 4);
    std::uint64_t offset = kHeaderSize + kEntrySize * resources.size();
    for (const auto& [number, bytes] : resources) {
        if (bytes.size() > UINT32_MAX)
            return false;
        PutLittle(out, number, 4);
        PutLittle(out, bytes.size(), 4);
        PutLittle(out, offset, 8);
        offset += bytes.size();
    }
    for (const auto& entry : resources)
        out.insert(out.end(), entry.second.begin(), entry.second.end());

    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file.write(out.data(), static_cast<std::streamsize>(out.size())) || !file.flush())
            return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    return !ec;
}

}  // namespace pestrol
