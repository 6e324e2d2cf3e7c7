#include "screens/InstructionScreen.h"

#include "gfx/IMResourceManager.h"
#include "gui/IMWindow.h"
#include "platform/ResourceLibrary.h"
#include "screens/ScreenParts.h"

#include <boost/bind/bind.hpp>

#include <array>
#include <vector>

namespace pestrol {

namespace {

constexpr std::uint32_t kDefaultPageTime = 5000;
constexpr std::uint32_t kBlinkInterval = 500;
constexpr std::int32_t kPromptLayer = 1000;
constexpr std::array<const wchar_t*, 3> kPromptImages { L"KEYBOARDPIC", L"MOUSE", L"KEYSPACE" };

long ForgetTimer(std::int32_t timer)
{
    if (IMWindow* window = MainWindow())
        window->RemoveTimer(timer);
    return 0;
}

long Blink(IMPicture* mark)
{
    if (mark->IsHidden())
        mark->Show();
    else
        mark->Hide();
    return 0;
}

// A timer that dies with the dialog, so that a closed instruction leaves no timer
// waking the loop.
std::int32_t AddDialogTimer(IMDialog* dialog, std::uint32_t interval)
{
    const std::int32_t timer = MainWindow()->AddTimer(interval);
    dialog->Closed.connect(boost::bind(&ForgetTimer, timer));
    return timer;
}

void PlayPrompt(IMDialog* dialog)
{
    const ResourceLibrary* library = ResourceLibrary::Current();
    const auto data = library != nullptr ? library->FindNamed(L"ENDHELPSOUND") : std::nullopt;
    if (!data)
        return;
    IMResourceManager* manager = ResourceManager();
    const std::uint32_t sound = manager->CreateSound(
        L"ENDHELPSOUND", data->data(), static_cast<std::uint32_t>(data->size()));
    dialog->Closed.connect([manager, sound](const IMEvent&) {
        manager->StopSound(sound);
        return 0L;
    });
    manager->PlaySound(sound);
}

// Answers the names it registered.
std::vector<const wchar_t*> RegisterPromptImages()
{
    std::vector<const wchar_t*> registered;
    const ResourceLibrary* library = ResourceLibrary::Current();
    IMResourceManager* manager = ResourceManager();
    for (const wchar_t* name : kPromptImages) {
        const auto data = library != nullptr ? library->FindNamed(name) : std::nullopt;
        if (data
            && manager->RegisterImage(name, data->data(), data->size()) != manager->SlotCount())
            registered.push_back(name);
    }
    return registered;
}

} // namespace

void BuildDefaultInstruction(IMDialog* dialog)
{
    MakeBackground(dialog);
    MakeCentredCaption(dialog, L"Вескодар", { .height = 18 }, 20);
    MakeCentredCaption(dialog, L"Справка", { .height = 24 }, 100);
    const std::int32_t timer = AddDialogTimer(dialog, kDefaultPageTime);
    MainWindow()->ConnectTimer(timer, boost::bind(&IMControl::Close, dialog));
}

void BuildClosingPrompt(IMDialog* dialog)
{
    PlayPrompt(dialog);
    const std::vector<const wchar_t*> registered = RegisterPromptImages();
    dialog->CreatePicture(107, 347, L"KEYBOARDPIC", kPromptLayer, kWhite);
    dialog->CreatePicture(500, 209, L"MOUSE", kPromptLayer, kWhite);
    IMPicture* mark = dialog->CreatePicture(237, 502, L"KEYSPACE", kPromptLayer, kWhite);
    // From here on the pictures hold the only references: the images go with the dialog.
    for (const wchar_t* name : registered)
        ResourceManager()->ReleaseTextureByName(name);
    const std::int32_t timer = AddDialogTimer(dialog, kBlinkInterval);
    MainWindow()->ConnectTimer(timer, boost::bind(&Blink, mark));
}

} // namespace pestrol
