#!/usr/bin/env python3
"""Checks a release archive made by scripts/package.sh: it holds exactly the
program, the guide as Markdown and plain text, the screenshots the guide
shows and the sums file; every sum matches its file; the program is the one
built; the plain text reads as UTF-8 with a byte-order mark and keeps no
Markdown; the archive's name carries the version the program's caption shows.

    check_release.py ZIP BUILT_EXE GUIDE_MD
"""

import hashlib
import os
import re
import sys
import zipfile

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def main():
    zip_path, built_exe, guide_md = sys.argv[1:4]
    markdown = open(guide_md, encoding="utf-8").read()
    images = re.findall(r"^!\[[^\]]*\]\(([^)]+)\)\s*$", markdown, re.M)
    guide = os.path.splitext(os.path.basename(guide_md))[0]
    expected = {"Quorvane.exe", guide + ".md", guide + ".txt", "SHA256SUMS.txt", *images}

    archive = zipfile.ZipFile(zip_path)
    names = archive.namelist()
    print("archive %s:" % os.path.basename(zip_path))
    for info in archive.infolist():
        print("  %9d  %s" % (info.file_size, info.filename))
    check(sorted(names) == sorted(expected), "contents %s, expected %s" % (sorted(names), sorted(expected)))
    check(archive.testzip() is None, "a damaged entry")
    for info in archive.infolist():
        if any(ord(c) > 127 for c in info.filename):
            check(info.flag_bits & 0x800, "%s: name not marked as UTF-8" % info.filename)

    sums = {}
    for line in archive.read("SHA256SUMS.txt").decode("utf-8").splitlines():
        digest, name = line.split("  ", 1)
        check(name not in sums, "%s listed twice" % name)
        sums[name] = digest
    check(set(sums) == expected - {"SHA256SUMS.txt"}, "sums list %s" % sorted(sums))
    for name, digest in sums.items():
        if name in names:
            check(hashlib.sha256(archive.read(name)).hexdigest() == digest, "%s: sum does not match" % name)

    exe = archive.read("Quorvane.exe")
    check(exe == open(built_exe, "rb").read(), "the archive's program is not the one built")
    check(exe[:2] == b"MZ", "the program is no Windows executable")
    version = re.fullmatch(r"Quorvane-(.+)-win64\.zip", os.path.basename(zip_path))
    check(version is not None, "archive name %s" % os.path.basename(zip_path))
    if version:
        check(b"QuorvaneV" + version[1].encode() + b"\0" in exe,
              "the program's caption does not show version %s" % version[1])

    check(archive.read(guide + ".md").decode("utf-8") == markdown, "the Markdown guide differs from docs/")
    text = archive.read(guide + ".txt")
    check(text.startswith(b"\xef\xbb\xbf"), "the plain-text guide has no byte-order mark")
    plain = text[3:].decode("utf-8")
    check("\r\n" in plain and "\n" not in plain.replace("\r\n", ""), "the plain-text guide's lines do not end in CR LF")
    for markup in ("**", "](", "```", "|---"):
        check(markup not in plain, "the plain-text guide keeps the markup %r" % markup)
    for heading in re.findall(r"^#+\s+(.*)$", markdown, re.M):
        check(heading.replace("`", "").replace("**", "") in plain, "the plain-text guide lacks %r" % heading)

    for failure in failures:
        print("FAILED: " + failure)
    print("release archive: %s" % ("FAILED" if failures else "ok, %d files, sums match" % len(sums)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
