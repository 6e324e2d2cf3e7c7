#pragma once

#include "gui/IMDialogBase.h"

#include <cstdint>

namespace pestrol {

// The instruction page of an exercise that brings none: "Справка" over the skin's
// background, closing itself after five seconds.
void BuildDefaultInstruction(IMDialog* dialog);

// The end of an instruction: the spoken prompt to press the space bar, the keyboard and
// the mouse in front of the instruction, and the space bar's mark blinking every 500 ms.
// Sound and blinking stop when the dialog closes.
void BuildClosingPrompt(IMDialog* dialog);

} // namespace pestrol
