#!/usr/bin/env python3
"""Writes the expected output of the quintello-cli end-to-end tests.

An independent, deliberately plain model of the Quintello method, written straight from the
rules of the method (occurrence list, forecasts, verification, reports, pair search, the k = 1
number ranking), and of the number statistics (frequency and delays on a wheel or on the ten
classic wheels together). It shares no code with the program: when the program and this model
disagree, one of the two has a fault to find.

Usage: independent_check.py DRAWS_FILE GOLDEN_FOLDER [--compare]
Each case of CASES becomes GOLDEN_FOLDER/<name>.txt holding the expected standard output of
`quintello-cli <arguments>`; the arguments are the first line of the file after "#! ".
With --compare nothing is written: the files of GOLDEN_FOLDER must be exactly those this
model gives (a test runs it so), and the exit status is 1 when one differs or is missing, or
a file is there that no case gives.

DRAWS_FILE is the draws through 30/12/2025, the first 10,779 lines of data/estrazioni.txt:
the bundled file grows by appending, and the goldens must not follow it. The build writes
that copy as tests/estrazioni-2025.txt in the build folder.
"""

import sys
from fractions import Fraction
from math import comb
from pathlib import Path

WHEELS = ["BA", "CA", "FI", "GE", "MI", "NA", "PA", "RO", "TO", "VE", "NZ"]

FG1_HEADER = ("N°   |Estr     |Data Estraz    |Inizio   |Fine    |End    |Pr   |RR  |RG  |1  |2  "
              "|3  |4  |5  |C  |N° Est  |Data Esito     |S    |Ge   ")
FGN_HEADER = "N°|TU|ES|SC|RIT "
FGZZ_HEADER = "N° |Sorte|Esiti|ET  |1|2|3|4|5|6|7"
FGCC_HEADER = "CC   |N1 |N2 |N3 |N4 |N5 |N6 |N7 "
FG9090_HEADER = " |N1 |N2 |CC  "
SUMMARY_HEADER = " Q Num|1|2|3|4|5"
COLPI_HEADER = "Colpo|Esiti|Perc              "
FGE_HEADER = "Rif  |N° Estr|Data Estraz  |Ruota|N1|N2|N3|N4|N5|QN"
DETAIL_HEADER = "  |Colpo|N° Estr |Data Estraz  |Ruota|N1|N2|N3|N4|N5|NP|QN|Esito"
FGR_HEADER = "N°|N1|N2|N3|N4|N5|N6|N7|R1|R2|R3|R4|R5|R6|R7|RM|P360|       "
CASO_HEADER = "N°|Sorte|Numeri|Finestre|Esiti|Attesi|Rapporto|Probabilità"


def load_draws(path):
    """Draws 1..N in date order: (date text, [11 wheels of 5 numbers])."""
    rows = []
    for line in Path(path).read_bytes().decode("latin-1").splitlines():
        if not line:
            continue
        date = line[0:10]
        wheels = []
        for w in range(11):
            text = line[11 + 15 * w: 25 + 15 * w]
            numbers = []
            for k in range(5):
                pair = text[3 * k: 3 * k + 2].strip()
                numbers.append(int(pair) if pair.isdigit() else 0)
            wheels.append(numbers)
        iso = date[6:10] + date[3:5] + date[0:2]
        rows.append((iso, date, wheels))
    rows.sort(key=lambda r: r[0])
    return [None] + [(date, wheels) for _, date, wheels in rows]


def fmt_decimals(value, places, zero_before_point=False):
    """"###.0" / "###.00": `places` decimals, halves rounded away from zero on the exact
    value, no zero before the point (0.5 gives ".5"); "0.00" with zero_before_point."""
    value = Fraction(value)
    scale = 10 ** places
    scaled = value * scale
    negative = scaled < 0
    scaled = abs(scaled)
    whole = scaled.numerator // scaled.denominator
    if scaled - whole >= Fraction(1, 2):
        whole += 1
    integer, fraction = divmod(whole, scale)
    text = ("" if integer == 0 and not zero_before_point else str(integer)) + "." + \
        str(fraction).zfill(places)
    return ("-" if negative and whole else "") + text


