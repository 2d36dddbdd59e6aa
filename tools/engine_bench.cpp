// Time of each routine on the table rows and at the largest accepted degrees
// of freedom.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/chi_square_upper.h"
#include "engine/f_probability.h"
#include "engine/normal_areas.h"
#include "engine/student_t.h"

namespace {

struct Case {
    const char* name;
    double a, b, c;
    int routine;  // 0 chi-square, 1 normal, 2 t, 3 F
};

const Case cases[] = {
    {"chi-square 3.84, 1", 3.84, 1, 0, 0},
    {"chi-square 18.307, 10", 18.307, 10, 0, 0},
    {"chi-square 100, 1", 100, 1, 0, 0},
    {"chi-square 1400, 2 (longest series)", 1400, 2, 0, 0},
    {"chi-square 110, 300 (largest degrees; larger x overflows x^k)", 110, 300, 0, 0},
    {"normal 1.96", 1.96, 0, 0, 1},
    {"t 2, 10", 2, 10, 0, 2},
    {"t 1.96, 1000", 1.96, 1000, 0, 2},
    {"t 1.5, 100000 (largest degrees)", 1.5, 100000, 0, 2},
    {"t 284.6, 100000 (subnormal terms)", 284.6, 100000, 0, 2},
    {"F 3, 4, 20", 3, 4, 20, 3},
    {"F 5.05, 5, 5", 5.05, 5, 5, 3},
    {"F 1, 1, 100", 1, 1, 100, 3},
    {"F 1, 1, 99999 (largest degrees)", 1, 1, 99999, 3},
    {"F 1, 100000, 100000 (largest degrees)", 1, 100000, 100000, 3},
};

void run(benchmark::State& state, const Case& c)
{
    for (auto _ : state) {
        switch (c.routine) {
        case 0: benchmark::DoNotOptimize(engine::chi_square_upper(c.a, c.b)); break;
        case 1: benchmark::DoNotOptimize(engine::normal_area(c.a)); break;
        case 2: benchmark::DoNotOptimize(engine::student_t(c.a, c.b)); break;
        default: benchmark::DoNotOptimize(engine::f_probability(c.a, c.b, c.c)); break;
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
