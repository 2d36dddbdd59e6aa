#!/usr/bin/env python3
"""Writes tests/forms/data/power_rows.csv: the power window's scenario rows
(what a user types, which question is pressed, and every number the answer
must show), made at 60 digits from the designs' definitions alone.

Each noncentral probability is made by two independent methods, and the row
is written only when they agree to 35 significant digits:

  t    1. Lenth's series (Guenther's form): for t >= 0
          P(T' <= t) = Phi(-delta) + 1/2 sum_j [p_j I_x(j + 1/2, nu/2)
                                               + q_j I_x(j + 1, nu/2)],
          x = t^2/(t^2 + nu), the betas by mpmath's betainc; t < 0 and the
          upper tail by reflection, at as many digits as the cancellation
          of 1 - P(...) costs.
       2. the chi integral: P(T' <= t) = int_0^inf f_chi_nu(s) Phi(t s/sqrt(nu)
          - delta) ds and P(T' > t) = int f_chi_nu(s) Phi(delta - t s/sqrt(nu)) ds,
          by mp.quad.
  F    1. the Poisson mixture sum_j w_j I_z(nu1/2 + j, nu2/2) (the upper tail
          as sum_j w_j I_(1-z)(nu2/2, nu1/2 + j)), z = nu1 x/(nu1 x + nu2).
       2. the defining ratio integrated over the numerator's chi variable v:
          P(F' > x) = int_0^inf k(v) P(nu2/2, nu2 v^2/(2 nu1 x)) dv, k the
          noncentral chi density (a Bessel I), the lower tail with Q.
  chi  1. the Poisson mixture sum_j w_j P(nu/2 + j, x/2) (and Q).
       2. the noncentral chi density k(v) integrated over [0, sqrt x] or
          [sqrt x, inf).

The central laws are the same functions at noncentrality 0, so every critical
value is checked by both methods too. Searches (critical values, N, effects,
alphas, the bounds of an observed effect) run on method 1; method 2 is then
evaluated at what they found: the power, beta and tail there must be the
target to 35 digits. The smallest N is found by doubling and halving on the
whole-N sequence of the design (power rises with N), and the N before it is
checked by both methods to fall short.

Each typed number is read as the double nearest it, as the program reads it.
Usage: make_power_rows.py [output.csv]  (default: the path above, from the
repository's root found beside this file)."""

# The scenarios, and why each is here:
#   t2_n_d05_p80, t2_n_d05_p95    the textbook two-group sizes (N = 128, 210)
#   t2_n_d05_1t                   one tail: the same effect needs fewer
#   t2_n_r2, t2_n_r05             unequal groups: ceil(r n1) either way round
#   t2_n_d7, t1_n_d7              d = 7: the first valid N (t2) or the second
#                                 (t1) already has the power, so a search that
#                                 wants a bracket below the answer fails
#   t1_n_d05_2t, t1_n_d05_1t      one sample, both tail counts
#   t1_n_d001                     N near 10^5, degrees near 10^5
#   t2_power_d2_n100              power within 1e-12 of 1: beta as itself
#   t1_power_beta30               beta near 1e-30
#   *_power_small                 the fewest degrees each design allows
#   *_power_large, *_a001         large N, alphas .01 and .001
#   *_effect, *_alpha             the roots in effect and in alpha
#   *_obs*                        the effect of a result and its interval;
#                                 anova_obs_low0 and reg_obs reach no lambda
#                                 at their lower end, which is then 0
#   *_a10                         alpha .1

import math
import os
import sys
import time
from fractions import Fraction

import mpmath as mp

DPS = 60
mp.mp.dps = DPS
AGREE_DIGITS = 35
LIMIT = mp.mpf(DPS + 25) * mp.log(10)     # nats below its peak where an integrand stops counting
MARGIN = mp.mpf(10) ** -9                 # how far a yes-or-no answer must be from its edge
worst = {'digits': mp.inf, 'what': ''}


def agree(a, b, what):
    """Both methods' values must match; the smallest match is kept for the summary."""
    if a == b:
        digits = mp.inf
    else:
        digits = -mp.log10(abs(a - b) / max(abs(a), abs(b)))
    if digits < worst['digits']:
        worst['digits'], worst['what'] = digits, what
    if digits < AGREE_DIGITS:
        raise ValueError('methods disagree on %s: %s vs %s' % (what, mp.nstr(a, 45), mp.nstr(b, 45)))


# ---- roots -------------------------------------------------------------------

def solve(g, lo, hi):
    """The root of g in [lo, hi], g(lo) and g(hi) of opposite signs: Illinois
    steps, halving the interval whenever they stop shrinking it."""
    glo, ghi = g(lo), g(hi)
    if glo == 0: return lo
    if ghi == 0: return hi
    assert (glo < 0) != (ghi < 0), ('no bracket', lo, hi, glo, ghi)
    side, width = 0, hi - lo
    for _ in range(500):
        m = (lo * ghi - hi * glo) / (ghi - glo)
        if not lo < m < hi: m = (lo + hi) / 2
        gm = g(m)
        if gm == 0: return m
        if (gm < 0) == (glo < 0):
            lo, glo = m, gm
            if side == -1: ghi /= 2
            side = -1
        else:
            hi, ghi = m, gm
            if side == 1: glo /= 2
            side = 1
        if hi - lo <= mp.mpf(10) ** -(DPS - 6) * max(abs(lo), abs(hi), mp.mpf(10) ** -20):
            return (lo + hi) / 2
        if hi - lo > width / 2:          # no halving in two steps: bisect once
            m = (lo + hi) / 2; gm = g(m)
            if gm == 0: return m
            if (gm < 0) == (glo < 0): lo, glo = m, gm
            else: hi, ghi = m, gm
            side = 0
        width = hi - lo
    raise ValueError('no convergence')


