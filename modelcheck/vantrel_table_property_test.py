#!/usr/bin/env python3
"""modelcheck against vantrel itself, over generated fragment tables.

Each table is drawn as engineers' tables come: 1 to 9 nodes a group, cells
of 8 or 9 characters (now and then the width that the first node line does
not give, so the columns are shifted), values placed anywhere in their
cells, right-aligned values, units and words after numbers, hexadecimal
values, tabs, zeros and negative numbers. For each table vantrel runs in a
scratch folder, and:

- wherever vantrel completes, `modelcheck --verify --vantrel` exits 0;
- wherever vantrel stops, `modelcheck --vantrel` has a finding that quotes
  vantrel's message;
- wherever `modelcheck --vantrel` finds nothing, vantrel completes;
- `modelcheck --vantrel --fix` run again on its mended copy changes nothing.

Half of the models are spoiled too, once or twice, in the ways that models
edited by hand come (an empty line too many or too few, a header or an end
glued to the line before, two records on a line, CR LF line ends).

Usage: vantrel_table_property_test.py BUILD_DIR [COUNT [SEED]]
A failing table is written to the scratch folder named in the report.
"""
import os
import random
import shutil
import subprocess
import sys
import tempfile

MODEL = ("( 0/ frame /\n( 1/\n5 1 1 2 /\n )\n( 6/\n1 0 3 1 1 /\n2 0 3 2 1 /\n\n )\n"
         "( 7/\n1 -10 0 /\n2 -5 0 /\n{last} 2.5 0 /\n\n )\n( 16/\n1 /\n )\n")
RULE = "-" * 80 + "\n"
KEYWORDS = ["RX", "RY", "RZ", "RUX", "RUY", "RUZ"]
MODEL_SPOILS = [
    (" )\n( 7/", " )\n\n( 7/"),
    (" )\n( 7/", " )( 7/"),
    ("2 0 3 2 1 /\n\n", "2 0 3 2 1 /\n"),
    ("2 0 3 2 1 /\n\n )", "2 0 3 2 1 / )"),
    ("2.5 0 /\n\n )", "2.5 0 / )"),
    ("( 7/\n1 -10 0 /", "( 7/ 1 -10 0 /"),
    ("( 6/", "(6/"),
    ("( 7/", "( 7 /"),
    ("1 -10 0 /\n2 -5 0 /", "1 -10 0 / 2 -5 0 /"),
    ("2.5 0 /\n\n", "2.5 0 /\n   \n"),
    ("2 0 3 2 1 /\n\n", "2 0 3 2 1 /\n\n\n"),
    ("1 -10 0 /\n", "1 -10 0 /\n\n"),
    ("2.5 0 /\n\n )", "2.5 0 /\n\n)"),
    ("1 0 3 1 1 /\n", "1 0 3 1 1 /\n\n"),
]
PRESS = b"\nPress any key to finish\n"


def binary(build, program):
    return os.path.join(build, program, program)


def value_text(rng, spoil):
    """The text of one value as tables write it, now and then spoiled."""
    number = rng.choice([rng.uniform(-999, 999), rng.uniform(-9, 9), 0.0, 1e-5,
                         float(rng.randint(-50, 50))])
    text = rng.choice(["%.3f", "%.2f", "%g", "%.1f"]) % number
    kind = rng.random() / max(spoil, 1e-9)
    if kind < 0.2:
        return rng.choice(["0x1F", "0xA", "0x10"])
    if kind < 0.5:
        return text + rng.choice(["kN", " t", "kNm"])
    if kind < 0.7:
        return rng.choice(["n/a", "-", "x1.5", "1,250"])
    return text


def cell(rng, width, spoil, used):
    """A cell of `width` characters: blank, or a value placed in it."""
    if not used or rng.random() < 0.4:
        return " " * width
    text = value_text(rng, spoil)[:width]
    if rng.random() >= spoil:
        lead = min(3, width - len(text))  # as the tables are drawn
    else:
        lead = rng.randint(0, width - len(text))  # anywhere, right-aligned too
    c = " " * lead + text + " " * (width - lead - len(text))
    if rng.random() < spoil / 4:
        c = c.replace(" ", "\t", 1)
    return c


