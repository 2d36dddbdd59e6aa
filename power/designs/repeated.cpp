// One group measured m times, the within factor's effect: F with (m - 1) eps
// and (N - 1)(m - 1) eps degrees, lambda = f^2 N m eps / (1 - rho), rho the
// correlation among the measures and eps the sphericity correction.
#include <cmath>

#include "platform/number_text.h"
#include "power/boxes.h"
#include "power/designs/designs.h"
#include "power/noncentral_design.h"
#include "run/exact_text.h"

namespace power {

namespace {

class Repeated final : public NoncentralDesign {
public:
    Repeated()
        : NoncentralDesign({"repeated", u"Repeated", u"REPEATED MEASURES, WITHIN FACTOR", u"f", u"F", u"\u03BB"},
                           engine::Family::f, "observed_df2")
    {
        boxes = {boxes::effect(u"f", u"0.25"),
                 boxes::alpha(),
                 boxes::power(),
                 boxes::n(),
                 {"measurements", u"MEASUREMENTS m", u"3", Box::Kind::whole, 2, 1000},
                 {"correlation", u"CORRELATION \u03C1", u"0.5", Box::Kind::number, -1, 1, true, true},
                 {"epsilon", u"\u03B5", u"1", Box::Kind::number, 0, 1, true},
                 boxes::observed(u"F"),
                 boxes::observed_degrees("observed_df2", u"df2")};
        scales = {{u"f", [](double l, const Layout& at) { return std::sqrt(l / at.scale); }}};
    }

    // epsilon lies between its lower bound 1/(m - 1) and 1.
    void check(const Values& v) const override
    {
        if (v.at("epsilon") < 1 / (v.at("measurements") - 1))
            throw Refusal{u"\u03B5 must be at least 1/(m \u2212 1), its value where sphericity fails the most."};
    }

    bool lay_out(const Values& v, long long n, Layout& out) const override
    {
        const double within = (v.at("measurements") - 1) * v.at("epsilon");
        out = {};
        out.n = n;
        out.df1 = within;
        out.df2 = double(n - 1) * within;
        out.scale = double(n) * v.at("measurements") * v.at("epsilon") / (1 - v.at("correlation"));
        return n >= 2;
    }
    double noncentrality(const Values&, const Layout& at, double f) const override { return f * f * at.scale; }
    double effect_of(const Values&, const Layout& at, double lambda) const override { return std::sqrt(lambda / at.scale); }
    // A paper's F(df1, df2) holds N = df2 / ((m - 1) eps) + 1.
    Layout observed_layout(const Values& v, double df2) const override
    {
        const double within = (v.at("measurements") - 1) * v.at("epsilon");
        Layout at;
        at.df1 = within;
        at.df2 = df2;
        at.scale = (df2 / within + 1) * v.at("measurements") * v.at("epsilon") / (1 - v.at("correlation"));
        return at;
    }
    Text test_words(const Values& v, char16_t separator) const override
    {
        return u"repeated-measures ANOVA, within factor of " +
               platform::whole(static_cast<long long>(v.at("measurements"))) + u" measurements (\u03C1 = " +
               run::short_number(v.at("correlation"), separator) + u", \u03B5 = " +
               run::short_number(v.at("epsilon"), separator) + u")";
    }
};

}  // namespace

const Design& repeated()
{
    static const Repeated design;
    return design;
}

}  // namespace power
