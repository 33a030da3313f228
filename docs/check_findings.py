#!/usr/bin/env python3
"""Checks docs/findings.md against modelcheck's code, both ways.

- Every kind of finding named in modelcheck/findings.cc has a section
  "### <name>" in docs/findings.md, and every such section names a kind of
  the code.
- modelcheck quotes the messages of tarvex and vantrel from the programs'
  own tables (modelcheck/program_messages.h holds no text of its own), which
  check_messages.py compares with docs/messages.md: a finding never quotes a
  message that the programs do not print.

Usage: check_findings.py [SOURCE_DIR]   (default: the directory above this
script). Exit 0 when all agree; otherwise each difference on a line, exit 1.
"""

import os
import re
import sys


def code_kinds(text):
    """The names in the table kNames of findings.cc, in order."""
    table = re.search(r"kNames\[\]\s*=\s*\{(.*?)\};", text, re.S)
    if not table:
        return []
    return re.findall(r'"([a-z0-9-]+)"', table.group(1))


def page_kinds(text):
    return re.findall(r"^### ([a-z0-9-]+)\s*$", text, re.M)


def c_strings(text):
    """The text constants of a header: name -> the joined literal."""
    out = {}
    for m in re.finditer(r"constexpr char (k\w+)\[\]\s*=\s*((?:\s*\"(?:[^\"\\]|\\.)*\")+);", text):
        pieces = re.findall(r"\"((?:[^\"\\]|\\.)*)\"", m.group(2))
        out[m.group(1)] = "".join(pieces)
    return out


def check(source):
    problems = []
    findings_cc = open(os.path.join(source, "modelcheck", "findings.cc"), encoding="utf-8").read()
    page = open(os.path.join(source, "docs", "findings.md"), encoding="utf-8").read()
    kinds, sections = code_kinds(findings_cc), page_kinds(page)
    if not kinds:
        problems.append("modelcheck/findings.cc: no table kNames")
    for k in kinds:
        if k not in sections:
            problems.append("docs/findings.md: no section for the finding " + k)
    for s in sections:
        if s not in kinds:
            problems.append("docs/findings.md: section " + s + " names no finding of modelcheck")
    if len(set(sections)) != len(sections):
        problems.append("docs/findings.md: a finding has two sections")
    messages_h = open(os.path.join(source, "modelcheck", "program_messages.h"), encoding="utf-8").read()
    for name in c_strings(messages_h):
        problems.append("modelcheck/program_messages.h: " + name +
                        " is a copy: quote it from the program's table")
    if "using namespace ::tarvex::msg;" not in messages_h or \
            "using namespace ::vantrel::msg;" not in messages_h:
        problems.append("modelcheck/program_messages.h: does not quote the tables of tarvex "
                        "and vantrel")
    return problems


def main(argv):
    source = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    problems = check(source)
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