def table(rng):
    """A table; about half of them drawn as vantrel reads them, the others
    spoiled here and there."""
    spoil = 0.0 if rng.random() < 0.5 else rng.choice([0.02, 0.05, 0.2])
    first = rng.randint(1, 9)
    right_width = 8 if first == 9 else 9
    width = right_width if rng.random() >= spoil * 2 else 17 - right_width
    columns = 72 // width
    lines = ["LOADS ON THE FRAGMENT\n", RULE, "| Loading | Type | Nodes |\n", RULE]
    node = 100
    for block in range(rng.randint(1, 3)):
        count = first if block == 0 else rng.randint(1, first)
        nodes = []
        for _ in range(count):
            node += rng.randint(1, 5)
            nodes.append(str(node))
        lines.append("| " + "".join(n.rjust(width) for n in nodes) + " |\n")
        lines.append(RULE)
        for loading in rng.sample(range(1, 13), rng.randint(1, 3)):
            lines.append("| %d - static |\n" % loading)
            for keyword in rng.sample(KEYWORDS, rng.randint(1, 4)):
                row = "".join(cell(rng, width, spoil, c < count or rng.random() < spoil)
                              for c in range(columns))
                lines.append("| " + keyword.ljust(4) + row + " |\n")
        lines.append(RULE)
    return "".join(lines)


def model(rng):
    text = MODEL.format(last=rng.choice([5, 9, 0x10, 120]))
    if rng.random() < 0.5:
        for _ in range(rng.randint(1, 2)):
            old, new = rng.choice(MODEL_SPOILS)
            text = text.replace(old, new, 1)
    if rng.random() < 0.2:
        text = text.replace("\n", "\r\n")
    return text


def write(folder, files):
    os.makedirs(folder, exist_ok=True)
    for name, content in files.items():
        with open(os.path.join(folder, name), "w", newline="") as f:
            f.write(content)


def read(path):
    if not os.path.exists(path):
        return None
    with open(path, "rb") as f:
        return f.read()


def run(args, folder, stdin=b""):
    r = subprocess.run(args, cwd=folder, input=stdin, stdout=subprocess.PIPE,
                       stderr=subprocess.PIPE, timeout=30)
    return r.returncode, r.stdout


def quoted(message):
    """A message as modelcheck's findings quote it."""
    text = message[1:] if message.startswith(b"\n") else message
    out = bytearray()
    for i, c in enumerate(text):
        if c != 10:
            out.append(c)
        elif not ((i > 0 and text[i - 1] == 32) or (i + 1 < len(text) and text[i + 1] == 32)):
            out.append(32)
    return b'"' + bytes(out) + b'"'


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    build = os.path.abspath(argv[1])
    count = int(argv[2]) if len(argv) > 2 else 150
    seed = int(argv[3]) if len(argv) > 3 else 20261208
    rng = random.Random(seed)
    scratch = tempfile.mkdtemp(prefix="vantrel-tables-")
    tally = {"completed": 0, "stopped": 0, "clean": 0}
    failures = []
    for n in range(count):
        text = table(rng)
        folder = os.path.join(scratch, "t%d" % n)
        write(folder, {"model.txt": model(rng), "loadfrag.txt": text})
        code, console = run([binary(build, "vantrel")], folder, b"k\n")
        check_code, check = run([binary(build, "modelcheck"), "--vantrel"], folder)
        problem = None
        if code == 0:
            tally["completed"] += 1
            verify_code, verify = run([binary(build, "modelcheck"), "--verify", "--vantrel"],
                                      folder)
            if verify_code != 0:
                problem = "vantrel completed, --verify --vantrel exits %d:\n%s" % (
                    verify_code, verify.decode("cp866", "replace"))
        elif code == 1 and console.endswith(PRESS):
            tally["stopped"] += 1
            start = console.index(b"\xd9\n\n") + 3
            message = console[start:-len(PRESS)]
            if quoted(message) not in check:
                problem = "vantrel stops with %r; --vantrel does not quote it:\n%s" % (
                    message, check.decode("cp866", "replace"))
        else:
            problem = "vantrel ended with %d:\n%s" % (code, console.decode("cp866", "replace"))
        if check_code == 0:
            tally["clean"] += 1
            if code != 0 and problem is None:
                problem = "--vantrel finds nothing, vantrel stops"
        if problem is None:
            # The mended copy, mended again: nothing more to do.
            run([binary(build, "modelcheck"), "--vantrel", "--fix"], folder)
            once = read(os.path.join(folder, "model.fixed.txt"))
            if once is not None:
                again = os.path.join(folder, "again")
                write(again, {"loadfrag.txt": text})
                with open(os.path.join(again, "model.txt"), "wb") as f:
                    f.write(once)
                run([binary(build, "modelcheck"), "--vantrel", "--fix"], again)
                if read(os.path.join(again, "model.fixed.txt")) != once:
                    problem = "--vantrel --fix on its own mended copy changes it again"
        if problem:
            failures.append("%s: %s" % (folder, problem))
        else:
            shutil.rmtree(folder)
    print("%d tables (seed %d): vantrel completed %d, stopped %d; --vantrel found nothing in %d"
          % (count, seed, tally["completed"], tally["stopped"], tally["clean"]))
    for f in failures[:10]:
        print(f)
    if failures:
        print("%d of %d tables break a property; they are kept in %s" % (
            len(failures), count, scratch))
        return 1
    shutil.rmtree(scratch)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
