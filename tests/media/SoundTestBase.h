#pragma once

#include "media/CSoundSystem.h"
#include "media/SoundFixtures.h"
#include "media/SoundHarness.h"
#include "platform/ResourceLibrary.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pestrol::test {

// An environment variable set for one test and restored after it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// A sound system with the tones as resources "163" (short) and "167" (100,000 frames),
// and a pack beside them holding "300" (the short tone).
class SoundTestBase : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void Start() { ASSERT_EQ(sounds->InitSound(), 0); }
    std::uint32_t FromMemory(const wchar_t* name, const std::vector<std::uint8_t>& bytes)
    {
        return sounds->CreateSound(name, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    }
    // Plays `id` and runs the loop until `end` has been heard (at most `limit`).
    void PlayToEnd(std::uint32_t id, Recorder& recorder,
                   std::chrono::milliseconds limit = std::chrono::milliseconds(3000),
                   const std::string& end = "ended");
    std::filesystem::path Scratch(const std::string& name) const { return m_scratch / name; }

    FakeWindow window;
    std::unique_ptr<CSoundSystem> sounds = std::make_unique<CSoundSystem>();

private:
    std::filesystem::path m_scratch;
    std::vector<ResourceBlock> m_blocks;
    std::unique_ptr<ResourceLibrary> m_library;
};

}  // namespace pestrol::test
