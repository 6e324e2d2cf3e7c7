#include "screens/ScreenTestSupport.h"

#include "gfx/GfxTestSupport.h"
#include "gfx/IMResourceManager.h"

namespace pestrol::test {

ScreensApp::ScreensApp()
{
    m_resourceNumber = L"00517";
    m_exerciseTitle = L"Тренажер «Пестроль»";
    m_description = L"Короткое описание упражнения.";
}

long ScreensApp::ShowInstruction(IMDialog* dialog)
{
    instructions.push_back(dialog);
    return IMApp::ShowInstruction(dialog);
}

void ScreensTest::SetUp()
{
    m_library = std::make_unique<ResourceLibrary>(EmbeddedResources(), std::filesystem::path {});
    ResourceLibrary::SetCurrent(m_library.get());
    m_shared = std::make_unique<TempFolder>();
    m_environment
        = std::make_unique<ScopedEnvironment>("PESTROL_SHARED_DIR", m_shared->Path().c_str());
    m_app = ScreensApp::Instance(L"00517 Тренажер «Пестроль»", true);
    m_app->RegisterExercise(
        L"Dialog1", [app = m_app](IMDialog* d) { app->exercises.push_back(d); });
    while (Window().Native().PeekMessage()) { }
    Pass();
}

void ScreensTest::TearDown()
{
    ScreensApp::Release();
    m_environment.reset();
    m_shared.reset();
    ResourceLibrary::SetCurrent(nullptr);
}

void ScreensTest::Pass()
{
    Window().HandleIdle(IMEvent(&Window(), code::kIdle));
}

void ScreensTest::Key(std::uint32_t key)
{
    Window().WindowProc({ msg::kKeyDown, key, 0 });
    if (key == vk::kReturn || key == vk::kEscape || key == vk::kBack)
        Window().WindowProc({ msg::kChar, key, 0 });
    Window().WindowProc({ msg::kKeyUp, key, 0 });
    Pass();
}

void ScreensTest::Type(const std::wstring& text)
{
    for (wchar_t c : text)
        Window().WindowProc({ msg::kChar, static_cast<std::uint32_t>(c), 1 });
    Pass();
}

void ScreensTest::MoveTo(std::int32_t x, std::int32_t y)
{
    const auto at = static_cast<std::uint32_t>(x & 0xFFFF) | static_cast<std::uint32_t>(y) << 16;
    Window().WindowProc({ msg::kMouseMove, 0, at });
}

void ScreensTest::Click(std::int32_t x, std::int32_t y)
{
    MoveTo(x, y);
    const auto at = static_cast<std::uint32_t>(x & 0xFFFF) | static_cast<std::uint32_t>(y) << 16;
    Window().WindowProc({ msg::kLButtonDown, mk::kLButton, at });
    Window().WindowProc({ msg::kLButtonUp, 0, at });
    Pass();
}

std::vector<IMDialog*> ScreensTest::DialogsIn(std::int32_t layer) const
{
    std::vector<IMDialog*> dialogs;
    const auto& children = m_app->Window()->Children();
    if (auto it = children.find(layer); it != children.end())
        for (IMControl* child : it->second)
            if (auto* dialog = dynamic_cast<IMDialog*>(child))
                dialogs.push_back(dialog);
    return dialogs;
}

IMDialog* ScreensTest::TopScreen() const
{
    const std::vector<IMDialog*> screens = DialogsIn(0);
    return screens.empty() ? nullptr : screens.back();
}

void ScreensTest::RunToEndScreen(const std::wstring& name, bool clickStart)
{
    Type(name);
    if (clickStart)
        Click(732, 473);
    else
        Key(vk::kReturn);
    Key(vk::kEscape);
    ASSERT_FALSE(m_app->exercises.empty());
    m_app->exercises.back()->Close();
    Pass();
}

std::string ScreensTest::ReportPath() const
{
    return *m_shared / "VESK/00517 Тренажер «Пестроль».xls";
}

void ScreensTest::Snapshot(const std::string& name)
{
    IMResourceManager& manager = *ResourceManager();
    Pass();
    manager.BeginFrame();
    Window().HandleDraw(IMEvent(&Window(), code::kDraw));
    std::vector<Colour> pixels;
    ASSERT_TRUE(manager.ReadFramePixels({ 0, 0, 800, 600 }, pixels));
    manager.EndFrame();
    std::filesystem::create_directories(SnapshotFolder());
    ASSERT_TRUE(WritePngFile(SnapshotFolder() / (name + ".png"), 800, 600, pixels));
}

std::filesystem::path SnapshotFolder()
{
    return std::filesystem::current_path() / "screens";
}

} // namespace pestrol::test
