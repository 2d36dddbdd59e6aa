// A one-way ANOVA of k groups: F with k - 1 and N - k degrees,
// lambda = f^2 N.
#include <cmath>

#include "platform/number_text.h"
#include "power/boxes.h"
#include "power/designs/designs.h"
#include "power/noncentral_design.h"

namespace power {

namespace {

class Anova final : public NoncentralDesign {
public:
    Anova()
        : NoncentralDesign({"anova", u"ANOVA", u"ONE-WAY ANOVA", u"f", u"F", u"\u03BB"},
                           engine::Family::f, "observed_df2")
    {
        boxes = {boxes::effect(u"f", u"0.25"), boxes::alpha(), boxes::power(), boxes::n(), boxes::groups(),
                 boxes::observed(u"F"), boxes::observed_degrees("observed_df2", u"df2")};
        // f^2 = lambda / N, and partial eta^2 = f^2 / (1 + f^2) = lambda / (lambda + N).
        scales = {{u"f", [](double l, const Layout& at) { return std::sqrt(l / at.scale); }},
                  {u"f\u00B2", [](double l, const Layout& at) { return l / at.scale; }},
                  {u"partial \u03B7\u00B2", [](double l, const Layout& at) { return l / (l + at.scale); }}};
    }

    bool lay_out(const Values& v, long long n, Layout& out) const override
    {
        const long long k = static_cast<long long>(v.at("groups"));
        out = {};
        out.n = n;
        out.df1 = double(k - 1);
        out.df2 = double(n - k);
        out.scale = double(n);
        out.kept = n % k == 0;
        if (out.kept) out.groups = {{u"per group", n / k}};
        return n >= k + 1;
    }
    // k groups of n / k, the larger ones first.
    Text split_words(const Values& v, const Layout& at, char16_t) const override
    {
        const long long k = static_cast<long long>(v.at("groups")), small = at.n / k, larger = at.n % k;
        return platform::whole(larger) + (larger == 1 ? u" group of " : u" groups of ") + platform::whole(small + 1) +
               u" and " + platform::whole(k - larger) + u" of " + platform::whole(small) + u": " + platform::whole(k) +
               u" equal groups cannot be made at N = " + platform::whole(at.n) + u".";
    }
    long long n_of_step(const Values& v, long long m) const override { return static_cast<long long>(v.at("groups")) * m; }
    double noncentrality(const Values&, const Layout& at, double f) const override { return f * f * at.scale; }
    double effect_of(const Values&, const Layout& at, double lambda) const override { return std::sqrt(lambda / at.scale); }
    // A paper's F(k - 1, df2) holds N = df2 + k.
    Layout observed_layout(const Values& v, double df2) const override
    {
        Layout at;
        at.df1 = v.at("groups") - 1;
        at.df2 = df2;
        at.scale = df2 + v.at("groups");
        return at;
    }
    Text test_words(const Values& v, char16_t) const override
    {
        return u"one-way ANOVA with " + platform::whole(static_cast<long long>(v.at("groups"))) + u" groups";
    }
};

}  // namespace

const Design& anova()
{
    static const Anova design;
    return design;
}

}  // namespace power
