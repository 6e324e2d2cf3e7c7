#pragma once

#include "gui/IMWindow.h"
#include "platform/Clock.h"
#include "platform/NativeWindow.h"
#include "platform/Random.h"
#include "report/ResultsRecord.h"

#include <boost/bind/bind.hpp>
#include <boost/function.hpp>
#include <boost/signals2/shared_connection_block.hpp>

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace pestrol {

// Fills an exercise's dialog with the exercise.
using ExerciseBuilder = boost::function<void(IMDialog*)>;

// The one application object of the process: it owns the main window and the pupil's
// results, holds the table of exercises and runs them one after the other, and shows the
// frame's screens through its virtual operations. `T` is the concrete exercise class.
template <class T>
class IMApp {
public:
    virtual ~IMApp();
    virtual long Restart();
    virtual long Init() { return 0; }
    virtual long ShowStartScreen() { return 0; }
    virtual long ShowEndScreen() { return 0; }
    virtual long PraiseWithExit(IMDialog*) { return 0; }
    virtual long Praise(std::int32_t, std::int32_t) { return 0; }
    virtual long ShowInstruction(IMDialog*) { return 0; }
    virtual long OnExitKey(const IMKeyboardEvent& e);

    // The object, made with its main window on the first call; later calls only count.
    static T* Instance(const std::wstring& title, bool windowed);
    // Undoes one Instance; the last deletes the window, the report and the object.
    static void Release();

    void RegisterExercise(const std::wstring& name, ExerciseBuilder builder);
    void SelectExercise(const std::wstring& name);
    long RunNextExercise();
    long BeginInstruction();
    long OnRepeatInstructionKey(const IMKeyboardEvent& e);
    void SetPupilName(const std::wstring& name) { m_pupilName = name; }
    long ShowExitMenu() { return 0; }

    // Rows go to the pupil's worksheet; dropped while there is no report.
    void AddReportRow(const std::wstring& label, const std::wstring& value,
                      const std::wstring& type)
    {
        m_results->AddReportRow(label, value, type);
    }

    IMWindow* Window() const { return m_window; }
    ResultsRecord& Results() { return *m_results; }
    IMDialog* ExerciseDialog() const { return m_exerciseDialog; }
    const std::wstring& CurrentExercise() const { return m_currentExercise; }
    bool IsInstructionActive() const { return m_instructionActive; }
    int ExtraInstructionCount() const { return m_results->ExtraInstructionCalls(); }
    const std::wstring& PupilName() const { return m_pupilName; }
    const std::wstring& Title() const { return m_windowTitle; }
    const std::wstring& Description() const { return m_description; }
    const std::wstring& ExerciseTitle() const { return m_exerciseTitle; }
    const std::wstring& ResourceNumber() const { return m_resourceNumber; }

protected:
    IMApp() = default;

    IMDialog* m_exitMenu = nullptr;
    IMWindow* m_window = nullptr;
    std::wstring m_currentExercise;
    std::map<std::wstring, ExerciseBuilder> m_exercises;
    IMDialog* m_exerciseDialog = nullptr;
    IMConnection m_instructionKey;
    std::optional<boost::signals2::shared_connection_block> m_instructionKeyBlock;
    std::unique_ptr<ResultsRecord> m_results;
    std::wstring m_windowTitle;
    bool m_instructionActive = false;
    std::wstring m_description;
    std::wstring m_exerciseTitle;
    std::wstring m_resourceNumber;
    std::wstring m_pupilName;

private:
    // Closes an instruction dialog on a key: any key, or only `key` when it is not 0.
    long CloseInstructionOnKey(const IMKeyboardEvent& e, IMDialog* dialog, std::uint32_t key);

    static inline T* s_instance = nullptr;
    static inline std::uint32_t s_references = 0;
};

template <class T>
IMApp<T>::~IMApp()
{
    s_instance = nullptr;
}

template <class T>
T* IMApp<T>::Instance(const std::wstring& title, bool windowed)
{
    using boost::placeholders::_1;
    if (s_instance == nullptr) {
        T* app = new T();
        s_instance = app;
        app->m_window = CreateMainWindow(std::nullopt, title, windowed);
        app->m_results = std::make_unique<ResultsRecord>(title);
        app->m_window->KeyDown.connect(boost::bind(&IMApp::OnRepeatInstructionKey, app, _1));
        app->m_window->KeyDown.connect(boost::bind(&IMApp::OnExitKey, app, _1));
        // Whatever ends the program through the window's Close keeps the pupil's rows.
        app->m_window->Closed.connect([app](const IMEvent&) {
            app->m_results->SaveReport();
            return 0L;
        });
        app->m_windowTitle = title;
        app->Init();
        Srand(static_cast<unsigned int>(CalendarSeconds()));
    }
    ++s_references;
    return s_instance;
}

template <class T>
void IMApp<T>::Release()
{
    if (s_references == 0 || --s_references != 0)
        return;
    T* app = s_instance;
    delete app->m_window;
    app->m_window = nullptr;
    app->m_results.reset();  // saves what is not saved yet
    delete app;
}

template <class T>
long IMApp<T>::Restart()
{
    if (m_exitMenu != nullptr) {
        m_exitMenu->Hide();
        m_exitMenu->Close();
        m_exitMenu = nullptr;
    }
    if (m_exerciseDialog == nullptr)
        return 1;
    m_exerciseDialog->Close();
    m_currentExercise = m_exercises.empty() ? std::wstring() : m_exercises.begin()->first;
    m_exerciseDialog = nullptr;
    ShowStartScreen();
    return 0;
}

template <class T>
long IMApp<T>::OnExitKey(const IMKeyboardEvent& e)
{
    if (e.m_wParam == vk::kF12)
        ShowExitMenu();
    return 0;
}

template <class T>
void IMApp<T>::RegisterExercise(const std::wstring& name, ExerciseBuilder builder)
{
    if (name.empty())
        return;
    m_exercises.emplace(name, std::move(builder));
    if (m_currentExercise.empty())
        SelectExercise(name);
}

template <class T>
void IMApp<T>::SelectExercise(const std::wstring& name)
{
    if (m_exercises.contains(name))
        m_currentExercise = name;
}

template <class T>
long IMApp<T>::RunNextExercise()
{
    m_exerciseDialog = nullptr;
    if (m_window->IsFrozen())
        return 0;
    ShowCursor(true);
    if (m_currentExercise.empty()) {
        m_results->EndAttempt();
        ShowEndScreen();
        return 0;
    }
    m_results->BeginAttempt();
    auto entry = m_exercises.find(m_currentExercise);
    if (entry == m_exercises.end())
        return 0;
    IMDialog* dialog = new IMDialog(m_window, std::nullopt, 0);
    m_exerciseDialog = dialog;
    dialog->SetFocused(true);
    dialog->Closed.connect(boost::bind(&IMApp::RunNextExercise, this));
    const auto next = std::next(entry);
    m_currentExercise = next == m_exercises.end() ? std::wstring() : next->first;
    entry->second(dialog);
    return 0;
}

template <class T>
long IMApp<T>::CloseInstructionOnKey(const IMKeyboardEvent& e, IMDialog* dialog,
                                     std::uint32_t key)
{
    if (key != 0 && e.m_wParam != key)
        return 0;
    dialog->Close();
    m_instructionActive = false;
    return 0;
}

template <class T>
long IMApp<T>::BeginInstruction()
{
    using boost::placeholders::_1;
    m_instructionActive = true;
    IMDialog* dialog = new IMDialog(m_window, std::nullopt, 0);
    // Bound to the dialog, so the connection goes when the dialog does.
    m_window->KeyDown.connect(
        boost::bind(&IMApp::CloseInstructionOnKey, this, _1, dialog, vk::kEscape));
    dialog->Closed.connect(boost::bind(&IMApp::RunNextExercise, this));
    ShowInstruction(dialog);
    return 0;
}

template <class T>
long IMApp<T>::OnRepeatInstructionKey(const IMKeyboardEvent& e)
{
    using boost::placeholders::_1;
    if (m_instructionKey.connected() && m_instructionKey.blocked())
        m_instructionKeyBlock.reset();
    if (m_instructionActive || e.m_wParam != vk::kF1)
        return 0;
    m_results->CountExtraInstructionCall();
    IMDialog* dialog = new IMDialog(m_window, std::nullopt, 0);
    m_instructionKey.disconnect();
    // Connected blocked, so the F1 that opened it does not close it; the next key does.
    m_instructionKey =
        m_window->KeyDown.connect(boost::bind(&IMApp::CloseInstructionOnKey, this, _1, dialog, 0u));
    m_instructionKeyBlock.emplace(m_instructionKey);
    m_instructionActive = true;
    ShowInstruction(dialog);
    return 0;
}

}  // namespace pestrol
