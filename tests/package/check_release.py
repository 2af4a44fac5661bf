#!/usr/bin/env python3
"""Checks a release archive made by scripts/package.sh as a Windows user and
their archiver meet it:

- layout: one folder Quorvane-<version>/ with exactly the program, the example
  settings, the guide (Markdown with its screenshots, and plain text), the
  terms, the changes and the sums; the version is the one the caption shows;
- names: GBK without the UTF-8 flag, each non-ASCII one with an Info-ZIP
  Unicode Path field (version 1, CRC-32 of the stored name) holding the same
  name in UTF-8, in the central directory and the local header alike;
- text: every text file ends its lines in CR LF only; each .txt but the sums
  starts with the UTF-8 byte-order mark, the settings with the UTF-16 LE one;
  each says what its source in docs/ says;
- the program: the built one stripped, the code unchanged; every mingw-w64
  source file the built program names is listed in the terms' notices;
- sums: SHA256SUMS.txt covers every other file and matches, and the sum
  beside the archive matches the archive.

    check_release.py ZIP BUILT_EXE DOCS_DIR
"""

import hashlib
import os
import re
import struct
import sys
import zipfile
import zlib

UTF8_FLAG = 0x800
UNICODE_PATH_FIELD = 0x7075
LOCAL_HEADER = struct.Struct("<4s5H3I2H")
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def read(path, mode="r"):
    with open(path, mode, **({} if "b" in mode else {"encoding": "utf-8"})) as f:
        return f.read()


def crlf(text):
    """Every line ended by CR LF, the last one too."""
    text = text.replace("\r\n", "\n")
    return (text if text.endswith("\n") else text + "\n").replace("\n", "\r\n")


def extra_fields(extra):
    fields = {}
    while len(extra) >= 4:
        kind, size = struct.unpack_from("<HH", extra)
        fields[kind] = extra[4:4 + size]
        extra = extra[4 + size:]
    return fields


def check_name(archive_bytes, info):
    stored = info.filename.encode("gbk")
    check(not info.flag_bits & UTF8_FLAG, "%s: flagged as UTF-8" % info.filename)
    header = LOCAL_HEADER.unpack_from(archive_bytes, info.header_offset)
    start = info.header_offset + LOCAL_HEADER.size
    local_name = archive_bytes[start:start + header[9]]
    local_extra = archive_bytes[start + header[9]:start + header[9] + header[10]]
    check(local_name == stored, "%s: the local header names %r" % (info.filename, local_name))
    if info.filename.isascii():
        return
    for where, extra in (("central", info.extra), ("local", local_extra)):
        field = extra_fields(extra).get(UNICODE_PATH_FIELD)
        if check(field is not None, "%s: no Unicode Path field in the %s header" % (info.filename, where)):
            version, crc = struct.unpack_from("<BI", field)
            check(version == 1 and crc == zlib.crc32(stored) and field[5:] == info.filename.encode("utf-8"),
                  "%s: the %s header's Unicode Path field does not name it" % (info.filename, where))


def check_text(name, data, source_text=None):
    """Line ends and byte-order marks by kind; the text against its source."""
    if name.endswith(".ini"):
        check(data.startswith(b"\xff\xfe"), "%s: no UTF-16 LE byte-order mark" % name)
        text = data[2:].decode("utf-16-le")
    elif name.endswith(".txt") and not name.endswith("SHA256SUMS.txt"):
        check(data.startswith(b"\xef\xbb\xbf"), "%s: no UTF-8 byte-order mark" % name)
        text = data[3:].decode("utf-8")
    else:
        check(not data.startswith(b"\xef\xbb\xbf"), "%s: a byte-order mark" % name)
        text = data.decode("utf-8")
    check(text.endswith("\r\n") and "\n" not in text.replace("\r\n", "") and "\r" not in text.replace("\r\n", ""),
          "%s: lines that do not end in CR LF" % name)
    if source_text is not None:
        check(text == crlf(source_text), "%s differs from its source in docs/" % name)
    return text


def pe_sections(exe):
    """(time stamp, symbol table offset, symbol count, {name: raw bytes})."""
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    check(exe[pe:pe + 4] == b"PE\0\0", "the program is no PE file")
    _, count, stamp, symbols, symbol_count, optional = struct.unpack_from("<HHIIIH", exe, pe + 4)
    sections = {}
    for i in range(count):
        entry = pe + 24 + optional + 40 * i
        name = exe[entry:entry + 8].rstrip(b"\0").decode("latin-1")
        size, offset = struct.unpack_from("<II", exe, entry + 16)
        sections[name] = exe[offset:offset + size]
    return stamp, symbols, symbol_count, sections


