#include "screens/ExitMenu.h"

#include "screens/ScreenParts.h"

namespace pestrol {

namespace {

constexpr Size kMenuSize { 136, 200 };

IMButton* MakeMenuButton(IMDialog* menu, std::int32_t y, const std::wstring& name)
{
    return menu->CreateButton(10, y, name, name, name + L"Nuv", name + L"Klick");
}

void AddBorder(IMDialog* menu)
{
    const std::int32_t w = kMenuSize.width;
    const std::int32_t h = kMenuSize.height;
    MakeLine(menu, { 0, 0, 1, h });
    MakeLine(menu, { 0, 0, w, 1 });
    MakeLine(menu, { w - 1, 0, w, h });
    MakeLine(menu, { 0, h - 1, w, h });
}

} // namespace

ExitMenu BuildExitMenu(IMDialog* window)
{
    const std::int32_t w = window->GetWidth();
    const std::int32_t h = window->GetHeight();
    ExitMenu exitMenu {};
    exitMenu.dialog = window->CreateDialog(0, 0, w, h, kExitMenuLayer);
    IMPicture* veil = MakeLine(exitMenu.dialog, { 0, 0, w, h });
    veil->colour = kVeilTint;
    veil->SetDirty(true);

    IMDialog* menu = exitMenu.dialog->CreateDialog(0, 0, w, h, 1);
    const std::int32_t left = (w - kMenuSize.width) / 2;
    const std::int32_t top = (h - kMenuSize.height) / 2;
    menu->SetRect({ left, top, left + kMenuSize.width, top + kMenuSize.height });
    IMPicture* background = menu->CreatePicture(0, 0, L"DefaultBackGround", 0, kWhite);
    background->SetRect({ 0, -100, kMenuSize.width, 300 });
    exitMenu.retryButton = MakeMenuButton(menu, 20, L"RetryButton");
    exitMenu.closeButton = MakeMenuButton(menu, 80, L"CloseButton");
    exitMenu.cancelButton = MakeMenuButton(menu, 140, L"CancelButton");
    AddBorder(menu);
    return exitMenu;
}

} // namespace pestrol
