#pragma once

#include "app/IMApp.h"
#include "platform/ResourceLibrary.h"
#include "report/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace pestrol::test {

// The frame's screens with one exercise, "Dialog1", whose dialogs are recorded; the
// exercise is solved by closing its dialog.
class ScreensApp : public IMApp<ScreensApp> {
public:
    ScreensApp();
    long ShowInstruction(IMDialog* dialog) override;

    void SetDescription(const std::wstring& text) { m_description = text; }

    std::vector<IMDialog*> exercises;
    std::vector<IMDialog*> instructions;
};

// The real main window on SDL's dummy driver with the program's resources, a private
// report folder, and input sent through the window procedure.
class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    IMWindow& Window() { return *m_app->Window(); }
    // One pass of the loop: deferred additions and removals take effect.
    void Pass();
    void Key(std::uint32_t key);
    void Type(const std::wstring& text);
    void MoveTo(std::int32_t x, std::int32_t y);
    void Click(std::int32_t x, std::int32_t y);

    // The dialogs of the window's layer, in the order they were added.
    std::vector<IMDialog*> DialogsIn(std::int32_t layer) const;
    // The topmost screen (layer 0), or null.
    IMDialog* TopScreen() const;
    // The first child of that kind, searched depth first.
    template <class C> static C* Find(IMDialog* dialog);

    // From the start screen through Enter (or Start), the instruction (Esc) and a solved
    // exercise to the end screen.
    void RunToEndScreen(const std::wstring& name, bool clickStart = false);
    std::string ReportPath() const;

    // Draws the whole tree and writes it into the test's output folder as `name`.png.
    void Snapshot(const std::string& name);

    std::unique_ptr<ResourceLibrary> m_library;
    std::unique_ptr<TempFolder> m_shared;
    std::unique_ptr<ScopedEnvironment> m_environment;
    ScreensApp* m_app = nullptr;
};

template <class C> C* ScreensTest::Find(IMDialog* dialog)
{
    for (const auto& [layer, list] : dialog->Children())
        for (IMControl* child : list) {
            if (auto* found = dynamic_cast<C*>(child))
                return found;
            if (auto* inner = dynamic_cast<IMDialog*>(child))
                if (C* found = Find<C>(inner))
                    return found;
        }
    return nullptr;
}

// Where the screen pictures go: screens/ beside the test binary's working folder.
std::filesystem::path SnapshotFolder();

} // namespace pestrol::test
