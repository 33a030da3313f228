#!/usr/bin/env python3
"""Checks the messages of the programs against docs/messages.md, both ways.

The code: every message of a run ends the run through lira::fail, directly
or through a helper of the program that hands one of its parameters on to
lira::fail (refuse, refuse_stiffness, illegal_direction, layered_node, ...).
The helpers are found from the code itself. A message is built of string
literals (adjacent ones joined, as the compiler joins them), named string
constants (kNoEnd, kTable, ...), functions that return a message
(end_of_file_message) and values only known at run time (numbers, tokens,
file names). Every literal piece of a message must stand in the reference,
in the section of the program whose directory holds it (common/ in any
section).

The reference: every text in backquotes that begins with \\n is a message, as
printed: \\n for a line end, \\| for a bar inside a table; words in angle
brackets such as <n> or <token> stand for what the run fills in. Every such
message must be made of the literal pieces of its program (and of common/),
of the program's other string literals (file names), of numbers and of such
placeholders.

The tables: every text of a program's table of messages (<program>/messages.h,
`constexpr char kName[] = "...";`, adjacent literals joined) must be, word
for word, a message of the program's section; a place "<file>" stands for a
file name.

Usage: check_messages.py [SOURCE_DIR]   (default: the directory above this
script); --list prints the pieces found in the code.
"""

import os
import re
import sys

PROGRAMS = ["tarvex", "keslow", "vantrel"]
KEYWORDS = {"if", "while", "for", "switch", "catch", "return", "sizeof", "alignof",
            "decltype", "static_assert", "defined", "throw", "new", "delete"}
# Sources that are no part of a program: tests, timings, fuzz targets and
# the test helpers.
NOT_PROGRAM = re.compile(r"(_test\.cc|_perftest\.cc|_fuzz\.cc|_e2e\.h|test_support\.h)$")


