// The F test of the R^2 that q tested predictors add to the other p - q in
// a regression on p: F with q and N - p - 1 degrees, lambda = f^2 N, where
// f^2 = (R^2 of all p - R^2 of the others) / (1 - R^2 of all p).
#include "platform/number_text.h"
#include "power/boxes.h"
#include "power/designs/designs.h"
#include "power/designs/regression_f.h"

namespace power {

namespace {

class RSquaredIncrease final : public RegressionF {
public:
    RSquaredIncrease()
        : RegressionF({"r2increase", u"R\u00B2 increase", u"REGRESSION, R\u00B2 INCREASE", u"f\u00B2", u"F", u"\u03BB"},
                      "tested")
    {
        boxes = {boxes::effect(u"f\u00B2", u"0.15"),
                 boxes::alpha(),
                 boxes::power(),
                 boxes::n(),
                 {"predictors", u"PREDICTORS p", u"3", Box::Kind::whole, 1, 1000},
                 {"tested", u"TESTED q", u"1", Box::Kind::whole, 1, 1000},
                 boxes::observed(u"F"),
                 boxes::observed_degrees("observed_df2", u"df2")};
        // The tested predictors' share of what the others leave: f^2 / (1 + f^2).
        scales = {{u"f\u00B2", [](double l, const Layout& at) { return l / at.scale; }},
                  {u"partial R\u00B2", [](double l, const Layout& at) { return l / (l + at.scale); }}};
    }

    void check(const Values& v) const override
    {
        if (v.at("tested") > v.at("predictors")) throw Refusal{u"TESTED q must be at most PREDICTORS p."};
    }

    Text test_words(const Values& v, char16_t) const override
    {
        const long long p = static_cast<long long>(v.at("predictors")), q = static_cast<long long>(v.at("tested"));
        return u"F test of the R\u00B2 increase of " + platform::whole(q) + (q == 1 ? u" predictor" : u" predictors") +
               u" among " + platform::whole(p) + u" in a multiple regression";
    }
};

}  // namespace

const Design& r_squared_increase()
{
    static const RSquaredIncrease design;
    return design;
}

}  // namespace power
