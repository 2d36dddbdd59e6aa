#include "engine/chi_square.h"

#include <cmath>

#include "engine/chi_square_upper.h"
#include "engine/domain.h"
#include "engine/chi_square_tails.h"

namespace engine {

namespace {

// The power series holds every digit for a whole nu up to 300 (the product of
// every second number from nu down stays below 8e307), for x up to 1416 (so
// e^(-x/2) is still a normal double and no term exceeds a double), and while
// x^k, k = (nu + 1)/2 rounded down, stays below e^700. An odd nu needs x > 0
// for its factor sqrt(2/(pi x)).
bool series_answers(double x, double nu)
{
    if (nu != std::floor(nu) || nu < 1 || nu > 300) return false;
    if (!(x > 0) || x > 1416) return false;
    const double k = std::floor((nu + 1) / 2);
    return k * std::log(x) <= 700;
}

}  // namespace

ChiSquare chi_square(double x, double nu)
{
    require_degrees(nu, Argument::degrees, largest_degrees);
    if (!(x >= 0)) throw DomainError(Argument::statistic, DomainRule::not_negative);

    if (x == 0) return {1, Evaluation::incomplete_function};
    if (series_answers(x, nu)) return {chi_square_upper(x, nu).P, Evaluation::series};
    return {chi_square_tails(x, nu).upper.value, Evaluation::incomplete_function};
}

}  // namespace engine
