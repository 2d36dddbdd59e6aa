// ln Q(z) for the noncentral t's integrands, which need it at some dozens of
// nodes a tail.
//   z < 2.5:  Q = 1/2 - phi(z) (z + z^3/3 + z^5/(3 5) + ...): the series of
//             the integral from 0 to z, all terms positive; Q is at least
//             1/160 of 1/2 there, so the difference keeps its digits.
//   z >= 2.5: Q = phi(z) R(z), R the Mills ratio. Laplace's continued
//             fraction R = 1/(z+ 1/(z+ 2/(z+ 3/(z+ ...)))), evaluated backward
//             from a depth that holds 1e-20: one division a level. The depth
//             needed (by the modified Lentz method's own test) is 106 at
//             z = 2.5, 49 at 4, 17 at 10, 8 at 40, under 12 + 600/z^2;
//             16 + 700/z^2 leaves a margin. From 2.5 to 8.5, where the
//             fraction is longest, R comes instead from Chebyshev series of
//             degree 15 on twelve intervals of width 1/2, their coefficients
//             made once from the fraction at the Chebyshev points: R is
//             entire, and on such an interval degree 15 holds it to 1e-24
//             (2e-25 at 2.5, 8e-29 at 6), for 16 products instead of 100
//             divisions.
// Below 0 the tail is 1 - Q(-z), from log1p of the small side. ln phi(z) is
// -z^2/2 - ln sqrt(2 pi), whose square extended range holds for any double.
#include "engine/normal_log_upper.h"

#include <cmath>

#include "engine/numeric/fault.h"

namespace engine {

namespace {

// R(z) = Q(z)/phi(z) by the continued fraction, backward from its depth.
long double mills_ratio(long double z)
{
    long double tail = 0;
    for (int n = 16 + static_cast<int>(700 / (z * z)); n >= 1; --n) tail = n / (z + tail);
    return 1 / (z + tail);
}

constexpr int intervals = 12, terms = 16;
constexpr long double table_from = 2.5L, table_width = 0.5L, table_to = table_from + intervals * table_width;

struct MillsTable {
    long double c[intervals][terms];
    MillsTable()
    {
        const long double pi = 3.14159265358979323846264338327950288L;
        for (int i = 0; i < intervals; ++i) {
            long double f[terms];
            for (int j = 0; j < terms; ++j) {
                const long double x = std::cos(pi * (j + 0.5L) / terms);
                f[j] = mills_ratio(table_from + table_width * (i + (x + 1) / 2));
            }
            for (int k = 0; k < terms; ++k) {
                long double sum = 0;
                for (int j = 0; j < terms; ++j) sum += f[j] * std::cos(pi * k * (j + 0.5L) / terms);
                c[i][k] = 2 * sum / terms;
            }
        }
    }
};

// The series by Clenshaw's recurrence, for table_from <= z < table_to.
long double mills_from_table(long double z)
{
    static const MillsTable table;
    const int i = static_cast<int>((z - table_from) / table_width);
    const long double x = 2 * ((z - table_from) / table_width - i) - 1;
    const long double* c = table.c[i];
    long double b1 = 0, b2 = 0;
    for (int k = terms - 1; k >= 1; --k) {
        const long double b = (c[k] + 2 * x * b1) - b2;
        b2 = b1, b1 = b;
    }
    return (c[0] / 2 + x * b1) - b2;
}

}  // namespace

long double log_normal_upper(long double z)
{
    if (std::isnan(z)) throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    const long double ln_sqrt_2pi = 0.918938533204672741780329736405617639L;
    if (z < 0) return std::log1p(-std::exp(log_normal_upper(-z)));
    if (std::isinf(z)) return -INFINITY;

    const long double log_phi = -(z * z) / 2 - ln_sqrt_2pi;
    if (z < table_from) {
        long double term = z, sum = z;
        for (int n = 1; term > sum * 1e-21L; ++n) {
            term *= (z * z) / (2 * n + 1);
            sum += term;
        }
        return std::log(0.5L - std::exp(log_phi) * sum);
    }
    const long double r = z < table_to ? mills_from_table(z) : mills_ratio(z);
    return log_phi + std::log(r);
}

}  // namespace engine
