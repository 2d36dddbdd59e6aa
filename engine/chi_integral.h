#pragma once

namespace engine {

// What the noncentral t averages over the chi variable.
enum class ChiKernel {
    normal_upper,    // Q(z), the normal's upper tail: the t's tails
    normal_density,  // phi(z): the t's density and the tail's slope in delta
};

// ln E[k(alpha S + beta) S^power] for S chi-distributed with nu degrees of
// freedom, k the kernel, power 0 or 1; nu > 0 finite, alpha and beta finite.
// Every value of the integrand is positive, so nothing cancels however small
// the result (the opposite signs of t and delta, tails of 1e-100000).
long double log_chi_integral(long double nu, ChiKernel kernel, long double alpha, long double beta, int power);

}  // namespace engine
