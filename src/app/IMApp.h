#pragma once

#include "gui/IMEditBar.h"
#include "gui/IMWindow.h"
#include "platform/Clock.h"
#include "platform/NativeWindow.h"
#include "platform/Random.h"
#include "report/IMSaveAsDialog.h"
#include "report/IMSelectPrinterDialog.h"
#include "report/ReportPrinter.h"
#include "report/ResultsRecord.h"
#include "screens/CreditsScreen.h"
#include "screens/EndScreen.h"
#include "screens/ExitMenu.h"
#include "screens/InstructionScreen.h"
#include "screens/StartScreen.h"

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
    virtual long ShowStartScreen();
    virtual long ShowEndScreen();
    virtual long PraiseWithExit(IMDialog*) { return 0; }
    virtual long Praise(std::int32_t, std::int32_t) { return 0; }
    virtual long ShowInstruction(IMDialog* dialog);
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

    // The end of an instruction's narration: the spoken prompt with the keyboard, the mouse
    // and the blinking space bar; from now on Space closes the instruction.
    long ShowClosingPrompt(IMDialog* dialog);
    // Ctrl with the I key: the credits screen, unless it is open.
    long ShowCredits(const IMKeyboardEvent& e);
    long ShowExitMenu();
    long CloseExitMenu();
    // Enter in the start screen's name field starts as the Start button does.
    long OnStartKey(const IMKeyboardEvent& e, IMEditBar* nameField, IMDialog* startScreen);
    // Enter on the end screen runs the exercises again at once.
    long OnEndKey(const IMKeyboardEvent& e, IMDialog* endScreen);
    // The end screen's Print: the printer dialog over the end screen; its Print prints the
    // report on the picked printer and closes it.
    long OnPrint();
    // The end screen's Save As: the save-as dialog over the end screen.
    long OnSaveAs();

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
    // The name opens the pupil's report and is kept; the instruction comes over the start
    // screen, which then closes.
    long StartWork(IMEditBar* nameField, IMDialog* startScreen);
    // The report on the dialog's printer, if one is picked and takes the job.
    long PrintReportOn(IMSelectPrinterDialog* dialog);
    // Closes the dialog once the report is written there; otherwise says so in it.
    long SaveReportAs(IMSaveAsDialog* dialog);
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
        app->m_window->KeyDown.connect(boost::bind(&IMApp::ShowCredits, app, _1));
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
    CloseExitMenu();
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

template <class T>
long IMApp<T>::ShowStartScreen()
{
    using boost::placeholders::_1;
    const StartScreen screen =
        BuildStartScreen(m_window, {m_resourceNumber, m_exerciseTitle, m_description});
    screen.startButton->Clicked.connect(
        boost::bind(&IMApp::StartWork, this, screen.nameField, screen.dialog));
    screen.exitButton->Clicked.connect(boost::bind(&IMControl::Close, m_window));
    screen.dialog->KeyMessage.connect(
        boost::bind(&IMApp::OnStartKey, this, _1, screen.nameField, screen.dialog));
    return 0;
}

template <class T>
long IMApp<T>::StartWork(IMEditBar* nameField, IMDialog* startScreen)
{
    m_results->OpenReport(nameField->GetText());
    SetPupilName(nameField->GetText());
    BeginInstruction();
    startScreen->Close();
    return 0;
}

template <class T>
long IMApp<T>::OnStartKey(const IMKeyboardEvent& e, IMEditBar* nameField, IMDialog* startScreen)
{
    if (e.m_wParam == vk::kReturn)
        StartWork(nameField, startScreen);
    return 0;
}

template <class T>
long IMApp<T>::ShowEndScreen()
{
    using boost::placeholders::_1;
    const bool hasReport = m_results->Report() != nullptr;
    const EndScreen screen =
        BuildEndScreen(m_window, {m_resourceNumber, m_exerciseTitle, m_pupilName}, hasReport);
    if (hasReport) {
        screen.printButton->Clicked.connect(boost::bind(&IMApp::OnPrint, this));
        screen.saveAsButton->Clicked.connect(boost::bind(&IMApp::OnSaveAs, this));
    }
    if (!m_exercises.empty())
        m_currentExercise = m_exercises.begin()->first;
    screen.retryButton->Clicked.connect(boost::bind(&IMApp::ShowStartScreen, this));
    screen.retryButton->Clicked.connect(boost::bind(&IMControl::Close, screen.dialog));
    screen.closeButton->Clicked.connect(boost::bind(&IMControl::Close, m_window));
    screen.exitButton->Clicked.connect(boost::bind(&IMControl::Close, m_window));
    screen.dialog->KeyMessage.connect(boost::bind(&IMApp::OnEndKey, this, _1, screen.dialog));
    return 0;
}

