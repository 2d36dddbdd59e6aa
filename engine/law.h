#pragma once
// A law as one value: its family, its degrees and its noncentrality, checked
// once as it is made, with its tails, density, quantiles and moments. The
// Run command's four distributions, the power window's tests and pictures
// and the tests all ask a Law, so that a law is written down in one place.
//
//   Law::normal(mean = 0, sd = 1)      the normal
//   Law::chi_square(nu, lambda = 0)    chi-square, noncentral where lambda > 0
//   Law::t(nu, delta = 0)              Student's t, noncentral where delta != 0
//   Law::f(nu1, nu2, lambda = 0)       Fisher's F, noncentral where lambda > 0
//   Law::correlation(n, rho)           the sample correlation of n pairs from
//                                      a bivariate normal with correlation rho
//   Law::binomial(n, p)                the successes in n trials of chance p
//
// Each maker raises DomainError for parameters outside the engine's domain
// (degrees in (0, 10^9], the noncentralities of noncentral_limits.h, 3 to
// 10^9 pairs and -1 < rho < 1, 1 to 10^9 whole trials and 0 < p < 1); each
// question then raises what its routine raises (a Fault where the answer
// lies beyond a double). The binomial is discrete: its tails at a count k
// both hold k (P(X <= k) and P(X >= k), for an exact test), its density is
// the probability of k, and its quantiles are the critical counts of an
// exact test (the smallest k with P(X >= k) <= p, the largest with
// P(X <= k) <= p).
#include "engine/noncentrality.h"
#include "engine/probability.h"

namespace engine {

enum class Family { normal, chi_square, t, f, correlation, binomial };

struct Moments {
    double mean, sd;  // NaN where the law has none
};

// Where a law's statistic lives.
struct Support {
    double lo, hi;
};

class Law {
public:
    static Law normal(double mean = 0, double sd = 1);
    static Law chi_square(double nu, double lambda = 0);
    static Law t(double nu, double delta = 0);
    static Law f(double nu1, double nu2, double lambda = 0);
    static Law correlation(double n, double rho);
    static Law binomial(double n, double p);

    Family family() const { return family_; }
    // The degrees (the normal's sd, the pairs, the trials) and the
    // noncentrality (the normal's mean, rho, p).
    double nu1() const { return nu1_; }
    double nu2() const { return nu2_; }
    double noncentrality() const { return noncentrality_; }
    bool central() const { return noncentrality_ == 0; }
    // Its statistic lives on 0 and up (chi-square, F), else on the whole line.
    bool from_zero() const { return family_ == Family::chi_square || family_ == Family::f; }
    bool discrete() const { return family_ == Family::binomial; }
    Support support() const;
    // The same family and degrees at another noncentrality.
    Law at(double noncentrality) const;

    Tails tails(double x) const;  // P(X < x) and P(X > x), each as itself
    double log_density(double x) const;
    double upper_quantile(double p) const;  // the x with P(X > x) = p
    double lower_quantile(double p) const;  // the x with P(X < x) = p
    Moments moments() const;
    // The noncentrality of this family and degrees at which P(X > x) = p;
    // a bound at the domain's end where none reaches it.
    Noncentrality noncentrality_for(double x, double p) const;

private:
    Law(Family family, double nu1, double nu2, double noncentrality);
    Family family_;
    double nu1_, nu2_, noncentrality_;
};

}  // namespace engine