def bracket_up(g, start, sign_wanted, top):
    """From start upward in doubling steps to a point where g has the sign wanted (or top)."""
    x, step = start, max(abs(start), mp.mpf(1))
    while (g(x) > 0) != (sign_wanted > 0):
        if x >= top: return None
        x = min(x + step, top); step *= 2
    return x


# ---- integrals of exp(h) with h concave --------------------------------------

def integrate_exp(h, lo, hi, guess, width):
    """Integral of exp(h(v)) over [lo, hi] (hi may be inf) for a concave h: the
    peak climbed to and closed by golden sections, breakpoints outward at
    doubling distances from its width until h has fallen by LIMIT, and
    tanh-sinh over each piece, the ends included."""
    clamp = lambda v: min(max(v, lo), hi)
    x = clamp(guess); fx = h(x); step = width
    moved = False
    for direction in (1, -1):
        while True:
            y = clamp(x + direction * step)
            if y == x: break
            fy = h(y)
            if not fy > fx: break
            x, fx, moved = y, fy, True
            step *= 2
        if moved: break
        step = width
    a, b = clamp(x - step), clamp(x + step)
    for _ in range(90):
        m1 = a + (b - a) * mp.mpf('0.381966011250105')
        m2 = a + (b - a) * mp.mpf('0.618033988749895')
        if h(m1) > h(m2): b = m2
        else: a = m1
    x = clamp((a + b) / 2)
    top = h(x)
    if top == -mp.inf:
        return mp.mpf(0)
    e = mp.mpf(10) ** -12 * max(abs(x), width)
    if x - e > lo and x + e < hi:
        c2 = (h(x + e) - 2 * top + h(x - e)) / e ** 2
        w = 1 / mp.sqrt(-c2) if c2 < 0 else width
    else:                               # at an end: the decay's own scale
        d = 1 if x + 2 * e < hi else -1
        f1, f2 = h(x + d * e), h(x + 2 * d * e)
        slope = abs(f1 - top) / e
        c2 = (f2 - 2 * f1 + top) / e ** 2
        scale = max(slope, mp.sqrt(-c2) if c2 < 0 else 0)
        w = 1 / scale if scale > 0 else width
    w = min(w, 100 * width)
    points = [x]
    for direction in (-1, 1):
        end = lo if direction < 0 else hi
        pos, step = x, w
        while True:
            nxt = clamp(pos + direction * step)
            if nxt == pos: break
            points.append(nxt)
            if h(nxt) < top - LIMIT: break
            pos = nxt; step *= 2
        points.append(end)
    points = sorted(set(points))
    total = mp.quad(lambda v: mp.exp(h(v) - top), points)
    return mp.exp(top) * total


# ---- noncentral t ------------------------------------------------------------

def lenth_lower(t, nu, delta, eps):
    """P(T' <= t) for t >= 0 by Lenth's series, to an absolute eps."""
    if t == 0: return mp.ncdf(-delta)
    x = t * t / (t * t + nu); b = nu / 2; mu = delta * delta / 2
    p = mp.exp(-mu)
    q = delta * mp.exp(-mu) / (mp.sqrt(2) * mp.gamma(mp.mpf(3) / 2))
    total = mp.mpf(0); j = 0
    while True:
        ip = mp.betainc(j + mp.mpf(1) / 2, b, 0, x, regularized=True)
        iq = mp.betainc(j + 1, b, 0, x, regularized=True)
        total += p * ip + q * iq
        p_next, q_next = p * mu / (j + 1), q * mu / (j + mp.mpf(3) / 2)
        # past the Poisson peak the weights fall at least by mu/(j + 2) a step
        # and the betas only fall: the rest is below a geometric sum
        if j + 2 > mu:
            rest = (p_next + abs(q_next)) * ip / (1 - mu / (j + 2))
            if rest < eps: break
        p, q, j = p_next, q_next, j + 1
        if j > 10 ** 6: raise ValueError('Lenth series too long')
    return mp.ncdf(-delta) + total / 2


def t_tail_series(want, t, nu, delta):
    """Method 1 for t: one tail, its relative error below 10^-(DPS + 15): the
    digits lost to 1 - P(...) are bought by a wider precision."""
    w = DPS + 20
    while True:
        with mp.workdps(w):
            eps = mp.mpf(10) ** -(w - 3)
            if t >= 0:
                low = lenth_lower(t, nu, delta, eps)
                v = low if want == 'lower' else 1 - low
            else:
                low = lenth_lower(-t, nu, -delta, eps)
                v = low if want == 'upper' else 1 - low
            if v > 0:
                need = DPS + 20 + max(0, int(-mp.log10(v)) + 1)
                if w >= need: return +v
                w = need + 5
            else:
                w *= 2
            if w > 5000: raise ValueError('t series: cancellation beyond reach')


