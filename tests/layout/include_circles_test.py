#!/usr/bin/python3
"""No include circle between the files of the programs, and the shared rooms in their order.

A file here is a header with its source (x.h and x.cpp): when x includes y and y
includes x, neither can be read, built or moved without the other, whichever of
the two files holds the include. The rooms of suite/ include only the rooms
listed before them (text, catalogue, run, system), so a helper's room says what
it may depend on.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
FOLDERS = ("suite", "setup", "uninstall", "user_part", "standin")
ROOMS = ("suite/text", "suite/catalogue", "suite/run", "suite/system")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def includes():
    """Each file (path without its ending) and the files it includes."""
    graph = {}
    for folder in FOLDERS:
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp", ".rc"):
                continue
            unit = path.relative_to(ROOT).with_suffix("").as_posix()
            for name in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
                target = pathlib.PurePosixPath(name).with_suffix("").as_posix()
                if target != unit and (ROOT / name).exists():
                    graph.setdefault(unit, set()).add(target)
            graph.setdefault(unit, set())
    return graph


def circles(graph):
    """The strongly connected groups of more than one file (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for target in graph.get(node, ()):
            if target not in index:
                visit(target)
                low[node] = min(low[node], low[target])
            elif target in on_stack:
                low[node] = min(low[node], index[target])
        if low[node] == index[node]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == node:
                    break
            if len(group) > 1:
                found.append(sorted(group))

    sys.setrecursionlimit(10000)
    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def room_of(unit):
    for rank, room in enumerate(ROOMS):
        if unit.startswith(room + "/"):
            return rank
    return None


def main():
    graph = includes()
    failures = [" <-> ".join(group) for group in circles(graph)]
    for unit, targets in sorted(graph.items()):
        rank = room_of(unit)
        for target in sorted(targets):
            other = room_of(target)
            if rank is not None and other is not None and other > rank:
                failures.append(f"{unit} includes {target}, a room listed after its own")
    for failure in failures:
        print(f"include circle or room order: {failure}")
    print(f"{len(graph)} files read, {len(failures)} faults")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
