#pragma once
// The noncentrality at which an upper tail takes a given value, as the
// *_noncentrality routines return it.

namespace engine {

struct Noncentrality {
    double value;
    // True where no noncentrality in the domain reaches the tail: value is
    // then the domain's end nearest it, a bound for a confidence interval.
    bool bound;
    operator double() const { return value; }  // NOLINT: used as the number it is
};

}  // namespace engine
