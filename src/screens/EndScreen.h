#pragma once

#include "gui/IMButtonBase.h"
#include "gui/IMDialogBase.h"

#include <string>

namespace pestrol {

// What the end screen repeats of the start screen.
struct EndScreenTexts {
    std::wstring resourceNumber;
    std::wstring exerciseTitle;
    std::wstring pupilName;
};

// The controls of an end screen that the application object connects.
struct EndScreen {
    IMDialog* dialog;
    IMButton* printButton;
    IMButton* saveAsButton;
    IMButton* retryButton;
    IMButton* closeButton;
    IMButton* exitButton;
};

// The tint of the report buttons when there is no report to print or save.
inline constexpr Colour kUnavailableTint = 0xFF808080;

// "ЗАДАНИЕ ВЫПОЛНЕНО" with the exercise and the pupil, the report buttons (disabled and
// grey without a report), Retry, Close and the exit picture, in a full-screen dialog.
EndScreen BuildEndScreen(IMDialog* window, const EndScreenTexts& texts, bool hasReport);

} // namespace pestrol
