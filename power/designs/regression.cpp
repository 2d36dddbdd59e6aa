// The F test of R^2 in a regression on p predictors: F with p and N - p - 1
// degrees, lambda = f^2 N, f^2 = R^2 / (1 - R^2).
#include "platform/number_text.h"
#include "power/boxes.h"
#include "power/designs/designs.h"
#include "power/designs/regression_f.h"

namespace power {

namespace {

class Regression final : public RegressionF {
public:
    Regression()
        : RegressionF({"regression", u"Regression", u"REGRESSION, R\u00B2 AGAINST 0", u"f\u00B2", u"F", u"\u03BB"}, "predictors")
    {
        boxes = {boxes::effect(u"f\u00B2", u"0.15"), boxes::alpha(), boxes::power(), boxes::n(), boxes::predictors(),
                 boxes::observed(u"F"), boxes::observed_degrees("observed_df2", u"df2")};
        // The whole model's R^2 = f^2 / (1 + f^2) = lambda / (lambda + N).
        scales = {{u"R\u00B2", [](double l, const Layout& at) { return l / (l + at.scale); }},
                  {u"f\u00B2", [](double l, const Layout& at) { return l / at.scale; }}};
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
