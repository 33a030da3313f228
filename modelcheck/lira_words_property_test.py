#!/usr/bin/env python3
"""modelcheck --fix held to tarvex on models in LIRA's own words: generated
models (bench/generate.py) rewritten as LIRA and its exporters write them
(plates with "GEI" and perhaps their density, plate rows with a density,
continuation rows of a density or a Poisson's ratio, space frame bars of
type 5, quadrilaterals round their perimeter, no document 16). For each:

  mends-all     --fix leaves nothing to mend by hand (exit 0);
  converts      tarvex converts the mended copy to the script of the model
                as its author wrote it in tarvex's words (where document 16
                was left out: with the load cases that document 6 uses);
  verifies      --verify exits 0 on the copy and its script;
  settled       --fix of the copy writes it again byte for byte.

    lira_words_property_test.py BUILD_DIR SOURCE_DIR [CASES]
"""
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile


def run(argv, cwd, stdin=b""):
    return subprocess.run(argv, cwd=cwd, input=stdin, capture_output=True, timeout=120)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def write(path, text):
    with open(path, "w") as f:
        f.write(text)


def in_lira_words(rng, model):
    """The model rewritten line by line; the labels of what was rewritten."""
    out, labels, doc = [], set(), None
    for line in model.split("\n"):
        m = re.match(r"^\( (\d+)/", line)
        if m:
            doc = int(m.group(1))
        plate = re.match(r"^(\d+) 3\.0E6 (\S+) (\S+) /$", line)
        if doc == 3 and plate and rng.random() < 0.8:
            v, nu, t = plate.groups()
            out.append("%s GEI %s %s %s%s" % (v, rng.choice(["3e+006", "3000000", "3E6", "3.0E6"]),
                                              nu, t, rng.choice([" RO 2.5 /", " /", " RO 2.5/", "/"])))
            labels.add("gei")
            if rng.random() < 0.5:
                out.append(rng.choice(["0 RO 2.5 /", "0 Mu %s/" % nu, "0 RO 2.5 Mu %s /" % nu]))
                labels.add("continuation")
            continue
        if doc == 3 and plate and rng.random() < 0.5:
            out.append(line[:-2] + rng.choice([" RO 2.5 /", " RO 2.5/"]))
            labels.add("plate-density")
            continue
        out.append(line)
        if doc == 3 and line.startswith("3 S0 ") and rng.random() < 0.7:
            out.append(rng.choice(["0 RO 7.85 /", "0 RO 7.85 Mu 0.3/", "0 Mu 0.2 /"]))
            labels.add("continuation")
        if doc == 1 and line.startswith("10 ") and rng.random() < 0.8:
            out[-1] = "5" + line[2:]
            labels.add("type5")
        if doc == 1 and line.startswith("44 ") and rng.random() < 0.3:
            p = line.split()
            p[4], p[5] = p[5], p[4]
            out[-1] = " ".join(p)
            labels.add("perimeter")
    return "\n".join(out), labels


def without_case_list(model):
    """The model without document 16, and the model with LIRA's list of the
    load cases that document 6 uses."""
    loads = re.search(r"\( 6/\n((?:.*\n)*?)\s*\)", model).group(1)
    used = sorted({int(r.split()[4]) for r in loads.split("\n") if len(r.split()) >= 5})
    pattern = r"\( 16/\n(?:.*\n)*?\s*\)\n?"
    listed = "( 16/\n" + "".join("%d 0 /\n" % c for c in used) + ")\n"
    return re.sub(pattern, "", model, count=1), re.sub(pattern, listed, model, count=1)


def main(argv):
    build, source = os.path.abspath(argv[1]), os.path.abspath(argv[2])
    cases = int(os.environ.get("LIRA_PROPERTY_CASES") or (argv[3] if len(argv) > 3 else 40))
    sys.path.insert(0, os.path.join(source, "bench"))
    import generate
    check = os.path.join(build, "modelcheck", "modelcheck")
    tarvex = os.path.join(build, "tarvex", "tarvex")
    scratch = tempfile.mkdtemp()
    failed, tally = 0, {}
    try:
        for k in range(cases):
            rng = random.Random(k)
            where = os.path.join(scratch, "model-%d" % k)
            author_dir, copy_dir = os.path.join(where, "author"), os.path.join(where, "copy")
            for d in (where, author_dir, copy_dir):
                os.makedirs(d)
            generate.write_tarvex(rng.randint(9, 90), where)
            model = read(os.path.join(where, "modellir.txt")).decode("ascii")
            answers = read(os.path.join(where, "answers.txt"))
            author = model
            text, labels = in_lira_words(rng, model)
            if rng.random() < 0.5:
                text = without_case_list(text)[0]
                author = without_case_list(model)[1]
                labels.add("no-case-list")
            for label in labels:
                tally[label] = tally.get(label, 0) + 1
            write(os.path.join(author_dir, "modellir.txt"), author)
            run([tarvex], author_dir, answers)
            expected = read(os.path.join(author_dir, "modelans.lgw"))
            write(os.path.join(where, "modellir.txt"), text)
            fix = run([check, "--fix"], where)
            copy = read(os.path.join(where, "modellir.fixed.txt"))
            with open(os.path.join(copy_dir, "modellir.txt"), "wb") as f:
                f.write(copy)
            run([tarvex], copy_dir, answers)
            script = os.path.join(copy_dir, "modelans.lgw")
            got = read(script) if os.path.exists(script) else b""
            verify = run([check, "--verify"], copy_dir)
            run([check, "--fix"], copy_dir)
            violations = []
            if fix.returncode != 0:
                violations.append("mends-all: --fix exits %d" % fix.returncode)
            if got != expected:
                violations.append("converts: the copy's script is not the author's")
            if verify.returncode != 0:
                violations.append("verifies: --verify exits %d" % verify.returncode)
            if read(os.path.join(copy_dir, "modellir.fixed.txt")) != copy:
                violations.append("settled: --fix of the copy changes it")
            for v in violations:
                failed += 1
                print("FAILED: model %d (%s): %s" % (k, " ".join(sorted(labels)), v))
                print(fix.stdout.decode("ascii", "replace")[-1500:])
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print("models in LIRA's words: %d (%s); violations: %d" % (
        cases, ", ".join("%s %d" % kv for kv in sorted(tally.items())), failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
