#!/usr/bin/env python3
"""Writes tests/engine/data/densities.csv: the natural logarithm of the
chi-square, normal, t and F densities over a grid of degrees and statistics,
at 50 digits, as the engine's density test reads them. Each row: distribution
(chi, normal, t, f), statistic, degrees, denominator degrees (0 when none),
ln of the density to 30 digits. The statistic and degrees are written as
Python's repr of a double and the logarithm is computed at exactly that
double: at 1e9 degrees a statistic's last bit moves the logarithm by 1e-8.

The references are the textbook formulas in logarithms, with mpmath's
loggamma at 100 digits. Their terms reach 1e10 at 1e9 degrees and cancel to
the last ten digits, which leaves some 90. Below about ln 1e-308 only the
logarithm counts; the rows go down to logarithms of -1e15 and past the
range of a double (z = 1.9e154). Checked below: the formulas against the
derivative of mpmath's own distribution functions (gammainc, erfc, betainc)
at 60 digits, on rows where those answer; and that each number written
reaches its double also through 64 bits, as the test reads it."""
import sys
import mpmath as mp

mp.mp.dps = 100


def log_density(kind, x, d1, d2):
    x, n1, n2 = mp.mpf(x), mp.mpf(d1), mp.mpf(d2)
    if kind == 'normal':
        return -x * x / 2 - mp.log(2 * mp.pi) / 2
    if kind == 'chi':
        k = n1 / 2
        return (k - 1) * mp.log(x) - x / 2 - k * mp.log(2) - mp.loggamma(k)
    if kind == 't':
        return (mp.loggamma((n1 + 1) / 2) - mp.loggamma(n1 / 2) - mp.log(n1 * mp.pi) / 2
                - (n1 + 1) / 2 * mp.log1p(x * x / n1))
    a, b = n1 / 2, n2 / 2
    return (mp.loggamma(a + b) - mp.loggamma(a) - mp.loggamma(b) + a * mp.log(n1 / n2) + (a - 1) * mp.log(x)
            - (a + b) * mp.log1p(n1 * x / n2))


def distribution(kind, x, d1, d2):
    """The distribution function, whose derivative the check compares."""
    if kind == 'normal':
        return mp.erfc(-x / mp.sqrt(2)) / 2
    if kind == 'chi':
        return mp.gammainc(d1 / 2, 0, x / 2, regularized=True)
    if kind == 't':
        half = mp.betainc(d1 / 2, mp.mpf('0.5'), 0, d1 / (d1 + x * x), regularized=True) / 2
        return 1 - half if x > 0 else half
    return mp.betainc(d1 / 2, d2 / 2, 0, d1 * x / (d1 * x + d2), regularized=True)


def check():
    with mp.workdps(60):
        for kind, x, d1, d2 in [('normal', 1.3, 0, 0), ('chi', 3.7, 2.5, 0), ('chi', 0.02, 0.1, 0),
                                ('chi', 140.0, 100.0, 0), ('t', -2.2, 7.7, 0), ('t', 0.3, 0.5, 0),
                                ('f', 0.4, 3.0, 17.34), ('f', 2.5, 1.5, 100.0), ('f', 0.05, 0.5, 2.0)]:
            x, d1, d2 = mp.mpf(x), mp.mpf(d1), mp.mpf(d2)
            derivative = mp.diff(lambda s: distribution(kind, s, d1, d2), x)
            difference = abs(mp.log(derivative) - log_density(kind, x, d1, d2))
            assert difference < mp.mpf(10) ** -40, (kind, x, d1, d2, difference)


def bisect(kind, d1, d2, target, lo, hi):
    """The statistic between lo and hi, on a side where the density falls,
    whose logarithm is `target`, found on the logarithm of the statistic."""
    with mp.workdps(30):
        sign = -1 if hi < 0 else 1
        a, b = mp.log(abs(mp.mpf(lo))), mp.log(abs(mp.mpf(hi)))
        for _ in range(200):
            m = (a + b) / 2
            if log_density(kind, sign * mp.exp(m), d1, d2) > target: a = m
            else: b = m
        return sign * float(mp.exp((a + b) / 2))


DEGREES = [1e-300, 1e-18, 0.1, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 7.7, 17.34, 100.0, 1e4, 1e6, 1e9]


def rows():
    out = []
    for n in DEGREES:
        # Chi-square: near 0, the peak, where the density passes 1e-282 and
        # 1e-326, and far out.
        peak = max(n - 2, 0.0)
        start = max(peak, 1e-300)
        xs = [1e-300, 1e-10, peak if peak > 0 else (n if n > 1e-300 else 1.0), bisect('chi', n, 0, -650, start, 1e308),
              bisect('chi', n, 0, -750, start, 1e308), 1e6 * max(n, 1.0)]
        out += [('chi', x, n, 0.0) for x in xs]
        # t: the peak, a negative t, the same two passes, and far out.
        out += [('t', t, n, 0.0) for t in (0.0, -1.5, bisect('t', n, 0, -650, -1e-320, -1e308),
                                           bisect('t', n, 0, -750, 1e-320, 1e308), 1e30)]
    out += [('chi', 1e9 - 1e5, 1e9, 0.0), ('chi', 1e9 + 1e5, 1e9, 0.0), ('chi', 1e9 + 2.7e5, 1e9, 0.0),
            ('chi', 5.0, 5e-324, 0.0), ('t', 3.0, 1e9, 0.0), ('t', -1e-5, 1e9, 0.0), ('t', 1.0, 5e-324, 0.0)]
    # F: each numerator degrees with a denominator drawn from the same list
    # (7i + 3 mod 15 visits every one), near 0, below 1, at 1, far out.
    for i, n1 in enumerate(DEGREES):
        n2 = DEGREES[(7 * i + 3) % len(DEGREES)]
        out += [('f', F, n1, n2) for F in (1e-10, 0.3, 1.0, 1e30)]
    out += [('f', F, 1e9, 1e9) for F in (1.0, 1 - 1e-4, 1 + 3e-4, 1.2)]
    out += [('f', 1e-300, 0.5, 3.0), ('f', 1e-300, 1.0, 1e9), ('f', 4.5, 1e-300, 1e-300), ('f', 0.7, 2.0, 1e-18),
            ('f', bisect('f', 7.7, 17.34, -650, 2.0, 1e308), 7.7, 17.34),
            ('f', bisect('f', 7.7, 17.34, -750, 2.0, 1e308), 7.7, 17.34)]
    for z in (0.0, 1.0, 38.0, -38.5, 1e3, 1e154, 1.9e154):
        out.append(('normal', z, 0.0, 0.0))
    return out


def through_extended(number):
    """The double the test reads: the text to 64 bits, then to a double (it
    cannot use strtod, which refuses subnormal numbers)."""
    with mp.workprec(64):
        extended = mp.mpf(repr(number))
    return float(extended)


def main():
    check()
    out = ['kind,x,df1,df2,log_density']
    for kind, x, d1, d2 in rows():
        assert all(through_extended(v) == v for v in (x, d1, d2)), (kind, x, d1, d2)
        out.append(','.join([kind, repr(x), repr(d1), repr(d2), mp.nstr(log_density(kind, x, d1, d2), 30)]))
        print(out[-1], file=sys.stderr)
    open(sys.argv[1] if len(sys.argv) > 1 else 'tests/engine/data/densities.csv', 'w').write('\n'.join(out) + '\n')


if __name__ == '__main__':
    main()
