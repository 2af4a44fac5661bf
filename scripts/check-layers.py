#!/usr/bin/env python3
"""Checks that every #include in src/ goes down the program's layers, never up
or sideways against the table below, and that only the Windows side includes
the Windows headers. Prints each offending include as file:line and fails.

    check-layers.py [REPOSITORY]
"""
import pathlib
import re
import sys

# Each folder of src/ and the folders its files may include. A file belongs
# to the most specific folder that names it (web/regex/ is part of web/).
# platform/ alone means the interfaces in src/platform/ itself.
LAYERS = {
    "text": {"text"},
    "platform": {"text", "platform"},
    "platform/win32": {"text", "platform", "platform/win32"},
    "platform/posix": {"text", "platform", "platform/posix"},
    "web": {"text", "platform", "web"},
    "results": {"text", "results"},
    "contact": {"text", "platform", "web", "results", "contact"},
    "search": {"text", "platform", "web", "results", "contact", "search"},
    "imaccounts": {"text", "platform", "web", "imaccounts"},
    "app": {"text", "platform", "web", "results", "contact", "search", "imaccounts", "app"},
    "app/window": {"text", "platform", "web", "results", "contact", "search", "imaccounts", "app", "app/window"},
}

# Only these may include windows.h and its kin: the platform's Windows side,
# the windows themselves, and the base's Windows-only wide-text helper.
WINDOWS_SIDE = ("platform/win32/", "app/window/")
WINDOWS_FILE = re.compile(r"^text/\w+_win32\.cpp$")
WINDOWS_HEADERS = re.compile(
    r"(windows|winuser|wininet|commctrl|shellapi|shlobj|windowsx|objbase|ole2|uxtheme|unknwn|oleauto)\.h$", re.I)

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(path):
    """The most specific folder of LAYERS that holds `path` (relative to src/)."""
    parts = path.split("/")[:-1]
    for depth in range(len(parts), 0, -1):
        folder = "/".join(parts[:depth])
        if folder in LAYERS:
            return folder
    return None


def problems(src):
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        path = file.relative_to(src).as_posix()
        layer = layer_of(path)
        if layer is None:
            yield f"src/{path}:1: lies in no folder of the layer table"
            continue
        windows_side = path.startswith(WINDOWS_SIDE) or WINDOWS_FILE.match(path)
        for number, line in enumerate(file.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            bracket, included = match.groups()
            if bracket == "<":
                if WINDOWS_HEADERS.search(included) and not windows_side:
                    yield f"src/{path}:{number}: includes <{included}>, which only the Windows side may"
                continue
            target = layer_of(included)
            if target is None:
                continue  # a file beside it or one the build generates
            if target not in LAYERS[layer]:
                allowed = ", ".join(sorted(LAYERS[layer]))
                yield f"src/{path}:{number}: includes {included}, but {layer}/ may include only {allowed}"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    found = list(problems(root / "src"))
    for problem in found:
        print(problem)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
