#!/usr/bin/env python3
"""Checks the program's layers: no file includes from a layer above its own, the UI-free
folders and the command line include no Qt, and only the shell knows the feature windows.

    check_layers.py SRC_FOLDER

Prints each offending include and exits 1 when there is any, 0 otherwise."""

import pathlib
import re
import sys

# Folder of a file (longest match first) -> the project folders it may include from.
ALLOWED = {
    "core": {"core"},
    "archive": {"core", "archive"},
    "analysis": {"core", "analysis"},
    "cli": {"core", "archive", "analysis", "cli"},
    "gui/common": {"core", "archive", "analysis", "gui/common"},
    "gui/shell": {"core", "archive", "analysis", "gui"},
    # A feature window knows the shared parts, not the shell nor the other features.
    "gui/quintello": {"core", "archive", "analysis", "gui/common", "gui/quintello"},
    "gui/archive": {"core", "archive", "analysis", "gui/common", "gui/archive"},
    "gui/quadrature": {"core", "archive", "analysis", "gui/common", "gui/quadrature"},
    "gui/statistics": {"core", "archive", "analysis", "gui/common", "gui/statistics"},
    "app": {"core", "archive", "analysis", "gui", "app"},
}
WITHOUT_QT = ("core", "archive", "analysis", "cli")
PROJECT_INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
QT_INCLUDE = re.compile(r'^\s*#\s*include\s*<(Q[A-Za-z]*|qt[A-Za-z]*)[/>.]', re.M)


def layer_of(relative: str) -> str | None:
    for folder in sorted(ALLOWED, key=len, reverse=True):
        if relative.startswith(folder + "/"):
            return folder
    return None


def allowed(target: str, permitted: set[str]) -> bool:
    return any(target == p or target.startswith(p + "/") for p in permitted)


def problems(src: pathlib.Path) -> list[str]:
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".hpp", ".cpp", ".cc"):
            continue
        relative = path.relative_to(src).as_posix()
        layer = layer_of(relative)
        if layer is None:
            found.append(f"{relative}: in no known layer")
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        for target in PROJECT_INCLUDE.findall(text):
            if "/" in target and not allowed(target, ALLOWED[layer]):
                found.append(f"{relative}: includes \"{target}\", outside what {layer}/ may use")
        if layer.split("/")[0] in WITHOUT_QT:
            for match in QT_INCLUDE.finditer(text):
                found.append(f"{relative}: includes Qt <{match.group(1)}...>")
    return found


def main() -> int:
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    found = problems(pathlib.Path(sys.argv[1]))
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
