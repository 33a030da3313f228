#!/usr/bin/env python3
"""modelcheck held to the programs: generated models (bench/generate.py),
spoiled in the ways real files are, each run through the real tarvex (its
answers scripted) and the real modelcheck in a scratch directory:

  completes      wherever tarvex completes, `modelcheck --verify` exits 0, or
                 names only differences of a kind the conversion's rules call
                 real (REAL_DIFFERENCES);
  stop-quoted    wherever tarvex stops, the check has a finding that quotes
                 that stop word for word;
  clean-converts wherever the check finds nothing, tarvex completes;
  fix-settled    `--fix` of the mended copy mends nothing more and writes the
                 copy again byte for byte;
  fix-converts   where `--fix` leaves nothing to mend by hand, tarvex completes
                 on the copy, with the answers file that --fix wrote beside it
                 where it wrote one; where the only spoilings are spelling,
                 layout or LIRA's own words (LIRA), `--fix` leaves nothing and
                 the copy's script is the script of the model before it was
                 spoiled, byte for byte (where --fix was given no answers, the
                 answers file it makes of the model's densities and own-weight
                 records gives that script, with VR3 the engineer's to confirm);
  no-false-stop  wherever tarvex completes, no finding of the check says that
                 it stops;
  twisted-found  where --verify warns of a twisted element, the check has a
                 finding of it;
  no-crash       modelcheck ends with 0, 1 or 2 (and no sanitizer report), in
                 every mode; tarvex ends with a completion or an orderly stop.

    properties_test.py BUILD_DIR SOURCE_DIR [CASES] [--skip-known]
    properties_test.py BUILD_DIR SOURCE_DIR --input FILE...   one model each
    properties_test.py BUILD_DIR SOURCE_DIR --minimize FILE PROPERTY [PATTERN]

Environment: LIRA_PROPERTY_CASES (the number of generated models; the
argument, else 150), LIRA_PROPERTY_SEED (the first model's seed; 1),
LIRA_PROPERTY_KEEP (a directory: each violating model is kept there),
LIRA_PROPERTY_LIRA_WORDS (landed: the spoilings of LIRA's own words whose
mends have landed, and the others that the build's --fix mends, tried first
on a few models; auto: every one tried; on: all; off: none).

The committed inputs of fuzz/modelcheck/ are run first: the seeds and the
regression inputs must hold every property; the inputs of known/ are
violations not yet mended, listed in fuzz/modelcheck/known.txt as
"name | property | pattern". A violation of a generated model whose property
is listed and whose detail matches the pattern (a regular expression) is
counted as known and does not fail the test; every other one does. A known
input that holds every property is reported, so the list can be emptied as
the mends land.
"""
import concurrent.futures
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import threading

HERE = os.path.dirname(os.path.abspath(__file__))

# The console answers of the generated models, and the same for modelcheck.
ANSWERS = b"0.005\n2500\ny\n3\n7850\n0\n1\nc\n"
DENSITY_ARGS = ["--density", "2500", "--density", "3:7850", "--weight-case", "1"]
COMPLETED = b"\nTransformation completed."
STOPPED = b"\nPress any key to finish\n"
# Differences of --verify that the conversion's rules call real: a
# quadrilateral whose corners, in the order tarvex writes them, cross over.
REAL_DIFFERENCES = [r"twisted", r"elements of another kind", r"repeated own weight"]
# How much of a violation's detail is shown; known.txt's patterns see all of it.
SHOWN = 700
# What the build does, found out once before the models run: whether
# modelcheck takes --answers, and which spoilings of LIRA's own words (LIRA
# below) its --fix mends.
FEATURES = {"answers option": False, "lira": set()}
SANITIZER = re.compile(rb"ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer")
SANITIZER_ENV = {"ASAN_OPTIONS": "exitcode=86:abort_on_error=0",
                 "UBSAN_OPTIONS": "exitcode=87:print_stacktrace=1"}


# ------------------------------------------------------------------ runs

class Bins:
    def __init__(self, build):
        self.tarvex = os.path.join(build, "tarvex", "tarvex")
        self.modelcheck = os.path.join(build, "modelcheck", "modelcheck")


def run(argv, cwd, stdin=b"", timeout=60):
    env = dict(os.environ, **SANITIZER_ENV)
    try:
        p = subprocess.run(argv, cwd=cwd, input=stdin, capture_output=True, timeout=timeout,
                           env=env)
        return p.returncode, p.stdout, p.stderr
    except subprocess.TimeoutExpired:
        return "timeout", b"", b""


def tarvex(bins, where, model_name="modellir.txt", answers=ANSWERS):
    """(state, stop message lines, script bytes); the model is copied to
    modellir.txt of a directory of its own first when it has another name."""
    if model_name != "modellir.txt":
        sub = os.path.join(where, "copy-run")
        os.makedirs(sub, exist_ok=True)
        shutil.copyfile(os.path.join(where, model_name), os.path.join(sub, "modellir.txt"))
        where = sub
    rc, out, err = run([bins.tarvex], where, answers)
    script = b""
    path = os.path.join(where, "modelans.lgw")
    if os.path.exists(path):
        with open(path, "rb") as f:
            script = f.read()
    if rc == 0 and COMPLETED in out:
        return "completed", None, script
    if STOPPED in out and rc != "timeout" and not SANITIZER.search(err):
        before = out[:out.rindex(STOPPED)].decode("cp866", "replace")
        lines = before.split("\n")
        while lines and not lines[-1].strip():
            lines.pop()  # a message that ends with a line end
        return "stopped", lines, script
    return "failed (exit %s%s)" % (rc, ", sanitizer" if SANITIZER.search(err) else ""), None, script


def stop_text(stop_lines):
    """The last line of a stop, the part of its message that is surely its own."""
    return stop_lines[-1].strip() if stop_lines else ""


def quote_found(stop_lines, report):
    """Whether `report` quotes the stop as a finding does: the message's
    lines joined by blanks, in double quotes."""
    for k in range(1, min(8, len(stop_lines)) + 1):
        text = re.sub(" +", " ", " ".join(stop_lines[-k:]))
        if ('"' + text + '"') in report:
            return True
    return False


