#!/usr/bin/env python3
"""Writes tests/engine/data/correlation.csv: 50-digit references for the law of
the sample correlation r of N pairs from a bivariate normal with correlation
rho (tails, densities, quantiles, the rho at which a tail is reached), each
value made by two independent methods that must agree to 40 digits before
its row is written.

  density  1. Hotelling's form
                (N-2) Gamma(N-1) (1-rho^2)^((N-1)/2) (1-r^2)^((N-4)/2)
                / (sqrt(2 pi) Gamma(N-1/2) (1-rho r)^(N-3/2))
                * 2F1(1/2, 1/2; N-1/2; (1 + rho r)/2)
           2. Fisher's integral
                (N-2)/pi (1-rho^2)^((N-1)/2) (1-r^2)^((N-4)/2)
                * integral_0^inf (cosh b - rho r)^-(N-1) db.
  tails    1. the density of method 1 integrated over z = atanh s, from
              atanh r to either end.
           2. the polar form: with S chi (N-1), U chi (N-2) and Z normal,
              r/sqrt(1-r^2) = (theta S + Z)/U, theta = rho/sqrt(1-rho^2); with
              S = L cos(phi), U = L sin(phi), L chi (2N-3) is independent of
              phi, cos^2 phi ~ Beta((N-1)/2, (N-2)/2), so with w = r/sqrt(1-r^2)
              and a(phi) = theta cos phi - w sin phi,
                P(R > r) = E[F(a(phi) sqrt(2N-3))], P(R < r) = E[F(-a(phi) sqrt(2N-3))],
              F Student's t distribution function with 2N-3 degrees (an
              incomplete beta), averaged over u = ln tan phi.
Quantiles and rho: the root of method 1's tail by bracketing and the
Illinois method (in atanh r, atanh rho), then method 2's tail at the root,
which must be the level to 40 digits.

Each input is the double nearest the written number; a tail below 1e-300 is
written as 0 beside its logarithm. Rows: what (tails, density, upper_quantile,
lower_quantile, rho), n, r, rho, p, then the values: tails: lower, ln lower,
upper, ln upper; density: ln density (in v2); quantiles: the r (in the r
column); rho: the rho (in the rho column) and whether it is a bound (v1)."""
import os
import sys
import time
import mpmath as mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_noncentral_rows import agree, beta_log_tails, illinois, log_complement, log_integral, tail_text, text  # noqa: E402

mp.mp.dps = 60
ONE = mp.mpf(1)
LN2 = mp.log(2)


def log_density_hotelling(r, n, rho):
    lead = (mp.log(n - 2) + mp.loggamma(n - 1) - mp.log(2 * mp.pi) / 2 - mp.loggamma(n - mp.mpf(1) / 2)
            + (n - 1) / 2 * mp.log1p(-rho * rho) + (n - 4) / 2 * mp.log1p(-r * r) - (n - mp.mpf(3) / 2) * mp.log1p(-rho * r))
    return lead + mp.log(hyp2f1_half(n - mp.mpf(1) / 2, (1 + rho * r) / 2))


def hyp2f1_half(c, z):
    """2F1(1/2, 1/2; c; z): mpmath's, or at c above 1000 (where mpmath's
    transformations near z = 1 stall) the series itself, whose terms fall by
    about z n / c."""
    if c < 1000: return mp.hyp2f1(0.5, 0.5, c, z)
    total = term = mp.mpf(1); k = 0
    while term > total * mp.mpf(10) ** -(mp.mp.dps + 5):
        term *= (k + mp.mpf(1) / 2) ** 2 / ((k + c) * (k + 1)) * z; k += 1; total += term
    return total


def log_density_fisher(r, n, rho):
    c = rho * r
    ell = lambda b: -(n - 1) * mp.log(mp.cosh(b) - c)
    width = mp.sqrt((1 - c) / (n - 1))
    inner = log_integral(lambda u: ell(mp.exp(u)) + u, -mp.inf, mp.inf, mp.log(width))
    return (mp.log((n - 2) / mp.pi) + (n - 1) / 2 * mp.log1p(-rho * rho) + (n - 4) / 2 * mp.log1p(-r * r) + inner)


