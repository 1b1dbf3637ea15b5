#!/usr/bin/env python3
"""Fails on an #include under src/ that runs the wrong way between layers.

    tests/include_layers.py [SRC]          check the tree (default: ../src)
    tests/include_layers.py --self-test    plant wrong includes in a copy of
                                           the tree and check each is caught

The core folders include only downward, platform <- frame <- engine <-
analysis, online, and analysis and online never include each other. A ui/
folder includes its own core, the cores below it and platform/ui. frame/ui
(the main window, its menus and launchers) is the top: only src/app
includes it, and it alone includes the windows of several parts. The
updater is a program of its own beside the main program: it may use the
cores and platform/ui, never another part's windows.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

CORES = ["platform", "frame", "engine", "analysis", "online"]
WINDOWS = ["platform/ui", "frame/ui", "engine/ui", "analysis/ui", "online/ui"]

# What each folder may include besides itself.
ALLOWED = {
    "platform": [],
    "frame": ["platform"],
    "engine": ["platform", "frame"],
    "analysis": ["platform", "frame", "engine"],
    "online": ["platform", "frame", "engine"],
    "platform/ui": ["platform"],
    "engine/ui": ["platform", "frame", "engine", "platform/ui"],
    "analysis/ui": ["platform", "frame", "engine", "analysis", "platform/ui"],
    "online/ui": ["platform", "frame", "engine", "online", "platform/ui"],
    "frame/ui": CORES + WINDOWS,
    "app": CORES + WINDOWS,
    "updater": CORES + ["platform/ui"],
}

# Headers the build writes (the release key); they name no layer.
GENERATED = {"update_key.h"}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCES = (".h", ".hpp", ".cpp", ".cc")


def layer_of(path):
    """The layer of a path relative to src/: "engine", "engine/ui", "app"..."""
    parts = path.split("/")
    if len(parts) > 2 and parts[1] == "ui":
        return parts[0] + "/ui"
    return parts[0] if len(parts) > 1 else None


def wrong_includes(src):
    found = []
    for folder, folders, files in os.walk(src):
        folders.sort()
        for name in sorted(files):
            if not name.endswith(SOURCES):
                continue
            path = os.path.relpath(os.path.join(folder, name), src).replace(os.sep, "/")
            own = layer_of(path)
            if own not in ALLOWED:
                found.append("%s: folder %s is not in the table of include_layers.py" % (path, own))
                continue
            with open(os.path.join(src, path), encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    target = m.group(1)
                    if target in GENERATED:
                        continue
                    if "/" not in target or ".." in target.split("/"):
                        found.append('%s:%d: #include "%s" must name the header from src/'
                                     % (path, number, target))
                        continue
                    other = layer_of(target)
                    if other != own and other not in ALLOWED[own]:
                        found.append('%s:%d: #include "%s": %s may include only %s'
                                     % (path, number, target, own, ", ".join(ALLOWED[own]) or "itself"))
    return found


# The self-test: each of these includes runs the wrong way and must be
# caught, alone, when planted in a copy of the tree.
PLANTED = [
    ("analysis/evaluation.cpp", "online/site.h"),
    ("online/site.cpp", "analysis/html_text.h"),
    ("frame/regions.cpp", "engine/filter.h"),
    ("platform/gbk.cpp", "frame/globals.h"),
    ("platform/ui/qt_bridge.cpp", "online/http.h"),
    ("analysis/ui/PageLinks.cpp", "online/ui/OnlineDictionaryWindow.h"),
    ("analysis/ui/NameEvaluationWindow.cpp", "frame/ui/MainWindow.h"),
    ("engine/ui/GenerateController.cpp", "frame/ui/MainWindow.h"),
    ("online/ui/UpdateCheck.cpp", "frame/ui/MainWindow.h"),
    ("online/ui/OnlineDictionaryWindow.cpp", "analysis/evaluation.h"),
    ("updater/main.cpp", "online/ui/UpdateCheck.h"),
    ("engine/filter.cpp", "../frame/globals.h"),
]


def self_test(src):
    failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        for path, target in PLANTED:
            copy = os.path.join(scratch, "src")
            shutil.rmtree(copy, ignore_errors=True)
            shutil.copytree(src, copy)
            with open(os.path.join(copy, path), "a", encoding="utf-8") as f:
                f.write('#include "%s"\n' % target)
            found = wrong_includes(copy)
            if len(found) != 1 or not found[0].startswith(path + ":"):
                print("include_layers: planted %s in %s, found %s" % (target, path, found or "nothing"),
                      file=sys.stderr)
                failures += 1
    if failures:
        return 1
    print("include_layers: each of %d planted includes caught" % len(PLANTED))
    return 0


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    args = sys.argv[1:]
    test = "--self-test" in args
    args = [a for a in args if a != "--self-test"]
    src = args[0] if args else os.path.join(here, "..", "src")
    found = wrong_includes(src)
    if found:
        for line in found:
            print(line, file=sys.stderr)
        return 1
    if test:
        return self_test(src)
    print("include_layers: every include runs the right way")
    return 0


if __name__ == "__main__":
    sys.exit(main())
