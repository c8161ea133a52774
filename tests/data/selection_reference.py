#!/usr/bin/env python3
"""Independent reference for the pinned selection results of tests/selection/SelectionRunTest.cpp.

Not part of the build and not run by any test: it re-derives, from the written formulas alone
(enthalpy from the mean specific heat table, power-law pressure drops through decimal logarithms,
the exchanger evaluation, the outlet temperature search and the choice of the most favourable
variant), the numbers that the C++ test pins. Run it after a deliberate change of the bundled
catalogue and copy its output into the test:

    python3 tests/data/selection_reference.py [data/parametr.txt]
"""
import csv
import math
import sys

KCAL = 4.1868


def load(path):
    with open(path, encoding="cp1250", newline="") as f:
        lines = f.read().split("\r\n")
    rows = [next(csv.reader([line])) for line in lines[:16]]
    series = [float(x) for x in lines[16:39]]
    values = [[float(rows[r][m + 2]) if r >= 3 else None for m in range(4)] for r in range(16)]
    names = rows[0][2:6]
    return values, series, names


class Model:
    def __init__(self, values, series):
        self.V, self.S = values, series

    def cbar(self, t):
        i = t // 10
        return self.S[i] + (self.S[i + 1] - self.S[i]) * (t - 10 * i) / 10

    def dh(self, t1, t2):
        return (self.cbar(t2) * t2 - self.cbar(t1) * t1) * KCAL

    def law(self, m, heating):
        r = 9 if heating else 12
        return self.V[r][m], self.V[r + 1][m], self.V[r + 2][m]

    def drop(self, T1, T2, m, heating, G):
        C, a, b = self.law(m, heating)
        Tm = (T1 + T2) / 2
        return 10 ** (lg(C) + a * lg(G) + b * lg(Tm))

    def flow(self, T1, T2, m, heating, Dp):
        C, a, b = self.law(m, heating)
        if m == 1:
            C = 20**b * C
        Tm = (T1 + T2) / 2
        return 10 ** ((lg(Dp) - lg(C) - b * lg(Tm)) / a)

    def evaluate(self, m, co, Dp1, Dp2, T11, T12, T21, T22, Q, extra):
        d1, d2 = T11 - T22, T12 - T21
        if d1 == d2:
            d1 += 0.1
        dT = (d1 - d2) / math.log(d1 / d2)
        t11, t12, t21, t22 = (round(x) for x in (T11, T12, T21, T22))  # halves to even
        r = {}
        r["G1dop"] = self.flow(t11, t12, m, True, Dp1)
        r["G2dop"] = self.flow(t21, t22, m, False, Dp2)
        r["G1"] = Q / self.dh(t12, t11)
        r["G2"] = Q / self.dh(t21, t22)
        r["G1Ratio"] = r["G1"] / r["G1dop"]
        r["G2Ratio"] = r["G2"] / r["G2dop"]
        n = math.floor(max(r["G1Ratio"], r["G2Ratio"])) + 1 + extra
        r["Gr1"], r["Gr2"] = r["G1"] / n, r["G2"] / n
        r["dP1"] = self.drop(t11, t12, m, True, r["Gr1"])
        r["dP2"] = self.drop(t21, t22, m, False, r["Gr2"])
        V = self.V
        kw = Q / (V[15][m] * dT * n)
        P = (T11 - T12) / (T11 - T21)
        k = (V[3][m] * r["Gr1"] ** V[4][m] * r["Gr2"] ** V[5][m] * T11 ** V[6][m]
             * T22 ** V[7][m] * P ** V[8][m])
        ke = 1 / (1 / k + (0.1 if co else 0.2))
        return kw, ke, n, r

    def search(self, tFrom, tTo, m, co, Dp1, Dp2, T11, T21, T22, Q):
        last = None
        for extra in range(4):
            t = float(tFrom)
            while t <= tTo:
                last = self.evaluate(m, co, Dp1, Dp2, T11, t, T21, T22, Q, extra)
                if last[1] > last[0]:
                    return (t,) + last
                t += 1
        return (-1,) + last


def lg(x):
    return math.log10(x) if x > 0 else 0.0


def select(model, Q, Dp1, T11, Dp2, T21, T22, co, t21pos, t11pos):
    best_e, best_n, best_m, lowering = 1000.0, 10, 0, False
    out = []
    for m in range(4):
        T12, kw, ke, n, r = model.search(t21pos + 5, t11pos - 10, m, co, Dp1, Dp2, T11, T21, T22, Q)
        e = None
        if T12 == -1:
            kind = "Impossible"
        else:
            e = (ke - kw) / kw * 100
            chosen = False
            if n < best_n:
                chosen = e < 10 or best_n == 10
                best_n = n
            elif n == best_n:
                chosen = e < best_e
            if chosen:
                best_e, best_m, lowering = e, m, e > 10
            kind = "Excessive" if e > 10 else "Possible"
        out.append([m, T12, kw, ke, n, r, e, kind])
    best = best_m if best_e < 1000 else -1
    if best >= 0:
        out[best][7] = "Best"
    return out, best, lowering


def main():
    values, series, names = load(sys.argv[1] if len(sys.argv) > 1 else "data/parametr.txt")
    model = Model(values, series)
    # Q, Dp1, T11, Dp2, T21, T22, central heating, SlT21 and slT11 positions
    points = {
        "default": (200, 20, 150, 15, 40, 100, True, 40, 150),
        "lowering": (200, 20, 120, 15, 20, 100, False, 20, 120),
    }
    for name, p in points.items():
        out, best, lowering = select(model, *p)
        print(f"{name}: best {best}, lowering {lowering}")
        for m, T12, kw, ke, n, r, e, kind in out:
            print(f"  {names[m]} n={n} T12={T12} kw={kw:.10g} ke={ke:.10g} "
                  f"dP1={r['dP1']:.10g} dP2={r['dP2']:.10g} excess={e and format(e, '.10g')} "
                  f"{kind}")
            print("    " + " ".join(f"{k}={v:.10g}" for k, v in r.items()))


if __name__ == "__main__":
    main()