class Case:
    """One model and what its runs showed."""

    def __init__(self, name, model, labels=(), mendable=False, original_script=None):
        self.name, self.model, self.labels = name, model, list(labels)
        self.mendable, self.original_script = mendable, original_script
        # --fix with no answers given: the answers file comes from the model's
        # own densities and own-weight records; the model before the spoiling
        # (`original`), converted with those answers, gives the script.
        self.model_answers, self.original = False, None
        self.violations = []  # (property, detail)

    def violate(self, prop, detail):
        self.violations.append((prop, detail))


def modelcheck(case, bins, where, args):
    rc, out, err = run([bins.modelcheck] + args, where)
    text = out.decode("utf-8", "replace")
    if rc not in (0, 1, 2) or SANITIZER.search(err):
        case.violate("no-crash", "modelcheck %s ended with %s: %s" % (
            " ".join(args), rc, err.decode("utf-8", "replace")[-400:].strip()))
    return rc, text


def check_case(case, bins, scratch):
    where = tempfile.mkdtemp(dir=scratch)
    try:
        with open(os.path.join(where, "modellir.txt"), "wb") as f:
            f.write(case.model)
        check_rc, report = modelcheck(case, bins, where, DENSITY_ARGS)
        state, stop, script = tarvex(bins, where)
        if state == "completed":
            rc, text = modelcheck(case, bins, where, ["--verify"])
            if rc != 0:
                # "nodes and coordinates: 2 differences", "twisted elements: 1 element"
                groups = re.findall(r"^  ([^*\n][^:\n]*): \d+ [a-z]+$", text, re.M)
                # Notes (own weight within tarvex's 5 %) are no differences.
                groups = [g for g in groups if g != "notes"]
                real = [g for g in groups if any(re.search(r, g) for r in REAL_DIFFERENCES)]
                if rc != 1 or not groups or len(real) != len(groups) or "cannot be read" in text:
                    case.violate("completes", "tarvex completes; --verify exits %s: %s" % (
                        rc, verify_digest(text)))
            stops = [l for l in report.splitlines() if "] " in l and "stops with" in l]
            if stops:
                case.violate("no-false-stop", "tarvex completes; the check says: %s" % digest(
                    "\n".join(stops)))
            twisted = re.search(r"^  \* (element \d+ \(LIRA type \d+.*twisted.*)$", text, re.M)
            if twisted and "twisted" not in report:
                case.violate("twisted-found", "--verify warns: %s; the check says: %s" % (
                    twisted.group(1)[:200], digest(report)))
            modelcheck(case, bins, where, ["--picture", "--case", "2"])
        elif state == "stopped":
            if not quote_found(stop, report):
                case.violate("stop-quoted", "tarvex stops with \"%s\"; the check says: %s" % (
                    stop_text(stop), digest(report)))
        else:
            case.violate("no-crash", "tarvex " + state)
        if check_rc == 0 and state != "completed":
            case.violate("clean-converts", "the check finds nothing; tarvex %s%s" % (
                state, ": \"%s\"" % stop_text(stop) if stop else ""))

        answer_args = fix_answer_args(case, where)
        fix_rc, fix_report = modelcheck(case, bins, where, ["--fix"] + answer_args)
        copy = os.path.join(where, "modellir.fixed.txt")
        if fix_rc in (0, 1) and os.path.exists(copy):
            with open(copy, "rb") as f:
                fixed = f.read()
            again_rc, again = modelcheck(case, bins, where,
                                         ["--fix"] + answer_args + ["modellir.fixed.txt"])
            again_copy = os.path.join(where, "modellir.fixed.fixed.txt")
            twice = open(again_copy, "rb").read() if os.path.exists(again_copy) else None
            if "(mended)" in again or (again_rc in (0, 1) and twice != fixed):
                case.violate("fix-settled", "a second --fix mends again: %s" % digest(again))
            # tarvex takes the answers that --fix wrote beside the copy.
            answers_path = os.path.join(where, "modellir.answers")
            answers = open(answers_path, "rb").read() if os.path.exists(answers_path) else ANSWERS
            by_hand = fix_rc != 0
            if case.model_answers and fix_rc == 1:
                # VR3 is the engineer's to confirm: the model cannot say it.
                left = left_by_hand(fix_report)
                by_hand = not all(re.search(r"\[answers\].*VR3", l) for l in left)
            if not by_hand or case.mendable:
                fstate, fstop, fscript = tarvex(bins, where, "modellir.fixed.txt", answers)
                if not by_hand and fstate != "completed":
                    case.violate("fix-converts", "--fix leaves nothing; tarvex on the copy %s%s" % (
                        fstate, ": \"%s\"" % stop_text(fstop) if fstop else ""))
                if case.mendable:
                    expected = case.original_script
                    if case.model_answers:
                        expected = model_answers_script(bins, scratch, case, answers)
                    if by_hand:
                        case.violate("fix-converts", "only spelling and layout spoiled; --fix "
                                     "leaves: %s" % digest(fix_report, unmended=True))
                    elif fstate == "completed" and expected is not None and fscript != expected:
                        case.violate("fix-converts", "only spelling and layout spoiled; the "
                                     "copy's script is not the original's%s" % (
                                         " (with the answers --fix wrote: %s)" % answers_digest(
                                             answers) if case.model_answers else ""))
        elif fix_rc in (0, 1):
            case.violate("fix-settled", "--fix exits %s and writes no copy" % fix_rc)
    finally:
        shutil.rmtree(where, ignore_errors=True)
    return case


def fix_answer_args(case, where):
    """The answers --fix is given: none where the answers file is to come
    from the model itself; else the console answers of the runs, as an
    answers file where modelcheck takes one (it then holds VR3 too)."""
    if case.model_answers:
        return []
    if FEATURES["answers option"]:
        with open(os.path.join(where, "given.answers"), "wb") as f:
            f.write(ANSWERS)
        return ["--answers", "given.answers"]
    return DENSITY_ARGS


_model_answer_scripts = {}
_model_answer_lock = threading.Lock()


