// The F test of R^2 in a regression on p predictors: F with p and N - p - 1
// degrees, lambda = f^2 N, f^2 = R^2 / (1 - R^2).
#include "platform/number_text.h"
#include "power/boxes.h"
#include "power/designs/designs.h"
#include "power/noncentral_design.h"

namespace power {

namespace {

class Regression final : public NoncentralDesign {
public:
    Regression()
        : NoncentralDesign({"regression", u"Regression", u"REGRESSION, R\u00B2 AGAINST 0", u"f\u00B2", u"F", u"\u03BB"},
                           engine::Family::f, "observed_df2")
    {
        boxes = {boxes::effect(u"f\u00B2", u"0.15"), boxes::alpha(), boxes::power(), boxes::n(), boxes::predictors(),
                 boxes::observed(u"F"), boxes::observed_degrees("observed_df2", u"df2")};
        // The whole model's R^2 = f^2 / (1 + f^2) = lambda / (lambda + N).
        scales = {{u"R\u00B2", [](double l, const Layout& at) { return l / (l + at.scale); }},
                  {u"f\u00B2", [](double l, const Layout& at) { return l / at.scale; }}};
    }

    bool lay_out(const Values& v, long long n, Layout& out) const override
    {
        const long long p = static_cast<long long>(v.at("predictors"));
        out = {};
        out.n = n;
        out.df1 = double(p);
        out.df2 = double(n - p - 1);
        out.scale = double(n);
        return n >= p + 2;
    }
    double noncentrality(const Values&, const Layout& at, double f2) const override { return f2 * at.scale; }
    double effect_of(const Values&, const Layout& at, double lambda) const override { return lambda / at.scale; }
    // A paper's F(p, df2) holds N = df2 + p + 1.
    Layout observed_layout(const Values& v, double df2) const override
    {
        Layout at;
        at.df1 = v.at("predictors");
        at.df2 = df2;
        at.scale = df2 + v.at("predictors") + 1;
        return at;
    }
    Text test_words(const Values& v, char16_t) const override
    {
        const long long p = static_cast<long long>(v.at("predictors"));
        return u"F test of R\u00B2 in a multiple regression with " + platform::whole(p) +
               (p == 1 ? u" predictor" : u" predictors");
    }
};

}  // namespace

const Design& regression()
{
    static const Regression design;
    return design;
}

}  // namespace power