def tokenize(text, path):
    """C++ tokens: ('str', value), ('id', name), ('punct', char); comments,
    character literals, numbers and preprocessor lines are dropped, adjacent
    string literals joined."""
    tokens = []
    i, n = 0, len(text)
    at_line_start = True
    while i < n:
        c = text[i]
        if c == "\n":
            at_line_start = True
            i += 1
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if at_line_start and c == "#":
            # A directive, with its continuation lines.
            while i < n and text[i] != "\n":
                i += 2 if text[i] == "\\" else 1
            continue
        at_line_start = False
        if text.startswith("//", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
            continue
        if text.startswith("/*", i):
            j = text.find("*/", i + 2)
            if j < 0:
                sys.exit(f"{path}: a comment without its end")
            i = j + 2
            continue
        m = re.match(r'(?:u8|u|U|L)?R"([^(\s]*)\(', text[i:])
        if m:
            end = ")" + m.group(1) + '"'
            j = text.find(end, i + m.end())
            if j < 0:
                sys.exit(f"{path}: a raw string without its end")
            add_string(tokens, text[i + m.end():j])
            i = j + len(end)
            continue
        m = re.match(r'(?:u8|u|U|L)?"', text[i:])
        if m:
            j = i + m.end()
            value = []
            while j < n and text[j] != '"':
                if text[j] == "\\":
                    ch, j = escape(text, j, path)
                    value.append(ch)
                else:
                    value.append(text[j])
                    j += 1
            if j >= n:
                sys.exit(f"{path}: a string literal without its end")
            add_string(tokens, "".join(value))
            i = j + 1
            continue
        m = re.match(r"(?:u8|u|U|L)?'", text[i:])
        if m:
            j = i + m.end()
            while j < n and text[j] != "'":
                j += 2 if text[j] == "\\" else 1
            i = j + 1
            continue
        m = re.match(r"[A-Za-z_]\w*", text[i:])
        if m:
            tokens.append(("id", m.group(0)))
            i += m.end()
            continue
        m = re.match(r"\.?\d(?:[\w.']|[eEpP][+-])*", text[i:])
        if m:
            i += m.end()
            continue
        tokens.append(("punct", c))
        i += 1
    return tokens


def escape(text, j, path):
    """The character of the escape sequence at text[j] ('\\'), and the index after it."""
    simple = {"n": "\n", "t": "\t", "r": "\r", "v": "\v", "f": "\f", "a": "\a", "b": "\b",
              "0": "\0", "\\": "\\", '"': '"', "'": "'", "?": "?"}
    c = text[j + 1]
    if c == "x":
        m = re.match(r"[0-9A-Fa-f]+", text[j + 2:])
        return chr(int(m.group(0), 16)), j + 2 + m.end()
    m = re.match(r"[0-7]{1,3}", text[j + 1:])
    if m:
        return chr(int(m.group(0), 8)), j + 1 + m.end()
    if c in simple:
        return simple[c], j + 2
    sys.exit(f"{path}: unknown escape \\{c}")


def add_string(tokens, value):
    if tokens and tokens[-1][0] == "str":
        tokens[-1] = ("str", tokens[-1][1] + value)
    else:
        tokens.append(("str", value))


def matching(tokens, i, open_char, close_char):
    """The index of the token that closes the bracket opened at tokens[i]."""
    depth = 0
    for j in range(i, len(tokens)):
        if tokens[j] == ("punct", open_char):
            depth += 1
        elif tokens[j] == ("punct", close_char):
            depth -= 1
            if depth == 0:
                return j
    return len(tokens) - 1


class Source:
    def __init__(self, path, program):
        self.path = path
        self.program = program  # "common" or a program
        with open(path, encoding="utf-8") as f:
            self.tokens = tokenize(f.read(), path)
        self.functions = {}  # name -> (parameter names, body tokens)
        self.constants = {}  # name -> string
        self.find_definitions()

    def find_definitions(self):
        t = self.tokens
        for i in range(len(t) - 1):
            kind, name = t[i]
            if kind != "id":
                continue
            # NAME = "text";  NAME[] = "text";
            j = i + 1
            if t[j] == ("punct", "[") and j + 1 < len(t) and t[j + 1] == ("punct", "]"):
                j += 2
            if (j + 2 < len(t) and t[j] == ("punct", "=") and t[j + 1][0] == "str" and
                    t[j + 2] == ("punct", ";")):
                self.constants[name] = t[j + 1][1]
                continue
            # NAME(parameters) [const] {body}
            if name in KEYWORDS or t[i + 1] != ("punct", "("):
                continue
            close = matching(t, i + 1, "(", ")")
            k = close + 1
            while k < len(t) and t[k] in (("id", "const"), ("id", "noexcept"), ("id", "override")):
                k += 1
            if k < len(t) and t[k] == ("punct", "{"):
                end = matching(t, k, "{", "}")
                self.functions[name] = (parameter_names(t[i + 2:close]), t[k + 1:end])

    def calls(self, tokens=None):
        """(callee, argument tokens) of every call in `tokens` (the whole file)."""
        t = self.tokens if tokens is None else tokens
        for i in range(len(t) - 1):
            if t[i][0] == "id" and t[i][1] not in KEYWORDS and t[i + 1] == ("punct", "("):
                close = matching(t, i + 1, "(", ")")
                yield t[i][1], t[i + 2:close]


STRING_TYPES = {"char", "string", "string_view"}


def split_arguments(tokens):
    """The tokens of each argument (or parameter) of a list, by position."""
    parts, piece, depth = [], [], 0
    for tok in tokens:
        if tok in (("punct", "("), ("punct", "["), ("punct", "{")):
            depth += 1
        elif tok in (("punct", ")"), ("punct", "]"), ("punct", "}")):
            depth -= 1
        if tok == ("punct", ",") and depth == 0:
            parts.append(piece)
            piece = []
        else:
            piece.append(tok)
    if piece or parts:
        parts.append(piece)
    return parts


def parameter_names(tokens):
    """position -> name of the parameters that take a text (char*, string,
    string_view)."""
    names = {}
    for position, piece in enumerate(split_arguments(tokens)):
        values = [v for _, v in piece]
        if "=" in values:
            piece = piece[:values.index("=")]
        ids = [v for k, v in piece if k == "id"]
        if ids and STRING_TYPES & set(ids[:-1]):
            names[position] = ids[-1]
    return names


def find_sinks(sources):
    """name -> positions of the message arguments: lira::fail, and every
    function that hands a text parameter on to a message argument of a sink."""
    sinks = {"fail": {0}}
    changed = True
    while changed:
        changed = False
        for s in sources:
            for name, (params, body) in s.functions.items():
                if name == "fail":
                    continue
                for callee, args in s.calls(body):
                    if callee not in sinks:
                        continue
                    parts = split_arguments(args)
                    used = {v for p in sinks[callee] if p < len(parts)
                            for k, v in parts[p] if k == "id"}
                    positions = {p for p, n in params.items() if n in used}
                    if positions - sinks.get(name, set()):
                        sinks[name] = sinks.get(name, set()) | positions
                        changed = True
    return sinks


def message_pieces(sources, sinks):
    """program -> {piece: where}: the literal pieces of the messages."""
    def resolve(source, name):
        # The nearest definition: the same file, the same program, common/.
        for s in [source] + [x for x in sources if x.program == source.program] + \
                 [x for x in sources if x.program == "common"]:
            if name in s.constants:
                return [s.constants[name]]
            if name in s.functions and name not in sinks:
                body = s.functions[name][1]
                found = []
                for i, tok in enumerate(body):
                    if tok == ("id", "return"):
                        j = i + 1
                        while j < len(body) and body[j] != ("punct", ";"):
                            if body[j][0] == "str":
                                found.append(body[j][1])
                            j += 1
                return found
        return []

    pieces = {}
    for s in sources:
        for callee, args in s.calls():
            if callee not in sinks:
                continue
            parts = split_arguments(args)
            message = [tok for p in sinks[callee] if p < len(parts) for tok in parts[p]]
            for kind, value in message:
                values = [value] if kind == "str" else resolve(s, value) if kind == "id" else []
                # A table's "<file>" is filled at run time, as a name added on.
                for v in (part for value in values for part in value.split("<file>")):
                    if v:
                        pieces.setdefault(s.program, {}).setdefault(v, s.path)
    return pieces


def all_literals(sources):
    found = {}
    for s in sources:
        for kind, value in s.tokens:
            if kind == "str" and len(value) >= 3:
                found.setdefault(s.program, set()).add(value)
    return found


PLACEHOLDER = re.compile(r"<[a-z][a-z0-9 ]*>")


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


def buildable(message, pieces):
    """True when `message` is a run of pieces, placeholders and numbers."""
    reach = [False] * (len(message) + 1)
    reach[0] = True
    for i in range(len(message)):
        if not reach[i]:
            continue
        for p in pieces:
            if message.startswith(p, i):
                reach[i + len(p)] = True
        m = PLACEHOLDER.match(message, i) or re.compile(r"-?\d+").match(message, i)
        if m:
            reach[m.end()] = True
    return reach[len(message)]


TABLE_ENTRY = re.compile(r'constexpr char (k\w+)\[\]\s*=\s*((?:\s*"(?:[^"\\]|\\.)*")+);')


def table_texts(text):
    """name -> text of the `constexpr char kName[] = "...";` lines of a table."""
    out = {}
    for m in TABLE_ENTRY.finditer(text):
        literal = "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', m.group(2)))
        out[m.group(1)] = re.sub(r"\\(.)", lambda e: {"n": "\n"}.get(e.group(1), e.group(1)),
                                 literal)
    return out


def in_reference(text, messages):
    """True when `text` is one of `messages`, "<file>" standing for a file name."""
    pattern = re.compile("".join("[^\\s:]+" if p == "<file>" else re.escape(p)
                                 for p in re.split(r"(<file>)", text)))
    return any(pattern.fullmatch(m) for m in messages)


def check_tables(top, reference):
    errors = []
    for program in PROGRAMS:
        path = os.path.join(top, program, "messages.h")
        if not os.path.exists(path):
            continue
        with open(path, encoding="utf-8") as f:
            table = table_texts(f.read())
        if not table:
            errors.append(f"{program}/messages.h: no messages")
        for name, text in table.items():
            if not in_reference(text, reference[program]):
                errors.append(f"{program}/messages.h: {name} {text!r} is no message of the "
                              f"{program} section of docs/messages.md")
    return errors


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    top = args[0] if args else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    sources = []
    for program in ["common"] + PROGRAMS:
        for root, _, names in os.walk(os.path.join(top, program)):
            if os.path.basename(root) == "testing":
                continue
            for name in sorted(names):
                path = os.path.join(root, name)
                if name.endswith((".cc", ".h")) and not NOT_PROGRAM.search(name):
                    sources.append(Source(path, program))
    sinks = find_sinks(sources)
    pieces = message_pieces(sources, sinks)
    if "--list" in sys.argv:
        print("sinks:", " ".join(f"{n}{sorted(p)}" for n, p in sorted(sinks.items())))
        for program, found in sorted(pieces.items()):
            for piece in sorted(found):
                print(f"{program}: {piece!r}")
        return 0

    reference = reference_messages(os.path.join(top, "docs", "messages.md"))
    literals = all_literals(sources)
    errors = check_tables(top, reference)
    for program, found in sorted(pieces.items()):
        sections = PROGRAMS if program == "common" else [program]
        for piece, where in sorted(found.items()):
            if not any(piece in m for s in sections for m in reference[s]):
                errors.append(f"{os.path.relpath(where, top)}: {piece!r} is in no message of "
                              f"the {' or '.join(sections)} section of docs/messages.md")
    for program in PROGRAMS:
        if not reference[program]:
            errors.append(f"docs/messages.md: no message in the {program} section")
        usable = set(pieces.get(program, {})) | set(pieces.get("common", {})) | \
            literals.get(program, set()) | literals.get("common", set())
        for message in reference[program]:
            if not buildable(message, usable):
                errors.append(f"docs/messages.md ({program}): {message!r} is not a message "
                              f"of the code")
    for e in errors:
        print(e)
    if errors:
        print(f"{len(errors)} difference(s) between the code and docs/messages.md")
        return 1
    count = sum(len(v) for v in reference.values())
    print(f"{count} messages of docs/messages.md match the code")
    return 0


if __name__ == "__main__":
    sys.exit(main())
