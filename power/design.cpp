#include "power/design.h"

#include "power/designs/designs.h"

namespace power {

const std::vector<const Design*>& designs()
{
    static const std::vector<const Design*> all = {&t_one_sample(), &t_two_groups(), &anova(), &regression(),
                                                   &chi_square()};
    return all;
}

const Design* design_of_button(const Text& button)
{
    for (const Design* d : designs())
        if (d->button == button) return d;
    return nullptr;
}

const Box* Design::box(const std::string& name) const
{
    for (const Box& b : boxes)
        if (b.key == name) return &b;
    return nullptr;
}

// The smallest N the design lays out, and the first of Find N's steps that
// does: a few counts above the design's own sizes at most.
long long Design::smallest_n(const Values& v) const
{
    Layout at;
    for (long long n = 1; n <= largest_n; ++n)
        if (lay_out(v, n, at)) return n;
    return largest_n;
}

long long Design::first_step(const Values& v) const
{
    Layout at;
    for (long long m = 1; n_of_step(v, m) <= largest_n; ++m)
        if (lay_out(v, n_of_step(v, m), at)) return m;
    return 1;
}

}  // namespace power
