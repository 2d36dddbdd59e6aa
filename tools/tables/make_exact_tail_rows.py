#!/usr/bin/env python3
"""Writes tests/engine/data/exact_tails.csv: both tails of the chi-square, normal,
t and F distributions over a grid of degrees and statistics, at 50 digits,
down to tails of 10^-100000 and beyond, as the engine's exact-tail tests read
them, each at the double nearest the written numbers. Each row: distribution, statistic, degrees, denominator degrees (0 when
none), then the lower and upper tail, each as its value and its natural
logarithm (the value below 1e-300 is written as 0 and only the logarithm
counts).

The references: mpmath's gammainc and betainc where they converge; for the
huge shapes, the power series of P(a, x) below 0.97 a and, for the beta, the
continued fraction evaluated backward at 60 digits until it no longer moves
(agreeing with betainc to 40 digits wherever both answer: checked below)."""
import sys
import mpmath as mp

mp.mp.dps = 60
ONE = mp.mpf(1)

def gamma_tails(a, x):
    if x == 0: return mp.mpf(0), ONE
    if x < 0.97 * a:
        s = term = ONE; n = 0
        while term > s * mp.mpf(10) ** -55:
            n += 1; term = term * x / (a + n); s += term
        lo = mp.exp(a * mp.log(x) - x - mp.loggamma(a + 1)) * s
        return lo, 1 - lo
    up = mp.gammainc(a, x, mp.inf, regularized=True)
    return 1 - up, up

def beta_fraction(a, b, r):
    # I_x(a, b), x = 1/(1+r), on the side where the fraction converges.
    x = 1 / (1 + r); y = r / (1 + r)
    log_front = a * mp.log(x) + b * mp.log(y) - mp.log(a) - (mp.loggamma(a) + mp.loggamma(b) - mp.loggamma(a + b))
    def value(M):
        t = mp.mpf(0)
        for m in range(M, 0, -1):
            odd = -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1))
            even = m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m))
            t = odd / (1 + t)
            t = even / (1 + t)
        d1 = -(a + b) * x / (a + 1)
        return 1 / (1 + d1 / (1 + t))
    M = 64
    previous = value(M)
    while True:
        M *= 2
        current = value(M)
        if abs(current / previous - 1) < mp.mpf(10) ** -45: break
        previous = current
    return mp.exp(log_front) * current

def beta_tails(a, b, r):
    """I_x(a, b) and its complement at x = 1/(1 + r)."""
    if r == 0: return ONE, mp.mpf(0)
    x = 1 / (1 + r); y = r / (1 + r)
    if a + b < 2e4:
        return mp.betainc(a, b, 0, x, regularized=True), mp.betainc(b, a, 0, y, regularized=True)
    if x < (a + 1) / (a + b + 2):
        i = beta_fraction(a, b, r); return i, 1 - i
    j = beta_fraction(b, a, 1 / r); return 1 - j, j

for a, b, r in [(mp.mpf(3), mp.mpf('0.5'), mp.mpf('0.2')), (mp.mpf(40), mp.mpf(7), mp.mpf('0.1')),
                (mp.mpf('8.67'), mp.mpf('0.5'), mp.mpf(3))]:
    assert abs(beta_fraction(a, b, r) / mp.betainc(a, b, 0, 1 / (1 + r), regularized=True) - 1) < mp.mpf(10) ** -40

def row(kind, stat, d1, d2):
    # At the doubles the program reads: at 10^9 degrees a statistic's last
    # bit moves its tail by 1e-11.
    s, n1, n2 = mp.mpf(float(stat)), mp.mpf(float(d1)), mp.mpf(float(d2))
    if kind == 'chi':
        return gamma_tails(n1 / 2, s / 2)
    if kind == 'z':
        lo = mp.erfc(-s / mp.sqrt(2)) / 2 if s < 0 else 1 - mp.erfc(s / mp.sqrt(2)) / 2
        up = mp.erfc(s / mp.sqrt(2)) / 2
        return lo, up
    if kind == 't':
        both, _ = beta_tails(n1 / 2, mp.mpf('0.5'), s * s / n1)
        far = both / 2
        return (1 - far, far) if s > 0 else (far, 1 - far) if s < 0 else (mp.mpf('0.5'), mp.mpf('0.5'))
    up, lo = beta_tails(n2 / 2, n1 / 2, n1 * s / n2)
    return lo, up

def text(p):
    if p == 0: return '0', '-inf'
    return (mp.nstr(p, 25) if p > mp.mpf('1e-300') else '0'), mp.nstr(mp.log(p), 30)

def main():
    degrees = ['1e-18', '1e-10', '2e-5', '3e-4', '0.1', '0.5', '1', '2.5', '17.34', '30', '299', '300', '301', '1000', '1e4', '1e5', '1e6', '1e7', '1e8', '1e9']
    rows = []
    for d in degrees:
        n = mp.mpf(d)
        sd = mp.sqrt(2 * n)
        for x in sorted(set([n * f for f in (mp.mpf('0.5'), ONE, mp.mpf('1.5'))] + [n + k * sd for k in (-6, -2, 2, 6, 30)] +
                            [mp.mpf(v) for v in ('1e-6', '30', '1000', '5000', '1e5', '4.61e5')])):
            if x >= 0: rows.append(('chi', repr(float(x)), d, '0'))
        for t in ('0.5', '-2', '2.1', '8', '-40', '1e3', '1e10', '-1e300'):
            rows.append(('t', t, d, '0'))
        for d2 in ('1e-10', '2e-5', '1', '17.34', '300', '1e5', '1e9'):
            for F in ('0.01', '0.97', '1', '1.0003', '3', '100', '1e10'):
                rows.append(('f', F, d, d2))
    for z in ('0', '0.001', '-1.96', '5.5', '-8', '20', '40', '1000', '-447.2'):
        rows.append(('z', z, '0', '0'))

    out = ['kind,statistic,df1,df2,lower,ln_lower,upper,ln_upper']
    for kind, stat, d1, d2 in rows:
        lo, up = row(kind, stat, d1, d2)
        out.append(','.join([kind, stat, d1, d2, *text(lo), *text(up)]))
        print(out[-1], file=sys.stderr)
    open(sys.argv[1] if len(sys.argv) > 1 else 'tests/engine/data/exact_tails.csv', 'w').write('\n'.join(out) + '\n')

if __name__ == '__main__':
    main()
