#!/usr/bin/env python3
"""Runs two builds of the programs on the same generated models and compares
every byte they leave: console, standard error and every file.

    compare.py OLD_BIN_DIR NEW_BIN_DIR [SIZE ...]     (default size 20000)

Each model is run as generated (LF line ends) and with CR LF line ends.

A BIN_DIR holds tarvex/tarvex, vantrel/vantrel and keslow/keslow (a build
directory) or the three binaries themselves. Meant for changes made for
speed, which must not change a single output byte.
"""
import filecmp
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def binary(bin_dir, program):
    nested = os.path.join(bin_dir, program, program)
    return nested if os.path.exists(nested) else os.path.join(bin_dir, program)


def to_crlf(inputs):
    """The text inputs with CR LF line ends, as they come from Windows."""
    for name in ("modellir.txt", "model.txt", "loadfrag.txt", "A_02.A"):
        path = os.path.join(inputs, name)
        if os.path.exists(path):
            with open(path, "rb") as f:
                data = f.read()
            with open(path, "wb") as f:
                f.write(data.replace(b"\n", b"\r\n"))


def run(program, bin_dir, inputs, where):
    shutil.copytree(inputs, where)
    answers = os.path.join(inputs, "answers.txt")
    with open(answers if os.path.exists(answers) else os.devnull, "rb") as stdin, \
            open(os.path.join(where, "console.out"), "wb") as out, \
            open(os.path.join(where, "errors.out"), "wb") as err:
        code = subprocess.call([binary(bin_dir, program)], cwd=where, stdin=stdin, stdout=out,
                               stderr=err)
    return code


def compare(program, size, line_end, old, new, scratch):
    inputs = os.path.join(scratch, "in-%s-%d-%s" % (program, size, line_end))
    subprocess.run([sys.executable, os.path.join(HERE, "generate.py"), program, str(size),
                    inputs], check=True, stdout=subprocess.DEVNULL)
    if line_end == "crlf":
        to_crlf(inputs)
    a = os.path.join(scratch, "old-%s-%d-%s" % (program, size, line_end))
    b = os.path.join(scratch, "new-%s-%d-%s" % (program, size, line_end))
    codes = run(program, old, inputs, a), run(program, new, inputs, b)
    names = sorted(set(os.listdir(a)) | set(os.listdir(b)))
    differ = [n for n in names
              if not (os.path.exists(os.path.join(a, n)) and os.path.exists(os.path.join(b, n))
                      and filecmp.cmp(os.path.join(a, n), os.path.join(b, n), shallow=False))]
    ok = codes[0] == codes[1] and not differ
    print("%-8s %8d %-4s  %s  exit %d/%d  %d files%s" %
          (program, size, line_end, "same" if ok else "DIFFERENT", codes[0], codes[1],
           len(names), "" if ok else ": " + " ".join(differ)), flush=True)
    return ok


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    old, new = os.path.abspath(argv[1]), os.path.abspath(argv[2])
    sizes = [int(s) for s in argv[3:]] or [20000]
    same = True
    with tempfile.TemporaryDirectory() as scratch:
        for program in ("tarvex", "vantrel", "keslow"):
            for size in sizes:
                for line_end in ("lf", "crlf"):
                    same = compare(program, size, line_end, old, new, scratch) and same
    return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
