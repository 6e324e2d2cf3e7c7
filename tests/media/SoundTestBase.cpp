#include "media/SoundTestBase.h"

#include "platform/ResourcePack.h"

#include <unistd.h>

namespace pestrol::test {

void SoundTestBase::SetUp()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_scratch = std::filesystem::temp_directory_path() /
                ("pestrol-sound-" + std::to_string(getpid()) + "-" + info->name());
    std::filesystem::create_directories(m_scratch);
    ASSERT_TRUE(ResourcePack::Write(m_scratch / "Animations.dll", {{300, ShortTone()}}));
    m_blocks = {{L"163", ShortTone().data(), ShortTone().size()},
                {L"167", ResourceTone().data(), ResourceTone().size()}};
    m_library = std::make_unique<ResourceLibrary>(m_blocks, m_scratch / "Animations.dll");
    ResourceLibrary::SetCurrent(m_library.get());
}

void SoundTestBase::TearDown()
{
    sounds.reset();
    ResourceLibrary::SetCurrent(nullptr);
    std::filesystem::remove_all(m_scratch);
}

void SoundTestBase::PlayToEnd(std::uint32_t id, Recorder& recorder,
                              std::chrono::milliseconds limit, const std::string& end)
{
    ASSERT_TRUE(sounds->PlaySound(id));
    window.Run(*sounds, limit, [&] { return recorder.Count(end) > 0; });
}

}  // namespace pestrol::test