def tails_density(r, n, rho, lower):
    """ln P(R < r) or ln P(R > r): Hotelling's density over z = atanh s."""
    ell = lambda z: log_density_hotelling(mp.tanh(z), n, rho) - 2 * mp.log(mp.cosh(z))
    z = mp.atanh(r)
    guess = mp.atanh(rho)
    return log_integral(ell, -mp.inf, z, min(guess, z - mp.mpf('0.01'))) if lower else \
        log_integral(ell, z, mp.inf, max(guess, z + mp.mpf('0.01')))


def log_t_cdf(x, k):
    """ln P(T < x), T Student's t with k degrees."""
    if x == 0: return -LN2
    both = beta_log_tails(k / 2, mp.mpf(1) / 2, x * x / k)[0]   # ln P(|T| > |x|)
    return both - LN2 if x < 0 else log_complement(both - LN2)


def tails_polar(r, n, rho, lower):
    m, nu = n - 1, n - 2
    k = m + nu
    theta, w = rho / mp.sqrt(1 - rho * rho), r / mp.sqrt(1 - r * r)
    lb = mp.loggamma(m / 2) + mp.loggamma(nu / 2) - mp.loggamma(k / 2)
    sign = -1 if lower else 1
    def ell(u):
        e = mp.exp(u); s = mp.sqrt(1 + e * e)
        a = (theta - w * e) / s
        return LN2 - lb + nu * u - k / 2 * mp.log1p(e * e) + log_t_cdf(sign * a * mp.sqrt(k), k)
    return log_integral(ell, -mp.inf, mp.inf, mp.log(mp.sqrt(nu / m)))


def tails(r, n, rho):
    """(ln lower, ln upper): both by method 1, the smaller again by method 2."""
    lo, up = tails_density(r, n, rho, True), tails_density(r, n, rho, False)
    small_lower = lo < up
    agree(mp.log(mp.exp(lo) + mp.exp(up)), mp.mpf(0), 'the two tails summed')
    other = tails_polar(r, n, rho, small_lower)
    agree(lo if small_lower else up, other, 'a tail')
    return (lo, log_complement(lo)) if small_lower else (log_complement(up), up)


def log_density(r, n, rho):
    one, two = log_density_hotelling(r, n, rho), log_density_fisher(r, n, rho)
    agree(one, two, 'a density')
    return one


def quantile(p, n, rho, upper):
    """r with P(R > r) = p (upper) or P(R < r) = p, on the tail p leaves small."""
    lp, l1p = mp.log(p), mp.log1p(-p)
    def g(z):   # rises with z
        r = mp.tanh(z)
        if upper:
            return lp - tails_density(r, n, rho, False) if p <= 0.5 else tails_density(r, n, rho, True) - l1p
        return tails_density(r, n, rho, True) - lp if p <= 0.5 else l1p - tails_density(r, n, rho, False)
    centre, sd = mp.atanh(rho), 1 / mp.sqrt(max(n - 3, 1))
    lo, hi = centre - sd, centre + sd
    while g(lo) > 0: lo -= 2 * (hi - lo)
    while g(hi) < 0: hi += 2 * (hi - lo)
    return mp.tanh(illinois(g, lo, hi))


LARGEST_RHO = 1 - mp.mpf(2) ** -53


def rho_at(r, n, p):
    """rho with P(R > r; rho) = p, or the end (+-1) as a bound."""
    lp = mp.log(p)
    up = lambda z: tails_density(r, n, mp.tanh(z), False)
    zmax = mp.atanh(LARGEST_RHO)
    if lp <= up(-zmax): return -ONE, 1
    if lp >= up(zmax): return ONE, 1
    centre, sd = mp.atanh(r), 1 / mp.sqrt(max(n - 3, 1))
    lo, hi = max(-zmax, centre - sd), min(zmax, centre + sd)
    while up(lo) - lp > 0: lo = max(-zmax, lo - 2 * (hi - lo))
    while up(hi) - lp < 0: hi = min(zmax, hi + 2 * (hi - lo))
    return mp.tanh(illinois(lambda z: up(z) - lp, lo, hi)), 0