def t_tail_integral(want, t, nu, delta):
    """Method 2 for t: over the chi variable S with nu degrees, T' = (Z + delta)/(S/sqrt(nu))."""
    c = t / mp.sqrt(nu)
    lc = -(nu / 2 - 1) * mp.log(2) - mp.loggamma(nu / 2)
    sign = 1 if want == 'lower' else -1

    def h(s):
        if s <= 0:
            if nu != 1: return -mp.inf
            chi = lc
        else:
            chi = (nu - 1) * mp.log(s) - s * s / 2 + lc
        return chi + mp.log(mp.ncdf(sign * (c * s - delta)))
    return integrate_exp(h, mp.mpf(0), mp.inf, mp.sqrt(max(nu - 1, 0)), mp.mpf(1) / 2)


# ---- noncentral chi-square and F ---------------------------------------------

def poisson_mixture(mu, term, increasing):
    """sum_j w_j term(j), w_j the Poisson(mu) weights; term(j) in [0, 1],
    increasing or decreasing in j, so the rest past j is bounded by the
    weights' geometric tail (times term(j) when decreasing)."""
    w = mp.exp(-mu); total = mp.mpf(0); j = 0
    eps = mp.mpf(10) ** -(DPS + 10)
    while True:
        v = term(j)
        total += w * v
        w_next = w * mu / (j + 1)
        if j + 2 > mu:
            rest = w_next / (1 - mu / (j + 2)) * (1 if increasing else v)
            if rest <= eps * total or (total == 0 and rest == 0): break
        w, j = w_next, j + 1
        if j > 10 ** 6: raise ValueError('Poisson mixture too long')
    return total


def chi_tail_mixture(want, x, nu, lam):
    a, y = nu / 2, x / 2
    if want == 'lower':
        return poisson_mixture(lam / 2, lambda j: mp.gammainc(a + j, 0, y, regularized=True), False)
    return poisson_mixture(lam / 2, lambda j: mp.gammainc(a + j, y, mp.inf, regularized=True), True)


def f_tail_mixture(want, x, n1, n2, lam):
    z = n1 * x / (n1 * x + n2); zc = n2 / (n1 * x + n2)
    a, b = n1 / 2, n2 / 2
    if want == 'lower':
        return poisson_mixture(lam / 2, lambda j: mp.betainc(a + j, b, 0, z, regularized=True), False)
    return poisson_mixture(lam / 2, lambda j: mp.betainc(b, a + j, 0, zc, regularized=True), True)


def log_chi_density(v, nu, lam):
    """ln k(v), k the density of the noncentral chi variable V = sqrt(X'):
    v (v/theta)^(nu/2 - 1) e^(-(v^2 + lam)/2) I_(nu/2 - 1)(theta v), theta = sqrt(lam);
    at lam = 0 the central chi density."""
    if v <= 0:
        if nu != 1: return -mp.inf
        return mp.log(mp.sqrt(2 / mp.pi)) - lam / 2       # the limit at 0 for one degree
    if lam == 0:
        return (nu - 1) * mp.log(v) - v * v / 2 - (nu / 2 - 1) * mp.log(2) - mp.loggamma(nu / 2)
    theta = mp.sqrt(lam); order = nu / 2 - 1
    return (mp.log(v) + order * (mp.log(v) - mp.log(theta)) - (v * v + lam) / 2
            + mp.log(mp.besseli(order, theta * v)))


def chi_tail_integral(want, x, nu, lam):
    r = mp.sqrt(x)
    h = lambda v: log_chi_density(v, nu, lam)
    guess = mp.sqrt(max(nu - 1 + lam, 0))
    if want == 'lower': return integrate_exp(h, mp.mpf(0), r, min(guess, r), mp.mpf(1) / 2)
    return integrate_exp(h, r, mp.inf, max(guess, r), mp.mpf(1) / 2)


def f_tail_integral(want, x, n1, n2, lam):
    """F' = (V^2/n1)/(W/n2), W chi-square with n2 degrees: F' > x when W < n2 V^2/(n1 x)."""
    b = n2 / 2; k = n2 / (2 * n1 * x)

    def h(v):
        lk = log_chi_density(v, n1, lam)
        if lk == -mp.inf: return lk
        y = k * v * v
        if want == 'upper':
            g = mp.gammainc(b, 0, y, regularized=True) if y > 0 else mp.mpf(0)
        else:
            g = mp.gammainc(b, y, mp.inf, regularized=True)
        return lk + (mp.log(g) if g > 0 else -mp.inf)
    return integrate_exp(h, mp.mpf(0), mp.inf, mp.sqrt(max(n1 - 1 + lam, 1)), mp.mpf(1) / 2)


# ---- the two methods behind one call -----------------------------------------

def tail(law, want, x, d1, d2, nc, method=1):
    """P(X <= x) (want 'lower') or P(X > x) ('upper'); nc is delta for t, lambda otherwise."""
    if law == 't':
        return t_tail_series(want, x, d1, nc) if method == 1 else t_tail_integral(want, x, d1, nc)
    if law == 'f':
        return f_tail_mixture(want, x, d1, d2, nc) if method == 1 else f_tail_integral(want, x, d1, d2, nc)
    return chi_tail_mixture(want, x, d1, nc) if method == 1 else chi_tail_integral(want, x, d1, nc)


