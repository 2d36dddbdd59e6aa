#!/usr/bin/env python3
"""Writes tests/engine/data/noncentral.csv: 50-digit references for the
noncentral chi-square, F and t distributions (tails, densities, quantiles,
noncentralities), each value made by two independent methods that must agree
to 40 digits before its row is written.

  chi-square  1. the Poisson mixture sum_j w_j P(nu/2 + j, x/2) (and Q), each
                 tail summed in the direction in which its recurrence only
                 adds, from an incomplete gamma made by its series (below the
                 shape) or Legendre's fraction evaluated backward (above).
              2. the density integrated: the Bessel form
                 e^-(x+lambda)/2 (x/lambda)^(nu/4-1/2) I_(nu/2-1)(sqrt(lambda x))/2
                 where mpmath's besseli answers (order up to some thousands);
                 at even degrees beyond, the double Poisson form: with m =
                 nu/2, N Poisson(x/2) and J Poisson(lambda/2) independent,
                 X <= x exactly when N >= m + J (the (m + J)-th event of a
                 Poisson process by time x/2), so P(X > x) = sum_n
                 P(N = n) P(J >= n - m + 1), and the density is the
                 convolution 1/2 sum_n P(N = n) P(J = n - m + 1).
  F           1. the Poisson mixture of incomplete betas I_z(nu1/2 + j, nu2/2),
                 the betas by mpmath or, at large shapes, the continued
                 fraction of make_exact_tail_rows.py.
              2. the density integrated: the central density times
                 e^(-lambda/2) 1F1((nu1+nu2)/2; nu1/2; lambda nu1 x / (2 (nu1 x + nu2))),
                 else the mixture of beta densities.
  t           1. P(T > t) = E[Q(c S - delta)], c = t/sqrt(nu), over ln s of the chi
                 variable S; the lower tail E[Q(delta - c S)].
              2. over the normal variable W = Z + delta instead: P(T > t) for
                 t > 0 is integral_0^inf phi(w - delta) P(nu/2, w^2/(2 c^2)) dw and
                 P(T < t) = Q(delta) + integral_0^inf phi(w - delta) Q(nu/2, w^2/(2c^2)) dw
                 (mirrored for t < 0); at 10^6 degrees and more, Lenth's series
                 at 150 digits, where its cancellation leaves 50.
              density: E[phi(c S - delta) S]/sqrt(nu), and the closed form with
                 the parabolic cylinder function D_(-nu-1).
Quantiles and noncentralities: the root of method 1's tail by bracketing and
the Illinois method in the logarithm (in ln x, or in delta and sqrt(lambda)),
then method 2's tail at the root, which must be the level to 40 digits.

Each input is the double nearest the written number; a tail below 1e-300
is written as 0 beside its logarithm. Rows: what (tails, density, quantile,
noncentrality), law, x, df1, df2 (0 when none), noncentrality, probability
(the level of a quantile, the tail of a noncentrality), then the values:
tails: lower, ln lower, upper, ln upper; density: ln density; quantile:
the x; noncentrality: the lambda or delta and whether it is a bound (the
domain's end, where no noncentrality reaches the tail)."""
import os
import sys
import mpmath as mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_exact_tail_rows import beta_fraction  # noqa: E402

mp.mp.dps = 60
ONE = mp.mpf(1)
AGREE = mp.mpf(10) ** -40
LARGEST_LAMBDA, LARGEST_DELTA = 10 ** 6, 1000


def log_add(a, b):
    if a == -mp.inf: return b
    if b == -mp.inf: return a
    m = max(a, b)
    return m + mp.log(mp.exp(a - m) + mp.exp(b - m))


def log_complement(l):
    return mp.log(-mp.expm1(l))


def pair(l_small, small_is_lower):
    """(ln lower, ln upper) from the smaller tail's logarithm."""
    other = log_complement(l_small)
    return (l_small, other) if small_is_lower else (other, l_small)


# ---- incomplete functions at any size -------------------------------------

def gamma_log_tails(a, x):
    """ln P(a, x), ln Q(a, x)."""
    if x == 0: return -mp.inf, mp.mpf(0)
    lead = a * mp.log(x) - x - mp.loggamma(a + 1)
    if x < a:
        s = term = ONE; n = 0
        while term > s * mp.mpf(10) ** -(mp.mp.dps + 5):
            n += 1; term = term * x / (a + n); s += term
        lp = lead + mp.log(s)
        return lp, log_complement(lp)
    def value(M):
        t = mp.mpf(0)
        for i in range(M, 0, -1):
            t = -i * (i - a) / (x + 2 * i + 1 - a + t)
        return 1 / (x + 1 - a + t)
    M = 16; prev = value(M)
    while True:
        M *= 2; cur = value(M)
        if abs(cur / prev - 1) < mp.mpf(10) ** -(mp.mp.dps + 3): break
        prev = cur
    lq = lead + mp.log(a) + mp.log(cur)
    return log_complement(lq), lq


