#include "run/distribution.h"

#include <cmath>

#include "engine/chi_square_density.h"
#include "engine/chi_square_quantile.h"
#include "engine/chi_square_tails.h"
#include "engine/f_density.h"
#include "engine/f_quantile.h"
#include "engine/f_tails.h"
#include "engine/normal_density.h"
#include "engine/normal_quantile.h"
#include "engine/normal_tails.h"
#include "engine/t_density.h"
#include "engine/t_quantile.h"
#include "engine/t_tails.h"

namespace run {

namespace {


// The upper tail at z, also left of the mean, where it is the larger one.
engine::Probability normal_upper_tail(double z)
{
    const engine::Probability beyond = engine::normal_tails(z).one_tail;
    if (z >= 0) return beyond;
    return {1 - beyond.value, std::log1p(-beyond.value)};
}

// Made at first use: other tables made before main may ask for them.
const Distribution* table()
{
    const Text degrees = u"DEGREES OF FREEDOM";
    static const Distribution all[] = {
{
    DistributionId::chi_square,
    u"CHI-SQUARED VALUE ",
    u"Chi-Sqrd.",
    101,
    u"chi-square: upper tail shaded",
    degrees,
    u"",
    u"chi-square",
    u"Chi-square density",
    u"\u03C7\u00B2",
    {{u"upper tail", Area::upper}},
    {{u"lower tail", Area::lower}, {u"upper tail", Area::upper}},
    0,
    false,
    true,
    [](double alpha, double nu, double) { return engine::chi_square_upper_quantile(alpha, nu); },
    [](double alpha, double nu, double) { return engine::chi_square_lower_quantile(alpha, nu); },
    [](double x, double nu, double) { return engine::chi_square_log_density(x, nu); },
    [](double x, double nu, double) { return engine::chi_square_tails(x, nu).upper; },
    [](double nu, double) { return Moments{nu, std::sqrt(2 * nu)}; },
},
{
    DistributionId::normal,
    u"z VALUE",
    u"Gauss ",
    103,
    u"normal: 0 to |z| shaded, first; -|z| to |z|, second; one tail, third; both tails, fourth",
    u"",
    u"",
    u"standard normal",
    u"Standard normal density",
    u"z",
    {{u"0 to |z|", Area::centre}, {u"-|z| to |z|", Area::within}, {u"one tail", Area::beyond},
     {u"both tails", Area::both}},
    {{u"0 to |z|", Area::centre},
     {u"-|z| to |z|", Area::within},
     {u"lower tail", Area::lower},
     {u"upper tail", Area::upper},
     {u"both tails", Area::both}},
    3,
    true,
    false,
    [](double alpha, double, double) { return engine::normal_upper_quantile(alpha); },
    [](double alpha, double, double) { return -engine::normal_upper_quantile(alpha); },
    [](double z, double, double) { return engine::normal_log_density(z); },
    [](double z, double, double) { return normal_upper_tail(z); },
    [](double, double) { return Moments{0, 1}; },
},
{
    DistributionId::t,
    u"t VALUE",
    u"t",
    104,
    u"t: upper tail shaded, left; both tails, right",
    degrees,
    u"",
    u"Student t",
    u"Student t density",
    u"t",
    {{u"upper tail", Area::upper}, {u"both tails", Area::both}},
    {{u"lower tail", Area::lower}, {u"upper tail", Area::upper}, {u"both tails", Area::both}},
    1,
    true,
    false,
    [](double alpha, double nu, double) { return engine::t_upper_quantile(alpha, nu); },
    [](double alpha, double nu, double) { return -engine::t_upper_quantile(alpha, nu); },
    [](double x, double nu, double) { return engine::t_log_density(x, nu); },
    [](double x, double nu, double) { return engine::t_tails(x, nu).upper; },
    [](double nu, double) { return Moments{0, nu > 2 ? std::sqrt(nu / (nu - 2)) : NAN}; },
},
{
    DistributionId::f,
    u"F VALUE",
    u"F",
    102,
    u"F: upper tail shaded, left at \u03B1 = 0.025 and right at \u03B1 = 0.05",
    u"D.F.(NUMERATOR)",
    u"D.F.(DENOMINATOR)",
    u"F",
    u"F density",
    u"F",
    {{u"upper tail", Area::upper}, {u"doubled", Area::doubled}},
    {{u"lower tail", Area::lower}, {u"upper tail", Area::upper}, {u"doubled", Area::doubled}},
    0,
    false,
    true,
    [](double alpha, double nu1, double nu2) { return engine::f_upper_quantile(alpha, nu1, nu2); },
    [](double alpha, double nu1, double nu2) { return engine::f_lower_quantile(alpha, nu1, nu2); },
    [](double x, double nu1, double nu2) { return engine::f_log_density(x, nu1, nu2); },
    [](double x, double nu1, double nu2) { return engine::f_tails(x, nu1, nu2).upper; },
    [](double nu1, double nu2) {
        if (!(nu2 > 4)) return Moments{NAN, NAN};
        const double mean = nu2 / (nu2 - 2);
        return Moments{mean, mean * std::sqrt(2 * (nu1 + nu2 - 2) / (nu1 * (nu2 - 4)))};
    },
},
    };
    return all;
}

}  // namespace

const Distribution& describe(DistributionId id) { return table()[static_cast<int>(id)]; }

}  // namespace run
