#include "engine/law.h"

#include <cfloat>
#include <cmath>

#include "engine/binomial_critical.h"
#include "engine/binomial_limits.h"
#include "engine/binomial_probability.h"
#include "engine/binomial_tails.h"
#include "engine/chi_square_density.h"
#include "engine/correlation_density.h"
#include "engine/correlation_quantile.h"
#include "engine/correlation_rho.h"
#include "engine/correlation_tails.h"
#include "engine/chi_square_quantile.h"
#include "engine/chi_square_tails.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/f_density.h"
#include "engine/f_quantile.h"
#include "engine/f_tails.h"
#include "engine/log_gamma.h"
#include "engine/noncentral.h"
#include "engine/normal_density.h"
#include "engine/normal_quantile.h"
#include "engine/normal_tails.h"
#include "engine/t_density.h"
#include "engine/t_quantile.h"
#include "engine/t_tails.h"

namespace engine {

Law::Law(Family family, double nu1, double nu2, double noncentrality)
    : family_(family), nu1_(nu1), nu2_(nu2), noncentrality_(noncentrality)
{
    switch (family) {
    case Family::normal:
        if (!(std::isfinite(nu1) && nu1 > 0)) throw DomainError(Argument::degrees, DomainRule::positive);
        require_between(noncentrality, Argument::noncentrality, -DBL_MAX, DBL_MAX);
        break;
    case Family::t:
        require_degrees(nu1, Argument::degrees, largest_degrees);
        require_between(noncentrality, Argument::noncentrality, -largest_delta, largest_delta);
        break;
    case Family::f:
        require_degrees(nu2, Argument::denominator_degrees, largest_degrees);
        [[fallthrough]];
    case Family::chi_square:
        require_degrees(nu1, Argument::degrees, largest_degrees);
        require_between(noncentrality, Argument::noncentrality, 0, largest_lambda);
        break;
    case Family::correlation: require_correlation_law(nu1, noncentrality); break;
    case Family::binomial: require_binomial(0, nu1, noncentrality); break;
    }
}

Law Law::normal(double mean, double sd) { return Law(Family::normal, sd, 0, mean); }
Law Law::correlation(double n, double rho) { return Law(Family::correlation, n, 0, rho); }
Law Law::binomial(double n, double p) { return Law(Family::binomial, n, 0, p); }

Support Law::support() const
{
    switch (family_) {
    case Family::chi_square:
    case Family::f: return {0, INFINITY};
    case Family::correlation: return {-1, 1};
    case Family::binomial: return {0, nu1_};
    default: return {-INFINITY, INFINITY};
    }
}
Law Law::chi_square(double nu, double lambda) { return Law(Family::chi_square, nu, 0, lambda); }
Law Law::t(double nu, double delta) { return Law(Family::t, nu, 0, delta); }
Law Law::f(double nu1, double nu2, double lambda) { return Law(Family::f, nu1, nu2, lambda); }
Law Law::at(double noncentrality) const { return Law(family_, nu1_, nu2_, noncentrality); }

Tails Law::tails(double x) const
{
    switch (family_) {
    case Family::normal: {
        // The tail beyond |z| as itself; the other side is the larger one.
        const double z = (x - noncentrality_) / nu1_;
        const Probability beyond = normal_tails(z).one_tail;
        const Probability rest{1 - beyond.value, static_cast<double>(std::log1p(-static_cast<long double>(beyond.value)))};
        return z >= 0 ? Tails{rest, beyond} : Tails{beyond, rest};
    }
    case Family::correlation: return correlation_tails(x, nu1_, noncentrality_);
    case Family::binomial: return binomial_tails(x, nu1_, noncentrality_);
    case Family::chi_square:
        return central() ? chi_square_tails(x, nu1_) : noncentral_chi_square_tails(x, nu1_, noncentrality_);
    case Family::t: {
        if (!central()) return noncentral_t_tails(x, nu1_, noncentrality_);
        const TTails t = t_tails(x, nu1_);
        return {t.lower, t.upper};
    }
    case Family::f: {
        if (!central()) return noncentral_f_tails(x, nu1_, nu2_, noncentrality_);
        const FTails f = f_tails(x, nu1_, nu2_);
        return {f.lower, f.upper};
    }
    }
    return {};
}

double Law::log_density(double x) const
{
    switch (family_) {
    case Family::normal: return normal_log_density((x - noncentrality_) / nu1_) - std::log(nu1_);
    case Family::correlation: return correlation_log_density(x, nu1_, noncentrality_);
    case Family::binomial: return binomial_log_probability(x, nu1_, noncentrality_);
    case Family::chi_square:
        return central() ? chi_square_log_density(x, nu1_) : noncentral_chi_square_log_density(x, nu1_, noncentrality_);
    case Family::t: return central() ? t_log_density(x, nu1_) : noncentral_t_log_density(x, nu1_, noncentrality_);
    case Family::f:
        return central() ? f_log_density(x, nu1_, nu2_) : noncentral_f_log_density(x, nu1_, nu2_, noncentrality_);
    }
    return NAN;
}

double Law::upper_quantile(double p) const
{
    switch (family_) {
    case Family::normal: return noncentrality_ + nu1_ * normal_upper_quantile(p);
    case Family::correlation: return correlation_upper_quantile(p, nu1_, noncentrality_);
    case Family::binomial: return binomial_upper_critical(nu1_, noncentrality_, p);
    case Family::chi_square:
        return central() ? chi_square_upper_quantile(p, nu1_)
                         : noncentral_chi_square_upper_quantile(p, nu1_, noncentrality_);
    case Family::t: return central() ? t_upper_quantile(p, nu1_) : noncentral_t_upper_quantile(p, nu1_, noncentrality_);
    case Family::f:
        return central() ? f_upper_quantile(p, nu1_, nu2_) : noncentral_f_upper_quantile(p, nu1_, nu2_, noncentrality_);
    }
    return NAN;
}

double Law::lower_quantile(double p) const
{
    switch (family_) {
    // A symmetric law's lower quantile is its upper one mirrored.
    case Family::normal: return noncentrality_ - nu1_ * normal_upper_quantile(p);
    case Family::correlation: return correlation_lower_quantile(p, nu1_, noncentrality_);
    case Family::binomial: return binomial_lower_critical(nu1_, noncentrality_, p);
    case Family::chi_square:
        return central() ? chi_square_lower_quantile(p, nu1_)
                         : noncentral_chi_square_lower_quantile(p, nu1_, noncentrality_);
    case Family::t: return central() ? -t_upper_quantile(p, nu1_) : noncentral_t_lower_quantile(p, nu1_, noncentrality_);
    case Family::f:
        return central() ? f_lower_quantile(p, nu1_, nu2_) : noncentral_f_lower_quantile(p, nu1_, nu2_, noncentrality_);
    }
    return NAN;
}

Moments Law::moments() const
{
    const double l = noncentrality_;
    switch (family_) {
    case Family::normal: return {l, nu1_};
    case Family::binomial: return {nu1_ * l, std::sqrt(nu1_ * l * (1 - l))};
    case Family::correlation:
        // To first order in 1/n: E r = rho (1 - (1 - rho^2) / (2 n)), sd (1 - rho^2) / sqrt(n - 1).
        return {l * (1 - (1 - l * l) / (2 * nu1_)), (1 - l * l) / std::sqrt(nu1_ - 1)};
    case Family::chi_square: return {nu1_ + l, std::sqrt(2 * (nu1_ + 2 * l))};
    case Family::t: {
        // E T = delta sqrt(nu/2) Gamma((nu-1)/2) / Gamma(nu/2) (nu > 1);
        // E T^2 = nu (1 + delta^2) / (nu - 2) (nu > 2).
        if (!(nu1_ > 1)) return {NAN, NAN};
        const long double ratio = std::exp(log_gamma((nu1_ - 1) / 2.0L) - log_gamma(nu1_ / 2.0L));
        const double mean = static_cast<double>(l * std::sqrt(nu1_ / 2.0L) * ratio);
        if (!(nu1_ > 2)) return {mean, NAN};
        return {mean, std::sqrt(std::fmax(nu1_ * (1 + l * l) / (nu1_ - 2) - mean * mean, 0.0))};
    }
    case Family::f: {
        // E F = nu2 (nu1 + lambda) / (nu1 (nu2 - 2)) (nu2 > 2); its variance
        // 2 (nu2/nu1)^2 ((nu1 + lambda)^2 + (nu1 + 2 lambda)(nu2 - 2)) / ((nu2 - 2)^2 (nu2 - 4)) (nu2 > 4).
        if (!(nu2_ > 2)) return {NAN, NAN};
        const double mean = nu2_ * (nu1_ + l) / (nu1_ * (nu2_ - 2));
        if (!(nu2_ > 4)) return {mean, NAN};
        const double r = nu2_ / nu1_;
        const double variance =
            2 * r * r * ((nu1_ + l) * (nu1_ + l) + (nu1_ + 2 * l) * (nu2_ - 2)) / ((nu2_ - 2) * (nu2_ - 2) * (nu2_ - 4));
        return {mean, std::sqrt(variance)};
    }
    }
    return {NAN, NAN};
}

Noncentrality Law::noncentrality_for(double x, double p) const
{
    switch (family_) {
    case Family::chi_square: return chi_square_noncentrality(x, nu1_, p);
    case Family::t: return t_noncentrality(x, nu1_, p);
    case Family::f: return f_noncentrality(x, nu1_, nu2_, p);
    case Family::correlation: return correlation_rho(x, nu1_, p);
    // The chance at which P(X >= x) = p: the lower Clopper-Pearson limit.
    case Family::binomial: return {binomial_lower_limit(x, nu1_, p), false};
    case Family::normal: break;
    }
    // The normal's shift: x less its quantile at the scale.
    require_probability(p);
    return {x - nu1_ * normal_upper_quantile(p), false};
}

}  // namespace engine
