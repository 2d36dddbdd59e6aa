#pragma once
#include <functional>

namespace engine {

// ln sum_j w(k0 + j) g(p0 + j) (p0 + j)^power, j = 0, 1, ..., with the Poisson
// weights w(k) = e^-mu mu^k / Gamma(k + 1) and terms g > 0 whose neighbours
// satisfy g(p + 1) / g(p) = (slope p + intercept) / (p + 1): the densities of
// the noncentral chi-square and F and the tails' slopes in lambda, mixtures
// of Poisson and binomial terms. log_g(p) gives ln g at any p > -1 (p0 > -1,
// p0 + power > 0); it is called at the largest term, or at a few dozen
// points of a wide mixture. Every term is positive: summed outward from the
// largest by the ratio of neighbours, a few operations a term.
struct PoissonTermSum {
    long double mu, offset, first;  // mu > 0, k0, p0
    long double slope, intercept;
    int power;                      // 0 or 1
    std::function<long double(long double p)> log_g;
};
long double log_poisson_term_sum(const PoissonTermSum& sum);

}  // namespace engine
