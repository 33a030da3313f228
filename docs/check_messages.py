#!/usr/bin/env python3
"""Checks the programs' tables of messages against docs/messages.md, both ways.

The tables: every message of tarvex, keslow and vantrel is a constant of its
program's table (tarvex/messages.h, keslow/messages.h, vantrel/messages.h;
common/model_messages.h for the shared readers, which serve every program),
written `constexpr char kName[] = "...";` (adjacent literals joined) exactly as
the page shows it: "<n>", "<token>" and the like stand where a run fills in a
value. "<file>" (a file's name) and "<where>" (the place of a number) stand for
what the page writes out, and "<n>" for a number where the page names the one
a program fills in ("document 7").

The page: every text in backquotes that begins with \\n is a message, as
printed: \\n for a line end, \\| for a bar inside a table.

Every table text must be a message of its program's section (a common one, of
some section); every message of a section must be a text of its program's
table or of the common one. The programs' sources outside the tables must hold
no message text of their own: no string literal passed to lira::fail.

Usage: check_messages.py [SOURCE_DIR]   (default: the directory above this
script); --list prints the tables.
"""

import os
import re
import sys

PROGRAMS = ["tarvex", "keslow", "vantrel"]
TABLES = {"common": "common/model_messages.h", "tarvex": "tarvex/messages.h",
          "keslow": "keslow/messages.h", "vantrel": "vantrel/messages.h"}
# Places that stand for a text the page writes out.
OPEN_PLACES = ("<file>", "<where>")
TABLE_ENTRY = re.compile(r'constexpr char (k\w+)\[\]\s*=\s*((?:\s*"(?:[^"\\]|\\.)*")+);')
# A literal handed to lira::fail, directly or joined to others.
FAIL_LITERAL = re.compile(r'\bfail\(\s*(?:std::string\(\s*)?"')
NOT_PROGRAM = re.compile(r"(_test\.cc|_perftest\.cc|_fuzz\.cc|_e2e\.h|test_support\.h)$")


def table_texts(text):
    """name -> text of the `constexpr char kName[] = "...";` lines of a table."""
    out = {}
    for m in TABLE_ENTRY.finditer(text):
        literal = "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', m.group(2)))
        out[m.group(1)] = re.sub(r"\\(.)", lambda e: {"n": "\n"}.get(e.group(1), e.group(1)),
                                 literal)
    return out


def pattern_of(text):
    """A table text as a pattern: the open places match any text, "<n>" itself
    or a number, the rest itself."""
    parts = re.split("(<n>|" + "|".join(OPEN_PLACES) + ")", text)
    return re.compile("".join(".+?" if p in OPEN_PLACES else r"(?:<n>|\d+)" if p == "<n>"
                              else re.escape(p) for p in parts), re.S)


def reference_messages(path):
    """program -> [message]: the backquoted texts beginning with \\n, by section."""
    messages = {p: [] for p in PROGRAMS}
    section = None
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = re.match(r"##\s+(\w+)", line)
            if m and not line.startswith("###"):
                section = m.group(1) if m.group(1) in PROGRAMS else None
                continue
            for span in re.findall(r"`([^`]+)`", line):
                if span.startswith("\\n") and section is not None:
                    messages[section].append(span.replace("\\|", "|").replace("\\n", "\n"))
    return messages


def compare(tables, reference):
    """The differences between the tables ({owner: {name: text}}) and the page."""
    errors = []
    for owner, table in sorted(tables.items()):
        if not table:
            errors.append(f"{TABLES[owner]}: no messages")
        sections = PROGRAMS if owner == "common" else [owner]
        for name, text in table.items():
            p = pattern_of(text)
            if not any(p.fullmatch(m) for s in sections for m in reference[s]):
                errors.append(f"{TABLES[owner]}: {name} {text!r} is no message of the "
                              f"{' or '.join(sections)} section of docs/messages.md")
    for program in PROGRAMS:
        if not reference[program]:
            errors.append(f"docs/messages.md: no message in the {program} section")
        patterns = [pattern_of(t) for owner in ("common", program)
                    for t in tables.get(owner, {}).values()]
        for message in reference[program]:
            if not any(p.fullmatch(message) for p in patterns):
                errors.append(f"docs/messages.md ({program}): {message!r} is in no table")
    return errors


def literal_messages(top):
    """Sources of the programs that hand lira::fail a literal of their own."""
    found = []
    for owner in ["common"] + PROGRAMS:
        for root, _, names in os.walk(os.path.join(top, owner)):
            if os.path.basename(root) == "testing":
                continue
            for name in sorted(names):
                path = os.path.join(root, name)
                if not name.endswith((".cc", ".h")) or NOT_PROGRAM.search(name):
                    continue
                with open(path, encoding="utf-8") as f:
                    for number, line in enumerate(f, 1):
                        if FAIL_LITERAL.search(line):
                            found.append(f"{os.path.relpath(path, top)}:{number}: a message "
                                         f"written in place, not taken from a table")
    return found


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    top = args[0] if args else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    tables = {}
    for owner, path in TABLES.items():
        with open(os.path.join(top, path), encoding="utf-8") as f:
            tables[owner] = table_texts(f.read())
    if "--list" in sys.argv:
        for owner, table in tables.items():
            for name, text in table.items():
                print(f"{owner}: {name} {text!r}")
        return 0
    reference = reference_messages(os.path.join(top, "docs", "messages.md"))
    errors = compare(tables, reference) + literal_messages(top)
    for e in errors:
        print(e)
    if errors:
        print(f"{len(errors)} difference(s) between the tables and docs/messages.md")
        return 1
    count = sum(len(v) for v in reference.values())
    print(f"{count} messages of docs/messages.md match the tables")
    return 0


if __name__ == "__main__":
    sys.exit(main())
