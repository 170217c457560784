#!/usr/bin/env python3
"""Builds the bundled draw file data/estrazioni.txt from the tab-separated archive.

Input: one line per draw date and wheel, YYYY-MM-DD<TAB>WHEEL<TAB>n1..n5 (sorted by date).
Output: the update-file form the program reads, one 178-character line per draw date,
CR LF line ends:

    GG/MM/AAAA BA-group CA-group ... NZ-group pr

Each wheel group is five two-digit numbers joined by "-" (14 characters); a wheel that
did not draw on that date is 14 blanks. Rerun it whenever new draws are added, naming the
tab-separated file (data/README.md says where the draws are published) and the target:

    python3 scripts/convert_draws.py SOURCE.tsv data/estrazioni.txt

New draws are only ever appended: the tests rely on the draws already in the target, so a
run that would change one of its lines is refused (delete the target first to rebuild it on
purpose, and expect the golden test files to change).
"""
import os
import sys
from collections import OrderedDict

WHEELS = ["BA", "CA", "FI", "GE", "MI", "NA", "PA", "RO", "TO", "VE", "NZ"]


def convert(source, target):
    draws = OrderedDict()
    with open(source, encoding="ascii") as f:
        for number, line in enumerate(f, 1):
            fields = line.rstrip("\n").split("\t")
            if len(fields) != 7 or fields[1] not in WHEELS:
                sys.exit(f"{source}:{number}: unexpected line {line!r}")
            date, wheel, *numbers = fields
            values = [int(n) for n in numbers]
            if any(not 1 <= n <= 90 for n in values) or len(set(values)) != 5:
                sys.exit(f"{source}:{number}: bad numbers {line!r}")
            groups = draws.setdefault(date, {})
            if wheel in groups:
                sys.exit(f"{source}:{number}: wheel {wheel} twice on {date}")
            groups[wheel] = "-".join(f"{n:02d}" for n in values)
    dates = list(draws)
    if dates != sorted(dates):
        sys.exit(f"{source}: dates are not in ascending order")
    lines = []
    for date in dates:
        year, month, day = date.split("-")
        groups = [draws[date].get(w, " " * 14) for w in WHEELS]
        line = f"{day}/{month}/{year} " + " ".join(groups) + " pr"
        assert len(line) == 178, line
        lines.append(line + "\r\n")
    text = "".join(lines)
    if os.path.exists(target):
        with open(target, encoding="ascii", newline="") as f:
            old = f.read()
        if not text.startswith(old):
            sys.exit(f"{target}: the new draws would change lines already there; "
                     "new draws are only appended")
    with open(target, "w", encoding="ascii", newline="") as out:
        out.write(text)
    print(f"{len(dates)} draws written to {target}")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: convert_draws.py SOURCE.tsv TARGET.txt")
    convert(sys.argv[1], sys.argv[2])
