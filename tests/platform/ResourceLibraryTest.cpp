#include "platform/ResourceLibrary.h"
#include "platform/ResourcePack.h"

#include "TestResources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace pestrol {
namespace {

std::string Text(std::span<const std::uint8_t> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

TEST(ResourceLibrary, ParseNumberTakesOnlyWholeDecimalNames)
{
    struct Case {
        const wchar_t* name;
        std::optional<std::uint16_t> number;
    };
    const Case cases[] = {
        {L"111", 111},          {L"0", 0},
        {L"00112", 112},        {L"+5", 5},
        {L"65535", 65535},      {L"65536", 0},
        {L"65647", 111},        {L"-1", 65535},
        {L"2147483647", 65535}, {L"2147483648", std::nullopt},
        {L"99999999999999999999", std::nullopt},
        {L" 12", std::nullopt}, {L"12 ", std::nullopt},
        {L"12a", std::nullopt}, {L"", std::nullopt},
        {L"-", std::nullopt},   {L"/tmp/160.png", std::nullopt},
        {L"PrintButton", std::nullopt}, {L"١٢", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResourceLibrary::ParseNumber(c.name), c.number) << "name of length " << std::wstring(c.name).size();
}

TEST(ResourceLibrary, FindsEmbeddedBlocksByNameAndNumber)
{
    const ResourceLibrary library(TestResources(), {});
    ASSERT_TRUE(library.FindNamed(L"greeting_bin"));
    EXPECT_EQ(Text(*library.FindNamed(L"greeting_bin")), "hello pack");
    EXPECT_EQ(Text(*library.FindNamed(L"111")), "\x89PNG fake");

    auto numbered = library.FindNumbered(111);
    ASSERT_TRUE(numbered);
    EXPECT_EQ(Text(numbered->bytes()), "\x89PNG fake");
    EXPECT_EQ(numbered->data(), library.FindNamed(L"111")->data()) << "served in place, not copied";
    ASSERT_TRUE(library.FindNumbered(112)) << "\"00112\" is resource 112";
    EXPECT_EQ(Text(library.FindNumbered(112)->bytes()), "hello pack");

    EXPECT_FALSE(library.FindNamed(L"greeting"));
    EXPECT_FALSE(library.FindNamed(L"112")) << "a block keeps its own name";
    EXPECT_FALSE(library.FindNumbered(500));
}

TEST(ResourceLibrary, TheProgramsTableIsConsistent)
{
    const ResourceLibrary library(EmbeddedResources(), {});
    for (const ResourceBlock& block : EmbeddedResources()) {
        ASSERT_TRUE(library.FindNamed(block.name));
        EXPECT_EQ(library.FindNamed(block.name)->size(), block.size);
    }
}

class ResourcePackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/pestrol-pack-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::filesystem::path File(const std::string& name, const std::string& content)
    {
        const auto path = m_dir / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
    {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    std::filesystem::path m_dir;
};

TEST_F(ResourcePackTest, TheToolWritesAPackThatTheLibrarySearchesAfterTheExecutable)
{
    const auto pack = m_dir / "Animations.dll";
    const std::string command = std::string(PESTROL_MKPACK) + " " + pack.string() + " 200=" +
                                File("a.ogg", "video bytes").string() + " 111=" +
                                File("b.png", "pack's 111").string() + " 7=" +
                                File("empty", "").string();
    ASSERT_EQ(std::system(command.c_str()), 0);

    const ResourceLibrary library(TestResources(), pack);
    ASSERT_TRUE(library.FindNumbered(200));
    EXPECT_EQ(Text(library.FindNumbered(200)->bytes()), "video bytes");
    EXPECT_EQ(Text(library.FindNumbered(111)->bytes()), "\x89PNG fake") << "the executable's own first";
    ASSERT_TRUE(library.FindNumbered(7));
    EXPECT_EQ(library.FindNumbered(7)->size(), 0u);
    EXPECT_FALSE(library.FindNumbered(201));
    EXPECT_FALSE(library.FindNamed(L"200")) << "names are the executable's only";

    // The pack is opened per lookup, so a replaced pack is seen at once.
    ASSERT_TRUE(ResourcePack::Write(pack, {{200, {'n', 'e', 'w'}}}));
    EXPECT_EQ(Text(library.FindNumbered(200)->bytes()), "new");
    std::filesystem::remove(pack);
    EXPECT_FALSE(library.FindNumbered(200));
}

TEST_F(ResourcePackTest, TheToolRefusesBadArguments)
{
    const std::string tool = PESTROL_MKPACK;
    const auto out = (m_dir / "p").string();
    for (const std::string& args : {std::string(), " " + out + " abc=x", " " + out + " 70000=x",
                                   " " + out + " 5=/no/such/file", " " + out + " 5"}) {
        EXPECT_NE(std::system((tool + args + " 2>/dev/null").c_str()), 0) << args;
    }
    EXPECT_FALSE(std::filesystem::exists(m_dir / "p"));
}

TEST_F(ResourcePackTest, ADamagedPackYieldsNothing)
{
    const auto good = m_dir / "good";
    ASSERT_TRUE(ResourcePack::Write(good, {{1, {'a', 'b', 'c'}}, {2, {'d'}}}));
    std::ifstream in(good, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(bytes.size(), 12u + 2 * 16 + 4);
    ASSERT_EQ(*ResourcePack(good).Read(2), std::vector<std::uint8_t>{'d'});

    auto with = [&](auto change) {
        std::vector<std::uint8_t> b = bytes;
        change(b);
        return b;
    };
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"only the magic", with([](auto& b) { b.resize(8); })},
        {"wrong magic", with([](auto& b) { b[0] = 'X'; })},
        {"huge count", with([](auto& b) { b[8] = b[9] = b[10] = b[11] = 0xFF; })},
        {"entry table cut short", with([](auto& b) { b.resize(12 + 16 + 8); })},
        {"size past the end", with([](auto& b) { b[12 + 16 + 4] = 0x20; })},
        {"offset past the end", with([](auto& b) { b[12 + 16 + 8 + 7] = 0x80; })},
        {"data cut short", with([](auto& b) { b.pop_back(); })},
    };
    for (const Case& c : cases) {
        const auto path = m_dir / "bad";
        WriteBytes(path, c.bytes);
        EXPECT_FALSE(ResourcePack(path).Read(2)) << c.name;
        const ResourceLibrary library(TestResources(), path);
        EXPECT_FALSE(library.FindNumbered(2)) << c.name;
    }
    EXPECT_FALSE(ResourcePack(m_dir / "missing").Read(1));
    EXPECT_FALSE(ResourcePack(m_dir).Read(1)) << "a folder is no pack";
}

}  // namespace
}  // namespace pestrol
