#!/usr/bin/env python3
"""Writes engine/temme_coefficients.h: the Taylor coefficients in eta of the
terms c_k(eta) of Temme's uniform expansion of the incomplete gamma function,

    Q(a, x) = erfc(eta sqrt(a/2))/2 + e^(-a eta^2/2)/sqrt(2 pi a) sum_k c_k(eta) a^-k,
    eta^2/2 = mu - ln(1 + mu),  mu = x/a - 1,

from c_0 = 1/mu - 1/eta and c_k = (c_{k-1}'(eta) + (-1)^k g_k / (mu/eta)) / eta,
g_k the coefficients of Stirling's series of Gamma*(a) = sum g_k a^-k. All in
power series arithmetic at 60 digits; checked against mpmath's own Q."""
import sys
import mpmath as mp

mp.mp.dps = 60
N = 64        # degree of the series carried
K = 7         # terms c_0 .. c_{K-1}
KEEP = 34     # coefficients written for each c_k

def mul(p, q):
    r = [mp.mpf(0)] * (N + 1)
    for i, a in enumerate(p):
        if a == 0: continue
        for j in range(0, N + 1 - i):
            if j < len(q): r[i + j] += a * q[j]
    return r

def inv(p):  # 1/p, p[0] != 0
    r = [mp.mpf(0)] * (N + 1)
    r[0] = 1 / p[0]
    for n in range(1, N + 1):
        s = sum(p[i] * r[n - i] for i in range(1, n + 1) if i < len(p))
        r[n] = -s / p[0]
    return r

def mu_minus_log1p(m):  # m has no constant term
    r = [mp.mpf(0)] * (N + 1)
    power = m[:]
    for j in range(1, N + 1):
        if j >= 2:
            sign = 1 if j % 2 == 0 else -1  # mu - ln(1+mu) = sum_{j>=2} (-1)^j mu^j / j
            for i in range(N + 1): r[i] += sign * power[i] / j
        power = mul(power, m)
    return r

# mu(eta): solve mu - ln(1 + mu) = eta^2/2 coefficient by coefficient.
m = [mp.mpf(0)] * (N + 1)
m[1] = mp.mpf(1)
for n in range(2, N):
    m[n] = mp.mpf(0)
    m[n] = -mu_minus_log1p(m)[n + 1]
s = m[1:] + [mp.mpf(0)]          # mu / eta
t = inv(s)                        # eta / mu

# g_k from exp(sum B_2j / (2j (2j-1)) w^(2j-1)), w = 1/a.
lg = [mp.mpf(0)] * (N + 1)
for j in range(1, N // 2):
    if 2 * j - 1 <= N: lg[2 * j - 1] = mp.bernoulli(2 * j) / (2 * j * (2 * j - 1))
g = [mp.mpf(0)] * (N + 1); g[0] = mp.mpf(1)
term = [mp.mpf(1)] + [mp.mpf(0)] * N
for n in range(1, N + 1):
    term = [x / n for x in mul(term, lg)]
    g = [a + b for a, b in zip(g, term)]

c = []
c0 = t[1:] + [mp.mpf(0)]          # (eta/mu - 1)/eta
c.append(c0)
for k in range(1, K):
    d = [(i + 1) * c[-1][i + 1] for i in range(N)] + [mp.mpf(0)]
    num = [d[i] + (-1) ** k * g[k] * t[i] for i in range(N + 1)]
    assert abs(num[0]) < mp.mpf(10) ** -50, (k, num[0])
    c.append(num[1:] + [mp.mpf(0)])

def series_Q(a, x):
    mu = x / a - 1
    eta = mp.sign(mu) * mp.sqrt(2 * (mu - mp.log1p(mu)))
    total = mp.mpf(0)
    for k in range(K):
        total += mp.polyval(list(reversed(c[k][:KEEP])), eta) / a ** k
    return mp.erfc(eta * mp.sqrt(a / 2)) / 2 + mp.exp(-a * eta ** 2 / 2) / mp.sqrt(2 * mp.pi * a) * total

for a, x in [(1e4, 1e4 + 300), (1e5, 0.75e5), (1e5, 1.3e5), (2e5, 2e5 - 5000)]:
    a, x = mp.mpf(a), mp.mpf(x)
    exact = mp.gammainc(a, x, mp.inf, regularized=True)
    rel = abs(series_Q(a, x) / exact - 1)
    print(f"check a={a} x={x}: relative {mp.nstr(rel, 3)}", file=sys.stderr)
    assert rel < 1e-20

out = ["// Written by tools/tables/make_temme_coefficients.py; do not edit.",
       "#pragma once", "", "namespace engine::temme {", "",
       f"inline constexpr int terms = {K};",
       f"inline constexpr int degree = {KEEP};", "",
       "// coefficient[k][n]: of eta^n in c_k(eta).",
       f"inline constexpr long double coefficient[terms][degree] = {{"]
for k in range(K):
    out.append("    {")
    for n in range(KEEP):
        out.append(f"        {mp.nstr(c[k][n], 30, min_fixed=1, max_fixed=0)}L,")
    out.append("    },")
out += ["};", "", "}  // namespace engine::temme", ""]
open(sys.argv[1] if len(sys.argv) > 1 else "engine/temme_coefficients.h", "w").write("\n".join(out))