def rows():
    """(what, n, r, rho, p) as written; each read as the nearest double."""
    out = []
    add = lambda *r: out.append(r)
    for n, rho in [('4', '0.5'), ('4', '-0.999'), ('5', '0.9'), ('10', '0.3'), ('10', '-0.7'),
                   ('25', '0.999'), ('50', '0.1'), ('100', '-0.5'), ('1000', '0.95'), ('1e4', '0.2'),
                   ('1e6', '-0.3'), ('1e9', '0.999'), ('1e9', '0.01')]:
        N, P = mp.mpf(n), mp.mpf(rho)
        z, sd = mp.atanh(P), 1 / mp.sqrt(max(N - 3, 1))
        points = [P, mp.tanh(z + 2 * sd), mp.tanh(z - 2 * sd), mp.tanh(z + 12 * sd), mp.tanh(z - 12 * sd)]
        if N <= 10: points += [mp.mpf('0.999999'), mp.mpf('-0.999999'), -P]
        if N >= 1e4: points += [P - mp.sign(P) * mp.mpf('0.5')]   # tails far below 1e-300
        for r in points:
            if abs(float(mp.nstr(r, 12))) < 1: add('tails', n, mp.nstr(r, 12), rho, '')
        add('density', n, mp.nstr(P, 12), rho, '')
        add('density', n, mp.nstr(mp.tanh(z - 8 * sd), 12), rho, '')
    add('tails', '20', '0.4', '0', '')      # rho = 0: Student's t (the test compares them)
    for n, rho, p in [('10', '0.3', '0.05'), ('50', '-0.5', '1e-10'), ('1000', '0.95', '0.01')]:
        add('upper_quantile', n, '0', rho, p)
        add('lower_quantile', n, '0', rho, p)
    for n, r, p in [('10', '0.5', '0.05'), ('30', '-0.2', '0.975'), ('5', '0.99', '0.5'), ('20', '0.3', '1e-300')]:
        add('rho', n, r, '', p)
    return out


def main():
    out = ['what,n,r,rho,p,v1,v2,v3,v4']
    todo = rows()
    if len(sys.argv) > 3: todo = todo[int(sys.argv[2]):int(sys.argv[3])]   # a slice, for a run in parts
    for what, n, r, rho, p in todo:
        started = time.time()
        N, R = mp.mpf(float(n)), mp.mpf(float(r))
        RHO = mp.mpf(float(rho)) if rho != '' else None
        P = mp.mpf(float(p)) if p else None
        try:
            if what == 'tails':
                lo, up = tails(R, N, RHO)
                vals = [*tail_text(lo), *tail_text(up)]
            elif what == 'density':
                vals = ['', text(log_density(R, N, RHO)), '', '']
            elif what.endswith('quantile'):
                upper = what == 'upper_quantile'
                q = quantile(P, N, RHO, upper)
                lo, up = tails(q, N, RHO)
                agree(up if upper else lo, mp.log(P), 'the tail at a quantile')
                r = text(q, 40); vals = ['', '', '', '']
            else:
                v, bound = rho_at(R, N, P)
                if not bound: agree(tails(R, N, v)[1], mp.log(P), 'the tail at a rho')
                rho = text(v, 40); vals = [str(bound), '', '', '']
        except ValueError as e:
            print('skipped', what, n, r, rho, p, e, file=sys.stderr)
            continue
        out.append(','.join([what, n, r, rho, p, *vals]))
        print(out[-1], file=sys.stderr, flush=True)
        print('# %.0f s' % (time.time() - started), file=sys.stderr, flush=True)
    path = sys.argv[1] if len(sys.argv) > 1 else 'tests/engine/data/correlation.csv'
    open(path, 'w').write('\n'.join(out) + '\n')


if __name__ == '__main__':
    main()
