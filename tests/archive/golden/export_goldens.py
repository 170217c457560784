#!/usr/bin/env python3
"""Writes the draws and the expected export files of the export tests.

A plain model of the three export formats written straight from their description, sharing no
code with the program. The draws (export_draws.txt, update-file lines) are chosen for the
cases worth pinning down:
  - 10/06/1961: no Nazionale (before the wheel existed), no Cagliari and no Genova;
  - 101 daily draws from 01/01/2020 to 10/04/2020: the year ordinal reaches 100 and 101,
    and draw 42 has Nazionale numbers (its index is written 00042);
  - 03/01/2061: same two-digit year as 1961.
The numbers of draw d, wheel w, position k (0..4) are (7d + 13w + 17k) % 90 + 1.

Usage: export_goldens.py OUTPUT_FOLDER
"""

import datetime
import struct
import sys
from pathlib import Path


def draw_dates():
    dates = [datetime.date(1961, 6, 10)]
    day = datetime.date(2020, 1, 1)
    for _ in range(101):
        dates.append(day)
        day += datetime.timedelta(days=1)
    dates.append(datetime.date(2061, 1, 3))
    return dates


def numbers(d, w):
    return [(7 * d + 13 * w + 17 * k) % 90 + 1 for k in range(5)]


def wheels_of(d, date):
    """Eleven lists of five numbers; an empty list is no draw on that wheel."""
    wheels = [numbers(d, w) for w in range(11)]
    if date.year == 1961:
        wheels[1] = wheels[3] = wheels[10] = []
    return wheels


def ordinals(dates):
    months, years = [], []
    for i, date in enumerate(dates):
        same_month = i > 0 and dates[i - 1].month == date.month
        same_year = i > 0 and dates[i - 1].year == date.year
        months.append(months[-1] + 1 if same_month else 1)
        years.append(years[-1] + 1 if same_year else 1)
    return months, years


def update_line(date, wheels):
    groups = ["-".join("%02d" % n for n in w) if w else " " * 14 for w in wheels]
    return date.strftime("%d/%m/%Y") + " " + " ".join(groups) + " pr"


def classic_numbers(wheels):
    return "".join("%02d" % n for w in wheels[:10] for n in (w or [0] * 5))


def main(folder):
    out = Path(folder)
    dates = draw_dates()
    months, years = ordinals(dates)
    draws, dati, zefiral, nazionale = [], b"", "", ""
    for i, date in enumerate(dates):
        d = i + 1
        wheels = wheels_of(d, date)
        draws.append(update_line(date, wheels))
        dati += struct.pack("<hhh", date.day, date.month, date.year % 100)
        dati += classic_numbers(wheels).encode("ascii")
        dati += struct.pack("<hh", months[i], years[i])
        zefiral += '"%s%02d%02d%02d%02d%02d"\r\n' % (classic_numbers(wheels), date.year % 100,
                                                     date.month, date.day, months[i], years[i])
        if wheels[10]:
            nazionale += "%05d-%s\r\n" % (d, "".join("%02d" % n for n in wheels[10]))
    (out / "export_draws.txt").write_bytes(("\r\n".join(draws) + "\r\n").encode("ascii"))
    (out / "Dati.iii").write_bytes(dati)
    (out / "DATI32.III").write_bytes(zefiral.encode("ascii"))
    (out / "nazionale.txt").write_bytes(nazionale.encode("ascii"))


if __name__ == "__main__":
    main(sys.argv[1])
