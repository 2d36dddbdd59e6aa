#!/usr/bin/env python3
"""Writes tests/engine/data/quantiles.csv: the critical values of the
chi-square, normal, t and F distributions at 50 digits, as the engine's
quantile tests read them. Each row: distribution, the upper tail alpha,
degrees, denominator degrees (0 when none), and the statistic whose upper
tail is alpha, each input at the double nearest the written number.

The tails are those of make_exact_tail_rows.py; the root is bracketed in
ln x by doubling steps and then closed by the Illinois method on
ln T(x) - ln alpha, which cannot leave its bracket."""
import sys
import mpmath as mp

sys.path.insert(0, __import__('os').path.dirname(__file__))
from make_exact_tail_rows import beta_tails, gamma_tails  # noqa: E402

mp.mp.dps = 60
HALF = mp.mpf('0.5')

def upper_tail(kind, x, n1, n2):
    if kind == 'chi': return gamma_tails(n1 / 2, x / 2)[1]
    if kind == 'z': return mp.erfc(x / mp.sqrt(2)) / 2
    if kind == 't': return beta_tails(n1 / 2, HALF, x * x / n1)[0] / 2
    return beta_tails(n2 / 2, n1 / 2, n1 * x / n2)[0]

def quantile(kind, alpha, n1, n2):
    # Every alpha here is below one half, so the answer is positive.
    target = mp.log(alpha)
    g = lambda u: mp.log(upper_tail(kind, mp.exp(u), n1, n2)) - target
    u = mp.log(n1) if kind == 'chi' else mp.mpf(0)
    step = mp.mpf(1) if g(u) > 0 else mp.mpf(-1)
    while g(u + step) * g(u) > 0:
        u += step; step *= 2
    lo, hi = sorted([u, u + step])
    return mp.exp(mp.findroot(g, (lo, hi), solver='illinois', tol=mp.mpf(10) ** -100, maxsteps=400))

def main():
    alphas = ['0.05', '0.025', '0.01', '1e-10', '5e-11', '1e-100', '1e-300']
    rows = [('z', a, '0', '0') for a in alphas]
    for d in ('0.3', '1', '4', '17.34', '1000', '1e5', '1e7', '1e9'):
        rows += [('chi', a, d, '0') for a in alphas]
    for d in ('0.3', '1.5', '17', '1e5', '1e7', '1e9'):
        rows += [('t', a, d, '0') for a in alphas]
    for d1, d2 in (('0.5', '3'), ('4', '17.34'), ('1e9', '1e9'), ('1000', '1e7'), ('2.5', '1e9'), ('1e9', '5')):
        rows += [('f', a, d1, d2) for a in alphas if a != '1e-300']
    out = ['kind,alpha,df1,df2,critical']
    for kind, a, d1, d2 in rows:
        x = quantile(kind, *(mp.mpf(float(v)) for v in (a, d1, d2)))
        out.append(','.join([kind, a, d1, d2, mp.nstr(x, 30)]))
        print(out[-1], file=sys.stderr)
    open(sys.argv[1] if len(sys.argv) > 1 else 'tests/engine/data/quantiles.csv', 'w').write('\n'.join(out) + '\n')

if __name__ == '__main__':
    main()
