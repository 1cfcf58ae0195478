#!/usr/bin/env python3
"""Writes least_squares_reference.tsv: polynomial fits whose expected
coefficients are exact least-squares solutions or certified values.

The exact solutions are solved in rational arithmetic (fractions) on the
exact binary values of the doubles the program fits: x' and y' after the
transforms, 1/T correctly rounded and ln P from the C library as the program
computes them.  Run from this folder: python3 exact_least_squares.py
"""
from fractions import Fraction
import math

# An annual series rising smoothly from 354 to 414, the kind of yearly mean
# whose raw powers of the calendar year lose the normal equations.
YEARS = list(range(1990, 2021))
ANNUAL = [354.45, 355.70, 356.54, 357.21, 358.96, 360.97, 362.74, 363.88, 366.84, 368.54, 369.71,
          371.32, 373.45, 375.98, 377.70, 379.98, 382.09, 384.02, 385.83, 387.64, 390.10, 391.85,
          394.06, 396.74, 398.81, 401.01, 404.41, 406.76, 408.72, 411.65, 414.21]


def saturation_pressure_kpa(t):
    """Vapour pressure of water at t kelvin: the saturation-pressure equation
    of IAPWS-IF97 (region 4), rounded to five digits as steam tables print it."""
    n = [0, 0.11670521452767e4, -0.72421316703206e6, -0.17073846940092e2, 0.12020824702470e5,
         -0.32325550322333e7, 0.14915108613530e2, -0.48232657361591e4, 0.40511340542057e6,
         -0.23855557567849, 0.65017534844798e3]
    th = t + n[9] / (t - n[10])
    a = th * th + n[1] * th + n[2]
    b = n[3] * th * th + n[4] * th + n[5]
    c = n[6] * th * th + n[7] * th + n[8]
    return float('%.5g' % ((2 * c / (-b + math.sqrt(b * b - 4 * a * c))) ** 4 * 1000))


# 0.01 °C (the triple point) and 10 .. 100 °C in kelvin.
KELVIN = [273.16] + [273.15 + c for c in range(10, 101, 10)]
PRESSURE = [saturation_pressure_kpa(t) for t in KELVIN]

# NIST StRD linear least squares, https://www.itl.nist.gov/div898/strd/lls/lls.shtml
# (data and certified values of Norris.dat, Pontius.dat, Wampler1.dat .. Wampler5.dat),
# with the digits (LRE) the normal equations alone reach on each.
WAMPLER_X = list(range(21))
NIST = [
    ('NistNorris', 1, 13.3,
     [0.2, 337.4, 118.2, 884.6, 10.1, 226.5, 666.3, 996.3, 448.6, 777.0, 558.2, 0.4, 0.6, 775.5, 666.9, 338.0,
      447.5, 11.6, 556.0, 228.1, 995.8, 887.6, 120.2, 0.3, 0.3, 556.8, 339.1, 887.2, 999.0, 779.0, 11.1, 118.3,
      229.2, 669.1, 448.9, 0.5],
     [0.1, 338.8, 118.1, 888.0, 9.2, 228.1, 668.5, 998.5, 449.1, 778.9, 559.2, 0.3, 0.1, 778.1, 668.8, 339.3,
      448.9, 10.8, 557.7, 228.3, 998.0, 888.8, 119.6, 0.3, 0.6, 557.6, 339.3, 888.0, 998.5, 778.9, 10.2, 117.6,
      228.9, 668.4, 449.2, 0.2],
     ['-0.262323073774029', '1.00211681802045']),
    ('NistPontius', 2, 10.9, [150000.0 * k for k in range(1, 21)] * 2,
     [.11019, .21956, .32949, .43899, .54803, .65694, .76562, .87487, .98292, 1.09146, 1.20001, 1.30822, 1.41599,
      1.52399, 1.63194, 1.73947, 1.84646, 1.95392, 2.06128, 2.16844, .11052, .22018, .32939, .43886, .54798,
      .65739, .76596, .87474, .98300, 1.09150, 1.20004, 1.30818, 1.41613, 1.52408, 1.63159, 1.73965, 1.84696,
      1.95445, 2.06177, 2.16829],
     ['0.673565789473684E-03', '0.732059160401003E-06', '-0.316081871345029E-14']),
    ('NistWampler1', 5, 6.5, WAMPLER_X,
     [1, 6, 63, 364, 1365, 3906, 9331, 19608, 37449, 66430, 111111, 177156, 271453, 402234, 579195, 813616,
      1118481, 1508598, 2000719, 2613660, 3368421], ['1'] * 6),
    ('NistWampler2', 5, 9.5, WAMPLER_X,
     [1.00000, 1.11111, 1.24992, 1.42753, 1.65984, 1.96875, 2.38336, 2.94117, 3.68928, 4.68559, 6.00000,
      7.71561, 9.92992, 12.75603, 16.32384, 20.78125, 26.29536, 33.05367, 41.26528, 51.16209, 63.00000],
     ['1', '0.1', '0.01', '0.001', '0.0001', '0.00001']),
    ('NistWampler3', 5, 6.5, WAMPLER_X,
     [760, -2042, 2111, -1684, 3888, 1858, 11379, 17560, 39287, 64382, 113159, 175108, 273291, 400186, 581243,
      811568, 1121004, 1506550, 2002767, 2611612, 3369180], ['1'] * 6),
    ('NistWampler4', 5, 6.5, WAMPLER_X,
     [75901, -204794, 204863, -204436, 253665, -200894, 214131, -185192, 221249, -138370, 315911, -27644,
      455253, 197434, 783995, 608816, 1370781, 1303798, 2205519, 2408860, 3444321], ['1'] * 6),
    ('NistWampler5', 5, 6.5, WAMPLER_X,
     [7590001, -20479994, 20480063, -20479636, 25231365, -20476094, 20489331, -20460392, 18417449, -20413570,
      20591111, -20302844, 18651453, -20077766, 21059195, -19666384, 26348481, -18971402, 22480719, -17866340,
      10958421], ['1'] * 6),
]


