#pragma once
// The designs whose test statistic is t, F or chi-square: under H0 the
// central law, at an effect the noncentral one, its noncentrality the effect
// times the design's scale at N. Such a design says only how N lays it out,
// how its effect becomes a noncentrality and back, and how a typed result
// gives its own degrees; the questions and the result's interval are the
// same for all of them, here.
#include <vector>

#include "power/design.h"

namespace power {

class NoncentralDesign : public Design {
public:
    // One effect of a result, from a noncentrality at the result's own layout.
    struct Scale {
        Text name;
        double (*of)(double noncentrality, const Layout& observed);
    };

    // A design whose test law is of the family, a typed result's degrees (or
    // N) in the box of that key.
    NoncentralDesign(const Names& names, engine::Family family, std::string observed_degrees = "observed_df")
        : Design(names), family(family), observed_degrees(std::move(observed_degrees))
    {
    }

    Test test(const Values& v, const Layout& at, double effect, double alpha) const override;
    double effect_for_power(const Values& v, const Layout& at, double alpha, double target) const override;
    Test alpha_for_power(const Values& v, const Layout& at, double effect, double target) const override;
    Observed observed(const Values& v, double alpha, char16_t separator) const override;
    Text degrees_words(const Layout& at, char16_t separator) const override;
    Text law_words(const Test& t, const Layout& at, char16_t separator) const override;

protected:
    engine::Family family;
    std::vector<Scale> scales;     // the effects a result shows, the design's own first
    std::string observed_degrees;  // the box of the result's degrees, or its N

    virtual double noncentrality(const Values& v, const Layout& at, double effect) const = 0;
    virtual double effect_of(const Values& v, const Layout& at, double noncentrality) const = 0;
    // The result's own study, from its degrees (or N) as typed: its layout,
    // or a refusal's words where they make none.
    virtual Layout observed_layout(const Values& v, double typed) const = 0;
    // TAILS as read, for t; the others test their upper tail.
    int tails(const Values& v) const;

private:
    engine::Law null_law(const Layout& at) const;
    double largest() const;  // the noncentrality's domain
    void evaluate(Test& t) const;
};

}  // namespace power