def tail_both(law, want, x, d1, d2, nc, what):
    one = tail(law, want, x, d1, d2, nc, 1)
    two = tail(law, want, x, d1, d2, nc, 2)
    agree(one, two, what)
    return one


def critical(law, upper_tail, d1, d2):
    """The central law's point with the given upper tail (below one half: positive)."""
    g = lambda u: mp.log(tail(law, 'upper', mp.exp(u), d1, d2, 0)) - mp.log(upper_tail)
    lo, hi = mp.mpf(-1), mp.mpf(1)
    while g(lo) < 0: lo *= 2
    while g(hi) > 0: hi *= 2
    c = mp.exp(solve(g, lo, hi))
    agree(tail(law, 'upper', c, d1, d2, 0, 2), upper_tail, 'the central tail at a critical value')
    return c


# ---- the designs ---------------------------------------------------------------

def typed(text):
    """The number the program reads from a box: the double nearest the text."""
    return mp.mpf(float(text))


class Design:
    def __init__(self, key, tails='', ratio='', groups='', predictors='', df='', tested='', measurements='',
                 correlation='', epsilon=''):
        self.key = key
        self.law = {'t1': 't', 't2': 't', 'anova': 'f', 'regression': 'f', 'chisq': 'chi', 'r2increase': 'f',
                    'repeated': 'f'}[key]
        self.tails = int(tails) if tails else None
        self.ratio = typed(ratio) if ratio else mp.mpf(1)
        self.k = int(groups) if groups else None
        self.p = int(predictors) if predictors else None
        self.df = int(df) if df else None
        self.q = int(tested) if tested else None
        self.m = int(measurements) if measurements else None
        self.rho = typed(correlation) if correlation else None
        self.eps = typed(epsilon) if epsilon else None

    def split(self, n):
        """n1, n2 of a total N in two groups: n1 the largest whose design
        n1 + ceil(r n1) fits in N (at least 1), the rest the second group."""
        r = Fraction(float(self.ratio))
        n1 = 1
        while n1 + 1 + math.ceil(r * (n1 + 1)) <= n: n1 += 1
        return n1, n - n1

    def valid(self, n):
        if self.key == 't1': return n >= 2
        if self.key == 't2':
            n1, n2 = self.split(n); return n >= 3 and n1 >= 1 and n2 >= 1
        if self.key == 'anova': return n >= self.k + 1
        if self.key in ('regression', 'r2increase'): return n >= self.p + 2
        if self.key == 'repeated': return n >= 2
        return n >= 1

    def degrees(self, n):
        if self.key == 't1': return n - 1, None
        if self.key == 't2': return n - 2, None
        if self.key == 'anova': return self.k - 1, n - self.k
        if self.key == 'regression': return self.p, n - self.p - 1
        if self.key == 'r2increase': return self.q, n - self.p - 1
        if self.key == 'repeated':
            # In doubles, as the program forms them: the degrees are shown, not only used.
            within = float(self.m - 1) * float(self.eps)
            return mp.mpf(within), mp.mpf(float(n - 1) * within)
        return self.df, None

    def scale(self, n, n1=None, n2=None):
        """m with delta = d sqrt(m) (t) or lambda = e^2 m, e = f or w, or = f2 m."""
        if self.key == 't1': return mp.mpf(n)
        if self.key == 't2':
            if n1 is None: n1, n2 = self.split(n)
            return mp.mpf(n1) * n2 / n
        if self.key == 'repeated': return mp.mpf(n) * self.m * self.eps / (1 - self.rho)
        return mp.mpf(n)

    def noncentrality(self, effect, m):
        if self.law == 't': return effect * mp.sqrt(m)
        if self.key in ('regression', 'r2increase'): return effect * m
        return effect * effect * m

    def effect(self, nc, m):
        if self.law == 't': return nc / mp.sqrt(m)
        if self.key in ('regression', 'r2increase'): return nc / m
        return mp.sqrt(nc / m)

    def critical(self, alpha, d1, d2):
        if self.law == 't': return critical('t', alpha / self.tails, d1, d2)
        return critical(self.law, alpha, d1, d2)

    def power_beta(self, c, d1, d2, nc, method):
        """Power and beta at the critical value c, each as itself."""
        if self.law == 't' and self.tails == 2:
            up = tail('t', 'upper', c, d1, d2, nc, method)
            below = tail('t', 'lower', -c, d1, d2, nc, method)
            inside = tail('t', 'lower', c, d1, d2, nc, method)
            return up + below, inside - below
        return (tail(self.law, 'upper', c, d1, d2, nc, method),
                tail(self.law, 'lower', c, d1, d2, nc, method))

    def power_beta_both(self, c, d1, d2, nc, what):
        p1, b1 = self.power_beta(c, d1, d2, nc, 1)
        p2, b2 = self.power_beta(c, d1, d2, nc, 2)
        agree(p1, p2, 'power ' + what); agree(b1, b2, 'beta ' + what)
        return p1, b1

    def sizes(self, i):
        """The i-th candidate of the search for N (i = 0, 1, ...): N, n1, n2, per group."""
        if self.key == 't1': return i + 2, None, None, None
        if self.key == 't2':
            # the first n1 whose N reaches 3
            n1 = 1
            while n1 + int(mp.ceil(self.ratio * n1)) < 3: n1 += 1
            n1 += i; n2 = int(mp.ceil(self.ratio * n1))
            return n1 + n2, n1, n2, None
        if self.key == 'anova': return self.k * (i + 2), None, None, i + 2
        if self.key in ('regression', 'r2increase'): return self.p + 2 + i, None, None, None
        if self.key == 'repeated': return 2 + i, None, None, None
        return 1 + i, None, None, None


