#!/usr/bin/env python3
"""The layer check finds each kind of fault in a tree made of nothing but faults."""

import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).parent))
from check_layers import problems  # noqa: E402

expected = [
    'archive/uses_qt.cpp: includes Qt <QString...>',
    'cli/uses_gui.cpp: includes "gui/common/dialogs.h", outside what cli/ may use',
    'cli/uses_gui.cpp: includes Qt <QtCore...>',
    'core/reaches_up.h: includes "archive/update_file.h", outside what core/ may use',
    'gui/quintello/knows_main_window.cpp: includes "gui/shell/main_window.h", '
    'outside what gui/quintello/ may use',
]
found = problems(pathlib.Path(__file__).parent / "violations")
if found != expected:
    print("expected:", *expected, "found:", *found, sep="\n  ")
    sys.exit(1)
print("1 passed, 0 failed")
