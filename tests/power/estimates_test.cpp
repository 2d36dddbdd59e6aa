// Every effect a typed result shows lies within its own interval, for every
// design, near and far from the null, at small and large N and many groups:
// the estimate and the interval's ends come from one noncentrality each,
// through the same formula (or, for a count, the share inside its exact
// interval).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "power/answer.h"

namespace {

// Every pair of a value of `a` and one of `b`, as typed into those boxes.
std::vector<power::Typed> pairs(const std::string& a, const std::vector<const char*>& as, const std::string& b,
                                const std::vector<const char*>& bs)
{
    std::vector<power::Typed> out;
    for (const char* x : as)
        for (const char* y : bs) out.push_back({{a, platform::from_utf8(x)}, {b, platform::from_utf8(y)}});
    return out;
}

struct Grid {
    const char* design;
    std::vector<power::Typed> results;   // the result's boxes
    std::vector<power::Typed> settings;  // the design's own
};

const Grid grids[] = {
    {"t1", pairs("observed", {"-30", "-2.45", "0", "0.5", "2.45", "40"}, "observed_df", {"1", "3", "38", "1e6"}),
     {{{"tails", u"2"}}}},
    {"t2", pairs("observed", {"-30", "-0.1", "2.45", "40"}, "observed_df", {"1", "38", "1e6"}),
     {{{"tails", u"2"}, {"ratio", u"1"}}, {{"tails", u"1"}, {"ratio", u"0.1"}}}},
    {"anova", pairs("observed", {"0.01", "0.5", "2", "50"}, "observed_df2", {"2", "80", "1e5"}),
     {{{"groups", u"2"}}, {{"groups", u"20"}}, {{"groups", u"1000"}}}},
    {"regression", pairs("observed", {"0.01", "1", "2.5", "50"}, "observed_df2", {"2", "47", "1e5"}),
     {{{"predictors", u"1"}}, {{"predictors", u"1000"}}}},
    {"chisq", pairs("observed", {"0.1", "5", "80", "2000"}, "observed_n", {"10", "1000", "1000000"}),
     {{{"df", u"1"}}, {{"df", u"50"}}, {{"df", u"1000"}}}},
    {"r2increase", pairs("observed", {"0.01", "2", "50"}, "observed_df2", {"5", "1e5"}),
     {{{"predictors", u"10"}, {"tested", u"3"}}}},
    {"repeated", pairs("observed", {"0.01", "2", "50"}, "observed_df2", {"4", "1e5"}),
     {{{"measurements", u"3"}, {"correlation", u"0.5"}, {"epsilon", u"1"}},
      {{"measurements", u"8"}, {"correlation", u"-0.3"}, {"epsilon", u"0.4"}}}},
    {"correlation", pairs("observed", {"-0.99", "-0.3", "0", "0.05", "0.9"}, "observed_n", {"4", "50", "1000000"}),
     {{{"rho0", u"0"}, {"tails", u"2"}}}},
    {"proportion", pairs("observed", {"0", "1", "37"}, "observed_n", {"37", "100", "1000000"}),
     {{{"p0", u"0.5"}, {"tails", u"2"}}}},
    {"proportions",
     {{{"observed", u"0"}, {"observed_n1", u"10"}, {"observed_x2", u"10"}, {"observed_n2", u"10"}},
      {{"observed", u"37"}, {"observed_n1", u"100"}, {"observed_x2", u"52"}, {"observed_n2", u"100"}},
      {{"observed", u"3"}, {"observed_n1", u"1000000"}, {"observed_x2", u"1"}, {"observed_n2", u"7"}}},
     {{{"p1", u"0.5"}, {"ratio", u"1"}, {"tails", u"2"}}}},
};

}  // namespace

TEST(Estimates, EveryEffectLiesWithinItsInterval)
{
    int checked = 0;
    for (const Grid& g : grids) {
        const power::Design* design = nullptr;
        for (const power::Design* d : power::designs())
            if (d->key == g.design) design = d;
        ASSERT_NE(design, nullptr) << g.design;
        for (const power::Typed& settings : g.settings)
            for (const power::Typed& result : g.results)
                for (const char16_t* alpha : {u"0.05", u"0.001", u"0.4"}) {
                    power::Typed typed = settings;
                    typed.insert(result.begin(), result.end());
                    typed["alpha"] = alpha;
                    const power::Observed o = power::answer(*design, typed, power::Find::power, u'.').observed;
                    std::string what = g.design;
                    for (const auto& [key, text] : result) what += " " + key + " " + platform::to_utf8(text);
                    SCOPED_TRACE(what + " at " + platform::to_utf8(alpha));
                    if (!o.why.empty()) {
                        ADD_FAILURE() << platform::to_utf8(o.why);
                        continue;
                    }
                    ASSERT_FALSE(o.effects.empty());
                    for (const power::Estimate& e : o.effects) {
                        EXPECT_LE(e.low, e.estimate) << platform::to_utf8(e.name);
                        EXPECT_LE(e.estimate, e.high) << platform::to_utf8(e.name);
                        ++checked;
                    }
                }
    }
    EXPECT_GT(checked, 900);
}
