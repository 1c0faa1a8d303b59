#pragma once

#include <benchmark/benchmark.h>

namespace Quorvane {

// How every timing here is reported: in milliseconds, the median (and mean
// and spread) of five repetitions, for ->Apply(medianOfFive).
inline void medianOfFive(benchmark::internal::Benchmark* timing)
{
    timing->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

} // namespace Quorvane
