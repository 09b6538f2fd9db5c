#!/usr/bin/env python3
"""Every library of the tree stands on the libraries it links, one way: no two libraries link in a circle,
and no file of a library includes a header of a library it does not link, directly or through its links.

The targets come from the graph CMake writes into the build tree (scripts/library-graph.cmake): each
target's folder, sources, include folders and links. An include names the file the compiler would take:
"x.h" is looked for beside the including file and then in the including library's include folders (its
own and those its links pass on), <x.h> only in the latter. A header belongs to the target that lists it
among its sources, else to the targets with sources in its folder or declaring it as an include folder,
the nearest such folder up (of several, the ones with a source of the header's own name). Includes that
name no file of the tree (Qt's, the system's, generated ones) are not ours to order.

    scripts/check-layers.py GRAPH ROOT              exits 1 naming every circle and every include of a
                                                    header of a library not linked (GRAPH: the build
                                                    tree's library-graph.txt; ROOT: the source tree)
    scripts/check-layers.py --self-test GRAPH ROOT  plants faults in scratch trees and in the tree itself,
                                                    and expects each one found
"""
import collections
import os
import pathlib
import re
import sys
import tempfile

# Circles the tree has today, each allowed until it is mended; a listed circle that is gone fails the check
# so that its entry goes too.
KNOWN_CIRCLES = []
LIBRARY_TYPES = {"STATIC_LIBRARY", "SHARED_LIBRARY", "MODULE_LIBRARY", "OBJECT_LIBRARY", "INTERFACE_LIBRARY"}
HEADER_SUFFIXES = {".h", ".hh", ".hpp", ".hxx", ".inl"}
SOURCE_SUFFIXES = {".c", ".cc", ".cpp", ".cxx"} | HEADER_SUFFIXES
INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]*([<"])([^>"]+)[>"]', re.MULTILINE)
LINK_ONLY = re.compile(r"^\$<LINK_ONLY:([^<>$]+)>$")
BUILD_INTERFACE = re.compile(r"^\$<BUILD_INTERFACE:([^<>$]+)>$")


class Target:
    def __init__(self, name):
        self.name = name
        self.type = ""
        self.folder = None
        self.sources = []  # absolute paths
        self.includes = []  # include folders it declares for itself
        self.interface_includes = []  # include folders it passes on to what links it
        self.links = []  # (name, passes its include folders on)
        self.interface_links = []

    @property
    def library(self):
        return self.type in LIBRARY_TYPES


def read_graph(path):
    """The targets of a graph file, by name."""
    targets = {}
    for line in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        if not line:
            continue
        name, fact, value = line.split("\t", 2)
        target = targets.setdefault(name, Target(name))
        if fact == "TYPE":
            target.type = value
        elif fact == "SOURCE_DIR":
            target.folder = pathlib.Path(value)
        elif fact == "SOURCES":
            target.sources.append(value)
        elif fact in ("INCLUDE_DIRECTORIES", "INTERFACE_INCLUDE_DIRECTORIES"):
            built = BUILD_INTERFACE.match(value)
            if built or not value.startswith("$<"):
                folder = pathlib.Path(built.group(1) if built else value)
                into = target.includes if fact == "INCLUDE_DIRECTORIES" else target.interface_includes
                into.append(folder)
        elif fact in ("LINK_LIBRARIES", "INTERFACE_LINK_LIBRARIES"):
            only = LINK_ONLY.match(value)
            entry = (only.group(1), False) if only else (value, not value.startswith("$<"))
            (target.links if fact == "LINK_LIBRARIES" else target.interface_links).append(entry)
    for target in targets.values():
        given = [pathlib.Path(source) for source in target.sources if not source.startswith("$<")]
        target.sources = [source if source.is_absolute() else target.folder / source for source in given]
    return targets


class Tree:
    """The targets of a graph over a source tree; `texts` stands in for files (path -> text)."""

    def __init__(self, targets, root, texts=None):
        self.targets = targets
        self.root = pathlib.Path(os.path.abspath(root))
        self.texts = texts or {}
        self.edges = {name: sorted({link for link, _ in target.links + target.interface_links
                                    if link in targets})
                      for name, target in targets.items()}
        self.reach = {name: self._reachable(name) for name in targets}
        self.search = {name: self._search_path(name) for name in targets}
        self.owners = self._owners()

    def _reachable(self, start):
        seen, todo = set(), [start]
        while todo:
            for link in self.edges[todo.pop()]:
                if link not in seen:
                    seen.add(link)
                    todo.append(link)
        return seen

    def _search_path(self, name):
        """The target's include folders in the compiler's order: its own, then those its links pass on."""
        folders, seen = list(self.targets[name].includes), set()

        def passed_on(link):
            if link in seen or link not in self.targets:
                return
            seen.add(link)
            target = self.targets[link]
            folders.extend(target.interface_includes)
            for further, usage in target.interface_links:
                if usage:
                    passed_on(further)

        for link, usage in self.targets[name].links:
            if usage:
                passed_on(link)
        return list(dict.fromkeys(folders))

    def exists(self, path):
        return path in self.texts or path.is_file()

    def text(self, path):
        if path in self.texts:
            return self.texts[path]
        return path.read_text(encoding="utf-8", errors="replace")

    def _headers(self):
        """Every header of the source tree, outside build trees and hidden folders."""
        for folder, subfolders, files in os.walk(self.root):
            subfolders[:] = [name for name in subfolders if not name.startswith(".")
                             and not (pathlib.Path(folder, name) / "CMakeCache.txt").exists()]
            for name in files:
                if pathlib.Path(name).suffix in HEADER_SUFFIXES:
                    yield pathlib.Path(folder, name)
        for path in self.texts:
            if path.suffix in HEADER_SUFFIXES and not path.is_file():
                yield path

    def _owners(self):
        listed = collections.defaultdict(set)
        claims = collections.defaultdict(set)  # folder -> targets with sources in it or declaring it
        stems = collections.defaultdict(set)  # (folder, stem) -> targets with a source of that name
        for name, target in self.targets.items():
            for source in target.sources:
                if source.suffix in HEADER_SUFFIXES:
                    listed[source].add(name)
                elif source.suffix in SOURCE_SUFFIXES:
                    claims[source.parent].add(name)
                    stems[source.parent, source.stem].add(name)
            if target.library:
                for folder in target.includes + target.interface_includes:
                    claims[folder].add(name)
        owners = {}
        for header in set(self._headers()):
            if header in listed:
                owners[header] = listed[header]
                continue
            folder = header.parent
            while folder.is_relative_to(self.root) and not claims.get(folder):
                folder = folder.parent
            if claims.get(folder):
                owners[header] = stems.get((folder, header.stem), set()) & claims[folder] or claims[folder]
        return owners

    def resolve(self, includer, library, bracket, spelling):
        """The file of the tree an include names, or None."""
        folders = ([] if bracket == "<" else [includer.parent]) + self.search[library]
        for folder in folders:
            candidate = pathlib.Path(os.path.normpath(folder / spelling))
            if self.exists(candidate):
                return candidate if candidate.is_relative_to(self.root) else None
        return None

    def files(self, library):
        """The library's own files: its sources in the tree and the headers it owns."""
        own = [source for source in self.targets[library].sources if source.suffix in SOURCE_SUFFIXES
               and source.is_relative_to(self.root) and self.exists(source)]
        own += [header for header, owners in self.owners.items() if library in owners]
        return sorted(set(own))

    def circles(self):
        """Each strongly connected part of the link graph of more than one target or of one linking itself."""
        index, low, stack, on_stack, found = {}, {}, [], set(), []

        def visit(name):
            index[name] = low[name] = len(index)
            stack.append(name)
            on_stack.add(name)
            for link in self.edges[name]:
                if link not in index:
                    visit(link)
                    low[name] = min(low[name], low[link])
                elif link in on_stack:
                    low[name] = min(low[name], index[link])
            if low[name] == index[name]:
                part = set()
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    part.add(member)
                    if member == name:
                        break
                if len(part) > 1 or name in self.edges[name]:
                    found.append(part)

        for name in sorted(self.targets):
            if name not in index:
                visit(name)
        return found


def check(tree, known_circles=KNOWN_CIRCLES):
    problems = []
    circles = tree.circles()
    for circle in circles:
        if circle not in known_circles:
            problems.append(f"link circle: {', '.join(sorted(circle))} link each other")
    for known in known_circles:
        if known not in circles and known <= set(tree.targets):
            problems.append(f"the known circle of {', '.join(sorted(known))} is gone: take it out of "
                            f"KNOWN_CIRCLES in scripts/check-layers.py")
    for library in sorted(name for name, target in tree.targets.items() if target.library):
        for path in tree.files(library):
            text = tree.text(path)
            for match in INCLUDE.finditer(text):
                header = tree.resolve(path, library, match.group(1), match.group(2))
                owners = tree.owners.get(header, set())
                if not owners or library in owners or owners & tree.reach[library]:
                    continue
                line = text.count("\n", 0, match.start()) + 1
                problems.append(f"{path.relative_to(tree.root)}:{line}: {library} includes "
                                f"{header.relative_to(tree.root)} of {', '.join(sorted(owners))}, "
                                f"which it does not link")
    return problems


def scratch_tree(root, graph, files):
    """A tree under root from a graph written as CMake writes it ("{root}" stands for root) and files."""
    (root / "graph.txt").write_text(graph.replace("{root}", str(root)))
    for relative, text in files.items():
        (root / relative).parent.mkdir(parents=True, exist_ok=True)
        (root / relative).write_text(text)
    return Tree(read_graph(root / "graph.txt"), root)


SCRATCH_GRAPH = """\
base\tTYPE\tSTATIC_LIBRARY
base\tSOURCE_DIR\t{root}/base
base\tSOURCES\tsrc/format.cpp
base\tINCLUDE_DIRECTORIES\t{root}/base/include
base\tINTERFACE_INCLUDE_DIRECTORIES\t{root}/base/include
middle\tTYPE\tSTATIC_LIBRARY
middle\tSOURCE_DIR\t{root}/middle
middle\tSOURCES\t{root}/middle/reader.cpp
middle\tSOURCES\tpanel/panel.cpp
middle\tINCLUDE_DIRECTORIES\t{root}/middle
middle\tINTERFACE_INCLUDE_DIRECTORIES\t{root}/middle
middle\tINTERFACE_INCLUDE_DIRECTORIES\t$<BUILD_INTERFACE:{root}/middle/panel>
middle\tINTERFACE_INCLUDE_DIRECTORIES\t$<INSTALL_INTERFACE:include>
middle\tLINK_LIBRARIES\tbase
middle\tINTERFACE_LINK_LIBRARIES\t$<LINK_ONLY:base>
top\tTYPE\tSTATIC_LIBRARY
top\tSOURCE_DIR\t{root}/top
top\tSOURCES\ttop.cpp
top\tSOURCES\ttop.h
top\tINCLUDE_DIRECTORIES\t{root}/top
top\tINCLUDE_DIRECTORIES\t{root}/shared
top\tLINK_LIBRARIES\tmiddle
top\tLINK_LIBRARIES\tQt6::Widgets
side\tTYPE\tSTATIC_LIBRARY
side\tSOURCE_DIR\t{root}/side
side\tSOURCES\tside.cpp
side\tINCLUDE_DIRECTORIES\t{root}/side
side\tINCLUDE_DIRECTORIES\t{root}/shared
side\tLINK_LIBRARIES\tbase
program\tTYPE\tEXECUTABLE
program\tSOURCE_DIR\t{root}/top
program\tSOURCES\tprogram/main.cpp
program\tLINK_LIBRARIES\ttop
"""
SCRATCH_FILES = {
    "base/include/kit/format.h": "",
    # A header of its own beside it, not the same-named one of a library above.
    "base/src/format.cpp": '#include "kit/format.h"\n#include "reader.h"\n',
    "base/src/reader.h": "",
    "middle/reader.h": '#include <kit/format.h>\n',
    "middle/reader.cpp": '#include "reader.h"\n#include <QWidget>\n#include "generated/moc_reader.cpp"\n',
    "middle/panel/panel.h": '#include "reader.h"\n',
    "middle/panel/panel.cpp": '#include "panel.h"\n',
    # A library reaches what its links link (base through middle, link-only).
    "top/top.h": '#include "reader.h"\n',
    "top/program/main.cpp": '#include "top.h"\n',
    # A folder two libraries declare belongs to both.
    "shared/common.h": "",
    "side/side.h": '#include "common.h"\n',
    "side/side.cpp": '#include "side.h"\n',
    "top/top.cpp": '#include "top.h"\n#include "panel.h"\n#include "../base/src/reader.h"\n'
                   '#include "common.h"\n',
}


def expect(what, found, expected):
    if sorted(found) == sorted(expected):
        return []
    return [f"{what}: expected {sorted(expected)}, found {sorted(found)}"]


def self_test_scratch():
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        root = pathlib.Path(scratch)
        tree = scratch_tree(root, SCRATCH_GRAPH, SCRATCH_FILES)
        failures += expect("a sound tree", check(tree), [])
        # (including file, its library, the include) -> the file it names; the header's owners.
        for includer, library, include, named, owners in [
            ("base/src/format.cpp", "base", '"reader.h"', "base/src/reader.h", {"base"}),
            ("middle/reader.cpp", "middle", '"reader.h"', "middle/reader.h", {"middle"}),
            ("middle/reader.cpp", "middle", "<reader.h>", "middle/reader.h", {"middle"}),
            ("middle/reader.cpp", "middle", "<kit/format.h>", "base/include/kit/format.h", {"base"}),
            ("top/top.cpp", "top", '"panel.h"', "middle/panel/panel.h", {"middle"}),
            ("top/top.cpp", "top", '"reader.h"', "middle/reader.h", {"middle"}),
            ("top/top.cpp", "top", '"../base/src/reader.h"', "base/src/reader.h", {"base"}),
            ("top/top.cpp", "top", '"common.h"', "shared/common.h", {"side", "top"}),
            ("top/top.cpp", "top", '"top.h"', "top/top.h", {"top"}),
            # base's folder reaches middle's users link-only: not on top's path.
            ("top/top.cpp", "top", '"kit/format.h"', None, set()),
            ("base/src/format.cpp", "base", "<reader.h>", None, set()),
            ("middle/reader.cpp", "middle", '"QWidget"', None, set()),
        ]:
            header = tree.resolve(root / includer, library, include[0], include[1:-1])
            found = (header.relative_to(root).as_posix() if header else None, tree.owners.get(header, set()))
            failures += [] if found == (named, owners) else \
                [f"{includer} {include}: expected {(named, owners)}, found {found}"]

    planted = {
        # <> looks in the include folders only: middle's reader.h, not base's own beside it.
        "base/src/format.cpp": '#include "kit/format.h"\n  #  include <reader.h>\n',
        "middle/panel/panel.h": '#include "reader.h"\n#include "../../top/top.h"\n',
        "side/side.cpp": '#include "side.h"\n#include "../top/top.h"\n',
        # A library may not include a program's header.
        "top/program/options.h": "",
        "middle/reader.cpp": '#include "reader.h"\n#include "../top/program/options.h"\n',
    }
    expected = [
        "base/src/format.cpp:2: base includes middle/reader.h of middle, which it does not link",
        "middle/panel/panel.h:2: middle includes top/top.h of top, which it does not link",
        "side/side.cpp:2: side includes top/top.h of top, which it does not link",
        "middle/reader.cpp:2: middle includes top/program/options.h of program, which it does not link",
    ]
    with tempfile.TemporaryDirectory() as scratch:
        root = pathlib.Path(scratch)
        # <reader.h> finds middle's once middle's folder is on base's path.
        graph = SCRATCH_GRAPH + "base\tINCLUDE_DIRECTORIES\t{root}/middle\n"
        tree = scratch_tree(root, graph, {**SCRATCH_FILES, **planted})
        failures += expect("planted includes", check(tree), expected)

    with tempfile.TemporaryDirectory() as scratch:
        root = pathlib.Path(scratch)
        graph = SCRATCH_GRAPH + "base\tINTERFACE_LINK_LIBRARIES\t$<LINK_ONLY:top>\n" + \
            "side\tLINK_LIBRARIES\tside\n"
        tree = scratch_tree(root, graph, SCRATCH_FILES)
        failures += expect("planted circles", check(tree), [
            "link circle: base, middle, top link each other",
            "link circle: side link each other",
        ])

    with tempfile.TemporaryDirectory() as scratch:
        root = pathlib.Path(scratch)
        known = [{"base", "middle", "top"}]
        tree = scratch_tree(root, SCRATCH_GRAPH, SCRATCH_FILES)
        failures += expect("a known circle mended", check(tree, known),
                           ["the known circle of base, middle, top is gone: take it out of "
                            "KNOWN_CIRCLES in scripts/check-layers.py"])
        tree = scratch_tree(root, SCRATCH_GRAPH + "base\tLINK_LIBRARIES\ttop\n", SCRATCH_FILES)
        failures += expect("a known circle", check(tree, known), [])
    return failures


# The folders of the tree whose libraries each take a planted fault.
GROUPS = ["common", "compiler", "builder", "standins", "ui-components", "editor"]


def self_test_tree(graph, root):
    """In the tree itself: an include of a header of a library it does not link planted in one library of
    each group, and apart from those a link from the lowest library to the highest; expects exactly those
    found."""
    root = pathlib.Path(os.path.abspath(root))
    tree = Tree(read_graph(graph), root)
    failures = expect("the tree as it is", check(tree), [])
    libraries = sorted(name for name, target in tree.targets.items() if target.library)
    texts, expected = {}, []
    for group in GROUPS:
        for library in libraries:
            files = [path for path in tree.files(library) if path.is_relative_to(root / group)]
            # A header of the library that reaches the most of those this one does not link.
            others = sorted((name for name in libraries
                             if name != library and name not in tree.reach[library]),
                            key=lambda name: (-len(tree.reach[name]), name))
            headers = [header for other in others for header in sorted(tree.owners)
                       if tree.owners[header] == {other}]
            if files and headers:
                header, into = headers[0], files[0]
                text = tree.text(into)
                texts[into] = (text if text.endswith("\n") or not text else text + "\n") + \
                    f'#include "{os.path.relpath(header, into.parent)}"\n'
                expected.append(f"{into.relative_to(root)}:{texts[into].count(chr(10))}: {library} includes "
                                f"{header.relative_to(root)} of {tree.owners[header].copy().pop()}, "
                                "which it does not link")
                break
        else:
            failures.append(f"{group}: no library to plant an include in")
    failures += expect("includes planted in the tree", check(Tree(tree.targets, root, texts)), expected)

    lowest = min(libraries, key=lambda name: (len(tree.reach[name]), name))
    highest = max(libraries, key=lambda name: (len(tree.reach[name]), name))
    circle = {highest} | {name for name in tree.reach[highest] if lowest in tree.reach[name] | {name}}
    targets = read_graph(graph)
    targets[lowest].links.append((highest, False))
    failures += expect("a link planted in the tree", check(Tree(targets, root)),
                       [f"link circle: {', '.join(sorted(circle))} link each other"])
    return failures


def main():
    arguments = sys.argv[1:]
    if arguments[:1] == ["--self-test"] and len(arguments) == 3:
        problems = self_test_scratch() + self_test_tree(*arguments[1:])
    elif len(arguments) == 2 and not arguments[0].startswith("-"):
        problems = check(Tree(read_graph(arguments[0]), arguments[1]))
    else:
        print(__doc__.strip().split("\n\n")[-1])
        return 2
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
