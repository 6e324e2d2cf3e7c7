#include "screens/StartScreen.h"

#include "gui/IMEditBar.h"
#include "gui/IMScroll.h"
#include "screens/ScreenParts.h"

#include <boost/bind/bind.hpp>

namespace pestrol {

namespace {

constexpr CaptionStyle kLabel { .height = 18, .bold = true };
constexpr CaptionStyle kValue { .height = 18 };
constexpr CaptionStyle kKeyHelp { .height = 16 };
constexpr Rect kDescriptionBox { 119, 187, 712, 423 };
constexpr std::int32_t kWrapHeight = 415;
constexpr std::int32_t kEmptyTextHeight = 235;

void AddHeader(IMDialog* dialog)
{
    MakeBackground(dialog);
    MakeCentredCaption(dialog, L"Вескодар", { .height = 14 }, 10);
    MakeCentredCaption(dialog, L"Зориана", kLabel, 35);
}

void AddKeyHelp(IMDialog* dialog)
{
    MakeCaption(dialog, L"Клавиши:", kLabel, { 30, 520 });
    dialog->CreatePicture(135, 517, L"EscButton", 0, kWhite);
    MakeCaption(dialog, L"- пропустить инструкцию;", kKeyHelp, { 180, 520 });
    dialog->CreatePicture(350, 517, L"F1Button", 0, kWhite);
    MakeCaption(dialog, L"- повторить инструкцию;", kKeyHelp, { 395, 520 });
    dialog->CreatePicture(555, 517, L"F12Button", 0, kWhite);
    MakeCaption(dialog, L"- выход", kKeyHelp, { 600, 520 });
}

// The text moves up inside the clipping box by the scroll bar's value.
long ScrollDescription(IMDialog* text, std::int32_t value)
{
    Rect rect = text->GetRect();
    rect.top = -value;
    text->SetRect(rect);
    return 0;
}

void AddDescription(IMDialog* dialog, const std::wstring& description)
{
    const Rect box = kDescriptionBox;
    IMDialog* clip = dialog->CreateDialog(box.left, box.top, box.Width(), box.Height());
    IMDialog* text = clip->CreateDialog(0, 0, box.Width(), box.Height());
    auto* caption = new IMCaption(text, 0);
    caption->SetStyle({ .colour = kCaptionColour, .height = 18 });
    caption->SetRect({ 0, 0, box.Width(), kWrapHeight });
    caption->wordWrap = true;
    caption->SetText(description);
    caption->SetRect(caption->GetSourceRect());
    const std::int32_t extent = caption->GetSourceRect().Height();
    const std::int32_t height = extent == 0 ? kEmptyTextHeight : extent;
    text->SetRect({ 0, 0, box.Width(), height });

    auto* scroll = new IMScroll(dialog, IMScroll::kVertical,
        Rect { box.right, box.top, box.right + 14, box.top + 240 }, true);
    if (extent <= box.Height())
        scroll->Hide();
    scroll->SetRange(0, height);
    scroll->SetPage(box.Height());
    using boost::placeholders::_2;
    scroll->ValueChanged.connect(boost::bind(&ScrollDescription, text, _2));
}

} // namespace

StartScreen BuildStartScreen(IMDialog* window, const ExerciseTexts& texts)
{
    StartScreen screen {};
    screen.dialog = new IMDialog(window, std::nullopt, 0);
    IMDialog* dialog = screen.dialog;
    AddHeader(dialog);
    MakeCaption(dialog, L"Номер ЦОР:", kLabel, { 30, 115 });
    MakeCaption(dialog, texts.resourceNumber, kValue, { 135, 115 });
    MakeCaption(dialog, L"Название:", kLabel, { 30, 152 });
    MakeCaption(dialog, texts.exerciseTitle, kValue, { 135, 152 });
    MakeCaption(dialog, L"Описание:", kLabel, { 30, 188 });
    AddDescription(dialog, texts.description);
    MakeCaption(dialog, L"Ученик:", kLabel, { 30, 460 });
    screen.nameField = new IMEditBar(dialog);
    screen.nameField->SetRect({ 135, 460, 655, 480 });
    screen.nameField->SetFocused(true);
    screen.startButton = dialog->CreateButton(690, 450, L"StartPopStartButton",
        L"StartPopStartButton", L"StartPopStartButtonNuv", L"StartPopStartButtonKlick");
    screen.exitButton = dialog->CreateButton(755, 22, L"ExitButton", L"", L"", L"");
    AddKeyHelp(dialog);
    return screen;
}

} // namespace pestrol
