#!/usr/bin/env python3
"""Checks that every #include in src/ goes down the program's layers, never up
or sideways against the table below, and that only the Windows side brings in
the Windows headers, directly or through a header of its own. Prints each
offending include as file:line and fails.

    check-layers.py [REPOSITORY]
"""
import pathlib
import posixpath
import re
import sys

# Each folder of src/ and the folders its files may include. A file belongs
# to the most specific folder that names it (app/window/ is not part of app/).
# platform/ alone means the interfaces in src/platform/ itself. The regex
# engine is the base and includes nothing of the program; the rest of the
# program reaches it only through text/ (RegexMatcher). wait/ (a thread's
# wait, which the window's thread runs its events in) is a base of its own.
BASE = {"regex", "text"}
CORE = {"text", "wait", "platform", "web", "results", "contact", "search", "imaccounts"}
LAYERS = {
    "regex": {"regex"},
    "text": BASE,
    "wait": {"wait"},
    "platform": {"text", "platform"},
    "platform/win32": {"text", "platform", "platform/win32"},
    "platform/posix": {"text", "platform", "platform/posix"},
    "web": {"text", "wait", "platform", "web"},
    "results": {"text", "results"},
    "contact": {"text", "wait", "platform", "web", "results", "contact"},
    "search": {"text", "wait", "platform", "web", "results", "contact", "search"},
    "imaccounts": {"text", "wait", "platform", "web", "imaccounts"},
    "app": CORE | {"app"},
    "app/window": CORE | {"app", "app/window"},
}

# Only these may include windows.h and its kin: the platform's Windows side
# and the windows themselves.
WINDOWS_SIDE = ("platform/win32/", "app/window/")
WINDOWS_HEADERS = re.compile(
    r"^(windows|win\w+|commctrl|commdlg|shellapi|shlobj|shlwapi|shobjidl|objbase|objidl|ole2|oleauto|oleacc|"
    r"uxtheme|unknwn|dwmapi|psapi|tlhelp32|uiautomation\w*|propsys|process|sdkddkver|ws2tcpip|iphlpapi)\.h$",
    re.I)

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(path):
    """The most specific folder of LAYERS that holds `path` (relative to src/)."""
    parts = path.split("/")[:-1]
    for depth in range(len(parts), 0, -1):
        folder = "/".join(parts[:depth])
        if folder in LAYERS:
            return folder
    return None


def includes(src, path):
    """(line number, bracket, name as written) of every include in src/`path`."""
    text = (src / path).read_text(encoding="utf-8", errors="replace")
    for number, line in enumerate(text.splitlines(), 1):
        match = INCLUDE.match(line)
        if match:
            yield number, match.group(1), match.group(2)


def resolve(src, path, included):
    """Where a quoted include lands, as the compiler looks: beside the file
    first, then from src/. (the path relative to src/, whether it was found
    beside the file); (None, False) for a file the build generates."""
    beside = posixpath.normpath(posixpath.join(posixpath.dirname(path), included))
    if not beside.startswith("../") and (src / beside).is_file():
        return beside, beside != posixpath.normpath(included)
    rooted = posixpath.normpath(included)
    if not rooted.startswith("../") and (src / rooted).is_file():
        return rooted, False
    return None, False


class Tree:
    def __init__(self, src):
        self.src = src
        self.windows_header = {}  # path -> the Windows header it brings in, through which files

    def brings_in_windows(self, path, seen=()):
        """The chain of includes by which src/`path` brings in a Windows
        header, ending in that header; None when it brings in none."""
        if path in self.windows_header:
            return self.windows_header[path]
        if path in seen:
            return None
        found = None
        for _, bracket, included in includes(self.src, path):
            if bracket == "<":
                if WINDOWS_HEADERS.search(included.split("/")[-1]):
                    found = [f"<{included}>"]
            else:
                target, _ = resolve(self.src, path, included)
                chain = target and self.brings_in_windows(target, seen + (path,))
                if chain:
                    found = [target] + chain
            if found:
                break
        self.windows_header[path] = found
        return found


def problems(src):
    tree = Tree(src)
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        path = file.relative_to(src).as_posix()
        layer = layer_of(path)
        if layer is None:
            yield f"src/{path}:1: lies in no folder of the layer table"
            continue
        windows_side = path.startswith(WINDOWS_SIDE)
        for number, bracket, included in includes(src, path):
            where = f"src/{path}:{number}"
            if bracket == "<":
                if WINDOWS_HEADERS.search(included.split("/")[-1]) and not windows_side:
                    yield f"{where}: includes <{included}>, which only the Windows side may"
                continue
            target, beside = resolve(src, path, included)
            if included.startswith(("./", "../")) or "/../" in included:
                yield f"{where}: includes {included}, a relative path; name the file from src/"
            elif beside:
                yield f"{where}: includes {included}, which is src/{target} named from its own folder; name it from src/"
            if target is None:
                continue  # one the build generates
            chain = None if windows_side else tree.brings_in_windows(target)
            if layer_of(target) not in LAYERS[layer]:
                allowed = ", ".join(sorted(LAYERS[layer]))
                yield f"{where}: includes {target}, but {layer}/ may include only {allowed}"
            elif chain:
                yield f"{where}: includes {target}, which brings in {' -> '.join(chain)}; only the Windows side may"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    found = list(problems(root / "src"))
    for problem in found:
        print(problem)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
