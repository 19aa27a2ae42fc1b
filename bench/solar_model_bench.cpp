// The solar model as the window runs it, and the floor set by the sines it cannot avoid.

#include "design/energy.h"
#include "design/solar_model.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// Rows of the shipped catalog (data/catalog/locations.csv): latitude, altitude and the twelve
// monthly values. Far north, mid-latitude, south of the equator, near the polar circle.
struct Location {
    const char* name;
    double latitude;
    int height;
    tarvel::MonthTable radiation;
};

const Location kLocations[] = {
    {"Berlin", 52.52, 36, {30.0, 57.1, 107.3, 163.2, 213.2, 236.1, 222.4, 190.7, 139.0, 73.7, 34.6, 22.6}},
    {"Madrid", 40.42, 638, {87.6, 137.1, 170.3, 229.9, 262.9, 300.0, 312.8, 278.2, 205.7, 138.7, 92.5, 74.2}},
    {"Sydney", -33.87, 1, {258.9, 238.7, 200.8, 166.8, 127.6, 103.2, 119.6, 162.5, 203.9, 237.1, 251.7, 264.1}},
    {"Reykjavik", 64.13, 53, {5.8, 25.6, 68.0, 121.7, 175.4, 181.5, 175.3, 139.0, 87.6, 37.9, 9.9, 2.2}},
};

// The temperature coefficients of three string inputs (%/K), as the yearly energy rates them.
constexpr double kCoefficients[3] = {-0.277, -0.292, -0.34};

// Choosing a city: the location's temperatures, the search for the optimal tilt over 90 tilts, the
// monthly yields at that tilt and the three inputs' temperature-corrected yields (what the window's
// city handler asks of the engine).
void CityChoice(benchmark::State& state) {
    const Location& l = kLocations[state.range(0)];
    state.SetLabel(l.name);
    for (auto _ : state) {
        const tarvel::MonthTable temperatures = tarvel::solar::month_temp_cha(l.latitude, l.height);
        const int tilt = tarvel::solar::maxsun(l.latitude, l.radiation);
        const tarvel::solar::MonthlyYields yields = tarvel::solar::month_solar(l.latitude, l.radiation, tilt, 0);
        double energy = 0;
        for (double coefficient : kCoefficients)
            energy += tarvel::energy::correctedYield(coefficient, temperatures, yields.yields);
        benchmark::DoNotOptimize(energy);
        benchmark::DoNotOptimize(yields);
    }
}
BENCHMARK(CityChoice)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// The tilt search alone.
void TiltSearch(benchmark::State& state) {
    const Location& l = kLocations[0];
    for (auto _ : state)
        benchmark::DoNotOptimize(tarvel::solar::maxsun(l.latitude, l.radiation));
}
BENCHMARK(TiltSearch)->Unit(benchmark::kMicrosecond);

// What a change of roof pitch or azimuth costs.
void OrientationChange(benchmark::State& state) {
    const Location& l = kLocations[0];
    for (auto _ : state)
        benchmark::DoNotOptimize(tarvel::solar::month_solar(l.latitude, l.radiation, 35, -20));
}
BENCHMARK(OrientationChange)->Unit(benchmark::kMicrosecond);

// The floor: the tilt search must take one sine for every day and every tilt, 365 x 90 of them, at
// the arguments the model uses (the sun's elevation on the tilted plane). The same count of bare
// sin calls, and of sin plus cos calls, summed so none can be left out.
constexpr double kRad = 0.017453292519944444;

double declinationOf(int day) {
    return 23.44 * std::sin(0.017202423838959615 * (day - 80));
}

void SinFloor(benchmark::State& state) {
    const double latitude = kLocations[0].latitude;
    double delta[365];
    for (int day = 1; day <= 365; ++day)
        delta[day - 1] = declinationOf(day);
    for (auto _ : state) {
        double sum = 0;
        for (int tilt = 1; tilt <= 90; ++tilt)
            for (double d : delta)
                sum += std::sin((90 - latitude + d + tilt) * kRad);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["calls"] = 365 * 90;
}
BENCHMARK(SinFloor)->Unit(benchmark::kMicrosecond);

void SinCosFloor(benchmark::State& state) {
    const double latitude = kLocations[0].latitude;
    double delta[365];
    for (int day = 1; day <= 365; ++day)
        delta[day - 1] = declinationOf(day);
    for (auto _ : state) {
        double sum = 0;
        for (int tilt = 1; tilt <= 90; ++tilt)
            for (double d : delta) {
                const double x = (90 - latitude + d + tilt) * kRad;
                sum += std::sin(x) + std::cos(x);
            }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["calls"] = 2 * 365 * 90;
}
BENCHMARK(SinCosFloor)->Unit(benchmark::kMicrosecond);

} // namespace
