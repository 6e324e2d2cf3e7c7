#include "BenchScreen.h"
#include "gfx/DefaultSkin.h"
#include "gfx/IMResourceManager.h"
#include "gfx/IMTextView.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using namespace pestrol;
using bench::Screen;

// One frame of a busy screen: the background stretched over the frame, 30 buttons and
// pictures, ten captions of 60 characters (600 glyphs), presented.
void BM_TypicalRedraw(benchmark::State& state)
{
    Screen screen;
    IMResourceManager& manager = *ResourceManager();
    const auto skin = DefaultSkinNames();
    std::vector<std::unique_ptr<IMTextView>> captions;
    for (int i = 0; i < 10; ++i) {
        auto view = std::make_unique<IMTextView>();
        view->SetRect({ 10, 300 + i * 28, 790, 324 + i * 28 });
        view->SetStyle({ .colour = 0xFF000000, .bold = i % 3 == 0, .height = i % 2 ? 16 : 18 });
        view->SetText(L"Съешь же ещё этих мягких французских булок, да выпей чаю! 0123");
        captions.push_back(std::move(view));
    }
    const TextureIndex background = manager.FindTexture(L"DefaultBackGround");
    const Rect part { 0, 0, 400, 300 };
    for (auto _ : state) {
        manager.BeginFrame();
        manager.DrawTexture(background, { 0, 0, 800, 600 }, &part, kWhite, 0);
        for (int i = 0; i < 30; ++i) {
            const TextureIndex index = manager.FindTexture(skin[1 + i % 28]);
            const Rect r = manager.GetImageRect(index);
            manager.DrawTexture(
                index, r.Offset(10 + (i % 6) * 130, 10 + (i / 6) * 55), nullptr, kWhite, 0);
        }
        for (auto& caption : captions)
            caption->Draw();
        manager.EndFrame();
    }
}
BENCHMARK(BM_TypicalRedraw)->Unit(benchmark::kMillisecond);

// A glyph seen for the first time: outline, rasterisation, texture and registration.
void BM_CreateGlyph(benchmark::State& state)
{
    Screen screen;
    IMResourceManager& manager = *ResourceManager();
    manager.GetFont(L"Arial", 16, false, false, false);
    Colour colour = 0xFF000000;
    for (auto _ : state) {
        const std::wstring key = L"bench" + std::to_wstring(++colour);
        const TextureIndex glyph = manager.CreateGlyph(
            key, L'Ж', std::nullopt, colour, 16, L"Arial", false, false, false, 0x00AFAFAF);
        manager.ReleaseTexture(glyph);
    }
}
BENCHMARK(BM_CreateGlyph)->Unit(benchmark::kMicrosecond);

} // namespace