def exact_least_squares(xs, ys, degree):
    """c0 .. c(degree) minimising the sum of squares, in fractions."""
    x = [Fraction(v) for v in xs]
    y = [Fraction(v) for v in ys]
    n = degree + 1
    rows = [[sum(v ** (i + j) for v in x) for j in range(n)] + [sum(w * v ** i for v, w in zip(x, y))]
            for i in range(n)]
    for k in range(n):
        pivot = next(r for r in range(k, n) if rows[r][k] != 0)
        rows[k], rows[pivot] = rows[pivot], rows[k]
        for r in range(n):
            if r != k:
                f = rows[r][k] / rows[k][k]
                rows[r] = [a - f * b for a, b in zip(rows[r], rows[k])]
    return [rows[i][n] / rows[i][i] for i in range(n)]


def digits(value, expected):
    """log relative error of value against expected (17 when equal)."""
    value, expected = Fraction(value), Fraction(expected)
    return 17.0 if value == expected else -math.log10(abs(value - expected) / abs(expected))


def numbers(values):
    return ' '.join(repr(v) if isinstance(v, float) else str(v) for v in values)


def exact_row(name, degree, flags, xs, ys, path, transform=lambda v: v, transform_y=lambda v: v):
    solution = exact_least_squares([transform(v) for v in xs], [transform_y(v) for v in ys], degree)
    return [name, degree, flags, numbers(xs), numbers(ys), ' '.join(repr(float(c)) for c in solution), 10, path, '', '']


PIVOT = '最小自乗法でPivotが1E-10になった。推算を中止する。\\n'
rows = [
    exact_row('CalendarYearsDegree2', 2, '0 0 0 0', YEARS, ANNUAL, 'reference'),
    exact_row('CalendarYearsDegree3', 3, '0 0 0 0', YEARS, ANNUAL, 'reference'),
    exact_row('CalendarYearsDegree4', 4, '0 0 0 0', YEARS, ANNUAL, 'reference'),
    ['CalendarYearsDegree6', 6, '0 0 0 0', numbers(YEARS), numbers(ANNUAL), '', '', '', 1006, ''],
    exact_row('VapourPressureLnPOnReciprocalT', 2, '1 0 0 1', KELVIN, PRESSURE, 'reference',
              lambda t: 1.0 / t, math.log),
    ['ThreeDistinctYearsAtDegree3', 3, '0 0 0 0', '1990 2000 2010 1990 2000 2010', '350 360 372 351 359 373', '',
     '', '', 1001, PIVOT + '次数 3 の式には異なるXの値が 4 個以上必要ですが、データには 3 個しかありません。'],
    ['AllXEqual', 1, '0 0 0 0', '5 5 5', '1 2 3', '', '', '', 1001,
     PIVOT + '次数 1 の式には異なるXの値が 2 個以上必要ですが、データには 1 個しかありません。'],
]
for name, degree, today, xs, ys, certified in NIST:
    # The certified values are those of the data as decimals; the doubles' exact solution agrees to 13 digits.
    assert min(digits(c, Fraction(e)) for c, e in zip(exact_least_squares(xs, ys, degree), certified)) > 13, name
    path = 'reference' if name in ('NistWampler1', 'NistWampler2') else 'normal'
    rows.append([name, degree, '0 0 0 0', numbers(xs), numbers(ys), ' '.join(certified), today, path, '', ''])

with open('least_squares_reference.tsv', 'w', encoding='utf-8') as out:
    out.write('''# Fits by FitLeastSquares, written by exact_least_squares.py: the expected
# coefficients c0 .. c(degree) are solved exactly in fractions on the doubles
# fitted, or are NIST's certified values.  Transforms: the flags Y log,
# Y reciprocal, X log, X reciprocal.  Each coefficient must reach `digits`
# (log relative error: 10 against an exact solution, four beyond the six
# shown; for a NIST set what the normal equations alone reach), by the normal
# equations or by the converted QR reference (`path`).  Or the fit is refused
# with the error number and, where given, the message.
# Calendar years: the normal equations fall short of the least-squares RSS by
# 1E-11 of it at degree 2 and 6E-4 at degree 3; degree 6 is beyond raw powers.
# Vapour pressure of water (kPa, IAPWS-IF97) against 1/T: the absolute pivot
# threshold refuses the normal equations.  Other tools give 16.3156, -3744.87,
# -2.31212E+5 for a steam table's data; these give 16.3184, -3745.15, -2.31354E+5.
name	degree	transforms	x	y	coefficients	digits	path	error	message
''')
    for row in rows:
        out.write('\t'.join(str(field) for field in row) + '\n')
