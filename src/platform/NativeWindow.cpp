#include "platform/NativeWindow.h"

#include "platform/Utf8.h"

#include <SDL.h>

#include <array>
#include <cstdio>

namespace pestrol {

namespace {

// Virtual-key codes by physical key.
std::uint32_t VirtualKey(SDL_Scancode code)
{
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z)
        return vk::kA + (code - SDL_SCANCODE_A);
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9)
        return vk::k0 + 1 + (code - SDL_SCANCODE_1);
    if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F12)
        return vk::kF1 + (code - SDL_SCANCODE_F1);
    if (code >= SDL_SCANCODE_KP_1 && code <= SDL_SCANCODE_KP_9)
        return vk::kNumpad0 + 1 + (code - SDL_SCANCODE_KP_1);
    switch (code) {
    case SDL_SCANCODE_0: return vk::k0;
    case SDL_SCANCODE_KP_0: return vk::kNumpad0;
    case SDL_SCANCODE_RETURN: case SDL_SCANCODE_KP_ENTER: return vk::kReturn;
    case SDL_SCANCODE_ESCAPE: return vk::kEscape;
    case SDL_SCANCODE_BACKSPACE: return vk::kBack;
    case SDL_SCANCODE_TAB: return vk::kTab;
    case SDL_SCANCODE_SPACE: return vk::kSpace;
    case SDL_SCANCODE_LSHIFT: case SDL_SCANCODE_RSHIFT: return vk::kShift;
    case SDL_SCANCODE_LCTRL: case SDL_SCANCODE_RCTRL: return vk::kControl;
    case SDL_SCANCODE_LALT: case SDL_SCANCODE_RALT: return vk::kMenu;
    case SDL_SCANCODE_PAUSE: return vk::kPause;
    case SDL_SCANCODE_CAPSLOCK: return vk::kCapital;
    case SDL_SCANCODE_PAGEUP: return vk::kPrior;
    case SDL_SCANCODE_PAGEDOWN: return vk::kNext;
    case SDL_SCANCODE_END: return vk::kEnd;
    case SDL_SCANCODE_HOME: return vk::kHome;
    case SDL_SCANCODE_LEFT: return vk::kLeft;
    case SDL_SCANCODE_UP: return vk::kUp;
    case SDL_SCANCODE_RIGHT: return vk::kRight;
    case SDL_SCANCODE_DOWN: return vk::kDown;
    case SDL_SCANCODE_INSERT: return vk::kInsert;
    case SDL_SCANCODE_DELETE: return vk::kDelete;
    case SDL_SCANCODE_KP_MULTIPLY: return vk::kMultiply;
    case SDL_SCANCODE_KP_PLUS: return vk::kAdd;
    case SDL_SCANCODE_KP_MINUS: return vk::kSubtract;
    case SDL_SCANCODE_KP_PERIOD: return vk::kDecimal;
    case SDL_SCANCODE_KP_DIVIDE: return vk::kDivide;
    case SDL_SCANCODE_SEMICOLON: return vk::kOem1;
    case SDL_SCANCODE_EQUALS: return vk::kOemPlus;
    case SDL_SCANCODE_COMMA: return vk::kOemComma;
    case SDL_SCANCODE_MINUS: return vk::kOemMinus;
    case SDL_SCANCODE_PERIOD: return vk::kOemPeriod;
    case SDL_SCANCODE_SLASH: return vk::kOem2;
    case SDL_SCANCODE_GRAVE: return vk::kOem3;
    case SDL_SCANCODE_LEFTBRACKET: return vk::kOem4;
    case SDL_SCANCODE_BACKSLASH: return vk::kOem5;
    case SDL_SCANCODE_RIGHTBRACKET: return vk::kOem6;
    case SDL_SCANCODE_APOSTROPHE: return vk::kOem7;
    default: return 0;
    }
}

// Keys whose press also types a control character, as on Windows.
std::uint32_t ControlCharacter(std::uint32_t key)
{
    switch (key) {
    case vk::kBack: return 8;
    case vk::kTab: return 9;
    case vk::kReturn: return 13;
    case vk::kEscape: return 27;
    default: return 0;
    }
}

std::uint32_t ButtonFlag(std::uint8_t button)
{
    switch (button) {
    case SDL_BUTTON_LEFT: return mk::kLButton;
    case SDL_BUTTON_RIGHT: return mk::kRButton;
    case SDL_BUTTON_MIDDLE: return mk::kMButton;
    default: return 0;
    }
}

