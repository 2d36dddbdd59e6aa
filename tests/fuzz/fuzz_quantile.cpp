// The critical values from any level text and any degrees: the strip's text
// never throws and has its shape, and wherever the text is a plain number
// strictly between 0 and 1, each quantile's smaller tail at its answer is
// that level again, to 1e-12 or to what the answer's last bit moves it by,
// or the quantile refuses with a typed error.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "engine/chi_square_quantile.h"
#include "engine/chi_square_tails.h"
#include "engine/domain.h"
#include "engine/f_quantile.h"
#include "engine/f_tails.h"
#include "engine/normal_quantile.h"
#include "engine/normal_tails.h"
#include "engine/numeric/fault.h"
#include "engine/t_quantile.h"
#include "engine/t_tails.h"
#include "fuzz_checks.h"
#include "run/critical_text.h"

namespace {

using D = run::DistributionId;

// Degrees as raw doubles (refusals included) or spread over 1e-300 to 1e9 in
// their logarithm, where the program reads them.
double degrees(std::uint8_t how, const std::uint8_t* bytes)
{
    if (how & 1) return double_at(bytes);
    const std::uint64_t bits = bits_at(bytes);
    if (how & 2) return double(bits % 1000 + 1) / (how & 4 ? 2 : 1);
    return std::pow(10.0, -300 + 309 * (double(bits >> 11) / 9007199254740992.0));
}

// The smaller tail at x: the upper where the level is below one half.
double log_smaller_tail(D d, double x, double nu1, double nu2, bool upper)
{
    switch (d) {
    case D::normal: return engine::normal_tails(x).one_tail.log;
    case D::chi_square: {
        const engine::Tails t = engine::chi_square_tails(x, nu1);
        return (upper ? t.upper : t.lower).log;
    }
    case D::t: {
        const engine::TTails t = engine::t_tails(x, nu1);
        return (upper ? t.upper : t.lower).log;
    }
    case D::f: break;
    }
    const engine::FTails t = engine::f_tails(x, nu1, nu2);
    return (upper ? t.upper : t.lower).log;
}

void round_trip(D d, double alpha, double nu1, double nu2)
{
    double x;
    try {
        switch (d) {
        case D::normal: x = engine::normal_upper_quantile(alpha); break;
        case D::chi_square: x = engine::chi_square_upper_quantile(alpha, nu1); break;
        case D::t: x = engine::t_upper_quantile(alpha, nu1); break;
        case D::f: x = engine::f_upper_quantile(alpha, nu1, nu2); break;
        }
    } catch (const engine::DomainError&) {
        return;
    } catch (const numeric::Fault& fault) {
        require(fault.kind() == numeric::FaultKind::Overflow || fault.kind() == numeric::FaultKind::Underflow,
                "only an answer beyond a double is a fault", fault.what());
        return;
    }
    require(std::isfinite(x), "a finite answer", std::to_string(x));
    const bool upper = alpha <= 0.5;
    const double target = upper ? std::log(alpha) : std::log1p(-alpha);
    const double at = log_smaller_tail(d, x, nu1, nu2, upper);
    const double step = std::fmax(std::fabs(log_smaller_tail(d, std::nextafter(x, INFINITY), nu1, nu2, upper) - at),
                                  std::fabs(log_smaller_tail(d, std::nextafter(x, -INFINITY), nu1, nu2, upper) - at));
    // Relative error of the tail, as the difference of logarithms.
    char detail[160];
    std::snprintf(detail, sizeof detail, "alpha %.17g nu %.17g, %.17g x %.17g off %.3g step %.3g", alpha, nu1, nu2,
                  x, at - target, step);
    require(std::fabs(at - target) <= std::fmax(1e-12, 2 * step), "the tail at the answer is the level", detail);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 17) return 0;
    const D d = D(data[0] & 3);
    const run::Question q{&run::describe(d), 0, degrees(data[0] >> 2, data + 1), degrees(data[0] >> 5, data + 9)};
    const std::string ascii(reinterpret_cast<const char*>(data + 17), size - 17);
    const platform::Text alpha_text = platform::from_utf8(ascii);

    const platform::Text shown = run::critical_text(q, alpha_text, u',');
    // One tail a line; a symmetric law's lower value is the upper's mirror,
    // its both tails' value the pair of them.
    const std::string number = "-?[0-9][0-9,e+-]*", unknown = "|cannot be computed)";
    const std::string value = "(" + number + "|> 1,79769e\\+308|< 4,94066e-324" + unknown;
    const std::string mirror = "(" + number + "|< -1,79769e\\+308|> -4,94066e-324" + unknown;
    const std::string pair = "(\u00B1" + number + "|beyond \u00B11,79769e\\+308|within \u00B14,94066e-324" + unknown;
    const std::string shape = d == D::chi_square ? "lower tail " + value + "\nupper tail " + value
                              : d == D::f ? "lower tail " + value + "\nupper tail " + value + "\ndoubled " + value
                                          : "lower tail " + mirror + "\nupper tail " + value + "\nboth tails " + pair;
    require(shown == u"\u03B1 must be between 0 and 1" || matches(shown, shape), "the strip's shape", shown);

    // A plain number: the strip's refusal exactly when it is no level.
    if (ascii.empty() || ascii.find_first_not_of("0123456789.eE-") != std::string::npos) return 0;
    char* end = nullptr;
    const double alpha = std::strtod(ascii.c_str(), &end);
    if (*end != '\0') return 0;
    const bool level = alpha > 0 && alpha < 1;
    require(level == (shown != u"\u03B1 must be between 0 and 1"), "refused exactly when no level", shown);
    if (!level) return 0;
    round_trip(d, alpha, q.nu1, q.nu2);
    if (d != D::chi_square) round_trip(d, alpha / 2, q.nu1, q.nu2);
    return 0;
}
