#pragma once

#include "gui/IMButtonBase.h"
#include "gui/IMDialogBase.h"

namespace pestrol {

// The controls of an exit menu that the application object connects.
struct ExitMenu {
    IMDialog* dialog; // the veiled layer over the whole screen, with the menu in its middle
    IMButton* retryButton;
    IMButton* closeButton;
    IMButton* cancelButton;
};

// The tint of the veil: the black caret picture at alpha 75 of 255.
inline constexpr Colour kVeilTint = 0x4B000096;
inline constexpr std::int32_t kExitMenuLayer = 1099;

// Retry, Close and Cancel in a small menu in the middle of `window`, over a translucent
// veil that dims the screen and keeps the mouse away from it.
ExitMenu BuildExitMenu(IMDialog* window);

} // namespace pestrol