def model_answers_script(bins, scratch, case, answers):
    """The script of the model before the spoiling, converted with the
    answers that the spoiled model's own words give: the densities and the
    own-weight case of ANSWERS, and VR3 as the answers file that --fix wrote
    has it (the model cannot say VR3)."""
    first = answers.split(b"\n", 1)[0].strip()
    key = (case.original, first)
    with _model_answer_lock:
        if key in _model_answer_scripts:
            return _model_answer_scripts[key]
    where = tempfile.mkdtemp(dir=scratch)
    try:
        with open(os.path.join(where, "modellir.txt"), "wb") as f:
            f.write(case.original)
        state, _, script = tarvex(bins, where, answers=first + b"\n" + ANSWERS.split(b"\n", 1)[1])
    finally:
        shutil.rmtree(where, ignore_errors=True)
    script = script if state == "completed" else None
    with _model_answer_lock:
        _model_answer_scripts[key] = script
    return script


def answers_digest(answers):
    return " ".join(answers.decode("ascii", "replace").split())


def left_by_hand(report):
    """The finding lines of a --fix report that are not mended; a line "[kind]
    N more like these" stands for more of the kind's lines before it, mended
    as they are."""
    left, mended = [], {}
    for line in report.splitlines():
        m = re.search(r"\[([a-z0-9-]+)\] (\d+ more like these)?", line)
        if not m or "] " not in line:
            continue
        if m.group(2) is None:
            mended[m.group(1)] = line.endswith("(mended)")
        if not mended.get(m.group(1), False):
            left.append(line)
    return left


def digest(report, unmended=False):
    lines = left_by_hand(report) if unmended else [l for l in report.splitlines() if "] " in l]
    if not lines:
        counted = [l for l in report.splitlines() if "left to mend by hand" in l]
        return (counted or report.strip().splitlines() or ["(nothing)"])[-1]
    return " | ".join(re.sub(r"^\S+?:(\d+:)? ", "", l) for l in lines)


def verify_digest(text):
    if "cannot be read" in text:
        return re.sub(r"\s+", " ", text[text.index("cannot be read"):]).strip()[:300]
    lines = [l for l in text.splitlines()
             if re.match(r"^  [^*].*: \d+ differences?$", l) or l.startswith("  * ")
             or l.startswith("Verdict")]
    return " | ".join(l.strip()[:200] for l in lines[:6])


# ------------------------------------------------------------- spoiling

HEADER = re.compile(r"^\( (\d+)/")


def documents(lines):
    """{document number: (header index, closing index)}."""
    docs, current = {}, None
    for i, l in enumerate(lines):
        m = HEADER.match(l)
        if m:
            current = (int(m.group(1)), i)
        elif l.strip() == ")" and current is not None:
            docs[current[0]] = (current[1], i)
            current = None
    return docs


def records(lines, doc):
    d = documents(lines).get(doc)
    return list(range(d[0] + 1, d[1])) if d else []


def own_records(lines, doc):
    """The records of `doc` up to the first line that holds a parenthesis: where
    a spoiling put the next header after the ")", the document runs on in
    `documents`' eyes."""
    own = []
    for i in records(lines, doc):
        if "(" in lines[i] or ")" in lines[i]:
            break
        own.append(i)
    return own


def pick_record(rng, lines, docs, want=None):
    choices = [i for d in docs for i in records(lines, d) if want is None or want(lines[i])]
    return rng.choice(choices) if choices else None


def pick_header(rng, lines, docs=None):
    heads = [i for i, l in enumerate(lines) if HEADER.match(l) and
             (docs is None or int(HEADER.match(l).group(1)) in docs)]
    return rng.choice(heads) if heads else None


def fields_changed(rng, lines, docs, change, want=None):
    """A record of `docs` (one that `want` takes) with its blank-separated
    fields changed by `change`, in place."""
    i = pick_record(rng, lines, docs, want)
    if i is None:
        return False
    fields = lines[i].split()
    try:
        change(fields)
    except (IndexError, ValueError):
        return False  # a record an earlier spoiling left too short, or not a number
    lines[i] = " ".join(fields)
    return True


# Each spoiler changes `lines` in place and returns True when it applied.
# MENDABLE: spelling and layout that --fix mends; the copy must convert to the
# very script of the model before the spoiling.

def header_no_blank(rng, lines):
    i = pick_header(rng, lines, (1, 3, 4, 5, 6, 7, 16))
    if i is None:
        return False
    lines[i] = lines[i].replace("( ", "(", 1)
    return True


def header_blank_before_slash(rng, lines):
    i = pick_header(rng, lines, (1, 3, 4, 5, 6, 7, 16))
    if i is None:
        return False
    lines[i] = re.sub(r"^\( (\d+)/", r"( \1 /", lines[i])
    return True


def header_after_close(rng, lines):
    i = pick_header(rng, lines, (1, 3, 4, 5, 6, 7, 16))
    if i is None or i == 0:
        return False
    before = lines[i - 1].rstrip()
    if before.startswith("( 0/"):
        before += " )"  # document 0 closed on its own line: "( 0/ 1; frame/ )( 1/"
    lines[i - 1] = before + rng.choice(["", " "]) + lines[i]
    del lines[i]
    return True


def header_after_blanks(rng, lines):
    i = pick_header(rng, lines, (1, 3, 4, 5, 6, 7, 16))
    if i is None:
        return False
    lines[i] = rng.choice([" ", "   ", "\t"]) + lines[i]
    return True


def record_on_header(rng, lines):
    i = pick_header(rng, lines, (1, 3, 4, 5, 6, 7, 16))
    if i is None or i + 1 >= len(lines) or lines[i + 1].strip() == ")":
        return False
    lines[i] = lines[i] + rng.choice(["", " "]) + lines[i + 1]
    del lines[i + 1]
    return True


def glued_slash(rng, lines):
    done = False
    for _ in range(rng.randint(1, 3)):
        i = pick_record(rng, lines, (1, 4, 5, 7), lambda l: l.endswith(" /"))
        if i is not None:
            lines[i] = lines[i][:-2] + "/"
            done = True
    return done


def record_end_blanks(rng, lines):
    i = pick_record(rng, lines, (1, 4), lambda l: l.endswith(" /"))
    if i is None:
        return False
    lines[i] = lines[i][:-2] + rng.choice(["  /", "   /", "\t/", " \t/"])
    return True


