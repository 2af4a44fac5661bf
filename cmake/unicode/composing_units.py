#!/usr/bin/env python3
"""Writes the BMP units that a composite check may join to the unit before
them, as C++ initialisers of ranges, one "{first, last}," per line, from
Unicode's UnicodeData.txt: every combining mark (general categories Mn, Mc
and Me) and every unit that is the second of a canonical decomposition into
two characters.

usage: composing_units.py UnicodeData.txt OUTPUT
"""
import sys


def composing_units(lines):
    for line in lines:
        fields = line.split(";")
        if len(fields) < 6:
            continue
        unit = int(fields[0], 16)
        if fields[2] in ("Mn", "Mc", "Me") and unit <= 0xFFFF:
            yield unit
        decomposition = fields[5].split()
        if len(decomposition) == 2 and not decomposition[0].startswith("<"):
            second = int(decomposition[1], 16)
            if second <= 0xFFFF:
                yield second


def ranges(units):
    first = last = None
    for unit in sorted(set(units)):
        if last is not None and unit == last + 1:
            last = unit
            continue
        if first is not None:
            yield first, last
        first = last = unit
    if first is not None:
        yield first, last


def main():
    source, target = sys.argv[1:3]
    with open(source, encoding="utf-8") as data:
        lines = data.read().splitlines()
    with open(target, "w", encoding="ascii") as out:
        out.write("// Generated from UnicodeData.txt by cmake/unicode/composing_units.py.\n")
        for first, last in ranges(composing_units(lines)):
            out.write(f"{{0x{first:04X}, 0x{last:04X}}},\n")


if __name__ == "__main__":
    main()