template <class T>
long IMApp<T>::OnEndKey(const IMKeyboardEvent& e, IMDialog* endScreen)
{
    if (e.m_wParam != vk::kReturn)
        return 0;
    RunNextExercise();
    endScreen->Close();
    return 0;
}

template <class T>
long IMApp<T>::OnPrint()
{
    if (m_results->Report() == nullptr)
        return 0;
    auto* dialog = new IMSelectPrinterDialog(m_window);
    dialog->GetPrintButton()->Clicked.connect(boost::bind(&IMApp::PrintReportOn, this, dialog));
    dialog->GetPrintButton()->Clicked.connect(boost::bind(&IMControl::Close, dialog));
    return 0;
}

template <class T>
long IMApp<T>::PrintReportOn(IMSelectPrinterDialog* dialog)
{
    if (const SpreadsheetReport* report = m_results->Report())
        PrintReport(dialog->GetPrinterDC(), {m_resourceNumber, m_exerciseTitle, m_pupilName},
                    *report);
    return 0;
}

template <class T>
long IMApp<T>::OnSaveAs()
{
    const SpreadsheetReport* report = m_results->Report();
    if (report == nullptr)
        return 0;
    auto* dialog = new IMSaveAsDialog(m_window);
    dialog->SetPath(report->Path());
    dialog->SetFocused(true);
    dialog->GetSaveAsButton()->Clicked.connect(boost::bind(&IMApp::SaveReportAs, this, dialog));
    return 0;
}

template <class T>
long IMApp<T>::SaveReportAs(IMSaveAsDialog* dialog)
{
    if (m_results->SaveReportAs(dialog->GetText()))
        dialog->Close();
    else
        dialog->SetNotice(L"Не удалось сохранить отчёт сюда: проверьте имя файла и папку.");
    return 0;
}

template <class T>
long IMApp<T>::ShowInstruction(IMDialog* dialog)
{
    BuildDefaultInstruction(dialog);
    // The page closes itself too, and then no instruction is shown any more.
    dialog->Closed.connect([this](const IMEvent&) {
        m_instructionActive = false;
        return 0L;
    });
    return 0;
}

template <class T>
long IMApp<T>::ShowClosingPrompt(IMDialog* dialog)
{
    using boost::placeholders::_1;
    BuildClosingPrompt(dialog);
    m_window->KeyDown.connect(
        boost::bind(&IMApp::CloseInstructionOnKey, this, _1, dialog, vk::kSpace));
    return 0;
}

template <class T>
long IMApp<T>::ShowCredits(const IMKeyboardEvent& e)
{
    if (CreditsScreen::IsCreditsKey(e.m_wParam) && IsControlKeyDown())
        CreditsScreen::Open(m_window);
    return 0;
}

template <class T>
long IMApp<T>::ShowExitMenu()
{
    if (m_exitMenu != nullptr)
        return 0;
    ShowCursor(true);
    const ExitMenu menu = BuildExitMenu(m_window);
    m_exitMenu = menu.dialog;
    menu.retryButton->Clicked.connect(boost::bind(&IMApp::Restart, this));
    menu.closeButton->Clicked.connect(boost::bind(&IMControl::Close, m_window));
    menu.cancelButton->Clicked.connect(boost::bind(&IMApp::CloseExitMenu, this));
    return 0;
}

template <class T>
long IMApp<T>::CloseExitMenu()
{
    if (m_exitMenu == nullptr)
        return 0;
    m_exitMenu->Hide();
    m_exitMenu->Close();
    m_exitMenu = nullptr;
    return 0;
}

}  // namespace pestrol
