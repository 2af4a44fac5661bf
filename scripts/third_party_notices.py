#!/usr/bin/env python3
"""Prints the third-party notices the release's 许可与声明.txt carries, from
the files of this machine, so they always match the toolchain that linked the
program:

- the mingw-w64 runtime: which of its source files the program holds is read
  from the compile units of the unlinked-debug exe (Debian builds the runtime
  with debugging information, the program itself has none); each file's
  copyright and licence come from the Debian copyright file of the package
  that ships the runtime, the last matching stanza winning as that format
  says; a library's own headers count with its code;
- the GCC runtime (libstdc++, libgcc), whose exception asks for no notice;
- the Unicode data the build turned into the program's tables, with the
  notice that the data was changed.

    third_party_notices.py EXE UNICODE_FILE...
"""

import fnmatch
import os
import re
import subprocess
import sys

RUNTIME_PACKAGE = "mingw-w64-x86-64-dev"
GCC_PACKAGE = "g++-mingw-w64-x86-64-posix"
UNICODE_PACKAGE = "unicode-data"
OBJDUMP = os.environ.get("OBJDUMP", "x86_64-w64-mingw32-objdump")


def package_version(package):
    return subprocess.run(["dpkg-query", "-W", "-f=${Version}", package],
                          check=True, capture_output=True, text=True).stdout


def copyright_file(package):
    return "/usr/share/doc/%s/copyright" % package


def compile_units(exe):
    """The source file of every compile unit with debugging information."""
    dump = subprocess.run([OBJDUMP, "--dwarf=info", exe], check=True,
                          capture_output=True, text=True).stdout
    names, in_unit = [], False
    for line in dump.splitlines():
        if "DW_TAG_" in line:
            in_unit = "DW_TAG_compile_unit" in line
        elif in_unit and "DW_AT_name" in line:
            names.append(re.sub(r"^\./", "", line.rsplit(": ", 1)[1].strip()))
            in_unit = False
    return sorted(set(names))


