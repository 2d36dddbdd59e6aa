// Two independent groups, n2 = RATIO n1: t with N - 2 degrees,
// delta = d sqrt(n1 n2 / N).
#include <cmath>

#include "power/boxes.h"
#include "power/designs/designs.h"
#include "power/groups.h"
#include "power/noncentral_design.h"

namespace power {

namespace {

class TTwoGroups final : public NoncentralDesign {
public:
    TTwoGroups()
        : NoncentralDesign({"t2", u"t 2 groups", u"t TEST, TWO GROUPS", u"d", u"t", u"\u03B4"},
                           engine::Family::t)
    {
        boxes = {boxes::effect(u"d", u"0.5"), boxes::alpha(), boxes::power(),
                 boxes::n(), boxes::tails(), boxes::ratio(),
                 boxes::observed(u"t"), boxes::observed_degrees("observed_df", u"df")};
        scales = {{u"d", [](double delta, const Layout& at) { return delta / std::sqrt(at.scale); }}};
    }

    bool lay_out(const Values& v, long long n, Layout& out) const override
    {
        if (!groups::lay_out(v, n, out)) return false;
        out.df1 = double(n - 2);
        out.scale = double(out.groups[0].second) * double(out.groups[1].second) / double(n);
        return true;
    }
    Text split_words(const Values& v, const Layout& at, char16_t separator) const override
    {
        return groups::split_words(v, at, separator);
    }
    long long n_of_step(const Values& v, long long m) const override { return groups::n_of_step(v, m); }
    double noncentrality(const Values&, const Layout& at, double d) const override { return d * std::sqrt(at.scale); }
    double effect_of(const Values&, const Layout& at, double delta) const override { return delta / std::sqrt(at.scale); }
    // A paper's t(df) holds N = df + 2 split by RATIO: n1 n2 / N = N r / (1 + r)^2.
    Layout observed_layout(const Values& v, double df) const override
    {
        const double ratio = v.at("ratio");
        Layout at;
        at.df1 = df;
        at.scale = (df + 2) * ratio / ((1 + ratio) * (1 + ratio));
        return at;
    }
    Text test_words(const Values& v, char16_t) const override
    {
        return Text(tails(v) == 2 ? u"two-tailed" : u"one-tailed") + u" t test for two independent groups";
    }
};

}  // namespace

const Design& t_two_groups()
{
    static const TTwoGroups design;
    return design;
}

}  // namespace power