def text(v):
    return '0' if v == 0 else mp.nstr(v, 30)


# ---- the questions --------------------------------------------------------------

def ask_power(des, r, out):
    n = int(r['n']); assert des.valid(n)
    alpha, effect = typed(r['alpha']), typed(r['effect'])
    d1, d2 = des.degrees(n)
    nc = des.noncentrality(effect, des.scale(n))
    c = des.critical(alpha, d1, d2)
    power, beta = des.power_beta_both(c, d1, d2, nc, 'at ' + r['name'])
    out.update(exp_power=text(power), exp_beta=text(beta), exp_noncentrality=text(nc),
               exp_critical=text(c), exp_df1=str(d1), exp_df2='' if d2 is None else str(d2))
    return power


def ask_n(des, r, out):
    alpha, effect, target = typed(r['alpha']), typed(r['effect']), typed(r['power'])
    cache = {}

    def at(i):
        if i not in cache:
            n, n1, n2, per = des.sizes(i)
            assert n < 10 ** 9 and des.valid(n)
            d1, d2 = des.degrees(n)
            nc = des.noncentrality(effect, des.scale(n, n1, n2))
            c = des.critical(alpha, d1, d2)
            cache[i] = (des.power_beta(c, d1, d2, nc, 1)[0], c, nc, d1, d2)
        return cache[i]
    # doubling until the power is reached, then halving between the last two
    lo, hi = -1, 0
    while at(hi)[0] < target:
        lo, hi = hi, 2 * hi + 1
    while hi - lo > 1:
        mid = (lo + hi) // 2
        if at(mid)[0] < target: lo = mid
        else: hi = mid
    n, n1, n2, per = des.sizes(hi)
    _, c, nc, d1, d2 = at(hi)
    power, beta = des.power_beta_both(c, d1, d2, nc, 'at the N of ' + r['name'])
    # a margin no double-precision program could misjudge
    assert power >= target and power - target > MARGIN, 'too close to call'
    if hi > 0:
        _, c0, nc0, e1, e2 = at(hi - 1)
        p0, _ = des.power_beta_both(c0, e1, e2, nc0, 'before the N of ' + r['name'])
        assert target - p0 > MARGIN, 'the N before reaches the power'
    out.update(exp_n=str(n), exp_n1='' if n1 is None else str(n1), exp_n2='' if n2 is None else str(n2),
               exp_per_group='' if per is None else str(per), exp_power=text(power), exp_beta=text(beta),
               exp_noncentrality=text(nc), exp_critical=text(c), exp_df1=str(d1),
               exp_df2='' if d2 is None else str(d2))
    return n


def ask_effect(des, r, out):
    n = int(r['n']); assert des.valid(n)
    alpha, target = typed(r['alpha']), typed(r['power'])
    d1, d2 = des.degrees(n); m = des.scale(n)
    c = des.critical(alpha, d1, d2)
    # delta itself for t, theta = sqrt(lambda) otherwise: power rises from alpha at 0
    to_nc = (lambda th: th) if des.law == 't' else (lambda th: th * th)
    g = lambda th: des.power_beta(c, d1, d2, to_nc(th), 1)[0] - target
    assert g(mp.mpf(0)) < 0, 'the target is below alpha'
    hi = bracket_up(g, mp.mpf(1), 1, mp.mpf(1000))
    theta = solve(g, mp.mpf(0), hi)
    nc = to_nc(theta)
    agree(des.power_beta(c, d1, d2, nc, 2)[0], target, 'the power at the effect of ' + r['name'])
    out.update(exp_effect=text(des.effect(nc, m)), exp_noncentrality=text(nc), exp_critical=text(c),
               exp_df1=str(d1), exp_df2='' if d2 is None else str(d2))


def ask_alpha(des, r, out):
    n = int(r['n']); assert des.valid(n)
    effect, target = typed(r['effect']), typed(r['power'])
    d1, d2 = des.degrees(n)
    nc = des.noncentrality(effect, des.scale(n))
    # the critical value at which the power is the target (the power falls as it
    # rises), searched in ln c; alpha is then the central tail there
    g = lambda u: target - des.power_beta(mp.exp(u), d1, d2, nc, 1)[0]
    lo, hi = mp.mpf(-1), mp.mpf(1)
    while g(lo) > 0:
        lo *= 2
        if lo < -300: raise ValueError('no positive critical value gives this power')
    while g(hi) < 0: hi *= 2
    c = mp.exp(solve(g, lo, hi))
    agree(des.power_beta(c, d1, d2, nc, 2)[0], target, 'the power at the alpha of ' + r['name'])
    alpha = tail(des.law, 'upper', c, d1, d2, 0, 1)
    agree(alpha, tail(des.law, 'upper', c, d1, d2, 0, 2), 'the central tail at the alpha of ' + r['name'])
    if des.law == 't': alpha *= des.tails
    assert 0 < alpha < 1
    out.update(exp_alpha=text(alpha), exp_critical=text(c), exp_noncentrality=text(nc))


