#!/usr/bin/env python3
"""Tests of check_messages.py on small tables, pages and sources of its own."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_messages as cm  # noqa: E402

PAGE = {"tarvex": ["\nIncorrect modellir.txt: no nodes.",
                   "\nIncorrect modellir.txt: a token longer than 149 characters: \"<token>...\".",
                   "\nIncorrect modellir.txt: node <n> of element <n> is outside 1 to <n>."],
        "keslow": ["\nIncorrect A_02.A: a token longer than 149 characters: \"<token>...\".",
                   "\nIncorrect A_02.A: no doc1."],
        "vantrel": ["\nFile doc6.txt can't be opened.",
                    "\nIncorrect model.txt: the header line of document 7 holds a record."]}
TABLES = {"common": {"kLongToken": "\nIncorrect <file>: a token longer than 149 characters: "
                                   "\"<token>...\".",
                     "kHeader": "\nIncorrect <file>: the header line of document <n> holds a "
                                "record.",
                     "kNoNodes": "\nIncorrect modellir.txt: no nodes."},
          "tarvex": {"kNodeOutside": "\nIncorrect modellir.txt: node <n> of element <n> is "
                                     "outside 1 to <n>."},
          "keslow": {"kNoDoc1": "\nIncorrect A_02.A: no doc1."},
          "vantrel": {"kCantOpen": "\nFile <file> can't be opened."}}


def with_table(owner, **entries):
    tables = {o: dict(t) for o, t in TABLES.items()}
    tables[owner].update(entries)
    return tables


class Tables(unittest.TestCase):
    def test_table_lines_joined_and_unescaped(self):
        table = cm.table_texts('constexpr char kCap[] = "\\nTable t.txt: the cap.";\n'
                               'constexpr char kRow[] =\n    "\\nA \\"|\\" row <n> "\n'
                               '    "ends.";\nconst char kLocal[] = "not a table entry";\n')
        self.assertEqual(table, {"kCap": "\nTable t.txt: the cap.", "kRow": '\nA "|" row <n> ends.'})

    def test_agreeing_tables_and_page(self):
        # "<file>" stands for each program's file, "<n>" for the page's <n> or a number,
        # and a common text serves every section.
        self.assertEqual(cm.compare(TABLES, PAGE), [])

    def test_a_table_text_that_differs_from_the_page(self):
        errors = cm.compare(with_table("tarvex", kBad="\nIncorrect modellir.txt: no  nodes."), PAGE)
        self.assertEqual(len(errors), 1)
        self.assertIn("tarvex/messages.h: kBad", errors[0])
        # A place other than the open ones stands on the page as it is.
        errors = cm.compare(with_table("vantrel", kRead="\nFile <file> can't be <n>."), PAGE)
        self.assertIn("vantrel/messages.h: kRead", errors[0])
        # A program's text is looked for in its own section only.
        errors = cm.compare(with_table("keslow", kNoNodes2="\nIncorrect modellir.txt: no nodes."),
                            PAGE)
        self.assertIn("keslow/messages.h: kNoNodes2", errors[0])

    def test_a_page_message_in_no_table(self):
        page = {p: list(m) for p, m in PAGE.items()}
        page["vantrel"].append("\nTable loadfrag.txt: the cap incorrect.")
        # tarvex's own text, not keslow's; a common one would serve keslow too.
        page["keslow"].append("\nIncorrect modellir.txt: node <n> of element <n> is outside 1 to <n>.")
        page["keslow"].append("\nIncorrect modellir.txt: no nodes.")
        errors = cm.compare(TABLES, page)
        self.assertEqual(len(errors), 2)
        self.assertIn("(keslow)", errors[0])
        self.assertIn("(vantrel)", errors[1])
        self.assertEqual(len(cm.compare({**TABLES, "tarvex": {}}, PAGE)), 2)

    def test_sections_and_escapes_of_the_page(self):
        with tempfile.NamedTemporaryFile("w", suffix=".md", delete=False, encoding="utf-8") as f:
            f.write("# Messages\n`\\nOutside any program.`\n## tarvex\n### Files\n"
                    "| `\\nA \\| bar.` | cause `( 3/` |\n## vantrel\n`\\nTwo\\nlines.`\n")
        try:
            m = cm.reference_messages(f.name)
        finally:
            os.unlink(f.name)
        self.assertEqual(m["tarvex"], ["\nA | bar."])
        self.assertEqual(m["vantrel"], ["\nTwo\nlines."])
        self.assertEqual(m["keslow"], [])


class Sources(unittest.TestCase):
    def test_a_message_written_in_place_is_found(self):
        files = {"tarvex/a.cc": 'void f() {\n  lira::fail(msg::kNoNodes);\n'
                                '  lira::fail("\\nIncorrect modellir.txt: no nodes.");\n}\n',
                 "common/b.cc": 'void g() { fail(std::string("\\nIncorrect ") + name); }\n',
                 "vantrel/c_test.cc": 'void t() { lira::fail("\\nA test may."); }\n',
                 "keslow/d.cc": 'void h() { lira::fail(lira::message(msg::kX, {"1"})); }\n'}
        with tempfile.TemporaryDirectory() as top:
            for path, text in files.items():
                os.makedirs(os.path.join(top, os.path.dirname(path)), exist_ok=True)
                with open(os.path.join(top, path), "w", encoding="utf-8") as f:
                    f.write(text)
            found = cm.literal_messages(top)
        self.assertEqual([f.split(": ")[0] for f in found], ["common/b.cc:1", "tarvex/a.cc:3"])


if __name__ == "__main__":
    unittest.main()