def records_joined(rng, lines):
    """Two records on one line, the second glued to the slash of the first
    ("44 1 1 2 3 4 /44 1 2 5 6 3 /"): tarvex reads an element, a node of three
    values, a load or a load case up to that slash and the next record from
    the character after it, so the model reads as it did. A record of
    supports ends at the word "/44" and loses the rest: --fix puts a blank
    after the slash."""
    doc = rng.choice([1, 4, 5, 6, 16])
    own = own_records(lines, doc)
    shape = r"^\s*\S+\s+\S+\s+\S+ /$" if doc == 4 else r" /$"
    i = pick_record(rng, lines, (doc,), lambda l: re.search(shape, l))
    if i is None or i not in own or i + 1 not in own or not re.match(r"^\s*\d", lines[i + 1]):
        return False
    lines[i] += lines[i + 1].lstrip()
    del lines[i + 1]
    return True


def decimal_comma(rng, lines):
    done = False
    for _ in range(rng.randint(1, 3)):
        i = pick_record(rng, lines, (3, 4, 7), lambda l: re.search(r"\d\.\d", l))
        if i is not None:
            spots = [m.start() for m in re.finditer(r"(?<=\d)\.(?=\d)", lines[i])]
            k = rng.choice(spots)
            zero = re.search(r"(?<![\d.])0$", lines[i][:k])
            if zero and rng.random() < 0.3:
                k -= 1  # ",5" for "0.5"
                lines[i] = lines[i][:k] + "," + lines[i][k + 2:]
            else:
                lines[i] = lines[i][:k] + "," + lines[i][k + 1:]
            done = True
    return done


MENDABLE = [header_no_blank, header_blank_before_slash, header_after_close, header_after_blanks,
            record_on_header, glued_slash, record_end_blanks, decimal_comma, records_joined]


# Line ends are spoiled last, on the whole text.
def line_ends(rng, text):
    kind = rng.choice(["crlf", "lfcr", "cr"])
    return {"crlf": text.replace("\n", "\r\n"), "lfcr": text.replace("\n", "\n\r"),
            "cr": text.replace("\n", "\r")}[kind], kind


# OTHER: what needs the author's judgement, or what tarvex refuses or loses.

def missing_document(rng, lines):
    docs = documents(lines)
    d = rng.choice([n for n in docs if n != 0] or [None])
    if d is None:
        return False
    a, b = docs[d]
    del lines[a:b + 1]
    return True


def unknown_stiffness(rng, lines):
    i = pick_record(rng, lines, (3,), lambda l: re.match(r"^\d+ ", l))
    if i is None:
        return False
    number = lines[i].split()[0]
    choice = rng.randint(0, 3)
    if choice == 0:
        lines[i] = "%s RO 0.30625/" % number
    elif choice == 1:
        lines.insert(i, "%s XY 1 2 /" % rng.choice(["7", "8", number]))
    elif choice == 2:
        lines[i] = "0 RO 0.30625/" + lines[i]
    else:
        lines[i] = lines[i].replace(" ", " Q", 1)
    return True


def stiffness_row_shape(rng, lines):
    i = pick_record(rng, lines, (3,), lambda l: re.match(r"^\d+ \d", l))
    if i is None:
        return False
    parts = lines[i].split()
    if rng.random() < 0.5:
        lines[i] = " ".join(parts[:-1] + ["5", "/"])  # a plate row with a value more
    else:
        lines[i] = parts[0] + ".0 " + " ".join(parts[1:])  # a first value with a point
    return True


def element_type(rng, lines):
    def change(p):
        p[0] = {"10": "5", "210": rng.choice(["5", "10"]), "44": rng.choice(["41", "241", "42"]),
                "42": "44", "241": "44", "242": "42", "51": "55"}.get(p[0], "5")
    return fields_changed(rng, lines, (1,), change)


def type5_bars(rng, lines):
    idx = [i for i in own_records(lines, 1) if lines[i].startswith("10 ")]
    if not idx:
        return False
    for i in rng.sample(idx, rng.randint(1, len(idx))):
        lines[i] = "5" + lines[i][2:]
    return True


def twisted_quad(rng, lines):
    def change(p):
        p[4], p[5] = p[5], p[4]
    return fields_changed(rng, lines, (1,), change, lambda l: re.match(r"^(44|41|241) ", l))


def long_token(rng, lines):
    i = pick_record(rng, lines, (0, 1, 3, 4, 5, 6, 7, 16))
    if i is None:
        return False
    parts = lines[i].split(" ")
    k = rng.randrange(len(parts))
    n = rng.choice([149, 150, 151, 200, 400])
    parts[k] = rng.choice(["0." + "0" * (n - 3) + "1", "x" * n, "1" * n])
    lines[i] = " ".join(parts)
    return True


def hexadecimal(rng, lines):
    whole = r"(?<![\d.,])\d+(?![\d.,])"
    i = pick_record(rng, lines, (1, 4, 5, 6, 7), lambda l: re.search(whole, l))
    if i is None:
        return False
    spots = list(re.finditer(r"(?<![\d.,])(\d+)(?![\d.,])", lines[i]))
    m = rng.choice(spots)
    hex_text = rng.choice(["0x%x", "0X%X", "0x%02x"]) % int(m.group(1))
    lines[i] = lines[i][:m.start()] + hex_text + lines[i][m.end():]
    if rng.random() < 0.3 and lines[i].endswith(" /"):
        lines[i] = lines[i][:-2] + "/"
    return True


def record_end_paren(rng, lines):
    docs = documents(lines)
    d = rng.choice([n for n in docs if n != 0 and docs[n][1] - docs[n][0] > 1] or [None])
    if d is None:
        return False
    a, b = docs[d]
    lines[b - 1] = lines[b - 1] + ")"
    del lines[b]
    return True


def slash_on_next_line(rng, lines):
    i = pick_record(rng, lines, (1, 4), lambda l: l.endswith(" /"))
    if i is None:
        return False
    lines[i] = lines[i][:-2]
    lines.insert(i + 1, "/")
    return True


def empty_line(rng, lines):
    if len(lines) < 2:
        return False  # a model on one line
    lines.insert(rng.randrange(1, len(lines)), rng.choice(["", " ", "\t"]))
    return True


