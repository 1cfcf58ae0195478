#!/usr/bin/env python3
"""Writes least_squares_reference.tsv: polynomial fits whose expected
coefficients are exact least-squares solutions or certified values.

The exact solutions are solved in rational arithmetic (fractions) on the
exact binary values of the doubles the program fits: x' and y' after the
transforms, 1/T correctly rounded and ln P from the C library as the program
computes them.  Run from this folder: python3 exact_least_squares.py
"""
from decimal import Decimal, getcontext
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
# Twenty temperatures 5 K apart from the triple point, and twenty 1 K apart from 350 K.
KELVIN_BY_5 = [273.16 + 5 * k for k in range(20)]
KELVIN_BY_1 = [350.0 + k for k in range(20)]

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


def solve(rows, n):
    """A^-1 B for the rows of [A | B], A n x n, by Gauss-Jordan elimination in fractions."""
    for k in range(n):
        pivot = next(r for r in range(k, n) if rows[r][k] != 0)
        rows[k], rows[pivot] = rows[pivot], rows[k]
        for r in range(n):
            if r != k:
                f = rows[r][k] / rows[k][k]
                rows[r] = [a - f * b for a, b in zip(rows[r], rows[k])]
    return [[v / rows[i][i] for v in rows[i][n:]] for i in range(n)]


