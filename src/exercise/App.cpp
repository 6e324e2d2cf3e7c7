#include "exercise/App.h"

#include "exercise/ControlPanel.h"

#include <boost/bind/bind.hpp>

namespace pestrol {

namespace {

constexpr Rect kTargetFrame{320, 20, 320 + 188, 20 + 316};
constexpr std::int32_t kTargetFrameLayer = 50;
constexpr float kTargetScale = 0.7f;
constexpr Rect kFigureContainer{300, 0, 300 + 250, 467};

}  // namespace

App::App()
{
    m_resourceNumber = L"00517";
    m_exerciseTitle = L"Тренажер «Пестроль»";
    m_description =
        L"   Тренажёр позволяет изменять внешность нарисованного человека. Левая половина экрана — это панель управления, а в правой половине нарисован мальчик или девочка, немного сдвинутые вправо и вниз. Слева и выше рисунка показан вариант внешности, который задумал компьютер.\n"
        L"   Задача ученика — с помощью панели управления повторить вариант компьютера: выбрать пол, одежду, обувь, причёску и все цвета. Перед работой с тренажёром желательно показать ученикам другую анимацию этого же курса.";
}

long App::Restart()
{
    m_targetFrame->Hide();
    return IMApp::Restart();
}

long App::Init()
{
    using boost::placeholders::_1;
    PrepareTarget(CalendarSeconds());
    RegisterExercise(L"Dialog1", boost::bind(&App::BuildExerciseScreen, this, _1));
    return 0;
}

void App::PrepareTarget(std::time_t now)
{
    const Rect& r = kTargetFrame;
    m_targetFrame = m_window->CreateDialog(r.left, r.top, r.Width(), r.Height(), kTargetFrameLayer);
    m_targetFrame->CreatePicture(0, 0, L"160");
    m_target = std::make_unique<girlview>(m_targetFrame);
    m_target->scaleX = kTargetScale;
    m_target->scaleY = kTargetScale;
    m_target->Refresh();
    m_targetFrame->Hide();
    GenerateTarget(*m_target, now);
}

void App::ReplaceTarget(std::time_t now)
{
    m_targetFrame->Close();
    m_target.reset();
    PrepareTarget(now);
}

void App::BuildExerciseScreen(IMDialog* screen)
{
    using boost::placeholders::_1;
    ShowCursor(true);
    m_mark = m_clock();
    m_timers.fill({});
    m_targetFrame->Show();

    auto* panel = new ControlPanel(screen);
    screen->CreatePicture(300, 0, L"158");

    const Rect& r = kFigureContainer;
    IMDialog* container = screen->CreateDialog(r.left, r.top, r.Width(), r.Height());
    m_pupil = std::make_unique<girlview>(container);
    m_pupil->markTime = &m_mark;
    m_pupil->timers = &m_timers;
    m_pupil->Changed.connect(boost::bind(&App::OnFigureChanged, this, _1));

    panel->Build(m_pupil.get(), container);
}

void App::OnFigureChanged(const girlview* pupil)
{
    TimeAttributes(pupil->GetAppearance(), m_target->GetAppearance(), *pupil->markTime,
                   *pupil->timers, m_clock);
    if (AppearancesEqual(*pupil, *m_target))
        CompleteAttempt();
}

// The rows of the times, the completion sound with the praise after it and the next
// target come with the frame's screens.
void App::CompleteAttempt() {}

}  // namespace pestrol
