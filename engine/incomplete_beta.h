#pragma once
#include "engine/log_tails.h"
#include "engine/probability.h"

namespace engine {

struct IncompleteBeta {
    Probability I;  // regularized incomplete beta I_x(a, b)
    Probability J;  // its complement 1 - I_x(a, b) = I_y(b, a)
    long terms;     // passes of the continued fraction
};

// The regularized incomplete beta function for a, b > 0 at x = 1/(1 + r),
// r >= 0 finite: given by the odds r, so that neither x nor 1 - x is rounded
// from a difference, and the powers x^a y^b keep their digits where x is
// near 1 and a is huge. By the
// continued fraction of I_x(a, b) on whichever side converges (x below
// (a+1)/(a+b+2)), in extended precision: at a = b = 5e8 the fraction makes
// some thousands of passes and cancels some 1e-11 of a double's digits.
IncompleteBeta incomplete_beta(long double r, long double a, long double b);

// The same as logarithms, lower = ln I, upper = ln J: what the distributions use.
struct LogIncompleteBeta {
    LogTails tails;
    long terms;
};
LogIncompleteBeta log_incomplete_beta(long double r, long double a, long double b);

}  // namespace engine
