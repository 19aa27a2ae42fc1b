#include "design/solar_model.h"

#include <benchmark/benchmark.h>

namespace {

const tarvel::MonthTable kBerlin{30.0,  57.1,  107.3, 163.2, 213.2, 236.1,
                                 222.4, 190.7, 139.0, 73.7,  34.6,  22.6};

// What choosing a city costs: temperatures, the tilt search over 90 tilts and one yield calculation.
void CityChoice(benchmark::State& state) {
    for (auto _ : state) {
        const tarvel::MonthTable temperatures = tarvel::solar::month_temp_cha(52.52, 36);
        const int tilt = tarvel::solar::maxsun(52.52, kBerlin);
        const tarvel::solar::MonthlyYields yields = tarvel::solar::month_solar(52.52, kBerlin, tilt, 0);
        benchmark::DoNotOptimize(temperatures);
        benchmark::DoNotOptimize(yields);
    }
}
BENCHMARK(CityChoice)->Unit(benchmark::kMicrosecond);

// What a change of roof pitch or azimuth costs.
void OrientationChange(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(tarvel::solar::month_solar(52.52, kBerlin, 35, -20));
}
BENCHMARK(OrientationChange)->Unit(benchmark::kMicrosecond);

} // namespace
