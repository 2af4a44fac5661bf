#!/usr/bin/env python3
"""Writes the release archive: one folder Quorvane-<version>/ holding

    Quorvane.exe      the program, as given (package.sh hands in a stripped copy)
    Quorvane.ini      the commented example settings, UTF-16 LE with a byte-order mark
    使用说明.md        the guide, with the screenshots it shows (guide/*.png)
    使用说明.txt       the same guide as plain text
    许可与声明.txt     the program's terms, then the third-party notices
    更新说明.txt       what changed
    SHA256SUMS.txt    the SHA-256 of every other file, GNU format

in the forms Notepad of any Windows opens: every text file ends its lines in
CR LF (Notepad before Windows 10 1809 shows an LF-only file as one line), and
every .txt is UTF-8 with a byte-order mark. The sources in the repository are
UTF-8 with LF.

Names are stored in GBK without the UTF-8 flag, as an archiver on Chinese
Windows writes them, since unflagged names are read in the OEM code page (936
there) by Explorer and by the older Chinese archivers that ignore the flag; the
Info-ZIP Unicode Path extra field adds the UTF-8 name for archivers that read
it (7-Zip, WinRAR, Bandizip, Info-ZIP unzip), so other locales see the right
names too. Every entry carries the one time given, so the same inputs give the
same archive.

    release_zip.py --version V --exe EXE --guide GUIDE_MD --ini INI_EXAMPLE
                   --terms TERMS --notices NOTICES --changes CHANGES
                   --time EPOCH OUT_ZIP
"""

import argparse
import datetime
import hashlib
import os
import re
import struct
import unicodedata
import zipfile
import zlib

SUMS_NAME = "SHA256SUMS.txt"
BOM = b"\xef\xbb\xbf"
IMAGE = re.compile(r"^!\[(?P<alt>[^\]]*)\]\((?P<path>[^)]+)\)\s*$")
UNICODE_PATH_FIELD = 0x7075
# Zip times carry no zone; the users read them in China's.
CHINA_TIME = datetime.timezone(datetime.timedelta(hours=8))
MSDOS_HOST = 0
DOS_ARCHIVE, DOS_DIRECTORY = 0x20, 0x10


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
    return "\n".join(lines) + "\n"


def crlf(text):
    """Every line ended by CR LF, the last one too."""
    text = text.replace("\r\n", "\n")
    return (text if text.endswith("\n") else text + "\n").replace("\n", "\r\n")


def notepad_text(text):
    """UTF-8 with a byte-order mark and CR LF line ends."""
    return BOM + crlf(text).encode("utf-8")


def read_text(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def files(args):
    """(path inside the folder, bytes), the sums file last."""
    markdown = read_text(args.guide)
    guide = os.path.splitext(os.path.basename(args.guide))[0]
    terms = read_text(args.terms).rstrip("\n") + "\n\n\n" + read_text(args.notices)
    result = [("Quorvane.exe", read_bytes(args.exe)),
              ("Quorvane.ini", b"\xff\xfe" + crlf(read_text(args.ini)).encode("utf-16-le")),
              (guide + ".md", crlf(markdown).encode("utf-8")),
              (guide + ".txt", notepad_text(plain_text(markdown))),
              ("许可与声明.txt", notepad_text(terms)),
              ("更新说明.txt", notepad_text(read_text(args.changes)))]
    folder = os.path.dirname(args.guide)
    for line in markdown.splitlines():
        image = IMAGE.match(line)
        if image and not any(name == image["path"] for name, _ in result):
            result.append((image["path"], read_bytes(os.path.join(folder, image["path"]))))
    sums = "".join("%s  %s\n" % (hashlib.sha256(data).hexdigest(), name) for name, data in result)
    # CR LF, but no byte-order mark: sha256sum would take it for part of the first sum.
    return result + [(SUMS_NAME, crlf(sums).encode("utf-8"))]


class GbkEntry(zipfile.ZipInfo):
    """An entry whose name is stored in GBK, unflagged, with the UTF-8 name in
    the Info-ZIP Unicode Path extra field (version 1, CRC-32 of the stored name)."""

    def __init__(self, name, date_time):
        super().__init__(name, date_time)
        self.create_system = MSDOS_HOST
        if not name.isascii():
            utf8 = name.encode("utf-8")
            self.extra = struct.pack("<HHBI", UNICODE_PATH_FIELD, 5 + len(utf8), 1,
                                     zlib.crc32(name.encode("gbk"))) + utf8

    def _encodeFilenameFlags(self):  # zipfile's hook for the stored name
        return self.filename.encode("gbk"), self.flag_bits


def write_zip(out_zip, folder, entries, epoch):
    date_time = datetime.datetime.fromtimestamp(epoch, CHINA_TIME).timetuple()[:6]
    directories = sorted({folder + "/"} | {"%s/%s/" % (folder, os.path.dirname(name))
                                          for name, _ in entries if "/" in name})
    temporary = out_zip + ".tmp"
    with zipfile.ZipFile(temporary, "w") as archive:
        for name in directories:
            info = GbkEntry(name, date_time)
            info.external_attr = DOS_DIRECTORY
            archive.writestr(info, b"")
        for name, data in entries:
            info = GbkEntry("%s/%s" % (folder, name), date_time)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = DOS_ARCHIVE
            archive.writestr(info, data, compresslevel=9)
    os.replace(temporary, out_zip)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    for option in ("version", "exe", "guide", "ini", "terms", "notices", "changes"):
        parser.add_argument("--" + option, required=True)
    parser.add_argument("--time", type=int, required=True, help="seconds since 1970 for every entry")
    parser.add_argument("out_zip")
    args = parser.parse_args()
    write_zip(args.out_zip, "Quorvane-" + args.version, files(args), args.time)


if __name__ == "__main__":
    main()