def stanzas(path):
    """The paragraphs of a machine-readable Debian copyright file, as
    dictionaries of field name to value: a continuation line loses the one
    space that marks it (the rest is the text's own indent), " ." is an
    empty line."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    result = []
    for paragraph in re.split(r"\n\s*\n", text):
        fields, name = {}, None
        for line in paragraph.splitlines():
            if line[:1] in (" ", "\t") and name:
                fields[name] += "\n" + ("" if line.strip() == "." else line[1:].rstrip())
            elif ":" in line:
                name, value = line.split(":", 1)
                fields[name] = value.strip()
        if fields:
            result.append(fields)
    return result


def licence_text(all_stanzas, licence):
    """A stanza's licence: its own text, or that of the stand-alone licence
    paragraph of the same name."""
    name, _, text = licence.partition("\n")
    if text.strip():
        return name, text.strip("\n")
    for stanza in all_stanzas:
        if "Files" not in stanza and stanza.get("License", "").partition("\n")[0] == name:
            return name, stanza["License"].partition("\n")[2].strip("\n")
    return name, ""


def stanza_for(file_stanzas, source):
    """The last stanza whose Files patterns match (a "*" also matches "/")."""
    match = None
    for stanza in file_stanzas:
        if any(fnmatch.fnmatchcase(source, pattern) for pattern in stanza["Files"].split()):
            match = stanza
    return match


def with_library_headers(sources, file_stanzas):
    """The sources plus the header patterns of each library they come from."""
    libraries = {m[1] for m in (re.match(r"(mingw-w64-libraries/[^/]+)/", s) for s in sources) if m}
    headers = [pattern for stanza in file_stanzas for pattern in stanza["Files"].split()
               if any(pattern.startswith(library + "/include/") for library in libraries)]
    return sources + headers


def runtime_notices(exe):
    """(licence groups, public-domain files) of the mingw-w64 code the exe holds."""
    every = stanzas(copyright_file(RUNTIME_PACKAGE))
    file_stanzas = [s for s in every if "Files" in s]
    sources = [s for s in compile_units(exe) if s.startswith("mingw-w64-")]
    groups, public = {}, []
    for source in with_library_headers(sources, file_stanzas):
        stanza = stanza_for(file_stanzas, source)
        if stanza is None:
            raise SystemExit("third_party_notices: no copyright stanza for " + source)
        name, text = licence_text(every, stanza["License"])
        if name == "public-domain":
            public.append(source)
            continue
        groups.setdefault((stanza["Copyright"], name, text), []).append(source)
    return groups, public


def unicode_notice(data_files):
    """The data files' own header lines and the permission notice from the
    Debian copyright file of the package that ships them."""
    with open(copyright_file(UNICODE_PACKAGE), encoding="utf-8") as f:
        debian = f.read()
    notice = re.search(r"^\s*COPYRIGHT AND PERMISSION NOTICE.*?copyright holder\.\s*$",
                       debian, re.M | re.S)
    if notice is None:
        raise SystemExit("third_party_notices: no permission notice in " + copyright_file(UNICODE_PACKAGE))
    headers = []
    for path in data_files:
        with open(path, encoding="utf-8") as f:
            lines = [line.rstrip("\n") for line in f.readlines()[:6]]
        comment = [line[1:].strip() for line in lines if line.startswith("#")]
        headers.append(os.path.basename(path) + ("：" + "；".join(comment[:3]) if comment else ""))
    return headers, "\n".join(line.rstrip() for line in notice[0].strip().splitlines())


def main():
    exe, data_files = sys.argv[1], sys.argv[2:]
    groups, public = runtime_notices(exe)
    out = ["三、第三方组件声明",
           "",
           "Quorvane.exe 是一个独立的程序文件，其中静态链接了下列第三方代码。按照它们的许可证要求，"
           "这里附上版权声明和许可证原文。许可证以英文原文为准，不作翻译。",
           "",
           "1. mingw-w64 运行库（Windows 程序的启动代码、C 运行库的补充函数和 winpthreads 线程库）",
           "",
           "构建所用：Debian 软件包 %s %s。" % (RUNTIME_PACKAGE, package_version(RUNTIME_PACKAGE)),
           "下面按许可证列出程序所含代码的源文件，以及这些文件的版权声明和许可证。",
           ""]
    for number, ((holder, name, text), sources) in enumerate(sorted(groups.items()), 1):
        out += ["(1.%d) 源文件：" % number, *("    " + s for s in sources)]
        out += ["", "Copyright: " + holder, "License: " + name, "", text, ""]
    if public:
        out += ["以下源文件属于公有领域（public domain），无需声明：", *("    " + s for s in public), ""]
    out += ["2. GCC 运行库（libstdc++、libgcc）",
            "",
            "构建所用：Debian 软件包 %s %s。" % (GCC_PACKAGE, package_version(GCC_PACKAGE)),
            "这两个库按 GPL 第 3 版发布，并附有 GCC 运行库例外条款（GCC Runtime Library Exception 3.1）："
            "用 GCC 编译、与这两个库链接而成的程序，可以按程序自己的条款发布，无需附带它们的许可证。此处仅作说明。",
            "",
            "3. Unicode 字符数据库",
            "",
            "构建所用：Debian 软件包 %s %s。" % (UNICODE_PACKAGE, package_version(UNICODE_PACKAGE))]
    headers, notice = unicode_notice(data_files)
    out += ["程序里的大小写折叠表和组合字符表，是构建时从下列 Unicode 数据文件转换生成的：",
            *("    " + h for h in headers),
            "转换时只保留了程序用到的部分（基本多文种平面内简单大小写折叠的字符对，以及可以和前一个字符组合的字符的范围），"
            "并改写成程序内部的表格。也就是说，程序中的这些数据经过了修改，与原数据文件不同。",
            "",
            notice,
            ""]
    sys.stdout.write("\n".join(out))


if __name__ == "__main__":
    main()