def observed(des, r, out):
    """The effect of a result typed as a paper reports it, its own study: the
    statistic with its own degrees (t: df; F: df2, the first degrees from k
    or p; chi-square: its N, the degrees from the design's box). Each effect
    and its interval's ends are one formula of a noncentrality: the ends
    where the statistic is the law's quantile at the interval's level (t: 1 -
    alpha two-sided; F and chi-square: 1 - 2 alpha), the estimate where it is
    the law's median."""
    x, alpha = typed(r['observed']), typed(r['alpha'])
    law = des.law
    if law == 't':
        d1, d2 = typed(r['observed_df']), None
        n = d1 + (1 if des.key == 't1' else 2)
        m = n if des.key == 't1' else n * des.ratio / (1 + des.ratio) ** 2
        levels = (alpha / 2, mp.mpf(1) / 2, 1 - alpha / 2)
    elif law == 'f':
        d2 = typed(r['observed_df2'])
        if des.key == 'repeated':
            d1 = mp.mpf(float(des.m - 1) * float(des.eps))
            n = d2 / d1 + 1
        else:
            d1 = des.k - 1 if des.key == 'anova' else des.q if des.key == 'r2increase' else des.p
            n = d2 + (des.k if des.key == 'anova' else des.p + 1)
        levels = (alpha, mp.mpf(1) / 2, 1 - alpha)
    else:
        d1, d2, n = des.df, None, typed(r['observed_n'])
        levels = (alpha, mp.mpf(1) / 2, 1 - alpha)
    ncs, bound = [], 0
    for level in levels:
        if law == 't':
            g = lambda dl: tail('t', 'upper', x, d1, d2, dl, 1) - level     # rises with delta
            lo, step = x - 1, mp.mpf(1)
            while g(lo) > 0:
                if lo <= -1000: raise ValueError('delta below -1000: not made here')
                lo = max(lo - step, mp.mpf(-1000)); step *= 2
            hi = bracket_up(g, x + 1, 1, mp.mpf(1000))
            if hi is None: raise ValueError('delta above 1000')
            nc = solve(g, lo, hi)
            agree(tail('t', 'upper', x, d1, d2, nc, 2), level, 'the tail at a bound of ' + r['name'])
        else:
            at0 = tail_both(law, 'upper', x, d1, d2, 0, 'the central tail at ' + r['name'])
            assert abs(at0 - level) > MARGIN, 'the bound at 0 too close to call'
            if at0 >= level:
                assert level != 1 - alpha, 'the upper end unreached too'
                if level == alpha: bound = 1
                ncs.append(mp.mpf(0))
                continue
            g = lambda th: tail(law, 'upper', x, d1, d2, th * th, 1) - level
            hi = bracket_up(g, mp.mpf(1), 1, mp.mpf(1000))
            if hi is None: raise ValueError('lambda above 10^6')
            th = solve(g, mp.mpf(0), hi)
            agree(tail(law, 'upper', x, d1, d2, th * th, 2), level, 'the tail at a bound of ' + r['name'])
            nc = th * th
        ncs.append(nc)
    low, middle, high = ncs
    # name: the effect of a noncentrality, as the window names it
    scales = {
        't1': [('d', lambda v: v / mp.sqrt(m))], 't2': [('d', lambda v: v / mp.sqrt(m))],
        'anova': [('f', lambda v: mp.sqrt(v / n)), ('f2', lambda v: v / n), ('eta2', lambda v: v / (v + n))],
        'regression': [('R2', lambda v: v / (v + n)), ('f2', lambda v: v / n)],
        'r2increase': [('f2', lambda v: v / n), ('partialR2', lambda v: v / (v + n))],
        'repeated': [('f', lambda v: mp.sqrt(v / (n * des.m * des.eps / (1 - des.rho))))],
        'chisq': [('w', lambda v: mp.sqrt(v / n))],
    }[des.key]
    out.update(exp_observed=';'.join('%s %s %s %s' % (name, text(f(middle)), text(f(low)), text(f(high)))
                                     for name, f in scales),
               exp_low_bound=str(bound), exp_level=text(1 - 2 * levels[0]))


# ---- the rows ----------------------------------------------------------------

INPUTS = ['name', 'design', 'question', 'effect', 'alpha', 'power', 'n', 'tails', 'ratio', 'groups',
          'predictors', 'df', 'tested', 'measurements', 'correlation', 'epsilon', 'observed', 'observed_df',
          'observed_df2', 'observed_n']
OUTPUTS = ['exp_power', 'exp_beta', 'exp_n', 'exp_n1', 'exp_n2', 'exp_per_group', 'exp_effect', 'exp_alpha',
           'exp_noncentrality', 'exp_critical', 'exp_df1', 'exp_df2', 'exp_observed', 'exp_low_bound', 'exp_level']


