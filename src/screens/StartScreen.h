#pragma once

#include "gui/IMButtonBase.h"
#include "gui/IMDialogBase.h"

#include <string>

namespace pestrol {

class IMEditBar;

// What the start screen tells about the exercise.
struct ExerciseTexts {
    std::wstring resourceNumber;
    std::wstring exerciseTitle;
    std::wstring description;
};

// The controls of a start screen that the application object connects.
struct StartScreen {
    IMDialog* dialog;
    IMEditBar* nameField; // holds the keyboard focus from the start
    IMButton* startButton;
    IMButton* exitButton;
};

// The course header, the exercise's number, title and scrollable description, the name
// field and the key help, in a full-screen dialog of `window`.
StartScreen BuildStartScreen(IMDialog* window, const ExerciseTexts& texts);

} // namespace pestrol
