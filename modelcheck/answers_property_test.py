#!/usr/bin/env python3
"""The answers that `modelcheck --fix` writes, held to tarvex on generated
models (bench/generate.py), their own-weight values scaled at random (so the
densities that the records imply are other than the generator's). Each model
carries no RO: its densities are what its own-weight records imply. For each:

  answers-settled  --fix exits 0 and writes the generator's answers, VR3 0
                   and every density scaled as the own-weight values were;
  answers-convert  `tarvex < modellir.answers` completes on the copy, and
                   its script is the script of the generator's answers so
                   changed, byte for byte;
  answers-verify   `modelcheck --verify --answers modellir.answers` exits 0.

    answers_property_test.py BUILD_DIR SOURCE_DIR [CASES]
"""
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

# Factors of the own-weight values; each gives densities that tarvex's
# check of the records takes exactly.
FACTORS = [1, 0.8, 0.96, 1.04, 1.3]


def run(argv, cwd, stdin=b""):
    return subprocess.run(argv, cwd=cwd, input=stdin, capture_output=True, timeout=120)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def scaled_weights(model, factor, lines):
    """The model with the first `lines` value lines of document 7 (the own
    weights) times `factor`."""
    head, seven, tail = re.match(r"(.*\( 7/\n)(.*?)(\n\s*\).*)", model, re.S).groups()
    rows = seven.split("\n")
    for i in range(lines):
        number, value, slash = rows[i].split()
        rows[i] = "%s %s %s" % (number, "%.6g" % (float(value) * factor), slash)
    return head + "\n".join(rows) + tail


def expected_answers(generated, factor):
    """The generator's answers with VR3 0 and the densities scaled."""
    lines = generated.decode("ascii").split("\n")
    lines[0] = "0"
    lines[1] = "%.10g" % float("%.4g" % (float(lines[1]) * factor))
    if lines[2] == "y":
        lines[4] = "%.10g" % float("%.4g" % (float(lines[4]) * factor))
    return "\n".join(lines).encode("ascii")


def main(argv):
    build, source = argv[1], argv[2]
    cases = int(argv[3]) if len(argv) > 3 else 40
    sys.path.insert(0, os.path.join(source, "bench"))
    import generate
    check = os.path.join(build, "modelcheck", "modelcheck")
    tarvex = os.path.join(build, "tarvex", "tarvex")
    scratch = tempfile.mkdtemp()
    failed = 0
    try:
        for k in range(cases):
            rng = random.Random(1000 + k)
            factor = rng.choice(FACTORS)
            where = os.path.join(scratch, "model-%d" % k)
            author = os.path.join(where, "author")
            os.makedirs(author)
            generate.write_tarvex(rng.randint(9, 200), where)
            model = scaled_weights(read(os.path.join(where, "modellir.txt")).decode("ascii"),
                                   factor, len(generate.WEIGHT_VALUE))
            for d in (where, author):
                with open(os.path.join(d, "modellir.txt"), "w", newline="\n") as f:
                    f.write(model)
            answers = expected_answers(read(os.path.join(where, "answers.txt")), factor)
            run([tarvex], author, answers)
            expected = os.path.join(author, "modelans.lgw")
            fix = run([check, "--fix"], where)
            violations = []
            written = os.path.join(where, "modellir.answers")
            got = read(written) if os.path.exists(written) else b""
            if fix.returncode != 0 or got != answers:
                violations.append("answers-settled: --fix exits %d, writes %r where %r" % (
                    fix.returncode, got, answers))
            os.replace(os.path.join(where, "modellir.fixed.txt"), os.path.join(where, "modellir.txt"))
            conversion = run([tarvex], where, got)
            script = os.path.join(where, "modelans.lgw")
            if (conversion.returncode != 0 or not os.path.exists(expected) or
                    not os.path.exists(script) or read(script) != read(expected)):
                violations.append("answers-convert: tarvex exits %d; %s" % (
                    conversion.returncode, conversion.stdout[-300:].decode("ascii", "replace")))
            verify = run([check, "--verify", "--answers", "modellir.answers"], where)
            if verify.returncode != 0:
                violations.append("answers-verify: --verify --answers exits %d: %s" % (
                    verify.returncode, verify.stdout[-600:].decode("ascii", "replace")))
            for v in violations:
                failed += 1
                print("FAILED: model %d (factor %g): %s" % (k, factor, v))
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print("generated models answered: %d; violations: %d" % (cases, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
