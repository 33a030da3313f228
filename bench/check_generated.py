#!/usr/bin/env python3
"""Runs each program on a tiny model of the generator and checks that the run
succeeds: exit code 0, the success message, and the files a conversion
leaves. Keeps the generator's models valid as the programs grow checks.

    check_generated.py BIN_DIR [SIZE]     (a build directory; size 60)
"""
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SUCCESS = {
    "tarvex": b"\nTransformation completed.",
    "vantrel": b"\nModel transformed saccessfully.",
    "keslow": b"\nModel transformed saccessfully.",
}


def run(program, bin_dir, size, scratch):
    where = os.path.join(scratch, program)
    facts = subprocess.run([sys.executable, os.path.join(HERE, "generate.py"), program,
                            str(size), where], check=True, capture_output=True,
                           text=True).stdout.split()
    facts = dict(f.split("=") for f in facts)
    answers = os.path.join(where, "answers.txt")
    with open(answers if os.path.exists(answers) else os.devnull, "rb") as stdin:
        p = subprocess.run([os.path.join(bin_dir, program, program)], cwd=where, stdin=stdin,
                           capture_output=True, timeout=120)
    problems = []
    if p.returncode != 0:
        problems.append("exit code %d" % p.returncode)
    if SUCCESS[program] not in p.stdout:
        problems.append("no success message; the console ends with %r" % p.stdout[-300:])
    names = set(os.listdir(where))

    def read(name):
        with open(os.path.join(where, name), "rb") as f:
            return f.read()

    if program == "tarvex":
        left = names & {"nodes.tmp", "elements.tmp", "loades.tmp"}
        if left:
            problems.append("temporary files left: %s" % " ".join(sorted(left)))
        script = read("modelans.lgw") if "modelans.lgw" in names else b""
        if not script.endswith(b"!*\nFINISH\n"):
            problems.append("modelans.lgw does not end with FINISH")
        if script.count(b"LSWRITE,") != int(facts["load_cases"]):
            problems.append("%d load steps" % script.count(b"LSWRITE,"))
        if b"ACEL,0,0,10\n" not in script:
            problems.append("no own-weight load step")
    elif program == "vantrel":
        if names & {"doc6.txt", "doc7.txt"}:
            problems.append("intermediate files left")
        if "modelnew.txt" not in names:
            problems.append("no modelnew.txt")
        elif len(read("modelnew.txt").splitlines()) <= len(read("model.txt").splitlines()):
            problems.append("no load record was added")
    else:
        if "B#00.B" not in names:
            problems.append("no B#00.B")
        else:
            source, result = read("A#00.A"), read("B#00.B")
            if len(source) != len(result) or source == result:
                problems.append("B#00.B is not A#00.A with its plates changed")
    return problems


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    bin_dir = os.path.abspath(argv[1])
    size = int(argv[2]) if len(argv) > 2 else 60
    failed = False
    with tempfile.TemporaryDirectory() as scratch:
        for program in ("tarvex", "vantrel", "keslow"):
            problems = run(program, bin_dir, size, scratch)
            print("%-8s %s" % (program, "; ".join(problems) if problems else "converted"))
            failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