class Model:
    def __init__(self, draws, numero=1, rilevazione=0, gioco=None, posizioni="12345", colpi=12,
                 presenze=12, estrazione=None, fine=False, numeri=3, auto_verify=False):
        self.draws = draws
        self.n = len(draws) - 1
        self.numero = numero
        self.rr = rilevazione
        self.rg = rilevazione if gioco is None else gioco
        self.positions = {int(c) for c in posizioni}
        self.colpi = colpi
        self.presenze = presenze
        self.current = self.n if estrazione is None else estrazione
        self.fine = fine
        self.k = numeri
        self.auto_verify = auto_verify
        self.forecasts = []  # dicts: numero, sorte, esiti, numbers (list, in column order)
        self.used = set()
        self.lbl_t = None
        self.lbl_s = None
        self.esiti = {}
        self.per_colpo = [0] * 21
        self.cc = []  # combination list rows: (cc or None, numbers)
        self.cc_known = True  # False once the random search has rebuilt the list
        self.elenco()

    def game(self, d):
        return self.draws[d][1][self.rg]

    # --- the occurrence list -------------------------------------------------------------
    def elenco(self):
        self.limit = self.current if self.fine else self.n
        rows = []
        for e in range(self.current, 0, -1):
            nums = self.draws[e][1][self.rr]
            if any(nums[p - 1] == self.numero for p in self.positions):
                fine = e + self.colpi if e + self.colpi <= self.limit else self.limit
                rows.append(dict(no=len(rows) + 1, estr=e, inizio=e + 1, fine=fine, end=fine,
                                 pr=0, red=False, green=False, yellow=False, incomplete=False,
                                 outcome=None))
                if len(rows) >= self.presenze:
                    break
        self.rows = rows
        if not rows:
            return
        rows[0]["red"] = rows[0]["estr"] == self.limit
        for r in range(1, len(rows)):
            if rows[r - 1]["inizio"] <= rows[r]["fine"]:
                rows[r - 1]["green"] = True
        for r in range(0, len(rows) - 1):
            if rows[r + 1]["fine"] >= rows[r]["inizio"]:
                rows[r + 1]["end"] = rows[r]["inizio"] - 1
                rows[r + 1]["yellow"] = True
        for row in rows:
            if self.limit - row["estr"] <= self.colpi - 1:
                row["incomplete"] = True
            else:
                break
        span = rows[0]["estr"] - rows[-1]["estr"] + 1
        self.span = span
        self.label7 = "N° Estraz. = %d  Freq = %s (%s)" % (
            span, fmt_decimals(Fraction(span, self.presenze), 2),
            fmt_decimals(Fraction(span - 1, self.presenze - 1), 2))
        self.forecasts = []
        self.used = set()
        self.lbl_t = None
        self.lbl_s = None
        self.esiti = {}
        self.cc = []
        self.cc_known = True

    def window(self, row):
        return range(row["inizio"], row["end"] + 1)

    # --- statistics ---------------------------------------------------------------------
    def fgn(self):
        tu, es, sc = [0] * 91, [0] * 91, [0] * 91
        for row in self.rows:
            for d in self.window(row):
                for x in self.game(d):
                    if 1 <= x <= 90:
                        tu[x] += 1
                        if row["pr"] == 0:
                            sc[x] += 1
            if row["outcome"]:
                for x in self.game(row["outcome"]["draw"]):
                    if 1 <= x <= 90:
                        es[x] += 1
        lines = [FGN_HEADER.split("|")]
        for x in range(1, 91):
            rit = ""
            for d in range(self.current, 0, -1):
                if x in self.game(d):
                    rit = str(self.current - d)
                    break
            lines.append([str(x)] + [str(c[x]) if c[x] else "" for c in (tu, es, sc)] + [rit])
        return lines

    # --- forecasts ----------------------------------------------------------------------
    def covered_count(self):
        return sum(f["esiti"] for f in self.forecasts)

    def add(self, numbers, sorte):
        if len(self.forecasts) >= 9:
            return False
        if self.lbl_t is not None and self.lbl_t >= self.presenze:
            return False
        numero = min(set(range(1, 51)) - self.used)
        self.used.add(numero)
        forecast = dict(numero=numero, sorte=sorte, esiti=0, numbers=list(numbers))
        self.forecasts.append(forecast)
        nset = {x for x in numbers if x}
        for row in self.rows:
            if row["pr"] != 0:
                continue
            if any(sum(1 for x in self.game(d) if x in nset) >= sorte for d in self.window(row)):
                row["pr"] = numero
                forecast["esiti"] += 1
        covered = self.covered_count()
        self.lbl_t = covered
        self.lbl_s = self.presenze - covered
        if covered < self.presenze:
            self.elabora()
        if self.auto_verify:
            self.verify()
        return True

    def add_board(self, numbers):
        numbers = sorted(numbers)
        return self.add(numbers, 1 if len(numbers) == 1 else 2)

    def add_combination(self, numbers):
        # The board route: the numbers as a new combination row, in the order given.
        self.cc.append((None, list(numbers)))
        if len(numbers) >= 2 and numbers[0] == 90 and numbers[1] == 90:
            return False
        return self.add(list(numbers), 1 if len(numbers) == 1 else 2)

    def add_pair(self, n1, n2):
        if len(self.forecasts) >= 8:
            return False
        self.k = 1
        self.elabora()
        added = False
        for n in (n1, n2):
            if any(nums[0] == n for _, nums in self.cc):
                added = self.add([n], 1) or added
        return added

    def remove(self, numero):
        index = next((i for i, f in enumerate(self.forecasts) if f["numero"] == numero), None)
        if index is None:
            return False
        del self.forecasts[index]
        self.used.discard(numero)
        for row in self.rows:
            if row["pr"] == numero:
                row["pr"] = 0
        if not self.forecasts:
            self.lbl_t = None
            self.lbl_s = None
            return True
        covered = self.covered_count()
        self.lbl_t = covered
        if covered < self.presenze:
            self.elabora()
        self.verify()
        covered = sum(1 for row in self.rows if row["pr"] > 0)
        self.lbl_t = covered
        self.lbl_s = self.presenze - covered
        return True

    # --- combination search, only the deterministic k = 1 ranking is modelled ----------
    def elabora(self):
        if self.k != 1:
            self.cc = []  # rebuilt by the random search: not modelled here
            self.cc_known = False
            return
        counts = []
        for x in range(1, 91):
            count = sum(1 for row in self.rows if row["pr"] == 0 and
                        any(x in self.game(d) for d in self.window(row)))
            counts.append((count, [x]))
        counts.sort(key=lambda c: -c[0])  # stable, like the grid's sort
        self.cc = counts
        self.cc_known = True

    # --- verification -------------------------------------------------------------------
    def verify(self):
        self.esiti = {}
        self.per_colpo = [0] * 21
        if not self.rows:
            return
        for row in self.rows:
            row["outcome"] = None
            d = row["inizio"]
            while d <= row["end"] and d <= self.limit:
                nums = self.game(d)
                scoring = []
                for f in self.forecasts:
                    fset = {x for x in f["numbers"] if x}
                    h = sum(1 for x in nums if x in fset)
                    if h >= f["sorte"]:
                        scoring.append((f, h, fset))
                if scoring:
                    green = [any(x in s for _, _, s in scoring) and x != 0 for x in nums]
                    colpo = d - row["inizio"] + 1
                    row["outcome"] = dict(draw=d, colpo=colpo, green=green,
                                          s="".join(str(h) for _, h, _ in scoring),
                                          ge="".join(str(f["numero"]) for f, _, _ in scoring))
                    for f, h, _ in scoring:
                        self.esiti.setdefault(f["numero"], [0] * 6)[h] += 1
                        self.per_colpo[colpo] += 1
                    break
                d += 1
        for f in self.forecasts:
            self.esiti.setdefault(f["numero"], [0] * 6)[0] = len([x for x in f["numbers"] if x])

    # --- grids --------------------------------------------------------------------------
    def fg1(self):
        lines = [FG1_HEADER.split("|")]
        for row in self.rows:
            out = row["outcome"]
            cells = [str(row["no"]), str(row["estr"]), self.draws[row["estr"]][0],
                     str(row["inizio"]), str(row["fine"]), str(row["end"]),
                     str(row["pr"]) if row["pr"] else "", WHEELS[self.rr], WHEELS[self.rg]]
            if out:
                cells += [str(x) for x in self.game(out["draw"])]
                cells += [str(out["colpo"]), str(out["draw"]), self.draws[out["draw"]][0],
                          out["s"], out["ge"]]
            else:
                cells += [""] * 10
            lines.append(cells)
        return lines

    def fg_zz(self):
        lines = [FGZZ_HEADER.split("|")]
        for f in self.forecasts:
            numbers = [str(x) if x else "" for x in f["numbers"]]
            lines.append([str(f["numero"]), str(f["sorte"]), str(f["esiti"]), ""] +
                         numbers + [""] * (7 - len(numbers)))
        return lines

    def fg_cc(self):
        lines = [FGCC_HEADER.split("|")]
        for count, numbers in self.cc:
            lines.append(["" if count is None else str(count)] + [str(x) for x in numbers] +
                         [""] * (7 - len(numbers)))
        return lines

    def fg9090(self):
        counted = [row for row in self.rows if not row["red"] and row["pr"] == 0]
        windows = [set(x for d in self.window(row) for x in self.game(d)) for row in counted]
        pairs = []
        for a in range(1, 90):
            for b in range(a + 1, 91):
                pairs.append((a, b, sum(1 for w in windows if a in w or b in w)))
        pairs.sort(key=lambda p: -p[2])
        return [FG9090_HEADER.split("|")] + [["", str(a), str(b), str(c)] for a, b, c in pairs]

    def summary(self):
        grid = [SUMMARY_HEADER.split("|")] + [[str(q)] + [""] * 5 for q in range(1, 8)]
        for n in range(1, 10):
            counts = self.esiti.get(n)
            if not counts or counts[0] == 0:
                continue
            q = counts[0]
            for h in range(1, 6):
                if counts[h] > 0:
                    old = int(grid[q][h]) if grid[q][h] else 0
                    grid[q][h] = str(old + counts[h])
        return grid

    def colpi_grid(self):
        grid = [COLPI_HEADER.split("|")] + [[""] * 3 for _ in range(20)]
        total = sum(self.per_colpo[1:21])
        for c in range(1, 21):
            v = self.per_colpo[c]
            if v > 0:
                grid[c] = [str(c), str(v), fmt_decimals(Fraction(v * 100, total), 1)]
        return grid, total

    def label1(self, forecast):
        numbers = [str(x) if x else "" for x in forecast["numbers"]]
        return "  ".join(numbers + [""] * (7 - len(numbers)))

    def draw_line(self, rif, d, fset):
        nums = self.game(d)
        qn = sum(1 for x in nums if x in fset)
        return [str(rif), str(d), self.draws[d][0], WHEELS[self.rg]] + [str(x) for x in nums] + \
            [str(qn) if qn else ""]

    def restricted(self, k):
        f = self.forecasts[k - 1]
        fset = {x for x in f["numbers"] if x}
        lines = [FGE_HEADER.split("|")]
        for row in reversed(self.rows):
            if row["red"]:
                continue
            for d in self.window(row):
                lines.append(self.draw_line(row["no"], d, fset))
        return lines, self.label1(f)

    def complete(self, k):
        f = self.forecasts[k - 1]
        fset = {x for x in f["numbers"] if x}
        owner = {}
        for row in self.rows:
            if row["red"]:
                continue
            for d in self.window(row):
                owner[d] = row["no"]
        lines = [FGE_HEADER.split("|")]
        for d in range(self.rows[-1]["inizio"], self.rows[0]["end"] + 1):
            lines.append(self.draw_line(owner.get(d, 0), d, fset))
        return lines, self.label1(f)

    def detail(self, r):
        e = self.rows[r - 1]["estr"]
        lines = [DETAIL_HEADER.split("|")]
        for d in range(e + 1, e + 21):
            if d > self.n:
                break
            nums = self.game(d)
            lines.append(["", str(d - e), str(d), self.draws[d][0], WHEELS[self.rg]] +
                         [str(x) for x in nums] + ["", "", ""])
            for j, f in enumerate(self.forecasts, start=1):
                fset = {x for x in f["numbers"] if x}
                matching = [x for x in nums if x in fset]
                if len(matching) >= f["sorte"]:
                    lines.append([""] * 10 + [str(j), str(len(matching)),
                                              "".join(" " + str(x) for x in matching)])
        return lines

    def delays(self):
        first, last = self.rows[-1]["inizio"], self.rows[0]["end"]
        header = FGR_HEADER.split("|")
        header[17] = "P" + str(last - first + 1)
        lines = [header]
        for f in self.forecasts:
            numbers = [x for x in f["numbers"]]
            cells = [str(f["numero"])] + [str(x) if x else "" for x in numbers] + \
                [""] * (7 - len(numbers))
            delays = []
            for x in numbers + [0] * (7 - len(numbers)):
                delay = ""
                if x > 0:
                    for d in range(self.current, 0, -1):
                        if x in self.game(d):
                            delay = self.current - d
                            break
                delays.append(delay)
            cells += [str(x) for x in delays]
            known = [x for x in delays if x != ""]
            cells.append(fmt_decimals(Fraction(sum(known), len(known)), 1) if known else "")
            wanted = [x for x in numbers if x > 0]
            p360 = sum(self.game(d).count(x) for d in range(max(1, self.current - 360),
                                                              self.current + 1) for x in wanted)
            pspan = sum(self.game(d).count(x) for d in range(first, last + 1) for x in wanted)
            cells += [str(p360), str(pspan)]
            lines.append(cells)
        return lines

    # --- each forecast against chance -----------------------------------------------------
    def caso(self):
        """Per forecast: the windows holding a whole draw on the game wheel, the windows with
        an outcome in any draw, the outcomes chance gives on average over the same windows,
        their ratio and the exact chance of at least as many outcomes."""
        lines = [CASO_HEADER.split("|")]
        for f in self.forecasts:
            fset = {x for x in f["numbers"] if x}
            m, s = len(fset), f["sorte"]
            p = Fraction(sum(comb(m, j) * comb(90 - m, 5 - j) for j in range(s, min(m, 5) + 1)),
                         comb(90, 5))
            windows = esiti = 0
            attesi = Fraction(0)
            # The number of outcomes as a polynomial: coefficient k over `scale` is the chance
            # of exactly k windows with an outcome.
            poly, scale = [1], 1
            for row in self.rows:
                draws = list(self.window(row))
                whole = sum(1 for d in draws if len({x for x in self.game(d) if 1 <= x <= 90}) == 5)
                windows += whole >= 1
                esiti += any(sum(1 for x in self.game(d) if x in fset) >= s for d in draws)
                q = 1 - (1 - p) ** whole
                attesi += q
                miss, hit = (1 - q).numerator, q.numerator
                common = (1 - q).denominator
                assert q.denominator == common
                poly = [a * miss + b * hit for a, b in zip(poly + [0], [0] + poly)]
                scale *= common
            tail = Fraction(sum(poly[esiti:]), scale)
            numbers = "-".join(str(x) for x in f["numbers"] if x)
            lines.append([str(f["numero"]), str(s), numbers, str(windows), str(esiti),
                          fmt_decimals(attesi, 2, True),
                          fmt_decimals(esiti / attesi, 2, True) if attesi else "",
                          fmt_decimals(tail, 4, True)])
        return lines

    def labels(self, total, label1):
        return [("LBL_NC", str(len(self.rows))), ("Label7", self.label7),
                ("Lbl_T", "" if self.lbl_t is None else str(self.lbl_t)),
                ("Lbl_S", "" if self.lbl_s is None else str(self.lbl_s)),
                ("Label3", str(total)), ("Label1", label1)]


