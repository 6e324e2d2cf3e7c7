#pragma once

#include "gfx/IMResourceManager.h"
#include "platform/Colour.h"
#include "platform/ResourceLibrary.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

struct SDL_Window;

namespace pestrol::test {

// How a test PNG is written: the pixels are given as ARGB and reduced to the colour type.
struct PngOptions {
    int colourType = 6; // PNG_COLOR_TYPE_RGB_ALPHA; 3 builds a palette of the pixels
    int bitDepth = 8;
    std::optional<double> gamma; // gAMA, as the file gamma
    std::optional<Colour> background; // bKGD, RGB (grey from its blue byte)
    std::optional<std::uint16_t> transparentGrey; // tRNS of a grey image
};

std::vector<std::uint8_t> MakePng(
    int width, int height, const std::vector<Colour>& argb, const PngOptions& options = {});
std::vector<std::uint8_t> MakeJpeg(
    int width, int height, const std::vector<Colour>& argb, bool grey = false);
// Writes ARGB pixels as an RGBA PNG file.
bool WritePngFile(
    const std::filesystem::path& path, int width, int height, const std::vector<Colour>& argb);

std::vector<Colour> Solid(int width, int height, Colour colour);

// A hidden 800 x 600 window with a windowed manager on SDL's renderer, installed as the
// process-wide manager for the views.
class RendererTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    IMResourceManager& Manager() { return *ResourceManager(); }
    Colour PixelAt(int x, int y);
    std::vector<Colour> Frame();

private:
    SDL_Window* m_window = nullptr;
};

// The same with the program's own resources installed (its skin, the whitespace marks).
class ProgramRendererTest : public RendererTest {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    std::unique_ptr<ResourceLibrary> m_library;
};

} // namespace pestrol::test
