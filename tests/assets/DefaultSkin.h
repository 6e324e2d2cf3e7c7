#pragma once

// The default skin as the program registers it, then the text view's whitespace marks: the
// names the toolkit asks the resource table for, with the size and pixel format it lays out with.
#include <cstddef>

namespace pestrol {

enum class SkinFormat { RGB, RGBA };

struct SkinImage {
    const wchar_t* name;
    int width;
    int height;
    SkinFormat format;
};

// The default skin in registration order, then the text view's marks.
constexpr SkinImage kSkin[] = {
    { L"DefaultBackGround", 800, 600, SkinFormat::RGB },
    { L"ExitButton", 21, 21, SkinFormat::RGBA },
    { L"PrintButton", 84, 47, SkinFormat::RGBA },
    { L"SaveAsButton", 148, 47, SkinFormat::RGBA },
    { L"RetryButton", 109, 47, SkinFormat::RGBA },
    { L"CloseButton", 111, 47, SkinFormat::RGBA },
    { L"StartPopStartButton", 84, 47, SkinFormat::RGBA },
    { L"EscButton", 37, 25, SkinFormat::RGB },
    { L"F1Button", 37, 25, SkinFormat::RGB },
    { L"F12Button", 37, 25, SkinFormat::RGB },
    { L"SubmitButton", 109, 47, SkinFormat::RGBA },
    { L"OptionsButton", 109, 47, SkinFormat::RGBA },
    { L"CancelButton", 111, 47, SkinFormat::RGBA },
    { L"PrintButtonKlick", 84, 47, SkinFormat::RGBA },
    { L"SaveAsButtonKlick", 148, 47, SkinFormat::RGBA },
    { L"RetryButtonKlick", 109, 47, SkinFormat::RGBA },
    { L"CloseButtonKlick", 111, 47, SkinFormat::RGBA },
    { L"StartPopStartButtonKlick", 84, 47, SkinFormat::RGBA },
    { L"SubmitButtonKlick", 109, 47, SkinFormat::RGBA },
    { L"OptionsButtonKlick", 109, 47, SkinFormat::RGBA },
    { L"CancelButtonKlick", 111, 47, SkinFormat::RGBA },
    { L"PrintButtonNuv", 84, 47, SkinFormat::RGBA },
    { L"SaveAsButtonNuv", 148, 47, SkinFormat::RGBA },
    { L"RetryButtonNuv", 109, 47, SkinFormat::RGBA },
    { L"CloseButtonNuv", 111, 47, SkinFormat::RGBA },
    { L"StartPopStartButtonNuv", 84, 47, SkinFormat::RGBA },
    { L"SubmitButtonNuv", 109, 47, SkinFormat::RGBA },
    { L"OptionsButtonNuv", 109, 47, SkinFormat::RGBA },
    { L"CancelButtonNuv", 111, 47, SkinFormat::RGBA },
    { L"SliderSliderVertical", 19, 10, SkinFormat::RGBA },
    { L"SliderSliderVerticalHover", 19, 10, SkinFormat::RGBA },
    { L"SliderSliderHorizontal", 11, 20, SkinFormat::RGBA },
    { L"SliderSliderHorizontalHover", 11, 20, SkinFormat::RGBA },
    { L"ScrollSlider", 16, 2, SkinFormat::RGB },
    { L"ScrollSliderHorizontal", 2, 16, SkinFormat::RGB },
    { L"ScrollBackground", 16, 16, SkinFormat::RGB },
    { L"ScrollButtonUp", 16, 16, SkinFormat::RGBA },
    { L"ScrollButtonDown", 16, 16, SkinFormat::RGBA },
    { L"CheckBoxUnchecked", 16, 16, SkinFormat::RGB },
    { L"CheckBoxChecked", 16, 16, SkinFormat::RGB },
    { L"RadioButtonUnchecked", 16, 16, SkinFormat::RGBA },
    { L"RadioButtonChecked", 16, 16, SkinFormat::RGBA },
    { L"CheckBoxDisUnchecked", 16, 16, SkinFormat::RGB },
    { L"CheckBoxDisChecked", 16, 16, SkinFormat::RGB },
    { L"RadioButtonDisUnchecked", 16, 16, SkinFormat::RGBA },
    { L"RadioButtonDisChecked", 16, 16, SkinFormat::RGBA },
    { L"EditBarBackGround", 1, 1, SkinFormat::RGB },
    { L"EditBarCornerLT", 8, 8, SkinFormat::RGBA },
    { L"EditBarCornerRT", 8, 8, SkinFormat::RGBA },
    { L"EditBarCornerLB", 8, 8, SkinFormat::RGBA },
    { L"EditBarCornerRB", 8, 8, SkinFormat::RGBA },
    { L"EditBarBorderL", 8, 1, SkinFormat::RGB },
    { L"EditBarBorderR", 8, 1, SkinFormat::RGB },
    { L"EditBarBorderT", 1, 8, SkinFormat::RGB },
    { L"EditBarBorderB", 1, 8, SkinFormat::RGB },
    { L"EditBarKaretka", 1, 19, SkinFormat::RGB },
    { L"SelectionMask", 1, 1, SkinFormat::RGBA },
    { L"MarkSpace", 3, 3, SkinFormat::RGBA },
    { L"MarkTab", 10, 5, SkinFormat::RGBA },
    { L"MarkLineBreak", 11, 21, SkinFormat::RGBA },
    { L"MarkLineFeedHidden", 1, 1, SkinFormat::RGBA },
};
constexpr std::size_t kRegisteredSkinCount = 57;

} // namespace pestrol
