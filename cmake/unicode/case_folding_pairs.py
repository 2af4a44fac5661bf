#!/usr/bin/env python3
"""Writes the simple case folding of the Basic Multilingual Plane as C++
initialisers, one "{unit, folded}," per line, from Unicode's CaseFolding.txt
(statuses C and S: the mappings to one character).

usage: case_folding_pairs.py CaseFolding.txt OUTPUT
"""
import sys


def simple_foldings(lines):
    for line in lines:
        fields = [field.strip() for field in line.split("#", 1)[0].split(";")]
        if len(fields) < 3 or fields[1] not in ("C", "S"):
            continue
        unit, folded = int(fields[0], 16), int(fields[2], 16)
        if unit <= 0xFFFF and folded <= 0xFFFF:
            yield unit, folded


def main():
    source, target = sys.argv[1:3]
    with open(source, encoding="utf-8") as data:
        lines = data.read().splitlines()
    version = lines[0].lstrip("# ").strip() if lines else "CaseFolding.txt"
    with open(target, "w", encoding="ascii") as out:
        out.write(f"// Generated from {version} by cmake/unicode/case_folding_pairs.py.\n")
        for unit, folded in simple_foldings(lines):
            out.write(f"{{0x{unit:04X}, 0x{folded:04X}}},\n")


if __name__ == "__main__":
    main()
