#include "exercise/App.h"
#include "platform/ResourceLibrary.h"

#include <cstdio>
#include <exception>

int main()
{
    using namespace pestrol;
    ResourceLibrary resources(EmbeddedResources(), ExecutableDirectory() / "Animations.dll");
    ResourceLibrary::SetCurrent(&resources);
    try {
        App* app = App::Instance(L"00517 Тренажер «Пестроль»", false);
        app->ShowStartScreen();
        RunMessageLoop(*app->Window());
        App::Release();
    } catch (const std::exception& e) {
        // The renderer could not start: nothing can be shown to the pupil.
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    ResourceLibrary::SetCurrent(nullptr);
    return 0;
}
