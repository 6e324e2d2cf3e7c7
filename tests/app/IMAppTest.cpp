#include "app/IMApp.h"
#include "report/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>

namespace pestrol::test {
namespace {

// An application that records what the frame asked of it.
class RecordingApp : public IMApp<RecordingApp> {
public:
    RecordingApp() { ++alive; }
    ~RecordingApp() override { --alive; }
    long ShowEndScreen() override { ++endScreens; return 0; }
    long ShowInstruction(IMDialog* dialog) override
    {
        instructions.push_back(dialog);
        return 0;
    }

    static inline int alive = 0;
    int endScreens = 0;
    std::vector<IMDialog*> instructions;
};

class Sequencer : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app = RecordingApp::Instance(L"00517 Тренажер «Пестроль»", true);
        Pass();
    }
    void TearDown() override
    {
        if (m_app != nullptr)
            RecordingApp::Release();
        EXPECT_EQ(RecordingApp::alive, 0);
    }

    void Pass()
    {
        IMWindow& w = *m_app->Window();
        w.HandleIdle(IMEvent(&w, code::kIdle));
    }
    void Key(std::uint32_t key)
    {
        IMWindow& w = *m_app->Window();
        w.WindowProc({msg::kKeyDown, key, 0});
        w.WindowProc({msg::kKeyUp, key, 0});
        Pass();
    }
    // Registers an exercise that records the dialogs it was given.
    void Exercise(const std::wstring& name, std::vector<IMDialog*>& dialogs)
    {
        m_app->RegisterExercise(name, [&dialogs](IMDialog* d) { dialogs.push_back(d); });
    }

    RecordingApp* m_app = nullptr;
};

TEST_F(Sequencer, InstanceCountsItsCallersAndTheLastReleaseDeletes)
{
    EXPECT_EQ(RecordingApp::Instance(L"another title", false), m_app);
    EXPECT_EQ(m_app->Title(), L"00517 Тренажер «Пестроль»");
    RecordingApp::Release();
    EXPECT_EQ(RecordingApp::alive, 1);
    EXPECT_NE(MainWindow(), nullptr);
    RecordingApp::Release();
    m_app = nullptr;
    EXPECT_EQ(RecordingApp::alive, 0);
    EXPECT_EQ(MainWindow(), nullptr);
}

TEST_F(Sequencer, TheFirstNameOfAnExerciseKeepsItsBuilder)
{
    std::vector<IMDialog*> first, second;
    m_app->RegisterExercise(L"", [](IMDialog*) { FAIL(); });
    EXPECT_TRUE(m_app->CurrentExercise().empty());
    Exercise(L"Dialog1", first);
    Exercise(L"Dialog1", second);
    EXPECT_EQ(m_app->CurrentExercise(), L"Dialog1");
    m_app->RunNextExercise();
    EXPECT_EQ(first.size(), 1u);
    EXPECT_TRUE(second.empty());
}

TEST_F(Sequencer, OneExerciseThenTheFinalRowsAndTheEndScreen)
{
    TempFolder shared;
    ScopedEnvironment env("PESTROL_SHARED_DIR", shared.Path().c_str());
    m_app->Results().OpenReport(L"Иванов");
    std::vector<IMDialog*> dialogs;
    Exercise(L"Dialog1", dialogs);

    m_app->BeginInstruction();
    ASSERT_EQ(m_app->instructions.size(), 1u);
    EXPECT_TRUE(m_app->IsInstructionActive());
    Key(vk::kEscape);
    EXPECT_FALSE(m_app->IsInstructionActive());
    ASSERT_EQ(dialogs.size(), 1u) << "Esc started the exercise at once";
    EXPECT_EQ(m_app->ExerciseDialog(), dialogs[0]);
    EXPECT_TRUE(m_app->CurrentExercise().empty());
    EXPECT_EQ(m_app->endScreens, 0);

    dialogs[0]->Close();
    EXPECT_EQ(m_app->endScreens, 1);
    EXPECT_EQ(m_app->ExerciseDialog(), nullptr);
    Pass();
    RecordingApp::Release();  // saves, while the folder is still there
    m_app = nullptr;
    const auto sheets = SheetRows(shared / "VESK/00517 Тренажер «Пестроль».xls");
    ASSERT_EQ(sheets.count(L"Иванов"), 1u);
    const Rows& rows = sheets.at(L"Иванов");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][0], L"Время начала работы с упражнением");
    EXPECT_EQ(rows[1], (std::vector<std::wstring>{L"Количество дополнительных вызовов инструкций", L"0"}));
    EXPECT_EQ(rows[2][0], L"Общее время работы с упражнением. с.");
}

