#include "screens/CreditsScreen.h"

#include "gui/IMButtonBase.h"
#include "platform/NativeWindow.h"
#include "screens/ScreenParts.h"

#include <boost/bind/bind.hpp>

#include <array>

namespace pestrol {

namespace {

struct CreditLine {
    const wchar_t* text;
    std::int32_t height;
    std::int32_t top;
};

// A role, then its lines 20 pixels apart, then 40 pixels to the next role.
constexpr std::array<CreditLine, 9> kCredits { {
    { L"Зориана", 25, 18 },
    { L"Авторы, программисты и художники:", 21, 90 },
    { L"Команда «Пестроль»", 20, 110 },
    { L"Голос:", 21, 150 },
    { L"синтезатор речи eSpeak NG", 20, 170 },
    { L"Тренажёр построен на свободных программах:", 21, 210 },
    { L"SDL 2, FreeType, Fontconfig, Anti-Grain Geometry, Boost, Xerces-C++,", 20, 230 },
    { L"libpng, libjpeg-turbo, Ogg, Vorbis, Theora, CUPS и cairo.", 20, 250 },
    { L"Спасибо их авторам!", 20, 270 },
} };

// Shows the cursor until its display count is at least 2; answers the calls beyond the
// first.
int ShowCursorFirmly()
{
    int extra = 0;
    while (ShowCursor(true) <= 1)
        ++extra;
    return extra;
}

} // namespace

bool CreditsScreen::IsCreditsKey(std::uint32_t wParam)
{
    const std::uint32_t low = wParam & 0xFF;
    return low == 0x49 || low == 0x69 || low == 0xD8 || low == 0xF8;
}

IMDialog* CreditsScreen::Open(IMDialog* window)
{
    if (s_open)
        return nullptr;
    const int extraShows = ShowCursorFirmly();
    s_open = true;
    IMDialog* dialog = window->CreateDialog(0, 0, window->GetWidth(), window->GetHeight(), kLayer);
    MakeBackground(dialog);
    for (const CreditLine& line : kCredits)
        MakeCaption(dialog, line.text, { .height = line.height }, { 22, line.top });
    IMButton* exit = dialog->CreateButton(755, 22, L"ExitButton", L"", L"", L"");
    exit->Clicked.connect(boost::bind(&IMControl::Close, dialog));
    dialog->Closed.connect(boost::bind(&CreditsScreen::OnClosed, extraShows));
    return dialog;
}

long CreditsScreen::OnClosed(int extraShows)
{
    for (int i = 0; i <= extraShows; ++i)
        ShowCursor(false);
    s_open = false;
    return 0;
}

} // namespace pestrol
