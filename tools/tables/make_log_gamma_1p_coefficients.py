#!/usr/bin/env python3
"""Writes engine/log_gamma_1p_coefficients.h: the Taylor coefficients of
ln Gamma(1 + a) = -gamma a + sum_{k>=2} (-1)^k zeta(k) a^k / k, at 40 digits."""
import sys
import mpmath as mp

mp.mp.dps = 40
COUNT = 40  # a^1 .. a^40: at |a| = 1/4 the last is below 1e-24
coefficients = [-mp.euler] + [(-1) ** k * mp.zeta(k) / k for k in range(2, COUNT + 1)]
for a in (mp.mpf("0.25"), mp.mpf("-0.25"), mp.mpf("1e-12")):
    value = sum(c * a ** (n + 1) for n, c in enumerate(coefficients))
    assert abs(value / mp.loggamma(1 + a) - 1) < mp.mpf(10) ** -22, a

out = ["// Written by tools/tables/make_log_gamma_1p_coefficients.py; do not edit.",
       "#pragma once", "", "namespace engine::log_gamma_1p_series {", "",
       f"inline constexpr int count = {COUNT};", "",
       "// coefficient[n]: of a^(n+1) in ln Gamma(1 + a).",
       "inline constexpr long double coefficient[count] = {"]
out += [f"    {mp.nstr(c, 30, min_fixed=1, max_fixed=0)}L," for c in coefficients]
out += ["};", "", "}  // namespace engine::log_gamma_1p_series", ""]
open(sys.argv[1] if len(sys.argv) > 1 else "engine/log_gamma_1p_coefficients.h", "w").write("\n".join(out))
