// What a still screen costs: CPU seconds per wall second of the real message loop, beside
// a loop that wakes every millisecond, on the same video driver.
#include "gui/IMWindow.h"
#include "platform/NativeWindow.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

namespace {

using namespace pestrol;

double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double WallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

constexpr std::uint32_t kRunMs = 3000;

// The window with one picture-less child, run for a few seconds by its own loop.
void RunStillScreen(benchmark::State& state, bool caret)
{
    IMWindow* window = CreateMainWindow(std::nullopt, L"bench", true);
    window->CreateDialog(0, 0, 800, 600);
    if (caret) {
        const std::int32_t blink = window->AddTimer(500);
        window->ConnectTimer(blink, [window](const IMEvent&) { window->SetDirty(true); return 0L; });
    }
    const std::int32_t end = window->AddTimer(kRunMs);
    window->ConnectTimer(end, [window](const IMEvent&) { window->Close(); return 0L; });
    for (auto _ : state) {
        const double wall = WallSeconds();
        const double cpu = CpuSeconds();
        RunMessageLoop(*window);
        state.counters["cpu_per_wall"] = (CpuSeconds() - cpu) / (WallSeconds() - wall);
    }
    delete window;
}

void BM_StillScreen(benchmark::State& state)
{
    RunStillScreen(state, false);
}
BENCHMARK(BM_StillScreen)->Iterations(1)->Unit(benchmark::kSecond);

void BM_StillScreenWithBlinkingCaret(benchmark::State& state)
{
    RunStillScreen(state, true);
}
BENCHMARK(BM_StillScreenWithBlinkingCaret)->Iterations(1)->Unit(benchmark::kSecond);

// For comparison: the same window polled with a 1 ms wait every pass.
void BM_EmptyLoopWaking1ms(benchmark::State& state)
{
    IMWindow* window = CreateMainWindow(std::nullopt, L"bench", true);
    for (auto _ : state) {
        const double wall = WallSeconds();
        const double cpu = CpuSeconds();
        while (WallSeconds() - wall < kRunMs / 1000.0) {
            while (window->Native().PeekMessage()) {
            }
            window->Native().WaitForInput(1);
        }
        state.counters["cpu_per_wall"] = (CpuSeconds() - cpu) / (WallSeconds() - wall);
    }
    delete window;
}
BENCHMARK(BM_EmptyLoopWaking1ms)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
