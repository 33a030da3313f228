#!/usr/bin/env python3
"""Runs two builds of the programs on the same generated models and compares
every byte they leave: console, standard error and every file.

    compare.py OLD_BIN_DIR NEW_BIN_DIR [SIZE ...]     (default size 20000)

Each model is run as generated (LF line ends) and with CR LF line ends.

A BIN_DIR holds tarvex/tarvex, vantrel/vantrel and keslow/keslow (a build
directory) or the three binaries themselves. Meant for changes made for
speed, which must not change a single output byte.

Where both BIN_DIRs hold modelcheck too, its tasks run on the tarvex model
as well, each build with its own tarvex: the check, --fix (report, mended
copy and any other file it leaves), --verify of the script and --picture of
load case 2; then the same on the model spoiled with what --fix mends (a
misspelt header, decimal commas, a glued "/)"), so that the mended copies
are compared too.
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


def spoil(inputs):
    """What --fix mends, written into the model: a header spelt "(4/", the
    coordinates of the first nodes with decimal commas, document 5's last
    slash glued to its ")"."""
    path = os.path.join(inputs, "modellir.txt")
    with open(path, "rb") as f:
        text = f.read()
    head, sep, rest = text.partition(b"( 4/")
    if sep:
        lines = rest.split(b"\n")
        for i in range(1, min(len(lines), 40)):
            lines[i] = lines[i].replace(b".", b",")
        text = head + b"(4/" + b"\n".join(lines)
    head, sep, rest = text.partition(b"( 5/")
    text = head + sep + rest.replace(b" /\n )", b" /)", 1)
    with open(path, "wb") as f:
        f.write(text)


def run_modelcheck(bin_dir, inputs, where):
    """modelcheck's tasks in turn; their consoles go to files of their own.
    After --fix the mended copy takes the model's place (the model is kept
    as modellir.orig), so that tarvex, --verify and --picture work on it.
    The exit code is the tasks' codes as one number."""
    shutil.copytree(inputs, where)
    mc = binary(bin_dir, "modelcheck")
    tasks = [("check", [], None), ("fix", ["--fix"], None),
             ("tarvex", None, "answers.txt"), ("verify", ["--verify"], None),
             ("picture", ["--picture", "--case", "2"], None)]
    code = 0
    for name, args, stdin_name in tasks:
        command = [binary(bin_dir, "tarvex")] if args is None else [mc] + args
        stdin_path = os.path.join(where, stdin_name) if stdin_name else os.devnull
        with open(stdin_path, "rb") as stdin, \
                open(os.path.join(where, name + ".out"), "wb") as out:
            rc = subprocess.call(command, cwd=where, stdin=stdin, stdout=out,
                                 stderr=subprocess.STDOUT)
        code = code * 4 + (rc & 3)
        fixed = os.path.join(where, "modellir.fixed.txt")
        if name == "fix" and os.path.exists(fixed):
            os.rename(os.path.join(where, "modellir.txt"), os.path.join(where, "modellir.orig"))
            shutil.copyfile(fixed, os.path.join(where, "modellir.txt"))
    return code


def compare(program, size, line_end, old, new, scratch, spoilt=False):
    inputs = os.path.join(scratch, "in-%s-%d-%s" % (program, size, line_end))
    if spoilt:
        inputs += "-spoilt"
    generated = "tarvex" if program == "modelcheck" else program
    subprocess.run([sys.executable, os.path.join(HERE, "generate.py"), generated, str(size),
                    inputs], check=True, stdout=subprocess.DEVNULL)
    if spoilt:
        spoil(inputs)
    if line_end == "crlf":
        to_crlf(inputs)
    label = "%s-%d-%s%s" % (program, size, line_end, "-spoilt" if spoilt else "")
    a = os.path.join(scratch, "old-" + label)
    b = os.path.join(scratch, "new-" + label)
    if program == "modelcheck":
        codes = run_modelcheck(old, inputs, a), run_modelcheck(new, inputs, b)
    else:
        codes = run(program, old, inputs, a), run(program, new, inputs, b)
    names = sorted(set(os.listdir(a)) | set(os.listdir(b)))
    differ = [n for n in names
              if not (os.path.exists(os.path.join(a, n)) and os.path.exists(os.path.join(b, n))
                      and filecmp.cmp(os.path.join(a, n), os.path.join(b, n), shallow=False))]
    ok = codes[0] == codes[1] and not differ
    print("%-10s %8d %-11s  %s  exit %d/%d  %d files%s" %
          (program, size, line_end + ("-spoilt" if spoilt else ""),
           "same" if ok else "DIFFERENT", codes[0], codes[1],
           len(names), "" if ok else ": " + " ".join(differ)), flush=True)
    return ok


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    old, new = os.path.abspath(argv[1]), os.path.abspath(argv[2])
    sizes = [int(s) for s in argv[3:]] or [20000]
    same = True
    programs = ["tarvex", "vantrel", "keslow"]
    if all(os.path.exists(binary(d, "modelcheck")) for d in (old, new)):
        programs.append("modelcheck")
    with tempfile.TemporaryDirectory() as scratch:
        for program in programs:
            for size in sizes:
                for line_end in ("lf", "crlf"):
                    same = compare(program, size, line_end, old, new, scratch) and same
                    if program == "modelcheck":
                        same = compare(program, size, line_end, old, new, scratch,
                                       spoilt=True) and same
    return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