def line_dropped_or_doubled(rng, lines):
    if len(lines) < 2:
        return False
    i = rng.randrange(1, len(lines))
    if rng.random() < 0.5:
        del lines[i]
    else:
        lines.insert(i, lines[i])
    return True


def token_changed(rng, lines):
    i = rng.randrange(len(lines))
    parts = lines[i].split(" ")
    k = rng.randrange(len(parts))
    parts[k] = rng.choice(["0", "-1", "99", "100000", "1e30", "nan", "1.5", "-0", "2147483648",
                           "abc", "", "/", ";", "3,5", "0.2.3", "+7", "1e-40", "inf"])
    lines[i] = " ".join(parts)
    return True


def extra_document(rng, lines):
    d = rng.choice([2, 8, 12, 17, 19, 33])
    at = max(1, min(len(lines), rng.choice([1, len(lines)])))
    lines[at:at] = ["( %d/" % d, "1 2 3 /", " )"]
    return True


def weight_value(rng, lines):
    def change(p):
        p[1] = "%g" % (float(p[1]) * rng.choice([0, 0.97, 1.03, 1.049, 1.06, 0.5, 2]))
    return fields_changed(rng, lines, (7,), change, lambda l: l.startswith("1 "))


def load_on_link(rng, lines):
    docs = documents(lines)
    if 1 not in docs or 6 not in docs:
        return False
    links = [n for n, i in enumerate(records(lines, 1), 1) if lines[i].startswith("51 ")]
    if not links:
        return False
    lines.insert(docs[6][1], "%d %s 3 6 2 /" % (rng.choice(links), rng.choice(["6", "0", "16"])))
    return True


def load_direction(rng, lines):
    def change(p):
        p[2] = str(rng.randint(0, 8))
    return fields_changed(rng, lines, (6,), change, lambda l: len(l.split()) > 3)


def undefined_stiffness(rng, lines):
    def change(p):
        p[1] = rng.choice(["9", "0", "49", "50"])
    return fields_changed(rng, lines, (1,), change)


