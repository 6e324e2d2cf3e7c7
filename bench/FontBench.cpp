#include "platform/FontEngine.h"
#include "platform/GlyphRasteriser.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

pestrol::FontFace& Arial16()
{
    static const pestrol::FontEngine engine;
    static auto face = engine.OpenFace(L"Arial", 16, false, false);
    return *face;
}

// What a glyph costs the first time a text shows it, once its outline is known: the path
// for the cell and its rasterisation into a texture-sized buffer.
void BM_RasteriseGlyph(benchmark::State& state)
{
    pestrol::FontFace& face = Arial16();
    std::vector<std::uint32_t> pixels(16 * 16);
    for (auto _ : state) {
        const pestrol::GlyphPath path = face.Path(L'Ж', false);
        pestrol::RasteriseGlyph(path, 0xFF000000, 0x00AFAFAF,
                                {pixels.data(), path.advance, path.cellHeight, 16 * 4});
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_RasteriseGlyph);

// A character's first request: FreeType loads its outline and it is scaled into a path.
void BM_FirstOutline(benchmark::State& state)
{
    static const pestrol::FontEngine engine;
    auto face = engine.OpenFace(L"Arial", 16, false, false);
    wchar_t ch = 0x400;
    for (auto _ : state) {
        benchmark::DoNotOptimize(face->Path(ch, false));
        if (++ch == 0x460) {
            state.PauseTiming();
            face = engine.OpenFace(L"Arial", 16, false, false);
            ch = 0x400;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_FirstOutline);

// Every font a screen asks for is opened once.
void BM_OpenFace(benchmark::State& state)
{
    static const pestrol::FontEngine engine;
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.OpenFace(L"Arial", 18, true, false));
}
BENCHMARK(BM_OpenFace);

}  // namespace