std::uint32_t PointParam(std::int32_t x, std::int32_t y)
{
    return (static_cast<std::uint32_t>(y & 0xFFFF) << 16) | static_cast<std::uint32_t>(x & 0xFFFF);
}

int g_cursorCount = 0;

}  // namespace

std::unique_ptr<NativeWindow> NativeWindow::Create(const std::wstring& title, Size size,
                                                   bool windowed)
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL video: %s\n", SDL_GetError());
        return nullptr;
    }
    const std::string name = ToUtf8(title);
    SDL_Window* window = nullptr;
    if (windowed) {
        window = SDL_CreateWindow(name.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                  size.width, size.height, 0);
    } else {
        // Made at the display's bounds: an X server without a window manager would keep a
        // smaller window where it was made.
        SDL_Rect bounds{0, 0, size.width, size.height};
        SDL_GetDisplayBounds(0, &bounds);
        window = SDL_CreateWindow(name.c_str(), bounds.x, bounds.y, bounds.w, bounds.h,
                                  SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS);
    }
    if (window == nullptr) {
        std::fprintf(stderr, "SDL window: %s\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    SDL_EventState(SDL_DROPFILE, SDL_DISABLE);
    SDL_StartTextInput();
    return std::unique_ptr<NativeWindow>(new NativeWindow(window, size));
}

NativeWindow::~NativeWindow()
{
    SDL_DestroyWindow(m_window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void NativeWindow::SetIcon(const std::vector<Colour>& argb, Size size)
{
    if (argb.size() != static_cast<std::size_t>(size.width) * size.height || argb.empty())
        return;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<Colour*>(argb.data()), size.width, size.height, 32, size.width * 4,
        SDL_PIXELFORMAT_ARGB8888);
    if (icon == nullptr)
        return;
    SDL_SetWindowIcon(m_window, icon);
    SDL_FreeSurface(icon);
}

std::optional<WindowMessage> NativeWindow::PeekMessage()
{
    SDL_Event event;
    while (SDL_PollEvent(&event))
        Translate(event);
    if (m_pending.empty())
        return std::nullopt;
    const WindowMessage message = m_pending.front();
    m_pending.pop_front();
    return message;
}

void NativeWindow::WaitForInput(int timeoutMs)
{
    if (!m_pending.empty())
        return;
    if (timeoutMs < 0)
        SDL_WaitEvent(nullptr);
    else
        SDL_WaitEventTimeout(nullptr, timeoutMs);
}

void NativeWindow::PostQuit()
{
    Post(msg::kQuit, 0, 0);
}

std::optional<Point> NativeWindow::CursorPosition() const
{
    if (SDL_GetMouseFocus() != m_window)
        return std::nullopt;
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    float lx = float(x), ly = float(y);
    if (SDL_Renderer* renderer = SDL_GetRenderer(m_window))
        SDL_RenderWindowToLogical(renderer, x, y, &lx, &ly);
    const Point p{static_cast<std::int32_t>(lx), static_cast<std::int32_t>(ly)};
    if (p.x < 0 || p.y < 0 || p.x >= m_size.width || p.y >= m_size.height)
        return std::nullopt;
    return p;
}

void NativeWindow::Post(MessageId message, std::uint32_t wParam, std::uint32_t lParam)
{
    m_pending.push_back({message, wParam, lParam});
}

std::uint32_t NativeWindow::MouseFlags() const
{
    std::uint32_t flags = m_buttons;
    if (m_modifiers & KMOD_SHIFT)
        flags |= mk::kShift;
    if (m_modifiers & KMOD_CTRL)
        flags |= mk::kControl;
    return flags;
}

void NativeWindow::Translate(const SDL_Event& event)
{
    if (auto registered = ReadRegisteredMessage(event)) {
        m_pending.push_back(*registered);
        return;
    }
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        TranslateKey(event);
        break;
    case SDL_TEXTINPUT:
        for (wchar_t c : FromUtf8(event.text.text))
            Post(msg::kChar, static_cast<std::uint32_t>(c), 1);
        break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
        TranslateMouse(event);
        break;
    case SDL_WINDOWEVENT:
        TranslateWindow(event);
        break;
    case SDL_QUIT:  // the window's close button, Alt+F4, or SIGTERM and SIGINT
        Post(msg::kClose, 0, 0);
        break;
    default:
        break;
    }
}

void NativeWindow::TranslateKey(const SDL_Event& event)
{
    const SDL_KeyboardEvent& key = event.key;
    m_modifiers = key.keysym.mod;
    const std::uint32_t code = VirtualKey(key.keysym.scancode);
    if (code == 0)
        return;
    const bool down = key.type == SDL_KEYDOWN;
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    std::uint32_t lParam = 1 | (static_cast<std::uint32_t>(key.keysym.scancode & 0xFF) << 16);
    if (alt)
        lParam |= 1u << 29;
    if (!down || key.repeat)
        lParam |= 1u << 30;
    if (!down)
        lParam |= 1u << 31;
    const MessageId message = down ? (alt ? msg::kSysKeyDown : msg::kKeyDown)
                                   : (alt ? msg::kSysKeyUp : msg::kKeyUp);
    Post(message, code, lParam);
    if (down && !alt)
        if (const std::uint32_t c = ControlCharacter(code))
            Post(msg::kChar, c, lParam);
}

void NativeWindow::TranslateMouse(const SDL_Event& event)
{
    std::int32_t x = 0, y = 0;
    switch (event.type) {
    case SDL_MOUSEMOTION:
        m_buttons = 0;
        if (event.motion.state & SDL_BUTTON_LMASK) m_buttons |= mk::kLButton;
        if (event.motion.state & SDL_BUTTON_RMASK) m_buttons |= mk::kRButton;
        if (event.motion.state & SDL_BUTTON_MMASK) m_buttons |= mk::kMButton;
        x = event.motion.x;
        y = event.motion.y;
        break;
    case SDL_MOUSEBUTTONDOWN:
        m_buttons |= ButtonFlag(event.button.button);
        x = event.button.x;
        y = event.button.y;
        break;
    case SDL_MOUSEBUTTONUP:
        m_buttons &= ~ButtonFlag(event.button.button);
        x = event.button.x;
        y = event.button.y;
        break;
    case SDL_MOUSEWHEEL:
        x = event.wheel.mouseX;
        y = event.wheel.mouseY;
        break;
    }
    // Points in the letterbox bars are outside the picture.
    if (x < 0 || y < 0 || x >= m_size.width || y >= m_size.height)
        return;
    const std::uint32_t where = PointParam(x, y);
    if (event.type == SDL_MOUSEMOTION) {
        Post(msg::kMouseMove, MouseFlags(), where);
    } else if (event.type == SDL_MOUSEWHEEL) {
        const auto delta = static_cast<std::int16_t>(event.wheel.y * 120);
        Post(msg::kMouseWheel, (static_cast<std::uint32_t>(static_cast<std::uint16_t>(delta)) << 16) | MouseFlags(), where);
    } else {
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        const bool twice = down && event.button.clicks == 2;
        MessageId message = 0;
        switch (event.button.button) {
        case SDL_BUTTON_LEFT:
            message = twice ? msg::kLButtonDblClk : down ? msg::kLButtonDown : msg::kLButtonUp;
            break;
        case SDL_BUTTON_RIGHT:
            message = twice ? msg::kRButtonDblClk : down ? msg::kRButtonDown : msg::kRButtonUp;
            break;
        case SDL_BUTTON_MIDDLE:
            message = twice ? msg::kMButtonDblClk : down ? msg::kMButtonDown : msg::kMButtonUp;
            break;
        default:
            return;
        }
        Post(message, MouseFlags(), where);
    }
}

void NativeWindow::TranslateWindow(const SDL_Event& event)
{
    switch (event.window.event) {
    case SDL_WINDOWEVENT_EXPOSED: Post(msg::kPaint, 0, 0); break;
    case SDL_WINDOWEVENT_SHOWN: Post(msg::kShowWindow, 1, 0); break;
    case SDL_WINDOWEVENT_HIDDEN: Post(msg::kShowWindow, 0, 0); break;
    case SDL_WINDOWEVENT_MINIMIZED: Post(msg::kSize, 1, 0); break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED: Post(msg::kSize, 0, 0); break;
    default: break;
    }
}

int ShowCursor(bool show)
{
    g_cursorCount += show ? 1 : -1;
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_ShowCursor(g_cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return g_cursorCount;
}

bool IsControlKeyDown()
{
    return (SDL_GetModState() & KMOD_CTRL) != 0;
}

}  // namespace pestrol
