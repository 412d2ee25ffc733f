// Problems per second for each kind at limits 2, 10, 100 and 100000, as the next-problem button
// makes them: one reseed from the clock, the operands, three decoys, the slot and the five texts.
// The clock moves on by one millisecond per problem, so every problem comes from a seed of its
// own and the rejection loops run as often as they do for a pupil.

#include "drill.h"
#include "random_source.h"

#include <benchmark/benchmark.h>

namespace {

void Generate(benchmark::State& run, shulin::DrillKind kind)
{
    shulin::RandomSource source([ms = shulin::MillisecondOfDay{0}]() mutable { return ms = (ms + 1) % 86'400'000; });
    shulin::DrillState state;
    state.RangeLimit = static_cast<std::int32_t>(run.range(0));
    for (auto _ : run) {
        shulin::Problem problem = shulin::GenerateProblem(kind, state, false, source);
        benchmark::DoNotOptimize(problem);
    }
    run.SetItemsProcessed(run.iterations());
}

void Addition(benchmark::State& run)
{
    Generate(run, shulin::DrillKind::Addition);
}

void Subtraction(benchmark::State& run)
{
    Generate(run, shulin::DrillKind::Subtraction);
}

// The reading of the system clock that every real reseed makes.
void SystemClock(benchmark::State& run)
{
    for (auto _ : run)
        benchmark::DoNotOptimize(shulin::SystemMillisecondOfDay());
    run.SetItemsProcessed(run.iterations());
}

BENCHMARK(Addition)->Arg(2)->Arg(10)->Arg(100)->Arg(100000);
BENCHMARK(Subtraction)->Arg(2)->Arg(10)->Arg(100)->Arg(100000);
BENCHMARK(SystemClock);

} // namespace

BENCHMARK_MAIN();
