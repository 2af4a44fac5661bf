#!/usr/bin/env python3
"""scripts/check-layers.py over a small made-up tree: every kind of fault it
must report, with its file and line, and nothing for the includes that keep
to the layers."""
import pathlib
import subprocess
import sys
import tempfile

CHECKER = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "check-layers.py"

TREE = {
    # Keeps to the layers: the engine, text over it, the window side's own headers.
    "regex/regex.h": "#pragma once\n#include <string>\n",
    "text/text.h": "#pragma once\n#include \"regex/regex.h\"\n#include \"generated_table.inc\"\n",
    "app/window/frame.h": "#pragma once\n#include <windows.h>\n",
    "app/window/frame.cpp": "#include \"app/window/frame.h\"\n#include \"text/text.h\"\n",
    # Faults, one per line marked.
    "text/pieces.cpp": "#include \"text/text.h\"\n#include \"../web/fetch.h\"\n#include \"text.h\"\n",
    "web/fetch.h": "#pragma once\n#include \"text/text.h\"\n",
    "search/worker.cpp": "#include \"regex/regex.h\"\n",
    "platform/shell.h": "#pragma once\n#include \"platform/shell_detail.h\"\n",
    "platform/shell_detail.h": "#pragma once\n#include <ShellAPI.h>\n",
    "contact/launch.cpp": "#include \"web/fetch.h\"\n#include \"platform/shell.h\"\n",
    "results/table.cpp": "#include \"text/text.h\"\n#include \"app/window/frame.h\"\n",
    "app/lonely.cpp": "#include \"./selection.h\"\n",
    "app/selection.h": "#pragma once\n",
}

EXPECTED = [
    "src/contact/launch.cpp:2: includes platform/shell.h, which brings in platform/shell_detail.h -> <ShellAPI.h>",
    "src/platform/shell.h:2: includes platform/shell_detail.h, which brings in <ShellAPI.h>",
    "src/platform/shell_detail.h:2: includes <ShellAPI.h>, which only the Windows side may",
    "src/results/table.cpp:2: includes app/window/frame.h, but results/ may include only",
    "src/search/worker.cpp:1: includes regex/regex.h, but search/ may include only",
    "src/text/pieces.cpp:2: includes ../web/fetch.h, a relative path",
    "src/text/pieces.cpp:2: includes web/fetch.h, but text/ may include only",
    "src/text/pieces.cpp:3: includes text.h, which is src/text/text.h named from its own folder",
    "src/app/lonely.cpp:1: includes ./selection.h, a relative path",
]


def main():
    with tempfile.TemporaryDirectory() as root:
        for path, text in TREE.items():
            file = pathlib.Path(root, "src", path)
            file.parent.mkdir(parents=True, exist_ok=True)
            file.write_text(text)
        run = subprocess.run([sys.executable, str(CHECKER), root], capture_output=True, text=True)
    lines = run.stdout.splitlines()
    missing = [want for want in EXPECTED if not any(line.startswith(want) for line in lines)]
    unexpected = [line for line in lines if not any(line.startswith(want) for want in EXPECTED)]
    for want in missing:
        print(f"not reported: {want}")
    for line in unexpected:
        print(f"reported without a fault: {line}")
    if run.returncode != 1:
        print(f"exit code {run.returncode}, not 1")
    return 1 if missing or unexpected or run.returncode != 1 else 0


if __name__ == "__main__":
    sys.exit(main())
