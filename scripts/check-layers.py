#!/usr/bin/env python3
"""The editor's libraries stand in one-way layers over kit_common (common/, what the three programs share): a
library's sources include headers of their own library and of the libraries below it, never of one above.
Headers are included by their bare names (each library exports its folder), so a header is placed by finding
it in a library's folder; kit_common's are included by their path below its include folder ("kit/...").

    scripts/check-layers.py [REPO]     exits 1 naming every include that goes up, and every editor or
                                       component source that belongs to no library of the list
    scripts/check-layers.py --self-test   plants faults in a scratch tree and expects each one found
"""
import pathlib
import re
import sys
import tempfile

# Lowest first: a library may include headers of the libraries before it.
LAYERS = [
    ("kit_common", "common"),
    ("ui_toolkit", "ui-components/toolkit"),
    ("ui_findreplace", "ui-components/findreplace"),
    ("ui_syntax", "ui-components/syntax"),
    ("ui_dockable", "ui-components/dockable"),
    ("ui_browsers", "ui-components/browsers"),
    ("editor_foundation", "editor/shell/foundation"),
    ("editor_dialogs", "editor/shell/dialogs"),
    ("editor_config", "editor/shell/config"),
    ("editor_window", "editor/shell/window"),
    ("editor_projects", "editor/projects"),
]
# Folders whose sources belong to no library: tests, their helpers, demos and the programs' mains.
OUTSIDE = {"tests", "testing", "demo", "screenshot"}
PROGRAMS = {"editor/editor_main.cpp"}
TOPS = ("common", "ui-components", "editor")
# Libraries whose headers are included by their path below an include folder, never by a bare name.
INCLUDE_ROOTS = {"kit_common": "common/include"}
SUFFIXES = {".h", ".cpp"}
INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]*"([^"]+)"', re.MULTILINE)


def sources(folder):
    """The library sources under folder, outside its tests and helpers."""
    for path in sorted(folder.rglob("*")):
        parts = path.relative_to(folder).parts
        if path.suffix in SUFFIXES and path.is_file() and not OUTSIDE.intersection(parts[:-1]):
            yield path


def check(root):
    root = pathlib.Path(root)
    problems = []
    rank = {}
    headers = []  # (path relative to its library folder or include root, library, only the whole path)
    owned = set()
    for level, (library, folder) in enumerate(LAYERS):
        rank[library] = level
        files = list(sources(root / folder)) if (root / folder).is_dir() else []
        if not files:
            problems.append(f"{folder}: no sources for {library}")
        for path in files:
            owned.add(path)
            if path.suffix == ".h":
                base = root / INCLUDE_ROOTS.get(library, folder)
                if path.is_relative_to(base):
                    headers.append((path.relative_to(base).as_posix(), library, library in INCLUDE_ROOTS))

    def owners(name):
        return {library for relative, library, whole in headers
                if relative == name or (not whole and relative.endswith("/" + name))}

    for library, folder in LAYERS:
        if not (root / folder).is_dir():
            continue
        for path in sources(root / folder):
            text = path.read_text(encoding="utf-8", errors="replace")
            for match in INCLUDE.finditer(text):
                name = match.group(1)
                found = owners(name)
                # Headers of no listed library (Qt's, the test helpers', generated ones) are not ours to order.
                if not found or any(rank[other] <= rank[library] for other in found):
                    continue
                line = text.count("\n", 0, match.start()) + 1
                above = ", ".join(sorted(found, key=rank.get))
                problems.append(f"{path.relative_to(root)}:{line}: {library} includes {name} of {above}, "
                                f"a library above it")

    for top in TOPS:
        for path in sources(root / top) if (root / top).is_dir() else []:
            relative = path.relative_to(root).as_posix()
            if path not in owned and relative not in PROGRAMS:
                problems.append(f"{relative}: in no library of the layer list")
    return problems


def self_test():
    with tempfile.TemporaryDirectory() as scratch:
        root = pathlib.Path(scratch)

        def write(relative, text=""):
            (root / relative).parent.mkdir(parents=True, exist_ok=True)
            (root / relative).write_text(text)

        # Each library includes the one below it; the docking library reaches a header of a subfolder.
        below = None
        for library, folder in LAYERS:
            write(f"{folder}/{library}.h", f'#include "{below}.h"\n' if below else "")
            write(f"{folder}/tests/{library}_test.cpp", '#include "editor_projects.h"\n')
            below = library
        write("common/include/kit/format.h")
        write("common/src/format.cpp", '#include "kit/format.h"\n')
        write("ui-components/dockable/action/zorid.h", '#include "ui_toolkit.h"\n#include "kit/format.h"\n')
        write("ui-components/browsers/browser.cpp", '#include <QWidget>\n#include "action/zorid.h"\n')
        write("editor/editor_main.cpp", '#include "editor_projects.h"\n')
        found = check(root)
        if found:
            return [f"a sound tree was refused: {problem}" for problem in found]

        write("editor/shell/config/wizard.cpp", '#include "ui_toolkit.h"\n\n  #  include "editor_window.h"\n')
        write("ui-components/toolkit/prompter.cpp", '#include "zorid.h"\n')
        write("editor/shell/newfolder/stray.cpp")
        write("common/src/reader.cpp", '#include "kit/format.h"\n#include "ui_toolkit.h"\n')
        # A bare name of kit_common's is not its header: this one is the config library's own.
        write("editor/shell/config/format.h")
        write("editor/shell/foundation/reader.cpp", '#include "format.h"\n')
        expected = [
            "common/src/reader.cpp:2: kit_common includes ui_toolkit.h of ui_toolkit, a library above it",
            "editor/shell/foundation/reader.cpp:1: editor_foundation includes format.h of editor_config, "
            "a library above it",
            "editor/shell/config/wizard.cpp:3: editor_config includes editor_window.h of editor_window, "
            "a library above it",
            "ui-components/toolkit/prompter.cpp:1: ui_toolkit includes zorid.h of ui_dockable, a library above it",
            "editor/shell/newfolder/stray.cpp: in no library of the layer list",
        ]
        found = check(root)
        return [] if sorted(found) == sorted(expected) else [f"expected {expected}, found {found}"]


def main():
    if sys.argv[1:] == ["--self-test"]:
        problems = self_test()
    else:
        problems = check(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parents[1])
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