def beta_log_tails(a, b, r):
    """ln I_x(a, b), ln (1 - I_x(a, b)) at x = 1/(1 + r)."""
    x, y = 1 / (1 + r), r / (1 + r)
    if a + b < 2e4:
        if x < (a + 1) / (a + b + 2):
            i = mp.betainc(a, b, 0, x, regularized=True); return mp.log(i), log_complement(mp.log(i))
        j = mp.betainc(b, a, 0, y, regularized=True); return log_complement(mp.log(j)), mp.log(j)
    if x < (a + 1) / (a + b + 2):
        i = beta_fraction(a, b, r); return mp.log(i), log_complement(mp.log(i))
    j = beta_fraction(b, a, 1 / r); return log_complement(mp.log(j)), mp.log(j)


def log_pois(k, m):
    return -m if k == 0 else k * mp.log(m) - m - mp.loggamma(k + 1)


# ---- a Poisson mixture of one side of an incomplete function -------------

def saddle_peak(lam, n1, c, c_n2):
    """The tilted Poisson mean of a mixture's terms (as engine/noncentral_peak.cpp)."""
    A, B, C = lam * (1 + c), n1 * (1 + c) - lam * c, c * n1 + c_n2
    v = (-B + mp.sqrt(B * B + 4 * A * C)) / (2 * A)
    return lam / 2 * v


def mixture(mu, a0, side_at, step_ratio, increasing, peak, offset=0):
    """ln sum_j w(offset + j) F(a0 + j). side_at(p) -> (ln F, ln g(p)) with g(p)
    = F(p+1) - F(p) for the increasing side, F(p) - F(p+1) for the decreasing;
    step_ratio(p) = g(p+1)/g(p). The largest term by a search on the terms
    themselves, the ends where they have fallen by e^-150, the sum by the
    recurrences in the direction in which they only add."""
    term = lambda j: log_pois(offset + j, mu) + side_at(a0 + j)[0]
    # the largest term: climb from the saddle's estimate, then bisect on the rise
    j = max(0, int(peak)); here = term(j); step = max(1, int(mp.sqrt(max(peak, mu)) / 4))
    for direction in (1, -1):
        moved = False
        while j + direction * step >= 0:
            there = term(j + direction * step)
            if there <= here: break
            j, here, moved = j + direction * step, there, True
            step *= 2
        if moved: break
    a, b = max(0, j - step), j + step
    while b - a > 2:
        m1, m2 = a + (b - a) // 3, b - (b - a) // 3
        if term(m1) < term(m2): a = m1
        else: b = m2
    top_j = max(range(a, b + 1), key=term); top = term(top_j)
    ends = []
    for direction in (-1, 1):
        step, pos = 1, top_j
        while True:
            nxt = pos + direction * step
            if nxt < 0: nxt = 0
            if nxt == pos or top - term(nxt) > 150: ends.append(nxt); break
            pos = nxt; step *= 2
    lo, hi = ends
    terms = []
    if increasing:
        lf, lg = side_at(a0 + lo)
        F, g, w = mp.exp(lf - top), mp.exp(lg - top), mp.exp(log_pois(offset + lo, mu))
        for j in range(lo, hi + 1):
            terms.append(w * F)
            F += g; g *= step_ratio(a0 + j); w *= mu / (offset + j + 1)
    else:
        lf, lg = side_at(a0 + hi)
        p = a0 + hi
        F, w = mp.exp(lf - top), mp.exp(log_pois(offset + hi, mu))
        g = mp.exp(lg - top) / step_ratio(p - 1)          # g(p - 1)
        for j in range(hi, lo - 1, -1):
            terms.append(w * F)
            if j == 0: break
            F += g; w *= (offset + j) / mu
            if j >= 2: g /= step_ratio(p - 2)
            p -= 1
    return top + mp.log(mp.fsum(terms))


# ---- chi-square -----------------------------------------------------------

def smaller_side(one, guess_lower):
    """(ln lower, ln upper) from one(lower?) -> ln of that tail, summing the guessed smaller first."""
    l = one(guess_lower)
    if l > mp.log(mp.mpf(1) / 2):
        guess_lower = not guess_lower
        l = one(guess_lower)
    return pair(l, guess_lower)


