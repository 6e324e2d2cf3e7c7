#include "gui/IMWindow.h"

#include "gfx/IMResourceManager.h"
#include "gfx/ImageDecoder.h"
#include "gui/IMLoopPace.h"
#include "platform/Clock.h"
#include "platform/NativeWindow.h"
#include "platform/ResourceLibrary.h"

#include <cstdio>
#include <cstdlib>

namespace pestrol {

namespace {

constexpr Size kPicture{800, 600};
constexpr std::uint32_t kSizeMinimized = 1;

IMWindow* g_window = nullptr;

std::int16_t Low(std::uint32_t v) { return static_cast<std::int16_t>(v & 0xFFFF); }
std::int16_t High(std::uint32_t v) { return static_cast<std::int16_t>(v >> 16); }

void SetWindowIcon(NativeWindow& window)
{
    const ResourceLibrary* library = ResourceLibrary::Current();
    if (library == nullptr)
        return;
    if (auto bytes = library->FindNumbered(500))
        if (auto icon = DecodePng(bytes->bytes()))
            window.SetIcon(icon->pixels, {icon->width, icon->height});
}

}  // namespace

IMWindow::IMWindow(std::unique_ptr<NativeWindow> native)
    : IMDialog(nullptr, std::nullopt, 0), m_native(std::move(native))
{
    g_window = this;
    IMTimerHost::SetMain(this);
}

IMWindow::~IMWindow()
{
    FlushRemovals();
    DestroyRenderer();
    g_window = nullptr;
    IMTimerHost::SetMain(nullptr);
    m_timers.clear();
    // The desktop window goes last, after the tree that draws into it.
}

long IMWindow::Detach()
{
    m_native->PostQuit();
    return 0;
}

long IMWindow::Update()
{
    const std::optional<Point> cursor = m_native->CursorPosition();
    if (cursor && !IsMouseOver())
        HandleMouseEnter(IMMouseEvent(this, code::kMouseEntered, 0, cursor->x, cursor->y));
    else if (!cursor && IsMouseOver())
        HandleMouseLeave(IMMouseEvent(this, code::kMouseLeft, 0, 0, 0));
    return 0;
}

long IMWindow::Render()
{
    IMResourceManager* manager = ResourceManager();
    if (m_inactive || manager == nullptr)
        return 0;
    if (!IsDirty()) {
        manager->CountIdlePass();
        return 0;
    }
    manager->BeginFrame();
    HandleDraw(IMEvent(this, code::kDraw));
    manager->EndFrame();
    SetDirty(false);
    return 0;
}

long IMWindow::WindowProc(const WindowMessage& m)
{
    IMResourceManager* manager = ResourceManager();
    if (manager != nullptr && manager->HandleSoundMessage(m.message, m.wParam, m.lParam))
        return 0;
    switch (m.message) {
    case msg::kKeyDown:
    case msg::kKeyUp:
    case msg::kChar:
    case msg::kSysKeyDown:
    case msg::kSysKeyUp:
        HandleKey(IMKeyboardEvent(this, m.message, m.wParam, m.lParam));
        break;
    case msg::kMouseMove:
        if (manager == nullptr || !manager->IsDeviceLost())
            HandleMouseMove(IMMouseEvent(this, m.message, m.wParam, Low(m.lParam), High(m.lParam)));
        break;
    case msg::kLButtonDown:
    case msg::kLButtonUp:
    case msg::kLButtonDblClk:
    case msg::kRButtonDown:
    case msg::kRButtonUp:
    case msg::kMButtonDown:
    case msg::kMButtonUp:
    case msg::kMouseWheel:
        HandleMouseButton(IMMouseEvent(this, m.message, m.wParam, Low(m.lParam), High(m.lParam)));
        break;
    case msg::kClose:
        HandleClose(IMEvent(this, code::kClose));
        break;
    case msg::kDestroy:
        m_native->PostQuit();
        break;
    case msg::kPaint:
        if (manager != nullptr && manager->IsDeviceLost() && !manager->RestoreDevice())
            break;
        SetDirty(true);
        break;
    case msg::kShowWindow:
        m_inactive = m.wParam == 0;
        break;
    case msg::kSize:
        m_inactive = m.wParam == kSizeMinimized;
        break;
    case msg::kEnterSizeMove:
        m_inactive = true;
        break;
    case msg::kExitSizeMove:
        m_inactive = false;
        break;
    default:
        break;
    }
    return 0;
}

std::int32_t IMWindow::AddTimer(std::uint32_t interval)
{
    auto timer = std::make_shared<Timer>();
    timer->interval = interval;
    timer->lastFiring = static_cast<std::int64_t>(PerformanceCounter());
    m_timers[++m_lastTimerId] = std::move(timer);
    return m_lastTimerId;
}

IMConnection IMWindow::ConnectTimer(std::int32_t id, const TimerSignal::slot_type& handler)
{
    auto it = m_timers.find(id);
    if (id == 0 || it == m_timers.end())
        return {};
    return it->second->signal.connect(handler);
}

void IMWindow::RemoveTimer(std::int32_t id)
{
    auto it = m_timers.find(id);
    if (id == 0 || it == m_timers.end())
        return;
    it->second->signal.disconnect_all_slots();
    m_timers.erase(it);
}

std::optional<std::uint32_t> IMWindow::FireTimers()
{
    if (m_timers.empty())
        return std::nullopt;
    const auto now = static_cast<std::int64_t>(PerformanceCounter());
    const auto frequency = static_cast<std::int64_t>(PerformanceFrequency());
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        const std::int32_t id = it->first;
        const std::shared_ptr<Timer> timer = it->second;
        const auto elapsed = static_cast<std::uint32_t>((now - timer->lastFiring) * 1000 / frequency);
        if (elapsed >= timer->interval) {
            timer->lastFiring = static_cast<std::int64_t>(PerformanceCounter());
            Raise(timer->signal, IMEvent(this, code::kStateChange), this);
        }
        // The handler may have removed its own timer and added others.
        it = m_timers.upper_bound(id);
    }
    // How long the loop may sleep: until the first timer is due.
    const auto later = static_cast<std::int64_t>(PerformanceCounter());
    std::uint32_t wait = UINT32_MAX;
    for (const auto& [id, timer] : m_timers) {
        const std::int64_t elapsed = (later - timer->lastFiring) * 1000 / frequency;
        const std::int64_t left = static_cast<std::int64_t>(timer->interval) - elapsed;
        wait = std::min<std::uint32_t>(wait, left > 0 ? static_cast<std::uint32_t>(left) : 0);
    }
    return wait;
}

