#pragma once

#include "gui/IMDialogBase.h"

namespace pestrol {

// The hidden credits screen, above everything else (the exit menu included), closed by
// its exit picture. While it is open the mouse cursor is shown; closing it puts the
// cursor's display count back where it was.
class CreditsScreen {
public:
    static constexpr std::int32_t kLayer = 9999;

    // Whether a key press carries the letter I (Ш on the Russian layout), as a key code
    // or as a Cyrillic code-page byte.
    static bool IsCreditsKey(std::uint32_t wParam);
    // Only one credits screen exists at a time.
    static bool IsOpen() { return s_open; }
    // Builds the screen in `window` unless one is open; answers its dialog, or null.
    static IMDialog* Open(IMDialog* window);

private:
    static long OnClosed(int extraShows);

    static inline bool s_open = false;
};

} // namespace pestrol