def render(name, lines):
    return "# " + name + "\n" + "".join("\t".join(cells) + "\n" for cells in lines)


STATISTICS_HEADER = ["Numero", "Frequenza", "Ritardo", "Ritardo massimo", "Ultima uscita"]


def iso(date):
    return date[6:10] + date[3:5] + date[0:2]


def statistics(draws, args):
    """`statistiche [--ruota XX|TT] [--dal GG/MM/AAAA] [--al GG/MM/AAAA]`, straight from the
    definitions: a wheel counts in a draw when it holds five different numbers 1..90; TT is
    the ten classic wheels together, a draw counting when any of them does."""
    options = dict(zip(args[1::2], args[2::2]))
    wheel = options.get("--ruota", "TT")
    wheels = range(10) if wheel == "TT" else [WHEELS.index(wheel)]
    first = iso(options.get("--dal", "01/01/0001"))
    last = iso(options.get("--al", "31/12/9999"))
    considered = []  # (date, set of numbers out)
    for date, numbers in draws[1:]:
        if not first <= iso(date) <= last:
            continue
        drawn = [numbers[w] for w in wheels
                 if len(set(numbers[w])) == 5 and all(1 <= x <= 90 for x in numbers[w])]
        if drawn:
            considered.append((date, set(x for five in drawn for x in five)))
    lines = [STATISTICS_HEADER]
    for x in range(1, 91):
        out = [i for i, (_, numbers) in enumerate(considered) if x in numbers]
        # The runs without the number: before the first time, between two times, and now.
        bounds = [-1] + out + [len(considered)]
        runs = [b - a - 1 for a, b in zip(bounds, bounds[1:])]
        lines.append([str(x), str(len(out)), str(runs[-1]), str(max(runs)),
                      considered[out[-1]][0] if out else ""])
    return render("statistiche", lines)