def chi_tails_mixture(x, nu, lam):
    a, y, mu = nu / 2, x / 2, lam / 2
    if lam == 0: return gamma_log_tails(a, y)
    peak = saddle_peak(lam, nu, 0, x)
    def one(lower):
        return mixture(mu, a, lambda p: (gamma_log_tails(p, y)[0 if lower else 1], log_pois(p, y)),
                       lambda p: y / (p + 1), not lower, peak)
    return smaller_side(one, x < nu + lam)


def chi_log_density_mixture(x, nu, lam):
    """ln of 1/2 sum_j w_j pois(nu/2 - 1 + j; x/2), each term directly (as a check of method 2's density)."""
    a, y, mu = nu / 2, x / 2, lam / 2
    peak = saddle_peak(lam, nu, 0, x)
    spread = mp.sqrt(max(peak, mu)) + 2
    lo = max(0, int(peak - 20 * spread)); hi = int(peak + 20 * spread) + 2
    ls = [log_pois(j, mu) + (a - 1 + j) * mp.log(y) - y - mp.loggamma(a + j) for j in range(lo, hi)]
    m = max(ls)
    return m + mp.log(sum(mp.exp(l - m) for l in ls)) - mp.log(2)


def chi_log_density_bessel(s, nu, lam):
    v = nu / 2 - 1
    return (-(s + lam) / 2 + (v / 2) * (mp.log(s) - mp.log(lam)) + mp.log(mp.besseli(v, mp.sqrt(lam * s)))) - mp.log(2)


def log_integral(ell, u_lo, u_hi, guess=None):
    """ln of the integral of exp(ell(u)) over [u_lo, u_hi] (either may be infinite),
    ell unimodal: its peak found by climbing and golden sections, its width from
    the curvature there, the ends where it has fallen by e^-150, and
    Gauss-Legendre on panels a few widths wide around the peak."""
    inside = lambda u: max(min(u, u_hi), u_lo)
    u = inside(guess if guess is not None else (0 if u_lo == -mp.inf and u_hi == mp.inf else
                                                 (u_lo + 1 if u_hi == mp.inf else (u_hi - 1 if u_lo == -mp.inf else (u_lo + u_hi) / 2))))
    f = ell(u); step = mp.mpf('0.25')
    # climb: the direction that rises, doubling the step
    for direction in (1, -1):
        moved = False
        while True:
            v = inside(u + direction * step)
            if v == u: break
            fv = ell(v)
            if fv <= f: break
            u, f, moved = v, fv, True; step *= 2
        if moved: break
        step = mp.mpf('0.25')
    a, b = inside(u - step), inside(u + step)
    for _ in range(60):
        m1, m2 = a + (b - a) * mp.mpf('0.381966'), a + (b - a) * mp.mpf('0.618034')
        if ell(m1) > ell(m2): b = m2
        else: a = m1
    top_u = inside((a + b) / 2); top = ell(top_u)
    e = mp.mpf(10) ** -15 * max(1, abs(top_u))
    lo_e, hi_e = inside(top_u - e), inside(top_u + e)
    c2 = (ell(hi_e) - 2 * top + ell(lo_e)) / e ** 2 if lo_e < top_u < hi_e else mp.mpf(0)
    slope = (ell(hi_e) - ell(lo_e)) / (hi_e - lo_e) if hi_e > lo_e else 0
    w = 1 / mp.sqrt(-c2) if c2 < 0 else mp.mpf(1)
    if abs(slope) * w > 1: w = 1 / abs(slope)      # a boundary peak: the decay's scale
    # panel ends outward from the peak, each panel falling by about 8 at most,
    # until the integrand has fallen by e^-150 or reached the interval's end
    panels = [top_u]
    for direction in (-1, 1):
        edge = u_lo if direction < 0 else u_hi
        pos, here, step = top_u, top, w
        while pos != edge and top - here < 150:
            nxt = inside(pos + direction * step)
            there = ell(nxt)
            if here - there > 12 and step > w / 64:
                step /= 2
                continue
            panels.append(nxt)
            if here - there < 4: step *= 2
            pos, here = nxt, there
    panels = sorted(set(panels))
    total = mp.quad(lambda u: mp.exp(ell(u) - top), panels, method='gauss-legendre')
    return top + mp.log(total)