def scenarios():
    rows = []

    def row(name, design, question, **kw):
        r = dict.fromkeys(INPUTS, '')
        r.update(name=name, design=design, question=question, **kw)
        rows.append(r)
    # two independent groups
    row('t2_n_d05_p80', 't2', 'n', effect='0.5', alpha='.05', power='.8', tails='2', ratio='1')
    row('t2_n_d05_p95', 't2', 'n', effect='0.5', alpha='.05', power='.95', tails='2', ratio='1')
    row('t2_n_d05_1t', 't2', 'n', effect='0.5', alpha='.05', power='.8', tails='1', ratio='1')
    row('t2_n_r2', 't2', 'n', effect='0.5', alpha='.05', power='.8', tails='2', ratio='2')
    row('t2_n_r05', 't2', 'n', effect='0.5', alpha='.05', power='.8', tails='2', ratio='0.5')
    row('t2_n_d7', 't2', 'n', effect='7', alpha='.05', power='.8', tails='2', ratio='1')
    row('t2_n_a001', 't2', 'n', effect='0.3', alpha='.001', power='.9', tails='2', ratio='1')
    row('t2_power_d2_n100', 't2', 'power', effect='2', alpha='.05', n='100', tails='2', ratio='1')
    row('t2_power_small', 't2', 'power', effect='0.8', alpha='.05', n='3', tails='2', ratio='1')
    row('t2_power_large', 't2', 'power', effect='0.05', alpha='.01', n='20000', tails='2', ratio='1')
    row('t2_power_r2_1t', 't2', 'power', effect='0.4', alpha='.05', n='100', tails='1', ratio='2')
    row('t2_effect', 't2', 'effect', alpha='.05', power='.8', n='64', tails='2', ratio='1')
    row('t2_effect_1t_a10', 't2', 'effect', alpha='.1', power='.9', n='30', tails='1', ratio='0.5')
    row('t2_alpha', 't2', 'alpha', effect='0.5', power='.9', n='100', tails='2', ratio='1')
    row('t2_power_near1', 't2', 'power', effect='0.3', alpha='.05', n='1000', tails='2', ratio='1')
    row('t2_n_p999999', 't2', 'n', effect='0.5', alpha='.05', power='.999999', tails='2', ratio='1')
    row('t2_obs', 't2', 'power', effect='0.5', alpha='.05', n='18', tails='2', ratio='1', observed='2.1',
        observed_df='16')
    row('t2_obs_paper', 't2', 'n', effect='0.5', alpha='.05', power='.8', tails='2', ratio='1', observed='2.45',
        observed_df='38')
    row('t2_obs_ratio', 't2', 'power', effect='0.5', alpha='.05', n='60', tails='2', ratio='2', observed='-1.7',
        observed_df='58')
    # one sample or paired
    row('t1_n_d05_2t', 't1', 'n', effect='0.5', alpha='.05', power='.8', tails='2')
    row('t1_n_d05_1t', 't1', 'n', effect='0.5', alpha='.05', power='.8', tails='1')
    row('t1_n_d7', 't1', 'n', effect='7', alpha='.05', power='.8', tails='2')
    row('t1_n_d001', 't1', 'n', effect='0.01', alpha='.05', power='.8', tails='2')
    row('t1_power_beta30', 't1', 'power', effect='1', alpha='.05', n='182', tails='2')
    row('t1_power_small', 't1', 'power', effect='1', alpha='.05', n='2', tails='2')
    row('t1_power_a10_1t', 't1', 'power', effect='0.3', alpha='.1', n='25', tails='1')
    row('t1_effect_a001', 't1', 'effect', alpha='.001', power='.9', n='20', tails='1')
    row('t1_alpha', 't1', 'alpha', effect='0.5', power='.8', n='30', tails='2')
    row('t1_obs_pos', 't1', 'power', effect='0.5', alpha='.05', n='18', tails='2', observed='2.1', observed_df='17')
    row('t1_obs_neg', 't1', 'power', effect='0.5', alpha='.05', n='30', tails='2', observed='-1.3', observed_df='29')
    row('t1_obs_effect_a01', 't1', 'effect', alpha='.01', power='.8', n='40', tails='2', observed='3.5',
        observed_df='12.5')
    # one-way anova
    row('anova_n_k3', 'anova', 'n', effect='0.25', alpha='.05', power='.8', groups='3')
    row('anova_n_k5', 'anova', 'n', effect='0.25', alpha='.05', power='.8', groups='5')
    row('anova_n_a01', 'anova', 'n', effect='0.4', alpha='.01', power='.9', groups='4')
    row('anova_power_small', 'anova', 'power', effect='0.5', alpha='.05', n='4', groups='3')
    row('anova_power_large', 'anova', 'power', effect='0.1', alpha='.001', n='2000', groups='4')
    row('anova_effect', 'anova', 'effect', alpha='.05', power='.8', n='60', groups='3')
    row('anova_alpha', 'anova', 'alpha', effect='0.25', power='.8', n='90', groups='3')
    row('anova_power_k4_n102', 'anova', 'power', effect='0.25', alpha='.05', n='102', groups='4')
    row('anova_obs', 'anova', 'power', effect='0.25', alpha='.05', n='60', groups='3', observed='4.2',
        observed_df2='57')
    row('anova_obs_k20', 'anova', 'power', effect='0.25', alpha='.05', n='100', groups='20', observed='2',
        observed_df2='80')
    row('anova_obs_low0', 'anova', 'power', effect='0.25', alpha='.05', n='60', groups='3', observed='0.5',
        observed_df2='27')
    # regression
    row('reg_n_p1', 'regression', 'n', effect='0.15', alpha='.05', power='.8', predictors='1')
    row('reg_n_p3', 'regression', 'n', effect='0.15', alpha='.05', power='.8', predictors='3')
    row('reg_n_f002', 'regression', 'n', effect='0.02', alpha='.05', power='.8', predictors='2')
    row('reg_power_small', 'regression', 'power', effect='0.5', alpha='.05', n='5', predictors='3')
    row('reg_power_a10', 'regression', 'power', effect='0.1', alpha='.1', n='100', predictors='5')
    row('reg_effect_a01', 'regression', 'effect', alpha='.01', power='.8', n='50', predictors='2')
    row('reg_alpha', 'regression', 'alpha', effect='0.15', power='.9', n='80', predictors='3')
    row('reg_obs', 'regression', 'power', effect='0.15', alpha='.05', n='50', predictors='2', observed='2.5',
        observed_df2='47')
    # chi-square
    row('chisq_n_w03_df1', 'chisq', 'n', effect='0.3', alpha='.05', power='.8', df='1')
    row('chisq_n_w03_df4', 'chisq', 'n', effect='0.3', alpha='.05', power='.8', df='4')
    row('chisq_n_w01', 'chisq', 'n', effect='0.1', alpha='.05', power='.8', df='1')
    row('chisq_power_n1', 'chisq', 'power', effect='0.5', alpha='.05', n='1', df='2')
    row('chisq_power_large', 'chisq', 'power', effect='0.3', alpha='.001', n='1000', df='3')
    row('chisq_effect_a10', 'chisq', 'effect', alpha='.1', power='.9', n='200', df='2')
    row('chisq_alpha', 'chisq', 'alpha', effect='0.3', power='.8', n='50', df='1')
    row('chisq_obs', 'chisq', 'power', effect='0.3', alpha='.05', n='100', df='2', observed='9.5', observed_n='100')
    row('chisq_obs_df50', 'chisq', 'power', effect='0.3', alpha='.05', n='1000', df='50', observed='80',
        observed_n='1000')
    # an R^2 increase: 2 of 6 predictors; repeated measures of 3 and 6 times
    row('r2inc_n', 'r2increase', 'n', effect='0.15', alpha='.05', power='.8', predictors='6', tested='2')
    row('r2inc_power', 'r2increase', 'power', effect='0.05', alpha='.01', n='200', predictors='10', tested='3')
    row('r2inc_effect', 'r2increase', 'effect', alpha='.05', power='.9', n='80', predictors='6', tested='2')
    row('r2inc_obs', 'r2increase', 'power', effect='0.15', alpha='.05', n='60', predictors='6', tested='2',
        observed='4.1', observed_df2='53')
    row('rep_n', 'repeated', 'n', effect='0.25', alpha='.05', power='.8', measurements='3', correlation='0.5',
        epsilon='1')
    row('rep_power_eps', 'repeated', 'power', effect='0.2', alpha='.05', n='30', measurements='6',
        correlation='0.3', epsilon='0.6')
    row('rep_alpha', 'repeated', 'alpha', effect='0.25', power='.8', n='40', measurements='4', correlation='0.5',
        epsilon='1')
    row('rep_obs', 'repeated', 'power', effect='0.25', alpha='.05', n='30', measurements='3', correlation='0.5',
        epsilon='1', observed='3.6', observed_df2='58')
    row('chisq_obs_df1000', 'chisq', 'power', effect='0.1', alpha='.05', n='1000', df='1000', observed='2000',
        observed_n='1000000')
    return rows


