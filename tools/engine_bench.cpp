// Time of each routine as the Run command calls it: on the table rows, at the
// largest degrees, at fractional degrees, on both sides of each seam between
// the closed series and the incomplete functions, and at the slowest inputs
// found.
#include <benchmark/benchmark.h>

#include "engine/chi_square.h"
#include "engine/f_distribution.h"
#include "engine/normal_areas.h"
#include "engine/t_distribution.h"

namespace {

struct Case {
    const char* name;
    double a, b, c;
    int routine;  // 0 chi-square, 1 normal, 2 t, 3 F
};

const Case cases[] = {
    {"chi-square 3.84, 1", 3.84, 1, 0, 0},
    {"chi-square 18.307, 10", 18.307, 10, 0, 0},
    {"chi-square 1400, 2 (longest series)", 1400, 2, 0, 0},
    {"chi-square 100, 300 (series, largest degrees)", 100, 300, 0, 0},
    {"chi-square 110, 300 (seam: x^k past e^700)", 110, 300, 0, 0},
    {"chi-square 295.689, 250 (x^k beyond a double)", 295.689, 250, 0, 0},
    {"chi-square 1, 2.5 (fractional)", 1, 2.5, 0, 0},
    {"chi-square 997, 998 (slowest: fraction at a = 499)", 997, 998, 0, 0},
    {"chi-square 1000, 1000 (expansion)", 1000, 1000, 0, 0},
    {"chi-square 1e9, 1e9 (largest degrees)", 1e9, 1e9, 0, 0},
    {"normal 1.96", 1.96, 0, 0, 1},
    {"t 2, 10", 2, 10, 0, 2},
    {"t 1.96, 1000", 1.96, 1000, 0, 2},
    {"t 1.5, 100000 (series, largest degrees)", 1.5, 100000, 0, 2},
    {"t 284.6, 100000 (series, subnormal terms)", 284.6, 100000, 0, 2},
    {"t 1.5, 100001 (seam)", 1.5, 100001, 0, 2},
    {"t 2.1, 17.34 (fractional, Welch)", 2.1, 17.34, 0, 2},
    {"t 492, 994900", 492, 994900, 0, 2},
    {"t 1.96, 1e9 (largest degrees)", 1.96, 1e9, 0, 2},
    {"F 3, 4, 20", 3, 4, 20, 3},
    {"F 1, 1, 100", 1, 1, 100, 3},
    {"F 1, 1, 99999 (series, slowest)", 1, 1, 99999, 3},
    {"F 1, 100000, 100000 (series, largest degrees)", 1, 100000, 100000, 3},
    {"F 1, 100001, 100000 (seam)", 1, 100001, 100000, 3},
    {"F 2.5, 3.5, 17.34 (fractional)", 2.5, 3.5, 17.34, 3},
    {"F 1, 1e9, 1e9 (slowest fraction, 3921 passes)", 1, 1e9, 1e9, 3},
    {"F 1, 1, 1e9 (largest denominator)", 1, 1, 1e9, 3},
};

void run(benchmark::State& state, const Case& c)
{
    for (auto _ : state) {
        switch (c.routine) {
        case 0: benchmark::DoNotOptimize(engine::chi_square(c.a, c.b)); break;
        case 1: benchmark::DoNotOptimize(engine::normal_area(c.a)); break;
        case 2: benchmark::DoNotOptimize(engine::t_distribution(c.a, c.b)); break;
        default: benchmark::DoNotOptimize(engine::f_distribution(c.a, c.b, c.c)); break;
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    for (const Case& c : cases) benchmark::RegisterBenchmark(c.name, run, c)->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