def chi_tails_skellam(x, nu, lam, small_is_lower):
    """The smaller tail by the double Poisson form, even nu."""
    m, y, mu = int(nu) // 2, x / 2, lam / 2
    assert 2 * m == nu
    # ln P(J >= i) and ln P(J <= i) directly, for the ends of the window
    def log_ge(i): return mp.mpf(0) if i <= 0 else gamma_log_tails(mp.mpf(i), mu)[0]
    def log_le(i): return -mp.inf if i < 0 else gamma_log_tails(mp.mpf(i + 1), mu)[1]
    side = (lambda n: log_le(n - m)) if small_is_lower else (lambda n: log_ge(n - m + 1))
    term = lambda n: log_pois(n, y) + side(n)
    # the largest term, by climbing from the Poisson mean (or, for the lower
    # tail, from m, below which every term is 0) and thirds
    n = max(int(y), m) if small_is_lower else int(y); here = term(n); step = max(1, int(mp.sqrt(y)) // 4)
    for direction in (1, -1):
        moved = False
        while n + direction * step >= 0 and term(n + direction * step) > here:
            n += direction * step; here = term(n); moved = True; step *= 2
        if moved: break
    a, b = max(0, n - step), n + step
    while b - a > 2:
        m1, m2 = a + (b - a) // 3, b - (b - a) // 3
        if term(m1) < term(m2): a = m1
        else: b = m2
    top_n = max(range(a, b + 1), key=term); top = term(top_n)
    ends = []
    for direction in (-1, 1):
        step, pos = 1, top_n
        while True:
            nxt = max(0, pos + direction * step)
            if nxt == pos or top - term(nxt) > 150: ends.append(nxt); break
            pos = nxt; step *= 2
    lo, hi = ends
    total = mp.mpf(0)
    if small_is_lower:   # P(J <= i) grows with n: from the low end upward
        p, c = mp.exp(log_pois(lo, y) - top), mp.exp(log_le(lo - m))
        for n in range(lo, hi + 1):
            total += p * c
            p *= y / (n + 1); i = n + 1 - m
            if i >= 0: c += mp.exp(log_pois(i, mu))
    else:                # P(J >= i) grows as n falls: from the high end downward
        p, c = mp.exp(log_pois(hi, y) - top), mp.exp(log_ge(hi - m + 1))
        for n in range(hi, lo - 1, -1):
            total += p * c
            if n == 0: break
            p *= n / y; i = n - m        # P(J >= i) = P(J >= i + 1) + P(J = i)
            if i >= 0: c += mp.exp(log_pois(i, mu))
            else: c = mp.mpf(1)
    return top + mp.log(total)


def chi_log_density_skellam(x, nu, lam):
    m, y, mu = int(nu) // 2, x / 2, lam / 2
    assert 2 * m == nu
    term = lambda n: log_pois(n, y) + (log_pois(n - m + 1, mu) if n - m + 1 >= 0 else -mp.inf)
    peak = int(y) if y > m else m
    centre = max(range(max(0, peak - 3), peak + 4), key=term)
    # the convolution's terms are log-concave: climb to the largest, then out
    while term(centre + 1) > term(centre): centre += 1
    while centre > 0 and term(centre - 1) > term(centre): centre -= 1
    top = term(centre); total = mp.mpf(0)
    for direction in (1, -1):
        n = centre if direction == 1 else centre - 1
        while n >= 0:
            t = term(n)
            if t - top < -150: break
            total += mp.exp(t - top); n += direction
    return top + mp.log(total) - mp.log(2)


def chi_tails_integral(x, nu, lam, small_is_lower):
    if lam != 0 and nu / 2 - 1 > 5000: return chi_tails_skellam(x, nu, lam, small_is_lower)
    if lam == 0:
        dens = lambda s: (nu / 2 - 1) * mp.log(s / 2) - s / 2 - mp.loggamma(nu / 2) - mp.log(2)
    elif nu / 2 - 1 <= 5000:
        dens = lambda s: chi_log_density_bessel(s, nu, lam)
    else:
        dens = lambda s: chi_log_density_mixture(s, nu, lam)
    ell = lambda u: dens(mp.exp(u)) + u
    guess = mp.log(nu + lam)
    if small_is_lower: return log_integral(ell, -mp.inf, mp.log(x), guess)
    return log_integral(ell, mp.log(x), mp.inf, guess)


# ---- F --------------------------------------------------------------------

def f_tails_mixture(x, n1, n2, lam):
    r = n1 * x / n2; z = r / (1 + r); b = n2 / 2; a = n1 / 2; mu = lam / 2
    if lam == 0:
        i, j = beta_log_tails(b, a, r)     # I_(1/(1+r))(b, a) is the upper tail
        return j, i
    peak = saddle_peak(lam, n1, r, n1 * x)
    def step(p): return z * (p + b) / (p + 1)
    def lstep(p): return mp.loggamma(p + b) - mp.loggamma(p + 1) - mp.loggamma(b) + p * mp.log(z) + b * mp.log(1 - z)
    # I_z(p, b) = 1 - I_(1/(1+r))(b, p)
    def one(lower):
        return mixture(mu, a, lambda p: (beta_log_tails(b, p, r)[1 if lower else 0], lstep(p)), step, not lower, peak)
    return smaller_side(one, x < 1 + lam / n1)


def f_log_density_kummer(x, n1, n2, lam):
    a, b = n1 / 2, n2 / 2
    lc = (a * mp.log(n1 / n2) + (a - 1) * mp.log(x) - (a + b) * mp.log1p(n1 * x / n2)
          - (mp.loggamma(a) + mp.loggamma(b) - mp.loggamma(a + b)))
    return lc - lam / 2 + mp.log(mp.hyp1f1(a + b, a, lam * n1 * x / (2 * (n1 * x + n2)), maxterms=10 ** 6))


def f_log_density_mixture(x, n1, n2, lam):
    r = n1 * x / n2; z = r / (1 + r); a, b, mu = n1 / 2, n2 / 2, lam / 2
    peak = saddle_peak(lam, n1, r, n1 * x)
    spread = mp.sqrt(max(peak, mu)) + 2
    lo = max(0, int(peak - 20 * spread)); hi = int(peak + 20 * spread) + 2
    ls = [log_pois(j, mu) + mp.log(a + j) + mp.loggamma(a + j + b) - mp.loggamma(a + j + 1) - mp.loggamma(b)
          + (a + j) * mp.log(z) + b * mp.log(1 - z) for j in range(lo, hi)]
    m = max(ls)
    return m + mp.log(sum(mp.exp(l - m) for l in ls)) - mp.log(x)


def f_tails_integral(x, n1, n2, lam, small_is_lower):
    try:
        f_log_density_kummer(x, n1, n2, lam)
        dens = lambda s: f_log_density_kummer(s, n1, n2, lam)
    except mp.libmp.NoConvergence:
        dens = lambda s: f_log_density_mixture(s, n1, n2, lam)
    ell = lambda u: dens(mp.exp(u)) + u
    if small_is_lower: return log_integral(ell, -mp.inf, mp.log(x))
    return log_integral(ell, mp.log(x), mp.inf)


# ---- t --------------------------------------------------------------------

def log_q(z):
    return mp.log(mp.erfc(z / mp.sqrt(2)) / 2)


def t_log_chi_integral(nu, alpha, beta, kernel, power):
    """ln E[k(alpha S + beta) S^power], S chi with nu degrees, over u = ln s."""
    lc = -(nu / 2 - 1) * mp.log(2) - mp.loggamma(nu / 2)
    lk = log_q if kernel == 'q' else (lambda z: -z * z / 2 - mp.log(2 * mp.pi) / 2)
    ell = lambda u: nu * u - mp.exp(2 * u) / 2 + lc + power * u + lk(alpha * mp.exp(u) + beta)
    return log_integral(ell, -mp.inf, mp.inf)


def t_tails_chi(t, nu, d):
    c = t / mp.sqrt(nu)
    return t_log_chi_integral(nu, -c, d, 'q', 0), t_log_chi_integral(nu, c, -d, 'q', 0)


def t_tails_normal(t, nu, d, lower):
    """Over W = Z + delta: the lower or upper tail as an integral of positive
    values (t != 0); only the one asked, each integral being slow."""
    if t < 0:
        return t_tails_normal(-t, nu, -d, not lower)
    c = t / mp.sqrt(nu); a = nu / 2
    lphi = lambda w: -(w - d) ** 2 / 2 - mp.log(2 * mp.pi) / 2
    side = 1 if lower else 0
    # P(T > t) = P(W > c S) = int_0^inf phi(w - d) P(S < w/c) dw;
    # P(T < t) = P(W < 0) + int_0^inf phi(w - d) P(S > w/c) dw
    part = log_integral(lambda u: lphi(mp.exp(u)) + u + gamma_log_tails(a, mp.exp(2 * u) / (2 * c * c))[side],
                        -mp.inf, mp.inf)
    return log_add(log_q(d), part) if lower else part


def t_tails_series(t, nu, d):
    """Lenth's series at 150 digits: t > 0 here (others by reflection)."""
    if t < 0:
        lo, up = t_tails_series(-t, nu, -d)
        return up, lo
    with mp.workdps(150):
        r = t * t / nu; b = nu / 2; mu = d * d / 2
        total = mp.mpf(0)
        spread = mp.sqrt(mu) + 3
        for j in range(0, int(mu + 40 * spread) + 10):
            lp = log_pois(j, mu); lq = log_pois(j + mp.mpf('0.5'), mu)
            # I_x(j + 1/2, b) with x = r/(1+r): 1 - I_(1/(1+r))(b, j + 1/2)
            ip = mp.exp(beta_log_tails(b, j + mp.mpf('0.5'), r)[1])
            iq = mp.exp(beta_log_tails(b, j + 1, r)[1])
            total += mp.exp(lp) * ip + mp.sign(d) * mp.exp(lq) * iq
        lower = mp.erfc(d / mp.sqrt(2)) / 2 + total / 2
        return mp.log(lower), mp.log(1 - lower)


def t_log_density_pcfd(t, nu, d):
    c = t / mp.sqrt(nu); y = c * d / mp.sqrt(1 + c * c)
    lh = mp.loggamma(nu + 1) + y * y / 4 + mp.log(mp.pcfd(-nu - 1, -y))
    return (-d * d / 2 - ((nu / 2 - 1) * mp.log(2) + mp.loggamma(nu / 2) + mp.log(2 * mp.pi * nu) / 2
                          + (nu + 1) / 2 * mp.log1p(c * c)) + lh)


# ---- the rows ---------------------------------------------------------------

def agree(u, v, what):
    if u == v: return
    if abs(u - v) > AGREE * max(1, abs(u)):
        raise ValueError('methods disagree on %s: %s vs %s' % (what, mp.nstr(u, 45), mp.nstr(v, 45)))


def tails(law, x, n1, n2, nc):
    """(ln lower, ln upper) by both methods."""
    if law == 'chi':
        lo, up = chi_tails_mixture(x, n1, nc)
        small_lower = lo < up
        other = chi_tails_integral(x, n1, nc, small_lower)
    elif law == 'f':
        lo, up = f_tails_mixture(x, n1, n2, nc)
        small_lower = lo < up
        other = f_tails_integral(x, n1, n2, nc, small_lower)
    else:
        lo, up = t_tails_chi(x, n1, nc)
        small_lower = lo < up
        if n1 < 1e6:
            other = t_tails_normal(x, n1, nc, small_lower)
        else:
            l2, u2 = t_tails_series(x, n1, nc)
            other = l2 if small_lower else u2
    agree(lo if small_lower else up, other, 'a tail')
    return pair(lo if small_lower else up, small_lower)


def log_density(law, x, n1, n2, nc):
    if law == 'chi':
        one = chi_log_density_mixture(x, n1, nc)
        two = chi_log_density_bessel(x, n1, nc) if n1 / 2 - 1 <= 5000 else chi_log_density_skellam(x, n1, nc)
    elif law == 'f':
        one = f_log_density_mixture(x, n1, n2, nc)
        two = f_log_density_kummer(x, n1, n2, nc)
    else:
        c = x / mp.sqrt(n1)
        one = t_log_chi_integral(n1, c, -nc, 'phi', 1) - mp.log(n1) / 2
        two = t_log_density_pcfd(x, n1, nc)
    if two is None: raise ValueError('no second method')
    agree(one, two, 'a density')
    return one


def illinois(g, lo, hi):
    """The root of g in [lo, hi] (g(lo) < 0 < g(hi)), to 55 digits."""
    glo, ghi = g(lo), g(hi)
    assert glo < 0 < ghi, (glo, ghi)
    side = 0
    for _ in range(400):
        m = (lo * ghi - hi * glo) / (ghi - glo)
        gm = g(m)
        if gm == 0: return m
        if gm < 0:
            lo, glo = m, gm
            if side == -1: ghi /= 2
            side = -1
        else:
            hi, ghi = m, gm
            if side == 1: glo /= 2
            side = 1
        if abs(hi - lo) < mp.mpf(10) ** -55 * max(1, abs(m)): return m
    raise ValueError('no root')


def upper_tail_method1(law, x, n1, n2, nc):
    if law == 'chi': return chi_tails_mixture(x, n1, nc)
    if law == 'f': return f_tails_mixture(x, n1, n2, nc)
    return t_tails_chi(x, n1, nc)


def quantile(law, alpha, n1, n2, nc):
    """x with P(X > x) = alpha, on the tail alpha leaves small."""
    la = mp.log(alpha); l1a = mp.log1p(-alpha)
    use_upper = alpha <= 0.5
    def g(x):
        lo, up = upper_tail_method1(law, x, n1, n2, nc)
        return (la - up) if use_upper else (lo - l1a)   # rises with x
    if law == 't':
        lo, hi = mp.mpf(-1), mp.mpf(1)
        while g(lo) > 0: lo *= 2
        while g(hi) < 0: hi *= 2
        return illinois(g, lo, hi)
    gu = lambda u: g(mp.exp(u))
    lo, hi = mp.mpf(-1), mp.mpf(1)
    while gu(lo) > 0: lo -= 2 * abs(lo)
    while gu(hi) < 0: hi += 2 * abs(hi)
    return mp.exp(illinois(gu, lo, hi))


def noncentrality(law, x, n1, n2, p):
    """The noncentrality at which the upper tail at x is p, or the domain's end."""
    lp = mp.log(p)
    if law == 't':
        up = lambda d: t_tails_chi(x, n1, d)[1]
        if lp <= up(mp.mpf(-LARGEST_DELTA)): return mp.mpf(-LARGEST_DELTA), 1
        if lp >= up(mp.mpf(LARGEST_DELTA)): return mp.mpf(LARGEST_DELTA), 1
        return illinois(lambda d: up(d) - lp, mp.mpf(-LARGEST_DELTA), mp.mpf(LARGEST_DELTA)), 0
    def up(theta):
        if theta == 0:
            a = n1 / 2
            if law == 'chi': return gamma_log_tails(a, x / 2)[1]
            return beta_log_tails(n2 / 2, a, n1 * x / n2)[0]
        return upper_tail_method1(law, x, n1, n2, theta * theta)[1]
    if lp <= up(0): return mp.mpf(0), 1
    top = mp.sqrt(LARGEST_LAMBDA)
    if lp >= up(top): return mp.mpf(LARGEST_LAMBDA), 1
    theta = illinois(lambda th: up(th) - lp, mp.mpf(0), top)
    return theta * theta, 0


def check_root_tail(law, x, n1, n2, nc, target_log, upper=True):
    """Method 2's tail at a root found on method 1's."""
    lo, up = tails(law, x, n1, n2, nc)
    agree(up if upper else lo, target_log, 'the tail at a root')


def text(v, digits=30):
    return mp.nstr(v, digits)


def tail_text(l):
    v = mp.exp(l)
    return (mp.nstr(v, 25) if v > mp.mpf('1e-300') else '0'), mp.nstr(l, 30)


def rows():
    """(what, law, x, df1, df2, nc, p) as written; each read as the nearest double."""
    out = []
    add = lambda *r: out.append(r)
    # chi-square: the bulk and both far tails, lambda to 1e6, degrees 0.1 to 1e9
    for nu, lam in [('0.1', '1'), ('0.1', '300'), ('1', '0.5'), ('2', '10'), ('3', '100'), ('5.5', '2.5'),
                    ('17.34', '40'), ('100', '1'), ('1000', '1e4'), ('4', '1e6'), ('1e6', '1e6'), ('1e9', '1e6')]:
        n, l = mp.mpf(nu), mp.mpf(lam)
        mean, sd = n + l, mp.sqrt(2 * n + 4 * l)
        # (at 1e6 degrees and more the incomplete gammas of the bulk take
        # minutes at 60 digits; at lambda 1e6 one point of it)
        bulk = [] if n >= 1e5 else [mean, mean - 3 * sd] if l >= 1e6 else [mean, mean + 2 * sd, mean - 3 * sd]
        far = [mean * 50, mean / 50] if n >= 1e5 else [mean + 12 * sd, mean * 50, mean / 50]
        for x in sorted(set(bulk + far)):
            if x > 0: add('tails', 'chi', mp.nstr(x, 12), nu, '0', lam, '')
        for x in (mean, mean + 12 * sd):
            add('density', 'chi', mp.nstr(x, 12), nu, '0', lam, '')
    # F: numerator and denominator degrees 0.5 to 1e9
    for n1, n2, lam in [('1', '10', '3'), ('3', '20', '40'), ('0.5', '4', '1'), ('5.5', '2.5', '200'), ('20', '1e6', '1e3'),
                        ('2', '1e9', '50'), ('1e6', '30', '1e5'), ('40', '40', '1e6'), ('7', '0.7', '10')]:
        N1, N2, L = (mp.mpf(v) for v in (n1, n2, lam))
        centre = (N1 + L) / N1
        for x in (centre, centre * 3, centre / 3, centre * 100, centre / 1000):
            add('tails', 'f', mp.nstr(x, 12), n1, n2, lam, '')
        add('density', 'f', mp.nstr(centre, 12), n1, n2, lam, '')
        add('density', 'f', mp.nstr(centre * 3, 12), n1, n2, lam, '')
    # t: both signs of t and delta, |delta| to 1000, degrees 0.1 to 1e9
    for nu, d in [('0.1', '1'), ('1', '2'), ('3', '-5'), ('10', '2'), ('10', '-15'), ('17.34', '0.5'), ('40', '100'),
                  ('2.5', '-300'), ('1000', '1000'), ('1e6', '3'), ('1e9', '-4'), ('5', '-1000')]:
        N, D = mp.mpf(nu), mp.mpf(d)
        for t in (D, D + 2 * mp.sign(D), D / 2, -D / 3, D * 3, -D * 10, D + 30 * mp.sign(D)):
            add('tails', 't', mp.nstr(t, 12), nu, '0', d, '')
        add('density', 't', mp.nstr(D, 12), nu, '0', d, '')
        add('density', 't', mp.nstr(-D, 12), nu, '0', d, '')
    # lambda = 0 and delta = 0: the central routines' tails exactly (the test compares them)
    add('tails', 'chi', '3.5', '4', '0', '0', '')
    add('tails', 'f', '2.5', '3', '17', '0', '')
    add('tails', 't', '-2.5', '6', '0', '0', '')
    # quantiles, the round trip asked of each
    for law, n1, n2, nc in [('chi', '3', '0', '10'), ('chi', '100', '0', '1e4'), ('chi', '0.5', '0', '2'),
                            ('f', '4', '20', '10'), ('f', '1', '1e6', '300'), ('t', '10', '0', '2'), ('t', '3', '0', '-8'),
                            ('t', '1e4', '0', '100')]:
        for a in ('0.05', '1e-10', '0.9', '1e-100'):
            add('quantile', law, '0', n1, n2, nc, a)
    # noncentralities: inside the domain, and beyond either end (a bound)
    for law, x, n1, n2 in [('chi', '20', '3', '0'), ('chi', '1e4', '100', '0'), ('f', '5', '4', '20'), ('f', '2', '1', '1e6'),
                           ('t', '2.5', '10', '0'), ('t', '-3', '5', '0'), ('t', '40', '3', '0')]:
        for p in ('0.5', '0.01', '1e-30', '0.999'):
            add('noncentrality', law, x, n1, n2, '', p)
    add('noncentrality', 'chi', '1', '2', '0', '', '0.1')      # below the central tail: lambda 0
    add('noncentrality', 't', '3', '5', '0', '', '1e-300')     # below every delta: -1000
    return out


def main():
    out = ['what,law,x,df1,df2,nc,p,v1,v2,v3,v4']
    todo = rows()
    if len(sys.argv) > 3: todo = todo[int(sys.argv[2]):int(sys.argv[3])]   # a slice, for a run in parts
    for what, law, x, d1, d2, nc, p in todo:
        X, N1, N2 = mp.mpf(float(x)), mp.mpf(float(d1)), mp.mpf(float(d2))
        NC = mp.mpf(float(nc)) if nc != '' else None
        P = mp.mpf(float(p)) if p else None
        try:
            if what == 'tails':
                lo, up = tails(law, X, N1, N2, NC)
                vals = [*tail_text(lo), *tail_text(up)]
            elif what == 'density':
                vals = ['', text(log_density(law, X, N1, N2, NC)), '', '']
            elif what == 'quantile':
                q = quantile(law, P, N1, N2, NC)
                check_root_tail(law, q, N1, N2, NC, mp.log(P))
                x = text(q, 40); vals = ['', '', '', '']
            else:
                v, bound = noncentrality(law, X, N1, N2, P)
                if not bound: check_root_tail(law, X, N1, N2, v, mp.log(P))
                nc = text(v, 40); vals = [str(bound), '', '', '']
        except ValueError as e:
            print('skipped', what, law, x, d1, d2, nc, p, e, file=sys.stderr)
            continue
        out.append(','.join([what, law, x, d1, d2, nc, p, *vals]))
        print(out[-1], file=sys.stderr)
    path = sys.argv[1] if len(sys.argv) > 1 else 'tests/engine/data/noncentral.csv'
    open(path, 'w').write('\n'.join(out) + '\n')


if __name__ == '__main__':
    main()
