#pragma once

namespace engine {

struct NormalArea {
    double u;     // area between 0 and |z|
    double t;     // 1/(1 + p|z|)
    double poly;  // the polynomial in t
};

// Area under the standard normal curve between 0 and |z|, for any finite z,
// from the Abramowitz-Stegun polynomial 26.2.17 for the upper tail (to about
// 7.5e-8).
NormalArea normal_area(double z);

}  // namespace engine
