#include "run/distribution.h"

namespace run {

namespace {

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
    [](double nu, double) { return engine::Law::chi_square(nu); },
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
    [](double, double) { return engine::Law::normal(); },
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
    [](double nu, double) { return engine::Law::t(nu); },
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
    [](double nu1, double nu2) { return engine::Law::f(nu1, nu2); },
},
    };
    return all;
}

}  // namespace

const Distribution& describe(DistributionId id) { return table()[static_cast<int>(id)]; }

}  // namespace run