def run_case(draws, args):
    """Parses the quintello arguments the way the program documents them and prints."""
    if args[0] == "statistiche":
        return statistics(draws, args)
    options = dict()
    actions = []
    prints = []
    i = 0
    while i < len(args):
        a = args[i]
        value = args[i + 1] if i + 1 < len(args) else None
        if a == "--numero": options["numero"] = int(value); i += 1
        elif a == "--rilevazione": options["rilevazione"] = WHEELS.index(value); i += 1
        elif a == "--gioco": options["gioco"] = WHEELS.index(value); i += 1
        elif a == "--posizioni": options["posizioni"] = value; i += 1
        elif a == "--colpi": options["colpi"] = int(value); i += 1
        elif a == "--presenze": options["presenze"] = int(value); i += 1
        elif a == "--estrazione": options["estrazione"] = int(value); i += 1
        elif a == "--numeri": options["numeri"] = int(value); i += 1
        elif a == "--fine": options["fine"] = True
        elif a == "--verifica-automatica": options["auto_verify"] = True
        elif a in ("--previsione", "--tabellone", "--coppia", "--rimuovi"):
            actions.append((a, [int(x) for x in value.split(",")])); i += 1
        elif a in ("--verifica", "--elabora", "--coppie"): actions.append((a, []))
        elif a == "--stampa": prints += value.split(","); i += 1
        elif a == "quintello": pass
        else: raise SystemExit("argument not modelled: " + a)
        i += 1
    model = Model(draws, **options)
    pairs_done = False
    for action, numbers in actions:
        if action == "--previsione": model.add_combination(numbers)
        elif action == "--tabellone": model.add_board(numbers)
        elif action == "--coppia": model.add_pair(*numbers)
        elif action == "--rimuovi": model.remove(numbers[0])
        elif action == "--verifica": model.verify()
        elif action == "--elabora": model.elabora()
        elif action == "--coppie": pairs_done = True
    out = ""
    label1 = ""
    for item in prints or ["elenco"]:
        if item.startswith(("ristretto:", "completo:")):
            _, label1 = (model.restricted if item.startswith("r") else model.complete)(
                int(item.split(":")[1]))
    for item in prints or ["elenco"]:
        kind, _, row = item.partition(":")
        if kind == "elenco": out += render(item, model.fg1())
        elif kind == "numeri": out += render(item, model.fgn())
        elif kind == "previsioni": out += render(item, model.fg_zz())
        elif kind == "combinazioni":
            assert model.cc_known, "the random search is not modelled"
            out += render(item, model.fg_cc())
        elif kind == "coppie":
            out += render(item, model.fg9090() if pairs_done else [FG9090_HEADER.split("|")])
        elif kind == "riepilogo": out += render(item, model.summary())
        elif kind == "colpi": out += render(item, model.colpi_grid()[0])
        elif kind == "ritardi": out += render(item, model.delays())
        elif kind == "caso": out += render(item, model.caso())
        elif kind == "ristretto": out += render(item, model.restricted(int(row))[0])
        elif kind == "completo": out += render(item, model.complete(int(row))[0])
        elif kind == "dettaglio": out += render(item, model.detail(int(row)))
        elif kind == "etichette":
            out += "# etichette\n" + "".join(
                n + "\t" + t + "\n" for n, t in model.labels(model.colpi_grid()[1], label1))
        else: raise SystemExit("print item not modelled: " + item)
    return out


