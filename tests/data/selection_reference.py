#!/usr/bin/env python3
"""Independent reference for the results the calculation tests pin, from the written formulas
alone; run it after a deliberate change of a catalogue. Without arguments: the selections of
SelectionRunTest. --cases FILE: the results of the case lines "call catalogue name=value ... ->
name=value ..." of FILE (those marked "# hand" are checked only). --trace: core_raport.txt's trials.
"""
import csv
import math
import sys

KCAL = 4.1868


def load(path):
    lines = open(path, encoding="cp1250", newline="").read().split("\r\n")
    rows = [next(csv.reader([line])) for line in lines[:16]]
    series = [float(x) for x in lines[16:39]]
    values = [[float(rows[r][m + 2]) if r >= 3 else None for m in range(4)] for r in range(16)]
    return values, series, rows[0][2:6]


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
        return 10 ** (lg(C) + a * lg(G) + b * lg((T1 + T2) / 2))

    def flow(self, T1, T2, m, heating, Dp):
        C, a, b = self.law(m, heating)
        C = 20**b * C if m == 1 else C
        return 10 ** ((lg(Dp) - lg(C) - b * lg((T1 + T2) / 2)) / a)

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

    def search(self, tFrom, tTo, m, co, Dp1, Dp2, T11, T21, T22, Q, log=lambda line: None):
        last = None
        for extra in range(4):
            if extra:
                log(f"{' ' * 21}\nObliczenia dla liczby nadmiarowych wymienników ={' ' * 8} {extra} \n{' ' * 21}")
            t = float(tFrom)
            while t <= tTo:
                last = self.evaluate(m, co, Dp1, Dp2, T11, t, T21, T22, Q, extra)
                line = f"t12= {t:g} l.wym.= {last[2]} "
                for name, k in (("kw", last[0]), ("ke", last[1])):  # in print zones of 14
                    line += " " * (14 - len(line) % 14) + f"{name}={k:.3f}".replace(".", ",")
                log(line)
                if last[1] > last[0]:
                    return (t,) + last
                t += 1
        return (-1,) + last


def lg(x):  # 0 for x <= 0: the term drops out
    return math.log10(x) if x > 0 else 0.0


def select(model, Q, Dp1, T11, Dp2, T21, T22, co, t21pos, t11pos):
    best_e, best_n, best_m, lowering = 1000.0, 10, 0, False
    out = []
    for m in range(4):
        T12, kw, ke, n, r = model.search(t21pos + 5, t11pos - 10, m, co, Dp1, Dp2, T11, T21, T22, Q)
        e, kind = None, "Impossible"
        if T12 != -1:
            e = (ke - kw) / kw * 100
            chosen = (e < 10 or best_n == 10) if n < best_n else (n == best_n and e < best_e)
            best_n = min(best_n, n)
            if chosen:
                best_e, best_m, lowering = e, m, e > 10
            kind = "Excessive" if e > 10 else "Possible"
        out.append([m, T12, kw, ke, n, r, e, kind])
    best = best_m if best_e < 1000 else -1
    if best >= 0:
        out[best][7] = "Best"
    return out, best, lowering


def run(call, model, a):
    if call in ("cp", "drop", "flowfordrop", "excess"):
        return {"cp": lambda: {"c": model.cbar(int(a["t"]))},
                "excess": lambda: {"e": (a["ke"] - a["kw"]) / a["kw"] * 100},
                "drop": lambda: {"Dp": model.drop(a["T1"], a["T2"], int(a["m"]), a["heating"], a["G"])},
                "flowfordrop": lambda: {"G": model.flow(a["T1"], a["T2"], int(a["m"]), a["heating"], a["Dp"])}}[call]()
    args = [int(a["m"]), a["co"], a["Dp1"], a["Dp2"], a["T11"]]
    if call == "evaluate":
        T12, (kw, ke, n, r) = a["T12"], model.evaluate(*args, a["T12"], a["T21"], a["T22"], a["Q"], int(a["extra"]))
    else:
        T12, kw, ke, n, r = model.search(a["from"], a["to"], *args, a["T21"], a["T22"], a["Q"])
    return dict(r, T12=T12, n=n, kw=kw, ke=ke)


def cases(path):
    catalogues = {"bundled": "data/parametr.txt", "synthetic": "tests/data/core_synthetic_parametr.txt"}
    out = []
    for line in open(path, encoding="utf-8").read().splitlines():
        if "->" not in line or line.startswith("#") or "# edge" in line:
            out.append(line)
            continue
        head, expected = line.split("->")
        call, cat, *pairs = head.split()
        got = run(call, Model(*load(catalogues.get(cat, "data/parametr.txt"))[:2]), {k: float(v) for k, v in (p.split("=") for p in pairs)})
        if "# hand" in expected:
            for k, v in (p.split("=") for p in expected.split("#")[0].split()):
                assert math.isclose(float(v), got[k], rel_tol=1e-7), (line, k, got[k])
            out.append(line)
        else:
            out.append(head + "-> " + " ".join(f"{k}={v:.17g}" for k, v in got.items()))
    open(path, "w", encoding="utf-8").write("\n".join(out) + "\n")


def main():
    if sys.argv[1:2] == ["--cases"]:
        return cases(sys.argv[2])
    if sys.argv[1:2] == ["--trace"]:
        return Model(*load("data/parametr.txt")[:2]).search(60, 75, 0, False, 20.5, 15, 150, 40, 100, 100, print)
    values, series, names = load(sys.argv[1] if len(sys.argv) > 1 else "data/parametr.txt")
    model = Model(values, series)
    # Q, Dp1, T11, Dp2, T21, T22, central heating, SlT21 and slT11 positions
    for name, p in {"default": (200, 20, 150, 15, 40, 100, True, 40, 150),
                    "lowering": (200, 20, 120, 15, 20, 100, False, 20, 120)}.items():
        out, best, lowering = select(model, *p)
        print(f"{name}: best {best}, lowering {lowering}")
        for m, T12, kw, ke, n, r, e, kind in out:
            print(f"  {names[m]} n={n} T12={T12} kw={kw:.10g} ke={ke:.10g} excess={e and format(e, '.10g')} {kind}")
            print("    " + " ".join(f"{k}={v:.10g}" for k, v in r.items()))


if __name__ == "__main__":
    main()
