// One sample, or the differences of pairs: t = mean / (s / sqrt(N)) with
// N - 1 degrees, delta = d sqrt(N).
#include <cmath>

#include "power/boxes.h"
#include "power/designs/designs.h"
#include "power/noncentral_design.h"

namespace power {

namespace {

class TOneSample final : public NoncentralDesign {
public:
    TOneSample()
        : NoncentralDesign({"t1", u"t 1 sample", u"t TEST, ONE SAMPLE", u"d", u"t", u"\u03B4"},
                           engine::Family::t)
    {
        boxes = {boxes::effect(u"d", u"0.5"), boxes::alpha(), boxes::power(), boxes::n(), boxes::tails(),
                 boxes::observed(u"t"), boxes::observed_degrees("observed_df", u"df")};
        scales = {{u"d", [](double delta, const Layout& at) { return delta / std::sqrt(at.scale); }}};
    }

    bool lay_out(const Values&, long long n, Layout& out) const override
    {
        out = {};
        out.n = n;
        out.df1 = double(n - 1);
        out.scale = double(n);
        return n >= 2;
    }
    double noncentrality(const Values&, const Layout& at, double d) const override { return d * std::sqrt(at.scale); }
    double effect_of(const Values&, const Layout& at, double delta) const override { return delta / std::sqrt(at.scale); }
    Layout observed_layout(const Values&, double df) const override
    {
        Layout at;
        at.df1 = df;
        at.scale = df + 1;
        return at;
    }
    Text test_words(const Values& v, char16_t) const override
    {
        return Text(tails(v) == 2 ? u"two-tailed" : u"one-tailed") + u" t test for one sample (or paired differences)";
    }
};

}  // namespace

const Design& t_one_sample()
{
    static const TOneSample design;
    return design;
}

}  // namespace power
