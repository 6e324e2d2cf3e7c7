#include "report/ReportText.h"

#include "platform/Utf8.h"

#include <cstdint>
#include <cstdio>

namespace pestrol {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;
constexpr std::size_t kSheetNameLimit = 31;
constexpr std::size_t kHashedPrefixLimit = 24;

bool IsXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
        || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

wchar_t ReportCharacter(wchar_t w)
{
    if (w == L'"')
        return L'\'';
    return IsXmlChar(static_cast<char32_t>(static_cast<std::uint32_t>(w))) ? w : kReplacement;
}

bool RefusedInSheetName(wchar_t w)
{
    return w < 0x20 || !IsXmlChar(static_cast<char32_t>(static_cast<std::uint32_t>(w)))
        || std::wstring_view(L":\\/?*[]").find(w) != std::wstring_view::npos;
}

std::size_t Utf16Units(wchar_t w)
{
    return static_cast<std::uint32_t>(w) >= 0x10000 ? 2 : 1;
}

std::size_t Utf16Length(std::wstring_view text)
{
    std::size_t units = 0;
    for (wchar_t w : text)
        units += Utf16Units(w);
    return units;
}

bool IsValidSheetName(std::wstring_view name)
{
    if (name.empty() || name.front() == L'\'' || name.back() == L'\''
        || Utf16Length(name) > kSheetNameLimit)
        return false;
    for (wchar_t w : name) {
        if (RefusedInSheetName(w))
            return false;
    }
    return true;
}

// FNV-1a over the UTF-8 bytes: stable across runs, machines and builds.
std::uint32_t NameHash(std::wstring_view name)
{
    std::uint32_t hash = 2166136261u;
    for (unsigned char byte : ToUtf8(name)) {
        hash ^= byte;
        hash *= 16777619u;
    }
    return hash;
}

std::wstring HashedSheetName(std::wstring_view name, std::wstring_view typed)
{
    std::wstring prefix;
    std::size_t units = 0;
    for (wchar_t w : name) {
        if (units + Utf16Units(w) > kHashedPrefixLimit)
            break;
        prefix.push_back(RefusedInSheetName(w) ? L'_' : w);
        units += Utf16Units(w);
    }
    if (!prefix.empty() && prefix.front() == L'\'')
        prefix.front() = L'_';
    wchar_t suffix[8];
    std::swprintf(suffix, 8, L"~%06X", NameHash(typed) & 0xFFFFFFu);
    return prefix + suffix;
}

std::wstring Apostrophes(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& w : out) {
        if (w == L'"')
            w = L'\'';
    }
    return out;
}

}  // namespace

std::wstring ReportText(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& w : out)
        w = ReportCharacter(w);
    return out;
}

std::string ReportPath(std::wstring_view path)
{
    return ToUtf8(Apostrophes(path));
}

std::wstring SheetName(std::wstring_view pupilName)
{
    const std::wstring text = Apostrophes(pupilName);
    return IsValidSheetName(text) ? text : HashedSheetName(text, pupilName);
}

}  // namespace pestrol
