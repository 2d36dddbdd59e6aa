#pragma once
// Checked double arithmetic for the distribution routines. Every operation is
// one IEEE double operation; a result that is not finite raises a typed Fault
// right there instead of travelling on. Qt-free: the engine builds on it.
#include <cmath>

#include "engine/numeric/fault.h"

namespace numeric {

class Real {
public:
    constexpr Real() = default;
    constexpr Real(double v) : v_(v) {}  // NOLINT: literals read as in the formulas
    constexpr double value() const { return v_; }

    Real& operator+=(Real o) { return *this = *this + o; }
    Real& operator-=(Real o) { return *this = *this - o; }

    friend Real operator+(Real a, Real b) { return checked(a.v_ + b.v_); }
    friend Real operator-(Real a, Real b) { return checked(a.v_ - b.v_); }
    friend Real operator*(Real a, Real b) { return checked(a.v_ * b.v_); }
    friend Real operator/(Real a, Real b)
    {
        if (b.v_ == 0.0)
            throw Fault(a.v_ == 0.0 ? FaultKind::ZeroByZero : FaultKind::DivisionByZero);
        return checked(a.v_ / b.v_);
    }
    friend Real operator-(Real a) { return Real(-a.v_); }

    friend bool operator==(Real a, Real b) { return a.v_ == b.v_; }
    friend auto operator<=>(Real a, Real b) { return a.v_ <=> b.v_; }

    static Real checked(double r)
    {
        if (!std::isfinite(r)) throw Fault(FaultKind::Overflow);
        return Real(r);
    }

private:
    double v_ = 0.0;
};

inline Real sqrt(Real a)
{
    if (a.value() < 0.0) throw Fault(FaultKind::SqrtOfNegative);
    return Real(std::sqrt(a.value()));
}

inline Real log(Real a)
{
    if (a.value() <= 0.0) throw Fault(FaultKind::LogOfNonPositive);
    return Real(std::log(a.value()));
}

// ln(1 + a), exact near a = 0 where log(1 + a) would lose the digits of a.
inline Real log1p(Real a)
{
    if (a.value() <= -1.0) throw Fault(FaultKind::LogOfNonPositive);
    return Real(std::log1p(a.value()));
}

// Underflow to zero is no fault; only a result beyond the range is.
inline Real exp(Real a) { return Real::checked(std::exp(a.value())); }
inline Real sin(Real a) { return Real(std::sin(a.value())); }
inline Real cos(Real a) { return Real(std::cos(a.value())); }
inline Real atan(Real a) { return Real(std::atan(a.value())); }
inline Real abs(Real a) { return Real(std::fabs(a.value())); }
inline Real floor(Real a) { return Real(std::floor(a.value())); }

// base^exponent. x^0 is 1 (also 0^0); a negative base needs a whole exponent.
inline Real pow(Real base, Real exponent)
{
    const double b = base.value(), e = exponent.value();
    if (b == 0.0 && e < 0.0) throw Fault(FaultKind::PowerDomain);
    if (b < 0.0 && e != std::floor(e)) throw Fault(FaultKind::PowerDomain);
    return Real::checked(std::pow(b, e));
}

}  // namespace numeric
