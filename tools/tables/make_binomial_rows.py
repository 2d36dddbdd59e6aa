#!/usr/bin/env python3
"""Writes tests/engine/data/binomial.csv: 50-digit references for the binomial
law with n trials and chance p (both tails, each including k, the
probability of k, the exact test's critical counts and the Clopper-Pearson
limits), each value by two independent methods that must agree to 40 digits.

  1. the binomial terms C(n, j) p^j (1 - p)^(n - j) summed from k outward,
     term by term by their ratio, until a term is below 10^-60 of the sum,
     on the side of k that holds no mode (where the terms only fall); the
     tail that holds the mode is 1 minus the other side's sum;
  2. the regularized incomplete beta: P(X <= k) = I_(1-p)(n - k, k + 1),
     P(X >= k) = I_p(k, n - k + 1), by mpmath's betainc or, at large
     shapes, the continued fraction of make_exact_tail_rows.py.
Critical counts: the count found by bisection on method 2's tails, method
1's tails checked on both sides of it. Limits: the root of method 2's tail in
ln(p/(1 - p)) by the Illinois method, method 1's tail at the root the level
to 40 digits.

Rows: what (tails, probability, upper_critical, lower_critical,
lower_limit, upper_limit), k (or x), n, p, a, then the values: tails: lower,
ln lower, upper, ln upper (a value below 1e-300 written as 0); probability:
ln P(X = k) in v2; critical counts in v1; limits: the p in the p column."""
import os
import sys
import mpmath as mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_exact_tail_rows import beta_tails  # noqa: E402
from make_noncentral_rows import agree, illinois, tail_text, text  # noqa: E402

mp.mp.dps = 60


def log_term(j, n, p):
    return mp.loggamma(n + 1) - mp.loggamma(j + 1) - mp.loggamma(n - j + 1) + j * mp.log(p) + (n - j) * mp.log1p(-p)


def log_sum(k, n, p, upward):
    """ln sum of the terms from k upward (P(X >= k)) or downward (P(X <= k)),
    each term from its neighbour by their ratio, until they are negligible."""
    if upward and k > n or not upward and k < 0: return -mp.inf
    top = log_term(k, n, p)
    total, term, j = mp.mpf(0), mp.mpf(1), k
    q = 1 - p
    while True:
        total += term
        if upward:
            if j == n: break
            term *= (n - j) / (j + 1) * p / q; j += 1
        else:
            if j == 0: break
            term *= j / (n - j + 1) * q / p; j -= 1
        if term < total * mp.mpf(10) ** -60 and term < 1e-70: break
    return top + mp.log(total)


def log_beta_tails(k, n, p):
    """(ln P(X <= k), ln P(X >= k)) by the incomplete beta."""
    lo = mp.mpf(0) if k == n else mp.log(beta_tails(n - k, k + 1, p / (1 - p))[0])
    up = mp.mpf(0) if k == 0 else mp.log(beta_tails(n - k + 1, k, p / (1 - p))[1])
    return lo, up


def log_mode_free(k, n, p, upward):
    """ln P(X >= k) (upward) or ln P(X <= k) by the terms: summed where the
    tail holds no mode (the terms only fall away from k), else as 1 minus
    the other side's sum, which then holds none."""
    mode = mp.floor((n + 1) * p)
    if upward and k > mode or not upward and k < mode: return log_sum(k, n, p, upward)
    other = log_sum(k - 1, n, p, False) if upward else log_sum(k + 1, n, p, True)
    return mp.log(-mp.expm1(other))


def tails(k, n, p):
    lo, up = log_beta_tails(k, n, p)
    agree(lo, log_mode_free(k, n, p, False), 'the lower tail')
    agree(up, log_mode_free(k, n, p, True), 'the upper tail')
    return lo, up


def upper_critical(n, p, a):
    la = mp.log(a); low, high = 0, int(n) + 1
    while high - low > 1:
        mid = (low + high) // 2
        if log_beta_tails(mid, n, p)[1] <= la: high = mid
        else: low = mid
    if high <= n: assert log_mode_free(high, n, p, True) <= la
    assert log_mode_free(high - 1, n, p, True) > la
    return high


def lower_critical(n, p, a):
    la = mp.log(a); low, high = -1, int(n)
    while high - low > 1:
        mid = (low + high) // 2
        if log_beta_tails(mid, n, p)[0] <= la: low = mid
        else: high = mid
    if low >= 0: assert log_mode_free(low, n, p, False) <= la
    assert log_mode_free(low + 1, n, p, False) > la
    return low


