#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Prints the rows of tests/data/special_functions.tsv: each function of docs/functions.md at its domain edges,
# poles, overflow and underflow thresholds and subnormal arguments, with the value from mpmath at 50 digits
# rounded to the nearest double. Run: python3 scripts/special_function_reference.py (needs python3-mpmath).
import math
from mpmath import mp, mpf

mp.dps = 50
SUB = 5e-324          # smallest subnormal
TINY = 2.2250738585072014e-308

def lg(x): return mp.log(abs(mp.gamma(x)))
def fact(n): return mp.factorial(n)
def gauss(x, m=0, s=1): return mp.exp(-((x - m) / s) ** 2 / 2) / (s * mp.sqrt(2 * mp.pi))
def lorentz(x, x0=0, g=1): return g / (mp.pi * ((x - x0) ** 2 + g ** 2))
def bessely_int(n, x):
    v = mp.bessely(abs(n), x)
    return v if n >= 0 or abs(n) % 2 == 0 else -v

CASES = [
    ("exp(a)", mp.exp, [(709.78,), (-745.1,), (SUB,), (-708.4,), (1e-10,)]),
    ("ln(a)", mp.log, [(SUB,), (TINY,), (1.7976931348623157e308,), (1 + 2**-52,)]),
    ("log(a)", mp.log10, [(SUB,), (1e308,), (3.0,)]),
    ("log2(a)", lambda x: mp.log(x, 2), [(SUB,), (1e308,), (3.0,)]),
    ("pow(a,b)", mp.power, [(2.0, 1023.5), (0.5, 1074.0), (10.0, -323.5), (1.0000001, 7e9)]),
    ("sinh(a)", mp.sinh, [(710.4,), (-710.4,), (SUB,), (1e-8,)]),
    ("cosh(a)", mp.cosh, [(710.4,), (-710.4,), (SUB,)]),
    ("tanh(a)", mp.tanh, [(1e-300,), (19.0,), (0.5,)]),
    ("asinh(a)", mp.asinh, [(1e300,), (-1e-300,), (SUB,)]),
    ("acosh(a)", mp.acosh, [(1.0 + 2**-52,), (1e308,)]),
    ("atanh(a)", mp.atanh, [(1 - 2**-53,), (SUB,), (-0.5,)]),
    ("sqrt(a)", mp.sqrt, [(SUB,), (1.7976931348623157e308,)]),
    ("cbrt(a)", lambda x: mp.sign(x) * mp.cbrt(abs(x)), [(SUB,), (-1e308,)]),
    ("erf(a)", mp.erf, [(SUB,), (1e-300,), (5.9,), (-0.5,)]),
    ("erfc(a)", mp.erfc, [(26.5,), (27.2,), (-5.0,), (1e-300,)]),
    ("hypot(a,b)", lambda a, b: mp.sqrt(mpf(a) ** 2 + mpf(b) ** 2), [(1e308, 1e308), (SUB, SUB), (3e-310, 4e-310)]),
    ("atan2(a,b)", mp.atan2, [(SUB, 1e308), (1e308, SUB), (-1.0, -1e-300)]),
    ("sin(a)", mp.sin, [(1e22,), (SUB,), (1e-300,)]),
    ("cos(a)", mp.cos, [(1e22,), (1e-300,)]),
    ("tan(a)", mp.tan, [(1e22,), (1.5707963267948966,)]),
    ("gamma(a)", mp.gamma, [(171.62,), (SUB,), (-SUB,), (0.5,), (-170.5,), (-184.5,), (1e-308,)]),
    ("gammaln(a)", lg, [(2.5e305,), (SUB,), (-0.5,), (1e17,)]),
    ("beta(a,b)", mp.beta, [(300.0, 400.0), (1e-300, 1.0), (0.5, 0.5), (1e5, 1e-5), (3000.0, 3000.0)]),
    ("fact(a)", fact, [(170.0,), (0.5,), (-0.5,), (169.5,)]),
    ("j0(a)", mp.j0, [(SUB,), (1e8,), (1e-300,)]),
    ("j1(a)", mp.j1, [(SUB,), (1e8,), (1e-300,)]),
    ("jn(a,b)", mp.besselj, [(200.0, 3.0), (5.0, 1e-60), (2.5, 100.0), (-3.0, 2.0)]),
    ("y0(a)", lambda x: mp.bessely(0, x), [(SUB,), (1e-300,), (1e8,), (2.5e-8,)]),
    ("y1(a)", lambda x: mp.bessely(1, x), [(1e-300,), (1e8,), (3e-308,)]),
    ("yn(a,b)", bessely_int, [(200.0, 3.0), (-200.0, 3.0), (-3.0, 2.0), (3.0, 2.0), (2.0, 1e-150),
                              (30.0, 1.0), (-31.0, 1.0), (200.0, 300.0), (100.0, 90.0), (100.0, 10.0)]),
    ("gauss(a)", gauss, [(38.5,), (-38.5,), (1e-300,)]),
    ("gauss(a,b,c)", gauss, [(0.0, 0.0, 1e-300), (1.0, 0.0, 1e300)]),
    ("lorentz(a)", lorentz, [(1e154,), (1e300,), (SUB,)]),
    ("lorentz(a,b,c)", lorentz, [(5.0, 5.0, 1e-300), (1e308, -1e308, 1.0), (0.0, 0.0, 1e308)]),
]

def hexrow(v):
    return float(v).hex() if math.isfinite(v) else ("inf" if v > 0 else "-inf")

def mp_to_double(v):
    # mpf outside the double range becomes inf, below the smallest subnormal rounds to 0.
    try:
        return float(v)
    except OverflowError:
        return math.inf if v > 0 else -math.inf

for expr, fn, args_list in CASES:
    for args in args_list:
        expected = mp_to_double(fn(*[mpf(a) for a in args]))
        padded = list(args) + [0.0] * (3 - len(args))
        print("\t".join([expr] + [float(a).hex() for a in padded] + [hexrow(expected)]))