# name -> arguments of quintello-cli (after the program name).
CASES = {
    "default": "quintello --stampa elenco,numeri,etichette",
    "ruote_posizioni_fine":
        "quintello --numero 52 --rilevazione NA --gioco RO --posizioni 135 --colpi 9 "
        "--presenze 40 --estrazione 10753 --fine --tabellone 10,20 --verifica "
        "--stampa elenco,numeri,ristretto:1,completo:1,ritardi,etichette",
    "previsioni_verifica":
        "quintello --numero 90 --rilevazione MI --gioco TO --colpi 15 --presenze 20 "
        "--tabellone 8,61,33 --previsione 17 --previsione 44,5 --verifica "
        "--stampa elenco,previsioni,numeri,riepilogo,colpi,ritardi,ristretto:1,completo:3,"
        "dettaglio:4,etichette",
    "rimozione_coppia":
        "quintello --numero 7 --rilevazione VE --colpi 6 --presenze 10 --tabellone 3 "
        "--tabellone 20 --tabellone 71 --rimuovi 2 --coppia 50,12 --verifica-automatica "
        "--tabellone 66,67 --stampa previsioni,combinazioni,elenco,colpi,etichette",
    "classifica_numeri": "quintello --numero 45 --rilevazione FI --numeri 1 --elabora "
                         "--stampa combinazioni",
    "caso": "quintello --numero 1 --rilevazione MI --gioco NZ --colpi 15 --presenze 30 "
            "--estrazione 7600 --tabellone 8 --previsione 17,23,35,41,52,68,79 --previsione 44,5 "
            "--tabellone 61 --stampa previsioni,elenco,caso",
    "coppie": "quintello --numero 52 --rilevazione NA --gioco NZ --presenze 6 --estrazione 10753 "
              "--fine --coppie --stampa coppie",
    "statistiche_tt": "statistiche",
    "statistiche_nazionale": "statistiche --ruota NZ",
    "statistiche_cagliari_dal": "statistiche --ruota CA --dal 15/03/1990",
    "statistiche_bari_1946": "statistiche --ruota BA --dal 01/01/1946 --al 31/12/1946",
}


