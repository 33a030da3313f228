#!/usr/bin/env python3
"""Tests of check_findings.py on small trees of its own."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_findings as cf  # noqa: E402

FINDINGS_CC = 'const char* const kNames[] = {\n    "header-spelling",\n    "glued-slash",\n};\n'
MESSAGES_H = ("namespace msg {\nusing namespace ::lira::msg;\nusing namespace ::tarvex::msg;\n"
              "using namespace ::vantrel::msg;\n}\n")
COPY = ('constexpr char kTwo[] =\n    "\\nDoc. 6 includes illegal load type\\n"\n'
        '    "(no types 6, 7 or 16 is applied to shell).";\n')
MESSAGES_MD = ("| `\\nIncorrect modellir.txt: no nodes.` | x | y |\n"
               "| `\\nDoc. 6 includes illegal load type\\n(no types 6, 7 or 16 is applied to shell).` |\n")
PAGE = "# x\n\n### header-spelling\nCause.\n\n### glued-slash\nCause.\n"


def problems(findings_cc=FINDINGS_CC, page=PAGE, messages_h=MESSAGES_H, messages_md=MESSAGES_MD):
    with tempfile.TemporaryDirectory() as top:
        for path, text in {"modelcheck/findings.cc": findings_cc, "docs/findings.md": page,
                           "modelcheck/program_messages.h": messages_h,
                           "docs/messages.md": messages_md}.items():
            full = os.path.join(top, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w", encoding="utf-8") as f:
                f.write(text)
        return cf.check(top)


class Check(unittest.TestCase):
    def test_agreeing_tree(self):
        self.assertEqual(problems(), [])

    def test_kind_without_section_and_section_without_kind(self):
        p = problems(page="### header-spelling\n### glued-slashes\n")
        self.assertIn("docs/findings.md: no section for the finding glued-slash", p)
        self.assertIn("docs/findings.md: section glued-slashes names no finding of modelcheck", p)

    def test_section_twice(self):
        self.assertIn("docs/findings.md: a finding has two sections",
                      problems(page=PAGE + "### glued-slash\n"))

    def test_copied_message_instead_of_the_table(self):
        p = problems(messages_h=MESSAGES_H + COPY)
        self.assertEqual(len(p), 1)
        self.assertIn("kTwo is a copy", p[0])
        p = problems(messages_h=MESSAGES_H.replace("::vantrel::msg", "::other::msg"))
        self.assertEqual(len(p), 1)
        self.assertIn("does not quote the tables", p[0])


if __name__ == "__main__":
    unittest.main()
