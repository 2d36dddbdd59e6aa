#include "power/design.h"

#include <cmath>

#include "power/designs/designs.h"

namespace power {

const std::vector<const Design*>& designs()
{
    // In the order a student scans them: the t tests, the F tests, chi-square,
    // then the correlation and the proportions.
    static const std::vector<const Design*> all = {&t_one_sample(), &t_two_groups(), &anova(), &repeated(),
                                                   &regression(), &r_squared_increase(), &chi_square(),
                                                   &correlation(), &proportion(), &two_proportions()};
    return all;
}

const Design* design_of_button(const Text& button)
{
    for (const Design* d : designs())
        if (d->button == button) return d;
    return nullptr;
}

const Box* Design::box(const std::string& name) const
{
    for (const Box& b : boxes)
        if (b.key == name) return &b;
    return nullptr;
}

// The smallest N the design lays out, and the first of Find N's steps that
// does: a few counts above the design's own sizes at most.
long long Design::smallest_n(const Values& v) const
{
    Layout at;
    for (long long n = 1; n <= largest_n; ++n)
        if (lay_out(v, n, at)) return n;
    return largest_n;
}

long long Design::first_step(const Values& v) const
{
    Layout at;
    for (long long m = 1; n_of_step(v, m) <= largest_n; ++m)
        if (lay_out(v, n_of_step(v, m), at)) return m;
    return 1;
}

long long Design::saw_search(const Values& v, double effect, double alpha, double target, long long& every) const
{
    const auto reaches = [&](long long m) {
        Layout at;
        return lay_out(v, n_of_step(v, m), at) && test(v, at, effect, alpha).power >= target;
    };
    constexpr long long most_steps = 100'000;  // a scan's budget: far more than a saw's width
    long long m = scan_from(v, effect, alpha, target);
    const long long stop = m + most_steps;
    while (m < stop && n_of_step(v, m) <= largest_n && !reaches(m)) ++m;
    if (m == stop || n_of_step(v, m) > largest_n) return 0;
    const long long first = m, run = 3 * saw_period(v) + 20;
    long long short_of = first - 1;
    for (long long k = first + 1; k - short_of <= run && n_of_step(v, k) <= largest_n; ++k)
        if (!reaches(k)) short_of = k;
    every = n_of_step(v, short_of + 1);
    return n_of_step(v, first);
}

double Design::first_reaching(double from, double to, const std::function<double(double)>& power, double target)
{
    if (power(to) < target) return NAN;
    for (int k = 0; k < 100 && std::fabs(to - from) > 1e-15 * std::fmax(std::fabs(from), 1e-300); ++k) {
        const double middle = (from + to) / 2;
        (power(middle) >= target ? to : from) = middle;
    }
    return to;
}

// Halving ln alpha from 1e-300 to the largest level below 1: the power is a
// step of the level where the test is discrete, where no slope helps, and
// 64 halvings bring the bracket within a unit of alpha's last place. The
// level returned reaches the target: the bracket's upper end.
Test Design::level_for_power(const Values& v, const Layout& at, double effect, double target) const
{
    const auto at_level = [&](double ln_alpha) { return test(v, at, effect, std::exp(ln_alpha)); };
    double low = std::log(1e-300), high = std::log1p(-1e-16);
    Test reached = at_level(high);
    if (reached.power < target) throw Refusal{u"No level below 1 reaches that power."};
    if (at_level(low).power >= target) throw Refusal{u"Even a level of 1e-300 reaches that power."};
    for (int k = 0; k < 64 && high - low > 1e-16 * std::fabs(high); ++k) {
        const double middle = (low + high) / 2;
        Test t = at_level(middle);
        if (t.power >= target) high = middle, reached = std::move(t);
        else low = middle;
    }
    return reached;
}

long long least_reaching(long long low, long long high, const std::function<bool(long long)>& reaches)
{
    while (high - low > 1) {
        const long long middle = low + (high - low) / 2;
        (reaches(middle) ? high : low) = middle;
    }
    return high;
}

}  // namespace power
