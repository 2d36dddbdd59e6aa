#pragma once

namespace engine {

struct IncompleteBeta {
    double I;     // regularized incomplete beta I_x(a, b)
    double J;     // its complement 1 - I_x(a, b) = I_y(b, a)
    long terms;   // passes of the continued fraction
};

// The regularized incomplete beta function for a, b > 0 at x, y = 1 - x, both
// in [0, 1] and given separately so that a y near 0 keeps its digits. By the
// continued fraction of I_x(a, b), on whichever tail converges (x below
// (a+1)/(a+b+2)); it needs at most some thousands of passes at a = b = 5e8.
IncompleteBeta incomplete_beta(double x, double y, double a, double b);

}  // namespace engine
