#pragma once
// The F test of q of a regression's p predictors (all p for its R^2): F with
// q and N - p - 1 degrees, lambda = f^2 N; a paper's F(q, df2) holds
// N = df2 + p + 1. The whole model's test and the R^2 increase's share it.
#include <string>

#include "power/noncentral_design.h"

namespace power {

class RegressionF : public NoncentralDesign {
protected:
    // q is the box of that key.
    RegressionF(const Names& names, std::string tested)
        : NoncentralDesign(names, engine::Family::f, "observed_df2"), tested_(std::move(tested))
    {
    }

public:
    bool lay_out(const Values& v, long long n, Layout& out) const override
    {
        const long long p = static_cast<long long>(v.at("predictors"));
        out = {};
        out.n = n;
        out.df1 = v.at(tested_);
        out.df2 = double(n - p - 1);
        out.scale = double(n);
        return n >= p + 2;
    }
    double noncentrality(const Values&, const Layout& at, double f2) const override { return f2 * at.scale; }
    double effect_of(const Values&, const Layout& at, double lambda) const override { return lambda / at.scale; }
    Layout observed_layout(const Values& v, double df2) const override
    {
        Layout at;
        at.df1 = v.at(tested_);
        at.df2 = df2;
        at.scale = df2 + v.at("predictors") + 1;
        return at;
    }

private:
    std::string tested_;
};

}  // namespace power
