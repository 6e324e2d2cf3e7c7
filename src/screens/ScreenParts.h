#pragma once

#include "gui/IMDialogBase.h"
#include "gui/IMStaticPictureBase.h"
#include "platform/Colour.h"

#include <string_view>

namespace pestrol {

// The dark blue of every caption on the frame's screens.
inline constexpr Colour kCaptionColour = 0xFF072134;

struct CaptionStyle {
    std::int32_t height;
    bool bold = false;
    Colour colour = kCaptionColour;
};

// A caption as large as its laid-out text, with its top-left corner at `at`.
IMCaption* MakeCaption(
    IMDialog* dialog, std::wstring_view text, const CaptionStyle& style, Point at);
// The same, centred horizontally in the dialog (both halvings truncated).
IMCaption* MakeCentredCaption(
    IMDialog* dialog, std::wstring_view text, const CaptionStyle& style, std::int32_t top);

// The skin's background stretched over the whole dialog.
IMPicture* MakeBackground(IMDialog* dialog);
// The skin's one-pixel black caret picture stretched over `rect`: borders and veils.
IMPicture* MakeLine(IMDialog* dialog, const Rect& rect);
// A one-pixel black frame round the dialog's edges: left, top, bottom, right.
void MakeFrame(IMDialog* dialog);

} // namespace pestrol
