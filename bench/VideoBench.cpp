#include "BenchScreen.h"
#include "media/IMTheoraView.h"
#include "platform/ResourceLibrary.h"

#include <benchmark/benchmark.h>

namespace {

using namespace pestrol;

// One frame of a praise video as the animation shows it: decoding the next 320 x 240 frame
// and converting it into the back texture (ShowFrame n prepares frame n + 1). Reopening the
// video when it ends is not counted.
void BM_DecodeAndConvertOneFrame(benchmark::State& state)
{
    bench::Screen screen;
    const wchar_t* names[] = { L"bravo_video", L"ura_video" };
    const auto bytes = *ResourceLibrary::Current()->FindNamed(names[state.range(0)]);
    IMTheoraView view;
    view.Open(bytes.data(), bytes.size());
    std::int32_t frame = 0;
    for (auto _ : state) {
        view.ShowFrame(frame++);
        if (frame < view.GetLastFrame())
            continue;
        state.PauseTiming();
        view.Open(bytes.data(), bytes.size());
        frame = 0;
        state.ResumeTiming();
    }
    state.SetLabel(state.range(0) == 0 ? "bravo_video" : "ura_video");
}
BENCHMARK(BM_DecodeAndConvertOneFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
