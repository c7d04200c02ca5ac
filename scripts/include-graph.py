#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Prints the include graph of the program's folders (who includes whom, how often) and any loop in it.

Usage: scripts/include-graph.py [source folder]   (default: the checkout this script is in)
"""
import os
import re
import sys

FOLDERS = ["app", "console", "tools", "settings", "libs/ui", "libs/graph", "engine", "libs/math", "libs/file"]
INCLUDE = re.compile(r'#\s*include\s*"([^"]+)/[^"/]+"')


def edges(root):
    graph = {}
    for folder in FOLDERS:
        path = os.path.join(root, folder)
        if not os.path.isdir(path):
            continue
        for name in sorted(os.listdir(path)):
            if not name.endswith((".h", ".cpp")):
                continue
            with open(os.path.join(path, name), encoding="utf-8", errors="replace") as source:
                for target in INCLUDE.findall(source.read()):
                    if target != folder and target in FOLDERS:
                        graph.setdefault(folder, {}).setdefault(target, 0)
                        graph[folder][target] += 1
    return graph


def loops(graph):
    found, state, path = [], {}, []

    def walk(folder):
        state[folder] = 1
        path.append(folder)
        for below in sorted(graph.get(folder, {})):
            if state.get(below) == 1:
                found.append(" -> ".join(path[path.index(below):] + [below]))
            elif below not in state:
                walk(below)
        path.pop()
        state[folder] = 2

    for folder in FOLDERS:
        if folder not in state:
            walk(folder)
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    graph = edges(root)
    for folder in FOLDERS:
        targets = graph.get(folder, {})
        listed = ", ".join(f"{target} ({count})" for target, count in sorted(targets.items()))
        print(f"{folder:11} -> {listed or '-'}")
    found = loops(graph)
    print("loops: " + ("; ".join(found) if found else "none"))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
