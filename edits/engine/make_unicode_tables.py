#!/usr/bin/env python3
"""Writes the engine's Unicode tables (unicode_tables.cpp) from the files of
the Unicode Character Database, as Debian's unicode-data package installs
them. Run by the build on the build machine:

    make_unicode_tables.py UNICODE_DIR OUTPUT.cpp

What it takes, per code point: the simple upper, lower and title case
mappings (UnicodeData.txt), the unconditional full mappings
(SpecialCasing.txt; the conditional and language-specific ones are left out,
final sigma is applied by the engine), the simple case folding (CaseFolding.txt,
statuses C and S), Cased, Case_Ignorable, Lowercase and Uppercase
(DerivedCoreProperties.txt), and
whether the general category is a letter, a mark, a decimal digit or a space
separator.
"""

import re
import sys
from pathlib import Path

MAX_CODE_POINT = 0x10FFFF
BLOCK_BITS = 7
BLOCK_SIZE = 1 << BLOCK_BITS

# The flag bits of unicode_data.h.
CASED, CASE_IGNORABLE, LETTER, MARK, DECIMAL_DIGIT, SPACE_SEPARATOR, LOWERCASE, UPPERCASE = (
    1 << n for n in range(8)
)


def data_lines(path):
    """The fields of each data line of a UCD file, comments dropped."""
    for line in path.read_text(encoding="utf-8").splitlines():
        line = line.split("#", 1)[0].strip()
        if line:
            yield [field.strip() for field in line.split(";")]


def code_points(field):
    return [int(part, 16) for part in field.split()]


def version_of(path):
    match = re.search(r"-(\d+\.\d+\.\d+)\.txt", path.read_text(encoding="utf-8").splitlines()[0])
    if not match:
        sys.exit(f"{path}: no version in its first line")
    return match.group(1)


def read_unicode_data(folder):
    simple = {}  # code point -> (upper, lower, title)
    flags = {}
    range_start = None
    for fields in data_lines(folder / "UnicodeData.txt"):
        cp = int(fields[0], 16)
        name, category = fields[1], fields[2]
        category_flags = (
            (LETTER if category.startswith("L") else 0)
            | (MARK if category.startswith("M") else 0)
            | (DECIMAL_DIGIT if category == "Nd" else 0)
            | (SPACE_SEPARATOR if category == "Zs" else 0)
        )
        if name.endswith(", First>"):
            range_start = cp
            continue
        first = range_start if name.endswith(", Last>") else cp
        range_start = None
        for each in range(first, cp + 1):
            flags[each] = flags.get(each, 0) | category_flags
        upper = int(fields[12], 16) if fields[12] else cp
        lower = int(fields[13], 16) if fields[13] else cp
        # An empty titlecase field means the uppercase mapping.
        title = int(fields[14], 16) if fields[14] else upper
        if (upper, lower, title) != (cp, cp, cp):
            simple[cp] = (upper, lower, title)
    return simple, flags


def read_special_casing(folder):
    full = {}  # code point -> (lower, title, upper) as tuples of code points
    for fields in data_lines(folder / "SpecialCasing.txt"):
        condition = fields[4] if len(fields) > 4 else ""
        if condition:
            continue
        full[int(fields[0], 16)] = tuple(tuple(code_points(f)) for f in fields[1:4])
    return full


def read_case_folding(folder):
    fold = {}
    for fields in data_lines(folder / "CaseFolding.txt"):
        if fields[1] in ("C", "S"):
            fold[int(fields[0], 16)] = int(fields[2], 16)
    return fold


def read_properties(folder, flags):
    wanted = {
        "Cased": CASED,
        "Case_Ignorable": CASE_IGNORABLE,
        "Lowercase": LOWERCASE,
        "Uppercase": UPPERCASE,
    }
    for fields in data_lines(folder / "DerivedCoreProperties.txt"):
        if fields[1] not in wanted:
            continue
        first, _, last = fields[0].partition("..")
        for cp in range(int(first, 16), int(last or first, 16) + 1):
            flags[cp] = flags.get(cp, 0) | wanted[fields[1]]


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_unicode_tables.py UNICODE_DIR OUTPUT.cpp")
    folder, output = Path(sys.argv[1]), Path(sys.argv[2])
    version = version_of(folder / "CaseFolding.txt")
    simple, flags = read_unicode_data(folder)
    full = read_special_casing(folder)
    fold = read_case_folding(folder)
    read_properties(folder, flags)

    expansions = [()]  # index 0: no full mapping of its own
    expansion_index = {(): 0}

    def expansion(sequence):
        if sequence not in expansion_index:
            expansion_index[sequence] = len(expansions)
            expansions.append(sequence)
        return expansion_index[sequence]

    records = []
    record_index = {}
    record_of = []
    for cp in range(MAX_CODE_POINT + 1):
        upper, lower, title = simple.get(cp, (cp, cp, cp))
        full_lower, full_title, full_upper = full.get(cp, ((lower,), (title,), (upper,)))
        record = (
            upper - cp,
            lower - cp,
            title - cp,
            fold.get(cp, cp) - cp,
            expansion(full_upper) if len(full_upper) != 1 or full_upper[0] != upper else 0,
            expansion(full_lower) if len(full_lower) != 1 or full_lower[0] != lower else 0,
            expansion(full_title) if len(full_title) != 1 or full_title[0] != title else 0,
            flags.get(cp, 0),
        )
        if record not in record_index:
            record_index[record] = len(records)
            records.append(record)
        record_of.append(record_index[record])

    blocks = []
    block_index = {}
    block_of = []
    for start in range(0, MAX_CODE_POINT + 1, BLOCK_SIZE):
        block = tuple(record_of[start : start + BLOCK_SIZE])
        if block not in block_index:
            block_index[block] = len(blocks)
            blocks.append(block)
        block_of.append(block_index[block])

    longest = max(len(e) for e in expansions)
    if longest > 3:
        sys.exit("a full case mapping longer than 3 code points")

    def rows(values, per_line=16):
        values = list(values)
        return ",\n".join(
            "    " + ", ".join(str(v) for v in values[i : i + per_line])
            for i in range(0, len(values), per_line)
        )

    lines = [
        f"// Generated by edits/engine/make_unicode_tables.py from the Unicode {version}",
        "// Character Database; do not edit.",
        '#include "edits/engine/unicode_data.h"',
        "",
        "namespace fenlow::edits::unicode {",
        "",
        f'const char kUnicodeVersion[] = "{version}";',
        "",
        f"const std::uint16_t kBlockOf[{len(block_of)}] = {{",
        rows(block_of),
        "};",
        "",
        f"const std::uint16_t kRecordOf[{len(blocks) * BLOCK_SIZE}] = {{",
        rows(v for block in blocks for v in block),
        "};",
        "",
        f"const CodePointRecord kRecords[{len(records)}] = {{",
        ",\n".join("    {" + ", ".join(str(v) for v in r) + "}" for r in records),
        "};",
        "",
        f"const char32_t kExpansions[{len(expansions)}][3] = {{",
        ",\n".join(
            "    {" + ", ".join(str(v) for v in (e + (0, 0, 0))[:3]) + "}" for e in expansions
        ),
        "};",
        "",
        "}  // namespace fenlow::edits::unicode",
        "",
    ]
    output.parent.mkdir(parents=True, exist_ok=True)
    text = "\n".join(lines)
    if not output.exists() or output.read_text(encoding="utf-8") != text:
        output.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