def truncated(rng, text):
    return text[:rng.randrange(len(text) // 4, len(text))]


# LIRA's own words, as LIRA and the programs around it write a model: --fix
# mends them into the words tarvex reads, and the copy, converted with the
# answers file that --fix writes, gives the model's script. Each is spoiled
# only where the build mends it (FEATURES["lira"]; LIRA_PROPERTY_LIRA_WORDS).

# The densities of the generated models' stiffnesses, in t/m3 as LIRA writes
# RO, as ANSWERS gives them (2500 kg/m3; stiffness 3, the bar, 7850).
def lira_density(number):
    return "7.85" if number == "3" else "2.5"


PLATE_ROW = re.compile(r"^(\d+) (\S*\.\S*) (\S+) (\S+) /$")  # "1 3.0E6 0.2 0.2 /"
BAR_ROW = re.compile(r"^(\d+) S0 (\S+) (\S+) (\S+) ?/$")        # "3 S0 3.0E6 20 40 /"


def lira_modulus(rng, token):
    """The same modulus as LIRA and exporters write it: "3e+006" (no point,
    which --fix gives one), "3.000E+006", "3E6", or as it stands."""
    v = float(token)
    mantissa, exponent = ("%e" % v).split("e")
    short = mantissa.rstrip("0").rstrip(".")
    return rng.choice([token, "%se%+04d" % (short, int(exponent)),
                       "%sE%+04d" % (mantissa[:5], int(exponent)), "%sE%d" % (short, int(exponent))])


def stiffness_blocks(lines):
    """{stiffness number: (first row, last row, kind word)} of document 3."""
    blocks = {}
    for i in own_records(lines, 3):
        parts = lines[i].split()
        if len(parts) < 2 or not parts[0].isdigit() or parts[0] == "0":
            continue
        first, _, kind = blocks.get(parts[0], (i, i, parts[1]))
        blocks[parts[0]] = (first, i, kind)
    return blocks


def continuation(rng, number, plate_ratio=None):
    """A row that goes on with the stiffness before it: " 0 RO 2.5/"."""
    forms = [" 0 RO %s/" % lira_density(number), "0 RO %s /" % lira_density(number)]
    if plate_ratio is not None:
        forms.append(" 0 RO %s Mu %s /" % (lira_density(number), plate_ratio))
    return rng.choice(forms)


def lira_stiffnesses(rng, lines, every):
    """Rows of document 3 in LIRA's words: plates as "1 GEI 3.0E6 0.2 0.2 RO
    2.5 /", densities on a bar's own row or in continuation rows, " 0 Mu"
    rows that repeat a plate's ratio. With `every`, each stiffness that weighs
    gets its density (RO) so; else a few rows change."""
    blocks = stiffness_blocks(lines)
    if not blocks:
        return False
    inserts, done = [], False
    for number, (first, last, kind) in sorted(blocks.items(), key=lambda b: -b[1][1]):
        if kind == "3" or not (every or rng.random() < 0.4):
            continue  # an elastic link weighs nothing
        plate, bar = PLATE_ROW.match(lines[first]), BAR_ROW.match(lines[first])
        if plate and first == last:
            ro_on_row = rng.random() < 0.6
            lines[first] = "%s GEI %s %s %s%s /" % (
                number, lira_modulus(rng, plate.group(2)), plate.group(3), plate.group(4),
                " RO %s" % lira_density(number) if ro_on_row else "")
            rows = [] if ro_on_row else [continuation(rng, number, plate.group(3))]
            if rng.random() < 0.3:
                rows.append(rng.choice([" 0 Mu %s/", "0 Mu %s /"]) % plate.group(3))
        elif bar and first == last and rng.random() < 0.5:
            lines[first] = "%s S0 %s %s %s RO %s/" % (number, bar.group(2), bar.group(3),
                                                    bar.group(4), lira_density(number))
            rows = []
        else:
            rows = [continuation(rng, number)]
        inserts.append((last + 1, rows))
        done = True
    for at, rows in inserts:  # from the last block up, so the indices hold
        lines[at:at] = rows
    return done


def lira_stiffness_words(rng, lines):
    return lira_stiffnesses(rng, lines, True)


def lira_stiffness_rows(rng, lines):
    return lira_stiffnesses(rng, lines, False)


def perimeter_quads(rng, lines):
    """Quadrilaterals written round the perimeter (a, b, c, d), as exporters
    write them, where tarvex wants a, b, then the corners opposite them."""
    idx = [i for i in own_records(lines, 1) if re.match(r"^(44|41|241|244) \d+ \d+ \d+ \d+ \d+ /$",
                                                    lines[i])]
    if not idx:
        return False
    for i in rng.sample(idx, rng.randint(1, len(idx))):
        p = lines[i].split()
        p[4], p[5] = p[5], p[4]
        lines[i] = " ".join(p)
    return True


def no_document_16(rng, lines):
    """A model written before its analysis: no document 16. Only where the
    document lists exactly the cases that document 6 uses, in ascending
    order, as --fix writes it again."""
    docs = documents(lines)
    if 6 not in docs or 16 not in docs:
        return False
    if len(own_records(lines, 6)) != len(records(lines, 6)):
        return False
    used = sorted({int(lines[i].split()[4]) for i in records(lines, 6)
                   if len(lines[i].split()) > 4 and lines[i].split()[4].isdigit()})
    firsts = [lines[i].split()[:1] for i in records(lines, 16)]
    if not all(f and f[0].isdigit() for f in firsts):
        return False  # a blank line or a word that another spoiling left there
    listed = [int(f[0]) for f in firsts]
    if not used or used != listed:
        return False
    a, b = docs[16]
    del lines[a:b + 1]
    return True


def whole_model_one_line(rng, lines):
    """The whole model on one line, each header right after the ")" before it:
    "( 0/ 1; frame/ 2; 5/ )( 1/ 44 1 1 2 3 4 / )( 3/ ..."."""
    if not lines or not lines[0].startswith("( 0/"):
        return False
    # Document 0 ends at its ")", which a spoiling before may have written.
    one = lines[0].rstrip() + ("" if ")" in lines[0] else " )")
    for line in lines[1:]:
        line = line.strip()
        one += line if re.match(r"^\(\s*\d+\s*/", line) else " " + line
    lines[:] = [one]
    return True


def glued_record_end_paren(rng, lines):
    """A document's last record with its slash glued to its last value and the
    ")" right after it ("0.5 1 0/)"), as exporters end a document."""
    docs = documents(lines)
    ends = [n for n in (1, 3, 4, 5, 6, 7, 16) if n in docs and docs[n][1] - docs[n][0] > 1
            and re.search(r"\d /$", lines[docs[n][1] - 1])]
    if not ends:
        return False
    a, b = docs[rng.choice(ends)]
    lines[b - 1] = lines[b - 1][:-2] + "/)"
    del lines[b]
    return True


def uncertain_continuation(rng, lines):
    """A row that goes on with a stiffness in words whose meaning for tarvex
    is not certain (" 0 WLKE 1 ..."), a ratio that tarvex fixes for bars, or a
    density with no stiffness before it: --fix leaves each with a finding."""
    blocks = stiffness_blocks(lines)
    if not blocks:
        return False
    number = rng.choice(sorted(blocks))
    first, last, kind = blocks[number]
    form = rng.randint(0, 2)
    if form == 0:
        lines.insert(last + 1, " 0 WLKE 1 WLKG 1 PLKE 0.3 PLKG 0.3 /")
    elif form == 1 and kind == "S0":
        lines.insert(last + 1, " 0 Mu 0.3/")
    else:
        lines.insert(min(i for i, _, _ in blocks.values()), " 0 RO 2.5/")
    return True


# The spoilings that need the author's judgement, or that tarvex refuses or loses.
OTHER = [missing_document, unknown_stiffness, stiffness_row_shape, element_type, type5_bars,
         twisted_quad, long_token, hexadecimal, record_end_paren, slash_on_next_line, empty_line,
         line_dropped_or_doubled, token_changed, extra_document, weight_value, load_on_link,
         load_direction, undefined_stiffness, uncertain_continuation]

LIRA = [lira_stiffness_words, lira_stiffness_rows, perimeter_quads, type5_bars,
        no_document_16, whole_model_one_line, record_end_paren, glued_record_end_paren]
# The spoilings of LIRA's words whose mends have landed on main.
LANDED = [lira_stiffness_words, lira_stiffness_rows, perimeter_quads, type5_bars, no_document_16,
          whole_model_one_line, record_end_paren, glued_record_end_paren]


def spoil(rng, text):
    """(spoiled text, labels, only mendable spoilings)."""
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    labels = []
    mendable_pool = MENDABLE + [s for s in LIRA if s.__name__ in FEATURES["lira"]]
    mendable_only = rng.random() < 0.35
    for _ in range(rng.choice([1, 1, 1, 2, 2, 3])):
        spoiler = rng.choice(mendable_pool if mendable_only or rng.random() < 0.45 else OTHER)
        if spoiler(rng, lines):
            labels.append(spoiler.__name__)
    mendable = bool(labels) and all(l in {s.__name__ for s in mendable_pool} for l in labels)
    text = "\n".join(lines) + "\n"
    if not mendable_only and rng.random() < 0.05:
        text = truncated(rng, text)
        labels.append("truncated")
        mendable = False
    if rng.random() < 0.15:
        text, kind = line_ends(rng, text)
        labels.append("line_ends_" + kind)
    return text, labels, mendable


# ----------------------------------------------------------------- known

def read_known(source):
    known = []
    path = os.path.join(source, "fuzz", "modelcheck", "known.txt")
    if os.path.exists(path):
        for line in open(path, encoding="utf-8"):
            if line.strip() and not line.startswith("#"):
                name, prop, pattern = (p.strip() for p in line.split("|", 2))
                known.append((name, prop, re.compile(pattern)))
    return known


def known_as(known, prop, detail):
    for name, p, pattern in known:
        if p == prop and pattern.search(detail):
            return name
    return None


# ------------------------------------------------------------------ main

def find_features(bins, scratch):
    """Whether modelcheck takes --answers (then --fix is given the runs'
    answers as a file, with their VR3)."""
    _, out, _ = run([bins.modelcheck, "--help"], scratch)
    FEATURES["answers option"] = b"--answers" in out


def lira_words_on(bins, scratch, originals, scripts):
    """The spoilings of LIRA words that this build's --fix mends: those of
    mends that have landed (LANDED), and each other one where it holds every
    property on a few generated models, alone (LIRA_PROPERTY_LIRA_WORDS=
    landed, the default; "auto" tries every one; "on" and "off" set them
    all). With them, whether --fix makes the answers file of
    the model's own densities and own-weight records (FEATURES["model
    answers"]), where it writes an answers file at all."""
    mode = os.environ.get("LIRA_PROPERTY_LIRA_WORDS", "landed")
    sizes = sorted(originals)
    where = tempfile.mkdtemp(dir=scratch)
    with open(os.path.join(where, "modellir.txt"), "wb") as f:
        f.write(originals[sizes[0]])
    run([bins.modelcheck, "--fix"], where)
    answers_file = os.path.exists(os.path.join(where, "modellir.answers"))
    shutil.rmtree(where, ignore_errors=True)
    FEATURES["model answers"] = mode == "on" and answers_file
    if mode in ("on", "off"):
        FEATURES["lira"] = {s.__name__ for s in LIRA} if mode == "on" else set()
        return mode

    def tries(spoiler, model_answers):
        tried = 0
        for k in range(4):
            rng = random.Random(4242 + k)
            size = sizes[k % len(sizes)]
            lines = originals[size].decode("ascii").split("\n")[:-1]
            if not spoiler(rng, lines):
                continue
            tried += 1
            c = Case("probe", ("\n".join(lines) + "\n").encode("ascii"), [spoiler.__name__],
                     True, scripts[size])
            c.original, c.model_answers = originals[size], model_answers
            if check_case(c, bins, scratch).violations:
                return False
        return tried > 0

    # The mends that have landed are held to every time: a spoiling that
    # stopped holding must fail the test, not turn itself off.
    landed = {s.__name__ for s in LIRA if s in LANDED} if mode == "landed" else set()
    tried = [s for s in LIRA if s.__name__ not in landed]
    workers = max(2, min(4, os.cpu_count() or 2))
    with concurrent.futures.ThreadPoolExecutor(workers) as pool:
        held = list(pool.map(lambda s: tries(s, False), tried))
        FEATURES["lira"] = landed | {s.__name__ for s, h in zip(tried, held) if h}
        # The answers file of the model's own words has landed with the mends.
        FEATURES["model answers"] = answers_file and "lira_stiffness_words" in FEATURES["lira"] \
            and (mode == "landed" or tries(lira_stiffness_words, True))
    return mode


def generated_models(sizes, scratch):
    sys.path.insert(0, os.path.join(HERE, "..", "bench"))
    import generate
    models = {}
    for size in sizes:
        where = os.path.join(scratch, "generated-%d" % size)
        os.makedirs(where)
        generate.write_tarvex(size, where)
        with open(os.path.join(where, "modellir.txt"), "rb") as f:
            models[size] = f.read()
    return models


def committed_inputs(source):
    top = os.path.join(source, "fuzz", "modelcheck")
    found = []
    for kind in ("seeds", "regressions", "known"):
        d = os.path.join(top, kind)
        if os.path.isdir(d):
            found += [(kind, os.path.join(d, n)) for n in sorted(os.listdir(d))]
    return found


AUTHOR = b"\n=====\n"


def committed_case(bins, scratch, name, path):
    """A committed input: the model, and after a line "=====" the author's
    model before it was spoiled, when the spoiling is only spelling and layout
    (then the copy of --fix must convert to the author's script)."""
    with open(path, "rb") as f:
        data = f.read()
    if AUTHOR not in data:
        return Case(name, data)
    model, author = data.split(AUTHOR, 1)
    where = tempfile.mkdtemp(dir=scratch)
    with open(os.path.join(where, "modellir.txt"), "wb") as f:
        f.write(author)
    state, _, script = tarvex(bins, where)
    shutil.rmtree(where, ignore_errors=True)
    c = Case(name, model, ["author's model given"], True, script)
    if state != "completed":
        c.violate("input", "the author's model after \"=====\" does not convert: tarvex " + state)
    return c


def minimize(bins, scratch, path, prop, pattern):
    """Drops lines, then words of lines, as long as `prop` is violated with a
    detail that matches `pattern`."""
    data = open(path, "rb").read()
    pattern = re.compile(pattern)

    def fails(model):
        c = check_case(Case("min", model), bins, scratch)
        return any(p == prop and pattern.search(d) for p, d in c.violations)

    assert fails(data), "the input does not violate " + prop
    lines = data.split(b"\n")
    chunk = max(1, len(lines) // 2)
    while chunk >= 1:
        i = 0
        while i < len(lines):
            trial = lines[:i] + lines[i + chunk:]
            if trial and fails(b"\n".join(trial)):
                lines = trial
            else:
                i += chunk
        chunk //= 2
    for i in range(len(lines)):
        words = lines[i].split(b" ")
        j = 0
        while j < len(words) and len(words) > 1:
            trial_words = words[:j] + words[j + 1:]
            trial = lines[:i] + [b" ".join(trial_words)] + lines[i + 1:]
            if fails(b"\n".join(trial)):
                words = trial_words
                lines = trial
            else:
                j += 1
    sys.stdout.buffer.write(b"\n".join(lines))
    return 0


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    bins = Bins(os.path.abspath(argv[1]))
    source = os.path.abspath(argv[2])
    rest = argv[3:]
    scratch = tempfile.mkdtemp(prefix="lira-properties-")
    find_features(bins, scratch)
    try:
        if rest and rest[0] == "--minimize":
            return minimize(bins, scratch, rest[1], rest[2], rest[3] if len(rest) > 3 else "")
        if rest and rest[0] == "--input":
            failed = 0
            for path in rest[1:]:
                c = check_case(committed_case(bins, scratch, path, path), bins, scratch)
                for prop, detail in c.violations:
                    print("%s: [%s] %s" % (path, prop, detail[:SHOWN]))
                failed += bool(c.violations)
                if not c.violations:
                    print("%s: every property holds" % path)
            return 1 if failed else 0
        return run_all(bins, source, rest, scratch)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


def run_all(bins, source, rest, scratch):
    cases = int(os.environ.get("LIRA_PROPERTY_CASES")
                or ([a for a in rest if a != "--skip-known"] or [150])[0])
    seed = int(os.environ.get("LIRA_PROPERTY_SEED", "1"))
    keep = os.environ.get("LIRA_PROPERTY_KEEP")
    known = read_known(source)
    failed = False

    # The committed inputs first.
    # --skip-known (the sanitizer build, slower): the known violations are run
    # by the other build; the seeds and regression inputs are run by both.
    skip_known = "--skip-known" in rest
    rest = [a for a in rest if a != "--skip-known"]
    committed = [(kind, committed_case(bins, scratch, os.path.relpath(path, source), path))
                 for kind, path in committed_inputs(source)
                 if not (skip_known and kind == "known")]
    workers = max(2, min(4, os.cpu_count() or 2))
    with concurrent.futures.ThreadPoolExecutor(workers) as pool:
        list(pool.map(lambda kc: check_case(kc[1], bins, scratch), committed))
    counts = {}
    for kind, c in committed:
        counts[kind] = counts.get(kind, 0) + 1
        if kind == "known":
            unlisted = [v for v in c.violations if not known_as(known, *v)]
            for prop, detail in unlisted:
                failed = True
                print("FAILED: %s: [%s] %s (a violation known.txt does not list)" % (
                    c.name, prop, detail[:SHOWN]))
            if c.violations and not unlisted:
                prop, detail = c.violations[0]
                print("known:  %s: %s [%s] %s" % (c.name, known_as(known, prop, detail), prop,
                                                  detail[:300]))
            elif not c.violations:
                print("MENDED: %s holds every property now: move it to regressions/ and drop its "
                      "line from known.txt" % c.name)
        elif c.violations:
            failed = True
            for prop, detail in c.violations:
                print("FAILED: %s: [%s] %s" % (c.name, prop, detail[:SHOWN]))
    print("committed inputs: %s" % ", ".join("%d %s" % (n, k) for k, n in sorted(counts.items())))

    # The generated models, at small sizes, spoiled.
    rng0 = random.Random(seed)
    # A few sizes for a few models: each size is converted and checked once.
    sizes = sorted({rng0.randint(9, 80) for _ in range(max(3, min(12, cases // 25)))})
    originals = generated_models(sizes, scratch)
    scripts = {}
    for size, model in originals.items():
        c = Case("generated %d" % size, model)
        where = tempfile.mkdtemp(dir=scratch)
        with open(os.path.join(where, "modellir.txt"), "wb") as f:
            f.write(model)
        state, _, script = tarvex(bins, where)
        if state != "completed":
            print("FAILED: the generated model of size %d does not convert: %s" % (size, state))
            return 1
        scripts[size] = script
        check_case(c, bins, scratch)
        for prop, detail in c.violations:
            failed = True
            print("FAILED: %s: [%s] %s" % (c.name, prop, detail[:SHOWN]))

    mode = lira_words_on(bins, scratch, originals, scripts)
    names = [s.__name__ for s in LIRA]
    print("LIRA words (%s): spoiled, as --fix mends them: %s; not yet: %s; answers from the "
          "model's words: %s" % (mode, " ".join(n for n in names if n in FEATURES["lira"]) or
                                 "none", " ".join(n for n in names if n not in FEATURES["lira"])
                                 or "none", "yes" if FEATURES["model answers"] else "no"))

    def one(k):
        rng = random.Random(seed * 1000003 + k)
        size = rng.choice(sizes)
        text, labels, mendable = spoil(rng, originals[size].decode("ascii"))
        # Most models with every density in LIRA's words get no answers with --fix.
        model_answers = FEATURES["model answers"] and mendable and \
            "lira_stiffness_words" in labels and random.Random(seed * 7919 + k).random() < 0.75
        c = Case("model %d (seed %d, size %d: %s%s)" % (
            k, seed, size, " ".join(labels), ", the model's answers" if model_answers else ""),
            text.encode("ascii", "replace"), labels, mendable, scripts[size])
        c.original, c.model_answers = originals[size], model_answers
        return check_case(c, bins, scratch)

    tally, known_tally, new = {}, {}, 0
    lira_names = {s.__name__ for s in LIRA} & FEATURES["lira"]
    in_lira_words, own_answers = 0, 0
    with concurrent.futures.ThreadPoolExecutor(workers) as pool:
        for c in pool.map(one, range(cases)):
            if c.mendable and lira_names & set(c.labels):
                in_lira_words += 1
                own_answers += c.model_answers
            for prop in sorted({p for p, _ in c.violations}):
                tally[prop] = tally.get(prop, 0) + 1
            for prop, detail in c.violations:
                name = known_as(known, prop, detail)
                if name:
                    known_tally[name] = known_tally.get(name, 0) + 1
                    continue
                new += 1
                failed = True
                print("FAILED: %s: [%s] %s" % (c.name, prop, detail[:SHOWN]))
            if c.violations and keep:
                os.makedirs(keep, exist_ok=True)
                tag = "-".join(sorted({p for p, _ in c.violations}))
                base = os.path.join(keep, "%s-%d-%d" % (tag, seed, len(os.listdir(keep))))
                with open(base + ".txt", "wb") as f:
                    f.write(c.model)
                with open(base + ".why", "w", encoding="utf-8") as f:
                    f.write(c.name + "\n")
                    f.writelines("[%s] %s\n" % v for v in c.violations)
    violating = sum(tally.values())
    print("generated models: %d (seed %d, sizes %s)" % (cases, seed,
                                                       " ".join(map(str, sizes))))
    print("violations by property (models): %s" % (
        ", ".join("%s %d" % kv for kv in sorted(tally.items())) or "none"))
    print("known violations: %s" % (", ".join("%s %d" % kv for kv in sorted(known_tally.items()))
                                    or "none"))
    print("mendable models in LIRA's words: %d (%d of them with the answers of their own "
          "words)" % (in_lira_words, own_answers))
    print("new violations: %d" % new)
    del violating
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
