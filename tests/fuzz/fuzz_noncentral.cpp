// The noncentral chi-square, F and t from any doubles: each routine gives a
// value, a Fault or a DomainError; never NaN, never a tail outside [0, 1],
// never two tails that miss 1 by more than 1e-15 where both exceed 1e-15;
// quantiles finite, the lower ones with the level as their tail again, and
// noncentralities inside the domain.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/domain.h"
#include "engine/noncentral_chi_square_density.h"
#include "engine/noncentral_chi_square_noncentrality.h"
#include "engine/noncentral_chi_square_quantile.h"
#include "engine/noncentral_chi_square_tails.h"
#include "engine/noncentral_f_density.h"
#include "engine/noncentral_f_noncentrality.h"
#include "engine/noncentral_f_quantile.h"
#include "engine/noncentral_f_tails.h"
#include "engine/noncentral_limits.h"
#include "engine/noncentral_t_density.h"
#include "engine/noncentral_t_noncentrality.h"
#include "engine/noncentral_t_quantile.h"
#include "engine/noncentral_t_tails.h"
#include "engine/numeric/fault.h"
#include "fuzz_checks.h"

namespace {

// A raw double (refusals and extremes included) or one spread over the range
// its argument takes: 10^-1..10^9 for degrees, a signed 10^-6..10^6 otherwise,
// a probability for the levels.
double number(std::uint8_t how, const std::uint8_t* bytes, int role)
{
    if (how & 1) return double_at(bytes);
    const std::uint64_t bits = bits_at(bytes);
    const double u = double(bits >> 11) / 9007199254740992.0;
    switch (role) {
    case 0: return std::pow(10.0, -1 + 10 * u);                                            // degrees
    case 1: return (bits & 1 ? -1 : 1) * std::pow(10.0, -6 + 12 * u);                    // a statistic
    case 2: return u < 0.1 ? 0 : std::pow(10.0, -6 + 12 * u) / (bits & 1 ? 1 : 1e3);    // lambda
    case 3: return (bits & 1 ? -1 : 1) * std::pow(10.0, -3 + 6 * u);                     // delta
    default: return u < 0.5 ? std::pow(10.0, -300 * u * 2) : 1 - std::pow(10.0, -16 * (1 - u) * 2);  // a level
    }
}

void check_tails(const engine::Tails& t, const char* detail)
{
    for (const engine::Probability& p : {t.lower, t.upper}) {
        require(!std::isnan(p.value) && !std::isnan(p.log), "no NaN", detail);
        require(p.value >= 0 && p.value <= 1 && p.log <= 0, "a tail in [0, 1]", detail);
    }
    if (t.lower.value > 1e-15 && t.upper.value > 1e-15)
        require(std::fabs(t.lower.value + t.upper.value - 1) <= 1e-15, "the tails sum to 1", detail);
}

// The lower quantile: a finite value (positive but for the t), a fault or a
// DomainError; the tail that the level leaves small at the answer is the
// level again, to 1e-12 or to what the answer's last bit moves it by.
void check_lower_quantile(int law, const double* v, const char* detail)
{
    auto tails = [&](double x) {
        return law == 0   ? engine::noncentral_chi_square_tails(x, v[1], v[3])
               : law == 1 ? engine::noncentral_f_tails(x, v[1], v[2], v[3])
                          : engine::noncentral_t_tails(x, v[1], v[3]);
    };
    double x;
    try {
        x = law == 0   ? engine::noncentral_chi_square_lower_quantile(v[0], v[1], v[3])
            : law == 1 ? engine::noncentral_f_lower_quantile(v[0], v[1], v[2], v[3])
                       : engine::noncentral_t_lower_quantile(v[0], v[1], v[3]);
    } catch (const engine::DomainError&) {
        return;
    } catch (const numeric::Fault& fault) {
        require(fault.kind() == numeric::FaultKind::Overflow || fault.kind() == numeric::FaultKind::Underflow,
                "only a lower quantile beyond a double is a fault", std::string(fault.what()) + " at " + detail);
        return;
    }
    require(std::isfinite(x) && (law == 2 || x > 0), "a finite lower quantile", detail);
    const bool lower = v[0] <= 0.5;
    auto log_small = [&](double at) { const engine::Tails t = tails(at); return lower ? t.lower.log : t.upper.log; };
    const double at = log_small(x), target = lower ? std::log(v[0]) : std::log1p(-v[0]);
    const double step = std::fmax(std::fabs(log_small(std::nextafter(x, INFINITY)) - at),
                                  std::fabs(log_small(std::nextafter(x, -INFINITY)) - at));
    char more[300];
    std::snprintf(more, sizeof more, "%s: x %.17g off %.3g step %.3g", detail, x, at - target, step);
    require(std::fabs(at - target) <= std::fmax(1e-12, 2 * step), "the small tail at the lower quantile is the level", more);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 34) return 0;
    const int law = data[0] % 3, what = (data[0] / 3) % 4;
    const bool is_t = law == 2;
    // x (or a level), the degrees, the denominator degrees, the noncentrality (or a tail).
    const int roles[] = {what == 2 ? 4 : 1, 0, 0, what == 3 ? 4 : (is_t ? 3 : 2)};
    double v[4];
    for (int i = 0; i < 4; ++i) v[i] = number(data[1] >> i, data + 2 + 8 * i, roles[i]);
    if (what != 2 && !is_t && !(data[1] & 1)) v[0] = std::fabs(v[0]);
    char detail[200];
    std::snprintf(detail, sizeof detail, "law %d what %d: %.17g %.17g %.17g %.17g", law, what, v[0], v[1], v[2], v[3]);
    try {
        switch (what) {
        case 0:
            check_tails(law == 0   ? engine::noncentral_chi_square_tails(v[0], v[1], v[3])
                        : law == 1 ? engine::noncentral_f_tails(v[0], v[1], v[2], v[3])
                                   : engine::noncentral_t_tails(v[0], v[1], v[3]),
                        detail);
            break;
        case 1: {
            const double l = law == 0   ? engine::noncentral_chi_square_log_density(v[0], v[1], v[3])
                             : law == 1 ? engine::noncentral_f_log_density(v[0], v[1], v[2], v[3])
                                        : engine::noncentral_t_log_density(v[0], v[1], v[3]);
            require(!std::isnan(l), "a density, not NaN", detail);
            break;
        }
        case 2: {
            check_lower_quantile(law, v, detail);
            const double x = law == 0   ? engine::noncentral_chi_square_upper_quantile(v[0], v[1], v[3])
                             : law == 1 ? engine::noncentral_f_upper_quantile(v[0], v[1], v[2], v[3])
                                        : engine::noncentral_t_upper_quantile(v[0], v[1], v[3]);
            require(std::isfinite(x) && (is_t || x > 0), "a finite quantile", detail);
            break;
        }
        default: {
            const engine::Noncentrality r = law == 0   ? engine::chi_square_noncentrality(v[0], v[1], v[3])
                                            : law == 1 ? engine::f_noncentrality(v[0], v[1], v[2], v[3])
                                                       : engine::t_noncentrality(v[0], v[1], v[3]);
            const double end = is_t ? engine::largest_delta : engine::largest_lambda;
            require(r.value >= (is_t ? -end : 0) && r.value <= end, "a noncentrality in the domain", detail);
        }
        }
    } catch (const engine::DomainError&) {
    } catch (const numeric::Fault& fault) {
        // Only a value beyond a double: an infinite statistic, a quantile past the ends.
        require(fault.kind() == numeric::FaultKind::Overflow || fault.kind() == numeric::FaultKind::Underflow,
                "only a value beyond a double is a fault", std::string(fault.what()) + " at " + detail);
    }
    return 0;
}
