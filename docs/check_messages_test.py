#!/usr/bin/env python3
"""Tests of check_messages.py on small sources and references of its own."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_messages as cm  # noqa: E402


def pieces_of(files):
    """The message pieces of {path: text} laid out as a source tree."""
    with tempfile.TemporaryDirectory() as top:
        sources = []
        for path, text in files.items():
            full = os.path.join(top, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w", encoding="utf-8") as f:
                f.write(text)
            sources.append(cm.Source(full, path.split("/")[0]))
        found = cm.message_pieces(sources, cm.find_sinks(sources))
        return {program: set(p) for program, p in found.items()}


class Extraction(unittest.TestCase):
    def test_literals_joined_across_lines_and_split_at_plus(self):
        p = pieces_of({"tarvex/a.cc": 'void f(int n) {\n  lira::fail("\\nIncorrect model: "\n'
                                      '             "line " + std::to_string(n) + " is bad.");\n}\n'})
        self.assertEqual(p["tarvex"], {"\nIncorrect model: line ", " is bad."})

    def test_helpers_that_hand_a_text_on_are_found(self):
        src = ('[[noreturn]] void refuse(const std::string& what) {\n'
               '  lira::fail("\\nIncorrect doc. 5:\\n" + what);\n}\n'
               'void twice(Run& run, const char* why) { refuse(why); }\n'
               'void g(Run& run) { refuse("no codes."); twice(run, "again."); }\n'
               # Not a helper: its text parameter does not reach a message.
               'void h(const char* name, int n) { if (n) lira::fail("\\nStop."); use(name); }\n'
               'void k(Run& run) { h("not a message", 1); }\n')
        p = pieces_of({"tarvex/a.cc": src})
        self.assertEqual(p["tarvex"], {"\nIncorrect doc. 5:\n", "no codes.", "again.", "\nStop."})

    def test_constants_and_functions_that_return_a_message(self):
        p = pieces_of({
            "common/r.cc": 'std::string Reader::end_message() const {\n'
                           '  return "\\nIncorrect " + name_ + ": end of file.";\n}\n',
            "vantrel/t.cc": 'const std::string kTable = "\\nTable t.txt:\\n";\n'
                            'const char kNoEnd[] = "\\nNo end.";\n'
                            'void f(Reader& in) { lira::fail(kTable + "bad."); lira::fail(kNoEnd);\n'
                            '  lira::fail(in.end_message()); }\n'})
        self.assertEqual(p["vantrel"], {"\nTable t.txt:\n", "bad.", "\nNo end.", "\nIncorrect ",
                                        ": end of file."})

    def test_comments_characters_and_escapes(self):
        p = pieces_of({"keslow/a.cc": '// lira::fail("\\nnot code");\n/* fail("\\nnor this") */\n'
                                      'void f() { char c = \'"\'; lira::fail("\\nA \\"quoted\\" '
                                      'word\\x21"); }\n'})
        self.assertEqual(p["keslow"], {'\nA "quoted" word!'})


class Reference(unittest.TestCase):
    def test_messages_are_built_of_pieces_placeholders_and_numbers(self):
        pieces = {"\nIncorrect ", "model.txt", ": line ", " is longer than 149 characters."}
        self.assertTrue(cm.buildable("\nIncorrect model.txt: line <n> is longer than 149 characters.",
                                     pieces))
        self.assertTrue(cm.buildable("\nIncorrect model.txt: line 12 is longer than 149 characters.",
                                     pieces))
        self.assertFalse(cm.buildable("\nIncorrect model.txt: line <n> is too long.", pieces))
        # A text in angle brackets that the code prints as it stands.
        self.assertTrue(cm.buildable("\nIncorrect <model>.txt: no loads.",
                                     {"\nIncorrect <model>.txt: no loads."}))

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


class Tables(unittest.TestCase):
    def test_table_texts_match_the_page_word_for_word(self):
        table = cm.table_texts('constexpr char kCap[] = "\\nTable t.txt: the cap.";\n'
                               'constexpr char kRow[] =\n    "\\nA \\"|\\" row <n> "\n'
                               '    "ends.";\nconst char kLocal[] = "not a table entry";\n')
        self.assertEqual(table, {"kCap": "\nTable t.txt: the cap.", "kRow": '\nA "|" row <n> ends.'})
        page = ["\nTable t.txt: the cap.", '\nA "|" row <n> ends.', "\nFile doc6.txt can't be opened."]
        self.assertTrue(cm.in_reference("\nFile <file> can't be opened.", page))
        self.assertFalse(cm.in_reference("\nFile <file> can't be read.", page))
        # A place other than <file> must stand on the page as it is.
        self.assertFalse(cm.in_reference('\nA "|" row 3 ends.', page))
        self.assertFalse(cm.in_reference("\nTable t.txt: the cap", page))


if __name__ == "__main__":
    unittest.main()
