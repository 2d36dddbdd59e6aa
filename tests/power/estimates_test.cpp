// Every effect a typed result shows lies within its own interval, for every
// design, near and far from the null, at small and large N and many groups:
// the estimate and the interval's ends come from one noncentrality each,
// through the same formula.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "power/answer.h"

namespace {

struct Grid {
    const char* design;
    std::vector<const char*> statistics, degrees;  // the result's own degrees, or its N
    std::vector<power::Typed> settings;            // the design's boxes
};

const Grid grids[] = {
    {"t1", {"-30", "-2.45", "0", "0.5", "2.45", "40"}, {"1", "3", "38", "1e6"}, {{{"tails", u"2"}}}},
    {"t2", {"-30", "-0.1", "2.45", "40"}, {"1", "38", "1e6"}, {{{"tails", u"2"}, {"ratio", u"1"}}, {{"tails", u"1"}, {"ratio", u"0.1"}}}},
    {"anova", {"0.01", "0.5", "2", "50"}, {"2", "80", "1e5"}, {{{"groups", u"2"}}, {{"groups", u"20"}}, {{"groups", u"1000"}}}},
    {"regression", {"0.01", "1", "2.5", "50"}, {"2", "47", "1e5"}, {{{"predictors", u"1"}}, {{"predictors", u"1000"}}}},
    {"chisq", {"0.1", "5", "80", "2000"}, {"10", "1000", "1000000"}, {{{"df", u"1"}}, {{"df", u"50"}}, {{"df", u"1000"}}}},
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
        const std::string degrees_key = design->box("observed_df")    ? "observed_df"
                                        : design->box("observed_df2") ? "observed_df2"
                                                                      : "observed_n";
        for (const power::Typed& settings : g.settings)
            for (const char* x : g.statistics)
                for (const char* df : g.degrees)
                    for (const char16_t* alpha : {u"0.05", u"0.001", u"0.4"}) {
                        power::Typed typed = settings;
                        typed["alpha"] = alpha;
                        typed["observed"] = platform::from_utf8(x);
                        typed[degrees_key] = platform::from_utf8(df);
                        const power::Observed o = power::answer(*design, typed, power::Find::power, u'.').observed;
                        SCOPED_TRACE(std::string(g.design) + " " + x + " with " + df + " at " + platform::to_utf8(alpha));
                        ASSERT_TRUE(o.why.empty()) << platform::to_utf8(o.why);
                        ASSERT_FALSE(o.effects.empty());
                        for (const power::Estimate& e : o.effects) {
                            EXPECT_LE(e.low, e.estimate) << platform::to_utf8(e.name);
                            EXPECT_LE(e.estimate, e.high) << platform::to_utf8(e.name);
                            ++checked;
                        }
                    }
    }
    EXPECT_GT(checked, 600);
}