# Published sample sizes the search must meet (Cohen's two-group table), as a
# check of the whole chain; the rows' numbers never come from here.
TEXTBOOK = {'t2_n_d05_p80': '128', 't2_n_d05_p95': '210'}


def main():
    start = time.time()
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', '..', 'tests', 'forms', 'data',
                                                              'power_rows.csv')
    lines = [','.join(INPUTS + OUTPUTS)]
    names = set()
    for r in scenarios():
        assert r['name'] not in names; names.add(r['name'])
        t0 = time.time()
        des = Design(r['design'], r['tails'], r['ratio'], r['groups'], r['predictors'], r['df'], r['tested'],
                     r['measurements'], r['correlation'], r['epsilon'])
        out = dict.fromkeys(OUTPUTS, '')
        q = r['question']
        if q == 'power': ask_power(des, r, out)
        elif q == 'n': ask_n(des, r, out)
        elif q == 'effect': ask_effect(des, r, out)
        else: ask_alpha(des, r, out)
        if r['observed']: observed(des, r, out)
        if r['name'] in TEXTBOOK:
            assert out['exp_n'] == TEXTBOOK[r['name']], 'the textbook N differs'
        for v in list(r.values()) + list(out.values()):
            assert ',' not in v
        lines.append(','.join([r[k] for k in INPUTS] + [out[k] for k in OUTPUTS]))
        print('%-22s %6.1fs  %s' % (r['name'], time.time() - t0,
                                    ' '.join('%s=%s' % (k[4:], mp.nstr(mp.mpf(v), 12) if k != 'exp_observed' and ('.' in v or 'e' in v) else v)
                                             for k, v in out.items() if v)), file=sys.stderr)
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, 'w') as f:
        f.write('\n'.join(lines) + '\n')
    print('%d rows in %.0f s; the methods agreed to %s digits at least (%s)'
          % (len(lines) - 1, time.time() - start, mp.nstr(worst['digits'], 4), worst['what']), file=sys.stderr)


if __name__ == '__main__':
    main()
