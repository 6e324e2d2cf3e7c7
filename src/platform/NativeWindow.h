#pragma once

#include "platform/Colour.h"
#include "platform/Rect.h"
#include "platform/RegisteredMessages.h"

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct SDL_Window;
union SDL_Event;

namespace pestrol {

// The program's one desktop window, and its input turned into the system's window
// messages: keys with the virtual-key code of the physical key (so Ctrl with the I/Ш key
// is 0x49 on any layout), typed text as one kChar per character, mouse messages in the
// 800 x 600 picture with the mouse-key flags, double clicks, the wheel, close, paint,
// show and size. Registered messages posted by other threads arrive in the same queue.
class NativeWindow {
public:
    // Full screen: a borderless window over the display scaled to `size` and letterboxed;
    // windowed: a plain window of `size`. Nothing when SDL or the window cannot be had
    // (SDL's error text is then on stderr).
    static std::unique_ptr<NativeWindow> Create(const std::wstring& title, Size size,
                                                bool windowed);
    ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    SDL_Window* Handle() const { return m_window; }

    // The next message, without waiting. kQuit comes after everything queued before it.
    std::optional<WindowMessage> PeekMessage();
    // Sleeps until input arrives or `timeoutMs` pass; a negative time-out waits for input.
    void WaitForInput(int timeoutMs);
    void PostQuit();

    // The pointer in picture coordinates while it is over the window's picture.
    std::optional<Point> CursorPosition() const;

    // The window icon, from ARGB pixels, top row first.
    void SetIcon(const std::vector<Colour>& argb, Size size);

private:
    NativeWindow(SDL_Window* window, Size size) : m_window(window), m_size(size) {}

    // Appends the messages one SDL event becomes (none for most).
    void Translate(const SDL_Event& event);
    void TranslateKey(const SDL_Event& event);
    void TranslateMouse(const SDL_Event& event);
    void TranslateWindow(const SDL_Event& event);
    void Post(MessageId message, std::uint32_t wParam, std::uint32_t lParam);
    std::uint32_t MouseFlags() const;

    SDL_Window* m_window;
    Size m_size;
    std::deque<WindowMessage> m_pending;
    std::uint32_t m_buttons = 0;  // the mouse keys held, as mk:: flags
    std::uint16_t m_modifiers = 0;  // SDL's modifier state of the last key
};

// The mouse pointer's display counter: shown while the count is 0 or more. Each call
// moves it by one and answers the new count.
int ShowCursor(bool show);

// Whether a Ctrl key is held now, as the keyboard state stands when this is asked.
bool IsControlKeyDown();

}  // namespace pestrol
