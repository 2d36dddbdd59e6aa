#!/usr/bin/env python3
"""Writes tests/forms/data/correlation_power_rows.csv: the power window's
scenario rows for the "Correlation" design, every number from the exact law
of the sample correlation as make_correlation_rows.py computes it (its tails
by two independent methods that must agree: Hotelling's density integrated,
and the polar form's mean of Student's distribution function), never from
the program:
  - the critical values: the r at which H0's law (rho0) has each tail at
    alpha/2 (alpha for one tail);
  - the power: H1's law (rho) beyond them, both tails summed;
  - N by trying each N in turn about where the power crosses the target;
  - a result's rho: where the observed r is its law's median (the estimate)
    and its quantiles at alpha/2 and 1 - alpha/2 (the interval's ends), and
    Fisher's z interval, tanh(atanh r -+ z / sqrt(N - 3)).
Usage: make_correlation_power_rows.py [output.csv]"""
import os
import sys

import mpmath as mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_correlation_rows as law  # noqa: E402

mp.mp.dps = 60


def typed(text):
    return mp.mpf(float(text))


def text(v):
    return mp.nstr(v, 25)


def power(n, rho0, rho, alpha, tails):
    """(power, beta, lower critical, upper critical) of the test of r against rho0."""
    up = rho >= rho0
    a = alpha / 2 if tails == 2 else alpha
    high = law.quantile(a, n, rho0, True) if tails == 2 or up else None
    low = law.quantile(a, n, rho0, False) if tails == 2 or not up else None
    beyond = lambda r, lower: mp.exp(law.tails(r, n, rho)[0 if lower else 1])
    p_high = beyond(high, False) if high is not None else 0
    p_low = beyond(low, True) if low is not None else 0
    return p_high + p_low, 1 - p_high - p_low, low, high


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', '..', 'tests', 'forms', 'data',
                                                              'correlation_power_rows.csv')
    columns = ['name', 'design', 'question', 'effect', 'rho0', 'alpha', 'power', 'n', 'tails', 'observed',
               'observed_n', 'exp_power', 'exp_beta', 'exp_n', 'exp_critical', 'exp_observed', 'exp_low_bound',
               'exp_level']
    rows = []

    def row(**kw):
        r = dict.fromkeys(columns, '')
        r.update(kw)
        rows.append(r)
        print(r['name'], {k: v for k, v in r.items() if k.startswith('exp_') and v}, file=sys.stderr)

    # N for rho 0.3 against 0: the first N whose power reaches 0.8, the one before short of it.
    rho, alpha, target = typed('0.3'), typed('0.05'), typed('0.8')
    n = 80
    while power(n, 0, rho, alpha, 2)[0] < target: n += 1
    while power(n - 1, 0, rho, alpha, 2)[0] >= target: n -= 1
    p, b, low, high = power(n, 0, rho, alpha, 2)
    assert p - target > mp.mpf(10) ** -9
    row(name='corr_n', design='correlation', question='n', effect='0.3', rho0='0', alpha='0.05', power='0.8',
        tails='2', exp_power=text(p), exp_beta=text(b), exp_n=str(n), exp_critical=text(high))
    # The power at an N against a rho0 that is not 0, and one tail below rho0.
    for name, eff, rho0, nn, tails in (('corr_power_rho0', '0.5', '0.2', 60, 2), ('corr_power_1t', '-0.4', '0', 30, 1)):
        p, b, low, high = power(nn, typed(rho0), typed(eff), alpha, tails)
        row(name=name, design='correlation', question='power', effect=eff, rho0=rho0, alpha='0.05', n=str(nn),
            tails=str(tails), exp_power=text(p), exp_beta=text(b))
    # A result: r = 0.3 of 50 pairs.
    r, nn = typed('0.3'), 50
    ends = [law.rho_at(r, nn, q)[0] for q in (alpha / 2, mp.mpf(1) / 2, 1 - alpha / 2)]
    z, half = mp.atanh(r), mp.sqrt(2) * mp.erfinv(1 - alpha) / mp.sqrt(nn - 3)
    row(name='corr_obs', design='correlation', question='power', effect='0.3', rho0='0', alpha='0.05', n='100',
        tails='2', observed='0.3', observed_n=str(nn),
        exp_observed='rho %s %s %s;rho_fisher %s %s %s' % (text(ends[1]), text(ends[0]), text(ends[2]), text(r),
                                                             text(mp.tanh(z - half)), text(mp.tanh(z + half))),
        exp_low_bound='0', exp_level=text(1 - alpha))
    with open(path, 'w') as f:
        f.write(','.join(columns) + '\n')
        for r in rows:
            f.write(','.join(r[c] for c in columns) + '\n')


if __name__ == '__main__':
    main()