def exact_least_squares(xs, ys, degree):
    """c0 .. c(degree) minimising the sum of squares, in fractions."""
    x = [Fraction(v) for v in xs]
    y = [Fraction(v) for v in ys]
    n = degree + 1
    rows = [[sum(v ** (i + j) for v in x) for j in range(n)] + [sum(w * v ** i for v, w in zip(x, y))]
            for i in range(n)]
    return [row[0] for row in solve(rows, n)]


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
BEYOND = 'この次数の式は、Xのべき乗の係数を倍精度の数で表すと桁が足りず、最小自乗法の結果を再現できません。\\n'
# Ten X about 1E+25 (their sixth powers are 1E+150, the sums of their twelfth
# powers beyond the double range), and ten about 1E-60.
HUGE_X = [k * 1e25 for k in range(1, 11)]
TINY_X = [k * 1e-60 for k in range(1, 11)]
SCATTERED = [3.1, 4.9, 7.2, 8.8, 11.3, 12.7, 15.2, 16.9, 19.1, 21.2]
rows = [
    exact_row('CalendarYearsDegree2', 2, '0 0 0 0', YEARS, ANNUAL, 'reference'),
    exact_row('CalendarYearsDegree3', 3, '0 0 0 0', YEARS, ANNUAL, 'reference'),
    ['CalendarYearsDegree4', 4, '0 0 0 0', numbers(YEARS), numbers(ANNUAL), '', '', '', 1006,
     BEYOND + 'Xから一定の値を引く（西暦なら1990年からの年数にするなど）か、次数を下げてください。'],
    ['CalendarYearsDegree6', 6, '0 0 0 0', numbers(YEARS), numbers(ANNUAL), '', '', '', 1006, ''],
    ['VapourPressureDegree6By1Kelvin', 6, '1 0 0 1', numbers(KELVIN_BY_1),
     numbers([saturation_pressure_kpa(t) for t in KELVIN_BY_1]), '', '', '', 1006, ''],
    exact_row('HugeXDegree6', 6, '0 0 0 0', HUGE_X, SCATTERED, 'reference'),
    ['TinyXDegree6', 6, '0 0 0 0', numbers(TINY_X), numbers(SCATTERED), '', '', '', 1006,
     BEYOND + 'Xの値が小さすぎるか大きすぎます。Xの単位を変えるか、次数を下げてください。'],
    ['NearlyEqualXDegree6', 6, '0 0 0 0', '1 2 3 4 5 6 3.000001', numbers(SCATTERED[:7]), '', '', '', 1006,
     BEYOND + 'Xにほとんど等しい値があり、その間で式が大きく振れるので、一定の値を引いても変わりません。'
              'ほとんど等しいXの値を一つにまとめるか、次数を下げてください。'],
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
# 1E-11 of it at degree 2 and 6E-4 at degree 3; from degree 4 the sum of
# squares of raw powers in double is more than 1E-7 from the minimum.
# Vapour pressure of water (kPa, IAPWS-IF97) against 1/T: the absolute pivot
# threshold refuses the normal equations.  Other tools give 16.3156, -3744.87,
# -2.31212E+5 for a steam table's data; these give 16.3184, -3745.15, -2.31354E+5.
name	degree	transforms	x	y	coefficients	digits	path	error	message
''')
    for row in rows:
        out.write('\t'.join(str(field) for field in row) + '\n')


# ---- fit_statistics.tsv: the figures of how sure a fit is --------------------------------

def exact_figures(xs, ys, degree):
    """The coefficients, s², the diagonal of (X'X)^-1 and R², in fractions."""
    x = [Fraction(v) for v in xs]
    y = [Fraction(v) for v in ys]
    n = degree + 1
    c = exact_least_squares(xs, ys, degree)
    inverse = solve([[sum(v ** (i + j) for v in x) for j in range(n)] + [int(i == k) for k in range(n)]
                     for i in range(n)], n)
    rss = sum((w - sum(cj * v ** j for j, cj in enumerate(c))) ** 2 for v, w in zip(x, y))
    mean = sum(y) / len(y)
    return c, rss / (len(x) - n), [inverse[j][j] for j in range(n)], 1 - rss / sum((w - mean) ** 2 for w in y)


def adjusted(r2, samples, degree):
    """1 - (1 - R²)(n - 1)/(n - p)."""
    return 1 - (1 - Fraction(r2)) * (samples - 1) / (samples - degree - 1)


def root(value):
    """The square root of a fraction, to 30 digits."""
    getcontext().prec = 30
    return Decimal(value.numerator).sqrt() / Decimal(value.denominator).sqrt()


def line(values):
    """Numbers as the shortest texts that read back to the same doubles; texts as they are."""
    return ' '.join(v if isinstance(v, str) else repr(float(v)) for v in values)


# NIST's certified standard deviations of the estimates, residual standard
# deviation and R² of the sets in least_squares_reference.tsv.
CERTIFIED = {
    'NistNorris': (['0.232818234301152', '0.429796848199937E-03'], '0.884796396144373', '0.999993745883712'),
    'NistPontius': (['0.107938612033077E-03', '0.157817399981659E-09', '0.486652849992036E-16'],
                    '0.205177424076185E-03', '0.999999900178537'),
    'NistWampler1': (['0'] * 6, '0', '1'),
    'NistWampler2': (['0'] * 6, '0', '1'),
    'NistWampler3': (['2152.32624678170', '2363.55173469681', '779.343524331583', '101.475507550350',
                      '5.64566512170752', '0.112324854679312'], '2360.14502379268', '0.999995559025820'),
    'NistWampler4': (['215232.624678170', '236355.173469681', '77934.3524331583', '10147.5507550350',
                      '564.566512170752', '11.2324854679312'], '236014.502379268', '0.957478440825662'),
    'NistWampler5': (['21523262.4678170', '23635517.3469681', '7793435.24331583', '1014755.07550350',
                      '56456.6512170752', '1123.24854679312'], '23601450.2379268', '0.224668921574940E-02'),
}

# The Student t distribution with 2 degrees of freedom has a closed form:
# P(|T| <= t) = t / √(t² + 2).  So the two-sided p value of t is
# 1 - |t| / √(t² + 2), and the quantile q with P(|T| <= q) = L is
# q = L √(2 / (1 - L²)): q² = 722/39 at 95 % (q = 4.30265..., printed tables
# give 4.303) and 162/19 at 90 % (2.91998..., tables 2.920).
QUANTILE_SQUARED = {95: Fraction(722, 39), 90: Fraction(162, 19)}


def forward(v, log, recip):
    """A measured value transformed as the program does it in double: ln, then 1/."""
    v = math.log(v) if log else v
    return 1.0 / v if recip else v


def worked_row(name, flags, xs, ys, level, x0):
    """A line through four samples (2 degrees of freedom) after the transforms
    of `flags` (Y log, Y reciprocal, X log, X reciprocal), its figures and its
    bands at x0, exact in fractions on the transformed doubles up to the last
    square root; the band ends transformed back exactly."""
    ylog, yrecip, xlog, xrecip = (int(f) for f in flags.split())
    xt = [Fraction(forward(v, xlog, xrecip)) for v in xs]
    x0t = Fraction(forward(x0, xlog, xrecip))
    c, s2, diagonal, r2 = exact_figures(xt, [forward(v, ylog, yrecip) for v in ys], 1)
    # SE_j = √(s² (X'X)^-1_jj);  t_j² = c_j² / SE_j²;  p_j = 1 - √(t_j² / (t_j² + 2))
    deviations = [root(s2 * d) for d in diagonal]
    p = [1 - root((cj * cj / (s2 * d)) / (cj * cj / (s2 * d) + 2)) for cj, d in zip(c, diagonal)]
    # h = 1/n + (x0 - mean x)² / Σ (x - mean x)²;  half-widths √(q² s² h) and √(q² s² (1 + h))
    mean = sum(xt) / len(xt)
    h = Fraction(1, len(xt)) + (x0t - mean) ** 2 / sum((v - mean) ** 2 for v in xt)
    fitted = Decimal((c[0] + c[1] * x0t).numerator) / (c[0] + c[1] * x0t).denominator
    bands = []
    for extra in (0, 1):
        half = root(QUANTILE_SQUARED[level] * s2 * (h + extra))
        low, high = fitted - half, fitted + half
        if yrecip:  # y = 1/y' swaps the ends and has no value where the interval holds 0
            low, high = ('-', '-') if low <= 0 <= high else (1 / high, 1 / low)
        if ylog:  # y = e^y': the interval of the median of y, e to the mean of ln y
            low, high = low.exp(), high.exp()
        bands.append(line([low, high]))
    return [name, 1, flags, numbers(xs), numbers(ys), level, line(deviations), line(p),
            line([root(s2), r2, adjusted(r2, len(xs), 1)]), x0, bands[0], bands[1], '1e-12']


def vapour_pressure_row(name, kelvin):
    """ln P on 1/T at degree 6, ill-conditioned in raw powers: s, R² and the
    standard errors solved exactly on the doubles fitted, to six digits."""
    pressure = [saturation_pressure_kpa(t) for t in kelvin]
    x, y = [1.0 / t for t in kelvin], [math.log(p) for p in pressure]
    _, s2, diagonal, r2 = exact_figures(x, y, 6)
    return [name, 6, '1 0 0 1', numbers(kelvin), numbers(pressure), 95, line([root(s2 * d) for d in diagonal]), '',
            line([root(s2), r2, adjusted(r2, len(x), 6)]), '', '', '', '1e-06']


statistics = []
for name, degree, _, xs, ys, _ in NIST:
    deviations, s, r2 = CERTIFIED[name]
    # The certified values against the same figures solved exactly on the doubles fitted.
    c, s2, diagonal, _ = exact_figures(xs, ys, degree)
    for value, d in zip(deviations, diagonal):  # 0 certified: what the decimals' rounding to doubles leaves
        assert abs(math.sqrt(s2 * d) - float(value)) <= (1e-13 * float(value) or 1e-12), name
    # Nine digits; for an exact fit what rounding leaves of 0: the residuals of
    # ŷ = Σ c_j x^j in double, up to (2 degree + 1) u max |y|, rounded up to a power of ten.
    tolerance = 1e-9
    if name in ('NistWampler1', 'NistWampler2'):
        tolerance = 10.0 ** math.ceil(math.log10((2 * degree + 1) * 2.0 ** -53 * max(abs(v) for v in ys)))
    # Wampler1 and 2 go through their samples by the reference: no t or p from what rounding leaves.
    exact = '- ' * (degree + 1) if name in ('NistWampler1', 'NistWampler2') else ''
    statistics.append([name, '', '', '', '', 95, ' '.join(deviations), exact.strip(),
                       line([s, r2, adjusted(r2, len(xs), degree)]), '', '', '', '%g' % tolerance])
statistics += [
    worked_row('WorkedLine', '0 0 0 0', [0, 1, 2, 3], [1, 3, 2, 5], 95, 3),
    worked_row('ReciprocalYPredictionAcrossThePole', '0 1 0 0', [0, 1, 2, 3], [1, 2, 4, 8], 90, 2),
    worked_row('LogYBandsOfTheMedian', '1 0 0 0', [0, 1, 2, 3], [1, 3, 2, 5], 95, 3),
    worked_row('LogXBands', '0 0 1 0', [1, 2, 4, 8], [1, 3, 2, 5], 95, 3),
    worked_row('ReciprocalXBands', '0 0 0 1', [1, 2, 4, 8], [1, 3, 2, 5], 95, 3),
    worked_row('LogThenReciprocalXBands', '0 0 1 1', [2, 3, 5, 9], [1, 3, 2, 5], 90, 4),
    vapour_pressure_row('VapourPressureDegree6By5Kelvin', KELVIN_BY_5),
    # Through its samples: no residual, standard errors 0, so no t and no p.
    ['ExactLine', 1, '0 0 0 0', '0 1 2', '1 3 5', 95, '0 0', '- -', '0 1 1', '', '', '', '1e-12'],
    ['NoDegreesOfFreedom', 1, '0 0 0 0', '1 2', '3 5', 95, '-', '', '', 1.5, '', '', ''],
]
with open('fit_statistics.tsv', 'w', encoding='utf-8') as out:
    out.write('''# ComputeFigures and BandAtX, written by exact_least_squares.py.  A row
# without samples takes its degree, transforms and samples from the row of
# least_squares_reference.tsv of that name.
# NIST StRD linear least squares, https://www.itl.nist.gov/div898/strd/lls/lls.shtml:
# the certified standard deviations of the estimates, residual standard
# deviation and R² (the adjusted R² computed from it); Wampler1 and 2 are
# exact fits, certified 0 (and R² 1), within what rounding leaves.  The other rows are solved exactly in
# fractions (the quantile and p values of 2 degrees of freedom in closed
# form, see worked_row); the ends of a band are in measured units, "-" where
# there is none.  Each figure within `tolerance` of its size (absolute for 0).
name	degree	transforms	x	y	level	standardErrors	p	s R² adjustedR²	x0	confidence	prediction	tolerance
''')
    for row in statistics:
        out.write('\t'.join(str(field) for field in row) + '\n')


# ---- rows for statistics.tsv: the four statistics of a line far from 0 ------------------

def percent(v):
    """"##0.##0", a value that shows as 0 without its sign."""
    text = '%.3f' % v
    return text.lstrip('-') if float(text) == 0 else text


def sheet_row(name, xs, ys):
    """The statistics.tsv row of a line through (xs, ys), solved exactly: the
    four statistics as the coefficient grid shows them, the percents, the fitted
    values, the Y extent and r(ym, ŷ) to 17 digits."""
    x, y = [Fraction(v) for v in xs], [Fraction(v) for v in ys]
    c = exact_least_squares(xs, ys, 1)
    fitted = [c[0] + c[1] * v for v in x]
    r = [w - f for w, f in zip(y, fitted)]
    n = len(x)
    squares = sum(v * v for v in r)
    my, mf = sum(y) / n, sum(fitted) / n
    yf = sum((w - my) * (f - mf) for w, f in zip(y, fitted))
    correlation = Decimal(yf.numerator) / yf.denominator / root(sum((w - my) ** 2 for w in y)) / root(
        sum((f - mf) ** 2 for f in fitted))
    relative = sum(abs(v / w) for v, w in zip(r, y)) / n

    def shown(v):  # " 0.####0E+##0;-0.####0E+##0" with its fifth decimal always there
        mantissa, exponent = ('%.5E' % Decimal(v.numerator / Decimal(v.denominator) if isinstance(v, Fraction) else v)).split('E')
        return (' ' if not mantissa.startswith('-') else '') + mantissa + 'E' + exponent[0] + str(int(exponent[1:]))

    return [name, numbers(xs), numbers(ys), 0, 1, shown(squares), shown(root(squares / (n - 2))), shown(correlation),
            shown(relative), ' '.join(percent(v / w * 100) for v, w in zip(r, y)),
            line(fitted), line([min(y + fitted), max(y + fitted)]), '%.17g' % correlation]


if __name__ == '__main__':
    print('# rows for statistics.tsv')
    for name, offset in (('CorrelationAbout1E8', 1e8), ('CorrelationAbout1E9', 1e9)):
        print('\t'.join(str(f) for f in sheet_row(
            name, list(range(1, 11)), [offset + v for v in [2.1, 3.9, 6.2, 7.8, 10.1, 12.2, 13.8, 16.1, 18.0, 19.9]])))