def main():
    arguments = sys.argv[1:]
    compare = "--compare" in arguments
    if compare:
        arguments.remove("--compare")
    if len(arguments) != 2:
        sys.exit("usage: independent_check.py DRAWS_FILE GOLDEN_FOLDER [--compare]")
    draws = load_draws(arguments[0])
    folder = Path(arguments[1])
    expected = {name + ".txt": "#! " + args + "\n" + run_case(draws, args.split())
                for name, args in CASES.items()}
    if not compare:
        folder.mkdir(parents=True, exist_ok=True)
        for name, text in expected.items():
            (folder / name).write_text(text, encoding="utf-8")
        return
    faults = []
    for name, text in expected.items():
        path = folder / name
        if not path.exists():
            faults.append(name + ": missing")
        elif path.read_text(encoding="utf-8") != text:
            old_lines = path.read_text(encoding="utf-8").splitlines()
            new_lines = text.splitlines()
            line = next((i for i, (a, b) in enumerate(zip(old_lines, new_lines)) if a != b),
                        min(len(old_lines), len(new_lines)))
            faults.append("%s: differs from line %d" % (name, line + 1))
    for path in sorted(folder.glob("*.txt")):
        if path.name not in expected:
            faults.append(path.name + ": no case gives it")
    for fault in faults:
        print(fault)
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
