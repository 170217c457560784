#!/usr/bin/env python3
"""Writes the seed archives of the archive loader's fuzz target into corpus/fuzz_archive_loader.

Small SQLite files (512-byte pages) that reach the loader's paths: a good archive, an empty
one, one in write-ahead-log mode, a view in place of the draw table, a missing column, odd
dates and numbers. Run it again after changing the archive's layout.
"""
import os
import sqlite3

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "fuzz_archive_loader")
TABLE = ("CREATE TABLE EstrazioniLotto (DataEstrazione TEXT PRIMARY KEY, Ba TEXT, Ca TEXT, "
         "Fi TEXT, Ge TEXT, Mi TEXT, Na TEXT, Pa TEXT, Ro TEXT, \"To\" TEXT, Ve TEXT, Nz TEXT, "
         "datareg TEXT, orareg TEXT)")
VIEW = ("CREATE VIEW Query_AAMMGG AS SELECT DataEstrazione, CAST(substr(DataEstrazione, 1, 4) AS "
        "INTEGER) AS A, CAST(substr(DataEstrazione, 6, 2) AS INTEGER) AS M, "
        "CAST(substr(DataEstrazione, 9, 2) AS INTEGER) AS G FROM EstrazioniLotto")
ROWS = [
    ("2025-12-27", "24-10-25-02-22", "59-47-31-87-06", ""),
    ("2025-12-30", "15-65-34-86-47", "70-20-89-02-86", "01-02-03-04-05"),
]


def write(name, statements, rows=(), wal=False):
    path = os.path.join(HERE, name)
    if os.path.exists(path):
        os.remove(path)
    db = sqlite3.connect(path)
    db.execute("PRAGMA page_size = 512")
    for statement in statements:
        db.execute(statement)
    for date, ba, ca, nz in rows:
        db.execute("INSERT INTO EstrazioniLotto (DataEstrazione, Ba, Ca, Nz, datareg, orareg) "
                   "VALUES (?, ?, ?, ?, '2026-01-02', '10:00:00')", (date, ba, ca, nz))
    db.execute("PRAGMA user_version = 1")
    if wal:
        db.execute("PRAGMA journal_mode = WAL")
    db.commit()
    db.close()


def main():
    os.makedirs(HERE, exist_ok=True)
    write("archive.mdb", [TABLE, VIEW], ROWS)
    write("empty.mdb", [TABLE, VIEW])
    write("wal.mdb", [TABLE], ROWS, wal=True)
    write("view.mdb", ["CREATE TABLE Vere (DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", "
                       "Ve, Nz)", "CREATE VIEW EstrazioniLotto AS SELECT * FROM Vere"])
    write("no_nz.mdb", ["CREATE TABLE EstrazioniLotto (DataEstrazione TEXT PRIMARY KEY, Ba, Ca, "
                        "Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, datareg, orareg)"])
    write("odd_rows.mdb", [TABLE], [("2021-01-05 00:00:00", "99--5-+3-1x", None, None),
                                    ("2021-02-30", "01-02-03-04-05", "", "")])


if __name__ == "__main__":
    main()