TEST_F(Sequencer, F1OpensARepeatedInstructionThatTheNextKeyCloses)
{
    std::vector<IMDialog*> dialogs;
    Exercise(L"Dialog1", dialogs);
    m_app->RunNextExercise();
    Key(vk::kF1);
    ASSERT_EQ(m_app->instructions.size(), 1u);
    EXPECT_TRUE(m_app->IsInstructionActive());
    EXPECT_EQ(m_app->ExtraInstructionCount(), 1);
    Key(vk::kF1);
    EXPECT_FALSE(m_app->IsInstructionActive()) << "the second F1 closes it";
    EXPECT_EQ(m_app->instructions.size(), 1u) << "and opens nothing";
    EXPECT_EQ(m_app->ExtraInstructionCount(), 1);
    Key(vk::kF1);
    Key(vk::kEscape);
    EXPECT_FALSE(m_app->IsInstructionActive()) << "Esc just closes a repeated instruction";
    EXPECT_EQ(m_app->ExtraInstructionCount(), 2);
    EXPECT_EQ(dialogs.size(), 1u) << "no exercise was started by it";
    EXPECT_EQ(m_app->endScreens, 0);
}

TEST_F(Sequencer, F1DuringAnInstructionOpensNothing)
{
    m_app->BeginInstruction();
    Key(vk::kF1);
    EXPECT_EQ(m_app->instructions.size(), 1u);
    EXPECT_EQ(m_app->ExtraInstructionCount(), 0);
}

TEST_F(Sequencer, TheExtraCountIsPerExercise)
{
    std::vector<IMDialog*> dialogs;
    Exercise(L"A", dialogs);
    Exercise(L"B", dialogs);
    m_app->RunNextExercise();
    Key(vk::kF1);
    Key(vk::kSpace);
    Key(vk::kF1);
    Key(vk::kSpace);
    EXPECT_EQ(m_app->ExtraInstructionCount(), 2);
    dialogs[0]->Close();
    ASSERT_EQ(dialogs.size(), 2u) << "B follows A";
    EXPECT_EQ(m_app->ExtraInstructionCount(), 0);
    Key(vk::kF1);
    EXPECT_EQ(m_app->ExtraInstructionCount(), 1);
}

// Closing the window from outside (the window manager's close, Alt+F4) and a SIGTERM at
// logout both end the loop without the window's Closed; the rows are saved all the same.
TEST_F(Sequencer, EndingFromOutsideKeepsThePupilsRows)
{
    for (const bool bySignal : {false, true}) {
        TempFolder shared;
        ScopedEnvironment env("PESTROL_SHARED_DIR", shared.Path().c_str());
        if (m_app == nullptr)
            m_app = RecordingApp::Instance(L"00517 Тренажер «Пестроль»", true);
        m_app->Results().OpenReport(L"Петрова");
        m_app->AddReportRow(L"Пол", L"1500", L"Number");
        if (bySignal)
            std::raise(SIGTERM);
        else
            m_app->Window()->WindowProc({msg::kClose, 0, 0});
        EXPECT_EQ(RunMessageLoop(*m_app->Window()), 0);
        RecordingApp::Release();
        m_app = nullptr;
        const auto sheets = SheetRows(shared / "VESK/00517 Тренажер «Пестроль».xls");
        ASSERT_EQ(sheets.count(L"Петрова"), 1u) << (bySignal ? "SIGTERM" : "window close");
        EXPECT_EQ(sheets.at(L"Петрова").at(0).at(0), L"Пол");
    }
}

}  // namespace
}  // namespace pestrol::test
