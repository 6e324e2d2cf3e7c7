#include "exercise/Appearance.h"

#include <benchmark/benchmark.h>

namespace {

// A target is made at start-up and after every solved attempt.
void BM_GenerateTarget(benchmark::State& state)
{
    std::time_t t = 1796000000;
    for (auto _ : state) {
        pestrol::Appearance a;
        pestrol::GenerateTarget(a, t++);
        benchmark::DoNotOptimize(a);
    }
}
BENCHMARK(BM_GenerateTarget);

// The check runs after every change the pupil makes.
void BM_AppearancesEqual(benchmark::State& state)
{
    pestrol::Appearance a, b;
    pestrol::GenerateTarget(a, 1796000000);
    pestrol::GenerateTarget(b, 1796000000);
    for (auto _ : state)
        benchmark::DoNotOptimize(pestrol::AppearancesEqual(a, b));
}
BENCHMARK(BM_AppearancesEqual);

}  // namespace