def lower_limit(x, n, a):
    """p with P(X >= x; p) = a."""
    la = mp.log(a)
    g = lambda u: log_beta_tails(x, n, 1 / (1 + mp.exp(-u)))[1] - la
    lo, hi = mp.mpf(-1), mp.mpf(1)
    while g(lo) > 0: lo *= 2
    while g(hi) < 0: hi *= 2
    p = 1 / (1 + mp.exp(-illinois(g, lo, hi)))
    agree(log_mode_free(x, n, p, True), la, 'the tail at a limit')
    return p


def upper_limit(x, n, a):
    """p with P(X <= x; p) = a."""
    la = mp.log(a)
    g = lambda u: la - log_beta_tails(x, n, 1 / (1 + mp.exp(-u)))[0]
    lo, hi = mp.mpf(-1), mp.mpf(1)
    while g(lo) > 0: lo *= 2
    while g(hi) < 0: hi *= 2
    p = 1 / (1 + mp.exp(-illinois(g, lo, hi)))
    agree(log_mode_free(x, n, p, False), la, 'the tail at a limit')
    return p


def rows():
    out = []
    add = lambda *r: out.append(r)
    for n, p in [('1', '0.3'), ('10', '0.5'), ('20', '0.01'), ('100', '0.9'), ('1000', '1e-6'), ('1e5', '0.37'),
                 ('1e7', '0.999'), ('1e9', '0.5'), ('1e9', '1e-8')]:
        N, P = mp.mpf(n), mp.mpf(p)
        mean, sd = N * P, mp.sqrt(N * P * (1 - P))
        ks = {0, int(N), int(mean), int(mean + 3 * sd) + 1, max(0, int(mean - 3 * sd)), min(int(N), int(mean + 40 * sd) + 3),
              max(0, int(mean - 40 * sd))}
        if N >= 1e5: ks.add(int(N * P / 2))   # a tail far below 1e-300
        for k in sorted({min(max(k, 0), int(N)) for k in ks}):
            add('tails', str(k), n, p, '')
        add('probability', str(int(mean)), n, p, '')
        add('probability', str(min(int(N), int(mean + 10 * sd) + 1)), n, p, '')
    add('tails', '2.5', '10', '0.5', '')   # between two counts: P(X <= 2), P(X >= 3)
    for n, p, a in [('20', '0.5', '0.025'), ('1000', '0.1', '1e-10'), ('10', '0.999', '0.025'), ('1e6', '0.3', '0.005'),
                    ('1e9', '1e-7', '0.025')]:
        add('upper_critical', '', n, p, a)
        add('lower_critical', '', n, p, a)
    for x, n, a in [('3', '20', '0.025'), ('0', '20', '0.025'), ('20', '20', '0.025'), ('1', '1e9', '1e-10'),
                    ('500', '1000', '0.005'), ('999999', '1e6', '0.025')]:
        add('lower_limit', x, n, '', a)
        add('upper_limit', x, n, '', a)
    return out


def main():
    out = ['what,k,n,p,a,v1,v2,v3,v4']
    todo = rows()
    if len(sys.argv) > 3: todo = todo[int(sys.argv[2]):int(sys.argv[3])]   # a slice, for a run in parts
    for what, k, n, p, a in todo:
        K, N = mp.mpf(float(k)) if k else None, mp.mpf(float(n))
        P = mp.mpf(float(p)) if p else None
        A = mp.mpf(float(a)) if a else None
        if what == 'tails':
            lo, up = tails(mp.floor(K), N, P) if K == mp.floor(K) else \
                (tails(mp.floor(K), N, P)[0], tails(mp.ceil(K), N, P)[1])
            vals = [*tail_text(lo), *tail_text(up)]
        elif what == 'probability':
            vals = ['', text(log_term(K, N, P), 40), '', '']
            agree(log_term(K, N, P), mp.log(mp.binomial(N, K)) + K * mp.log(P) + (N - K) * mp.log1p(-P), 'a term')
        elif what.endswith('critical'):
            c = upper_critical(N, P, A) if what == 'upper_critical' else lower_critical(N, P, A)
            vals = [str(c), '', '', '']
        else:
            if what == 'lower_limit':
                v = mp.mpf(0) if K == 0 else lower_limit(K, N, A)
            else:
                v = ONE if K == N else upper_limit(K, N, A)
            p = text(v, 40); vals = ['', '', '', '']
        out.append(','.join([what, k, n, p, a, *vals]))
        print(out[-1], file=sys.stderr, flush=True)
    path = sys.argv[1] if len(sys.argv) > 1 else 'tests/engine/data/binomial.csv'
    open(path, 'w').write('\n'.join(out) + '\n')


ONE = mp.mpf(1)

if __name__ == '__main__':
    main()