IMWindow* CreateMainWindow(std::optional<Rect> rect, const std::wstring& title, bool windowed)
{
    const Size size = rect ? Size{rect->Width(), rect->Height()} : kPicture;
    std::unique_ptr<NativeWindow> native = NativeWindow::Create(title, size, windowed);
    if (!native)
        std::exit(1);
    SetWindowIcon(*native);
    CreateRenderer(native->Handle(), windowed);
    return new IMWindow(std::move(native));
}

int RunMessageLoop(IMWindow& window)
{
    NativeWindow& native = window.Native();
    for (;;) {
        if (const std::optional<WindowMessage> m = native.PeekMessage()) {
            if (m->message == msg::kQuit)
                return 0;
            window.WindowProc(*m);
            continue;
        }
        IMResourceManager* manager = ResourceManager();
        if (manager == nullptr || !manager->IsDeviceLost()) {
            window.HandleIdle(IMEvent(&window, code::kIdle));
            window.Render();
        }
        const std::optional<std::uint32_t> nextTimer = window.FireTimers();
        // A still screen sleeps until its next timer or the next input; a moving one
        // comes back every millisecond.
        int wait = nextTimer ? static_cast<int>(std::min<std::uint32_t>(*nextTimer, 1000000)) : -1;
        if (TakeFastPassRequest())
            wait = 1;
        native.WaitForInput(wait);
    }
}

IMWindow* MainWindow()
{
    return g_window;
}

}  // namespace pestrol
