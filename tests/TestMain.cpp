// Every test runs headless: no display, no sound card, SDL's software renderer, UTF-8.
// Set here rather than by CTest, so the binary run by hand behaves the same; a variable
// already set in the environment wins.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("LANG", "C.UTF-8", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
