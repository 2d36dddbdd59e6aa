// A chi-square test of fit or of independence with its degrees of freedom:
// lambda = w^2 N.
#include <cmath>

#include "power/boxes.h"
#include "power/designs/designs.h"
#include "power/noncentral_design.h"
#include "run/exact_text.h"

namespace power {

namespace {

class ChiSquare final : public NoncentralDesign {
public:
    ChiSquare()
        : NoncentralDesign({"chisq", u"Chi-square", u"CHI-SQUARE TEST", u"w", u"\u03C7\u00B2", u"\u03BB"},
                           engine::Family::chi_square, "observed_n")
    {
        boxes = {boxes::effect(u"w", u"0.3"), boxes::alpha(), boxes::power(), boxes::n(), boxes::degrees(),
                 boxes::observed(u"\u03C7\u00B2"), boxes::observed_n()};
        scales = {{u"w", [](double l, const Layout& at) { return std::sqrt(l / at.scale); }}};
    }

    bool lay_out(const Values& v, long long n, Layout& out) const override
    {
        out = {};
        out.n = n;
        out.df1 = v.at("df");
        out.scale = double(n);
        return n >= 1;
    }
    double noncentrality(const Values&, const Layout& at, double w) const override { return w * w * at.scale; }
    double effect_of(const Values&, const Layout& at, double lambda) const override { return std::sqrt(lambda / at.scale); }
    // A paper's chi-square(df) = x with its own N; the degrees are the design's.
    Layout observed_layout(const Values& v, double n) const override
    {
        Layout at;
        at.df1 = v.at("df");
        at.scale = n;
        return at;
    }
    Text test_words(const Values& v, char16_t separator) const override
    {
        const double df = v.at("df");
        return u"chi-square test with " + run::short_number(df, separator) +
               (df == 1 ? u" degree of freedom" : u" degrees of freedom");
    }
};

}  // namespace

const Design& chi_square()
{
    static const ChiSquare design;
    return design;
}

}  // namespace power