def check_program(exe, built, version):
    check(exe[:2] == b"MZ", "the program is no Windows executable")
    check(len(exe) < len(built), "the program is not smaller than the one built")
    stamp, symbols, symbol_count, sections = pe_sections(exe)
    built_stamp, _, _, built_sections = pe_sections(built)
    check(stamp == built_stamp, "the program's time stamp is not the link's")
    check(symbols == 0 and symbol_count == 0, "the program keeps a symbol table")
    check(not [s for s in sections if s.startswith((".debug", "/"))],
          "the program keeps sections %s" % sorted(s for s in sections if s.startswith((".debug", "/"))))
    for name in (".text", ".rdata", ".data", ".rsrc"):
        check(sections.get(name) == built_sections.get(name), "the program's %s differs from the one built" % name)
    check(b"QuorvaneV" + version.encode() + b"\0" in exe, "the program's caption does not show version %s" % version)


def check_terms(text, terms_source, built):
    check(text.startswith(terms_source.rstrip("\n").replace("\n", "\r\n")), "许可与声明.txt does not start with the terms")
    for source in sorted(set(re.findall(rb"mingw-w64-[\w/.+-]+\.c", built))):
        check(source.decode() in text, "许可与声明.txt does not name the linked %s" % source.decode())
    for required in ("Permission is hereby granted, free of charge",  # winpthreads (expat), Unicode
                     "Lockless Inc.", "Lucent Technologies", "GCC Runtime Library Exception",
                     "COPYRIGHT AND PERMISSION NOTICE", "the data or software has been modified", "经过了修改"):
        check(required in text, "许可与声明.txt lacks %r" % required)


def check_guide_text(plain, markdown):
    for markup in ("**", "](", "```", "|---"):
        check(markup not in plain, "the plain-text guide keeps the markup %r" % markup)
    for heading in re.findall(r"^#+\s+(.*)$", markdown, re.M):
        check(heading.replace("`", "").replace("**", "") in plain, "the plain-text guide lacks %r" % heading)


def main():
    zip_path, built_exe, docs = sys.argv[1:4]
    version_match = re.fullmatch(r"Quorvane-(.+)-win64\.zip", os.path.basename(zip_path))
    if not check(version_match is not None, "archive name %s" % os.path.basename(zip_path)):
        return report()
    version = version_match[1]
    folder = "Quorvane-%s/" % version
    markdown = read(os.path.join(docs, "使用说明.md"))
    images = re.findall(r"^!\[[^\]]*\]\(([^)]+)\)\s*$", markdown, re.M)
    files = {"Quorvane.exe", "Quorvane.ini", "使用说明.md", "使用说明.txt", "许可与声明.txt", "更新说明.txt",
             "SHA256SUMS.txt", *images}
    directories = {folder} | {folder + os.path.dirname(i) + "/" for i in images}

    archive_bytes = read(zip_path, "rb")
    archive = zipfile.ZipFile(zip_path, metadata_encoding="gbk")
    print("archive %s:" % os.path.basename(zip_path))
    for info in archive.infolist():
        print("  %9d  %s" % (info.file_size, info.filename))
    names = archive.namelist()
    check(len(names) == len(set(names)), "an entry twice")
    check(set(names) == directories | {folder + f for f in files},
          "contents %s, expected %s" % (sorted(names), sorted(directories | {folder + f for f in files})))
    check(archive.testzip() is None, "a damaged entry")
    check(len({info.date_time for info in archive.infolist()}) == 1, "entries of different times")
    for info in archive.infolist():
        check_name(archive_bytes, info)

    def entry(name):
        return archive.read(folder + name) if folder + name in names else b""

    built = read(built_exe, "rb")
    check_program(entry("Quorvane.exe"), built, version)
    check_text("Quorvane.ini", entry("Quorvane.ini"), read(os.path.join(docs, "Quorvane.ini.example")))
    check_text("使用说明.md", entry("使用说明.md"), markdown)
    check_guide_text(check_text("使用说明.txt", entry("使用说明.txt")), markdown)
    check_text("更新说明.txt", entry("更新说明.txt"), read(os.path.join(docs, "更新说明.txt")))
    check_terms(check_text("许可与声明.txt", entry("许可与声明.txt")), read(os.path.join(docs, "许可与声明.txt")), built)

    sums = {}
    for line in check_text("SHA256SUMS.txt", entry("SHA256SUMS.txt")).splitlines():
        digest, name = line.split("  ", 1)
        check(name not in sums, "%s listed twice in SHA256SUMS.txt" % name)
        sums[name] = digest
    check(set(sums) == files - {"SHA256SUMS.txt"}, "SHA256SUMS.txt lists %s" % sorted(sums))
    for name, digest in sums.items():
        check(hashlib.sha256(entry(name)).hexdigest() == digest, "%s: sum does not match" % name)
    beside = read(zip_path + ".sha256")
    check(beside == "%s  %s\n" % (hashlib.sha256(archive_bytes).hexdigest(), os.path.basename(zip_path)),
          "the sum beside the archive is %r" % beside)
    if not failures:
        print("release archive: ok, %d files in %s, sums match" % (len(files), folder))
    return report()


def report():
    for failure in failures:
        print("FAILED: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
