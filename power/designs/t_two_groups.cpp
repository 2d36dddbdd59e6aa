// Two independent groups, n2 = RATIO n1: t with N - 2 degrees,
// delta = d sqrt(n1 n2 / N).
#include <cmath>

#include "platform/number_text.h"
#include "power/boxes.h"
#include "power/designs/designs.h"
#include "power/noncentral_design.h"
#include "run/exact_text.h"

namespace power {

namespace {

// The second group of a first of n1, as Find N makes it.
long long second(double ratio, long long n1) { return static_cast<long long>(std::ceil(ratio * double(n1))); }

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

    // The first group is the largest n1 whose design, n1 + ceil(RATIO n1),
    // fits in N: an N that Find N gave splits back as it was found, and any
    // other gives its rest to the second group, which the answer then says.
    bool lay_out(const Values& v, long long n, Layout& out) const override
    {
        const double ratio = v.at("ratio");
        out = {};
        out.n = n;
        long long n1 = static_cast<long long>(std::floor(double(n) / (1 + ratio)));
        while (n1 > 0 && n1 + second(ratio, n1) > n) --n1;
        while (n1 + 1 + second(ratio, n1 + 1) <= n) ++n1;
        const long long n2 = n - n1;
        out.groups = {{u"n1", n1}, {u"n2", n2}};
        out.df1 = double(n - 2);
        out.scale = double(n1) * double(n2) / double(n);
        out.kept = n2 == second(ratio, n1);
        return n1 >= 1 && n2 >= 1 && n >= 3;
    }
    Text split_words(const Values& v, const Layout& at, char16_t separator) const override
    {
        return u"n1 = " + platform::whole(at.groups[0].second) + u", n2 = " + platform::whole(at.groups[1].second) +
               u": RATIO " + run::short_number(v.at("ratio"), separator) + u" cannot be kept at N = " +
               platform::whole(at.n) + u".";
    }
    long long n_of_step(const Values& v, long long m) const override { return m + second(v.at("ratio"), m); }
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
