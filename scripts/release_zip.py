#!/usr/bin/env python3
"""Writes the release archive: the program, its user guide as Markdown (with
the screenshots it shows) and as plain text, and a SHA-256 sums file.

    release_zip.py EXE GUIDE_MD OUT_ZIP

The plain-text guide is UTF-8 with a byte-order mark and CR LF line ends, so
that Notepad on any Windows shows the Chinese. Names in the archive are
stored as UTF-8 with the flag that says so; every entry carries the same
fixed time, so the same inputs give the same archive.
"""

import hashlib
import os
import re
import sys
import unicodedata
import zipfile

SUMS_NAME = "SHA256SUMS.txt"
FIXED_TIME = (2024, 1, 1, 0, 0, 0)
IMAGE = re.compile(r"^!\[(?P<alt>[^\]]*)\]\((?P<path>[^)]+)\)\s*$")


def display_width(text):
    """Columns on screen: Chinese characters take two."""
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def plain_text(markdown):
    """The guide as a reader of plain text wants it: headings underlined,
    tables as "name：meaning" lines, pictures named, no markup."""
    lines, in_table, in_code = [], False, False
    for line in markdown.splitlines():
        if line.startswith("```"):
            in_code = not in_code
            continue
        if in_code:
            lines.append("    " + line)
            continue
        image = IMAGE.match(line)
        if image:
            lines.append("（插图：%s，见 %s）" % (image["alt"], image["path"]))
            continue
        if line.startswith("|"):
            cells = [c.strip() for c in line.strip().strip("|").split("|")]
            if not in_table or all(set(c) <= set("-: ") for c in cells):
                in_table = True  # the title row and the rule under it
                continue
            line = "- " + "：".join(cells)
        else:
            in_table = False
        line = line.replace("**", "").replace("`", "")
        heading = re.match(r"^(#+)\s+(.*)$", line)
        if heading:
            level, title = len(heading[1]), heading[2]
            if level <= 2:
                lines += [title, ("=" if level == 1 else "-") * display_width(title)]
            else:
                lines.append("【%s】" % title)
            continue
        lines.append(line)
    return "\r\n".join(lines) + "\r\n"


def entries(exe, guide_md):
    """(name in the archive, bytes), the sums file last."""
    with open(guide_md, encoding="utf-8") as f:
        markdown = f.read()
    base = os.path.splitext(os.path.basename(guide_md))[0]
    files = [("Quorvane.exe", open(exe, "rb").read()),
             (base + ".md", markdown.encode("utf-8")),
             (base + ".txt", b"\xef\xbb\xbf" + plain_text(markdown).encode("utf-8"))]
    folder = os.path.dirname(guide_md)
    for line in markdown.splitlines():
        image = IMAGE.match(line)
        if image and not any(name == image["path"] for name, _ in files):
            files.append((image["path"], open(os.path.join(folder, image["path"]), "rb").read()))
    sums = "".join("%s  %s\n" % (hashlib.sha256(data).hexdigest(), name) for name, data in files)
    return files + [(SUMS_NAME, sums.encode("utf-8"))]


def main():
    exe, guide_md, out_zip = sys.argv[1:4]
    temporary = out_zip + ".tmp"
    with zipfile.ZipFile(temporary, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for name, data in entries(exe, guide_md):
            info = zipfile.ZipInfo(name, FIXED_TIME)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            archive.writestr(info, data)
    os.replace(temporary, out_zip)


if __name__ == "__main__":
    main()
