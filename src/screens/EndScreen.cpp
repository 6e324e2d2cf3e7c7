#include "screens/EndScreen.h"

#include "screens/ScreenParts.h"

namespace pestrol {

namespace {

constexpr CaptionStyle kLabel { .height = 18, .bold = true };
constexpr CaptionStyle kValue { .height = 18 };
constexpr CaptionStyle kFooter { .height = 14, .colour = 0xFFAEAEAE };

IMButton* MakeSkinButton(IMDialog* dialog, std::int32_t x, const std::wstring& name)
{
    return dialog->CreateButton(x, 490, name, name, name + L"Nuv", name + L"Klick");
}

void MakeUnavailable(IMButton* button)
{
    button->Disable();
    button->colour = kUnavailableTint;
    button->SetDirty(true);
}

const wchar_t* FooterNotice(bool hasReport)
{
    return hasReport ? L"Результаты работы записаны в отчёт для учителя."
                     : L"Имя ученика не было введено, поэтому результаты не записываются.";
}

} // namespace

EndScreen BuildEndScreen(IMDialog* window, const EndScreenTexts& texts, bool hasReport)
{
    EndScreen screen {};
    screen.dialog = new IMDialog(window, std::nullopt, 0);
    IMDialog* dialog = screen.dialog;
    MakeBackground(dialog);
    MakeCentredCaption(dialog, L"Вескодар", { .height = 14 }, 10);
    MakeCentredCaption(dialog, L"Зориана", kLabel, 35);
    MakeCentredCaption(dialog, L"ЗАДАНИЕ ВЫПОЛНЕНО", { .height = 24 }, 150);
    MakeCaption(dialog, L"Номер ЦОР:", kLabel, { 30, 250 });
    MakeCaption(dialog, texts.resourceNumber, kValue, { 135, 250 });
    MakeCaption(dialog, L"Название:", kLabel, { 30, 300 });
    MakeCaption(dialog, texts.exerciseTitle, kValue, { 135, 300 });
    MakeCaption(dialog, L"Ученик:", kLabel, { 30, 350 });
    MakeCaption(dialog, texts.pupilName, kValue, { 135, 350 });
    MakeCaption(dialog, L"Статистика:", kLabel, { 30, 465 });
    screen.printButton = MakeSkinButton(dialog, 30, L"PrintButton");
    screen.saveAsButton = MakeSkinButton(dialog, 128, L"SaveAsButton");
    if (!hasReport) {
        MakeUnavailable(screen.printButton);
        MakeUnavailable(screen.saveAsButton);
    }
    screen.retryButton = MakeSkinButton(dialog, 535, L"RetryButton");
    screen.closeButton = MakeSkinButton(dialog, 660, L"CloseButton");
    screen.exitButton = dialog->CreateButton(755, 22, L"ExitButton", L"", L"", L"");
    MakeCentredCaption(dialog, FooterNotice(hasReport), kFooter, 575);
    return screen;
}

} // namespace pestrol
