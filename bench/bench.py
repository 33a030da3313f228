#!/usr/bin/env python3
"""Times the three programs on generated models beside a baseline that only
reads the same files. Started by run.sh, which builds the binaries first.

    bench.py BIN_DIR [SIZE ...]

Environment: REPEAT (runs per figure, the fastest counts; 3), BENCH_WORK
(scratch directory; /tmp/lira-bench), PROGRAMS ("tarvex vantrel keslow"),
CALLGRIND_SIZE (size of the one run counted under callgrind; 100000, 0 for
none), MESH_SIZE (size of the mesh converter comparison; the largest size, 0
for none).

Baselines, run in the same directory on the same files:
  tarvex   `wc -w modellir.txt`, once for every reading of the file by a run:
           documents 3 and 4 (1), document 1 for the layer nodes (1) and for
           the elements (3), document 5 (1), documents 7, 12, 16 (1) and
           document 6 once per load case (20 in the generated models): 27.
  vantrel  `cat model.txt > /dev/null` (pass 1) and `cat model.txt > copy`
           (pass 2, which writes the new model).
  keslow   `cp A#00.A copy` (the one scan that writes B#00.B).
The mesh converter comparison: tarvex on a floor of plates with one load case
beside Debian's python3-meshio reading the same mesh as an Abaqus deck and
writing it as a Nastran deck.
Console output of the timed runs goes to /dev/null. Peak memory and CPU time
come from wait4 of the one child (`/usr/bin/time -f %M` gives the same).
"""
import os
import re
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
GENERATOR = os.path.join(HERE, "generate.py")

INPUTS = {
    "tarvex": ["modellir.txt"],
    "mesh": ["modellir.txt"],
    "vantrel": ["model.txt", "loadfrag.txt"],
    "keslow": ["A_02.A", "A#00.A"],
}


def run_once(argv, cwd, stdin_path):
    """(wall seconds, cpu seconds, peak RSS KiB, exit status) of one run.

    The peak comes from /usr/bin/time: a child forked by this script would
    carry the script's own high-water mark through its exec."""
    stdin = open(stdin_path, "rb") if stdin_path else open(os.devnull, "rb")
    null = open(os.devnull, "wb")
    peak_file = os.path.join(cwd, "..", "peak.%d" % os.getpid())
    start = time.perf_counter()
    p = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", peak_file] + argv,
                         cwd=cwd, stdin=stdin, stdout=null, stderr=null)
    _, status, usage = os.wait4(p.pid, 0)
    wall = time.perf_counter() - start
    stdin.close()
    null.close()
    with open(peak_file) as f:
        # "Command exited with non-zero status n" comes before the figure.
        peak = int(f.read().split()[-1])
    os.remove(peak_file)
    return wall, usage.ru_utime + usage.ru_stime, peak, os.waitstatus_to_exitcode(status)


def generate(program, size, work):
    where = os.path.join(work, "inputs", "%s-%d" % (program, size))
    stamp = os.path.join(where, "facts.txt")
    if not os.path.exists(stamp) or os.path.getmtime(stamp) < os.path.getmtime(GENERATOR):
        shutil.rmtree(where, ignore_errors=True)
        facts = subprocess.run([sys.executable, GENERATOR, program, str(size), where],
                               check=True, capture_output=True, text=True).stdout
        with open(stamp, "w") as f:
            f.write(facts)
    with open(stamp) as f:
        return where, f.read().strip()


def fresh_run_dir(work, program, size, inputs):
    where = os.path.join(work, "run", "%s-%d" % (program, size))
    shutil.rmtree(where, ignore_errors=True)
    os.makedirs(where)
    for name in os.listdir(inputs):
        shutil.copyfile(os.path.join(inputs, name), os.path.join(where, name))
    return where


def check_result(program, where):
    """The files a successful run leaves; a failed run stops the benchmark."""
    names = set(os.listdir(where))
    if program == "tarvex":
        ok = "modelans.lgw" in names and not names & {"nodes.tmp", "elements.tmp", "loades.tmp"}
        if ok:
            with open(os.path.join(where, "modelans.lgw"), "rb") as f:
                f.seek(max(0, os.path.getsize(f.name) - 16))
                ok = f.read().endswith(b"!*\nFINISH\n")
    elif program == "vantrel":
        ok = "modelnew.txt" in names and not names & {"doc6.txt", "doc7.txt"}
    else:
        ok = "B#00.B" in names and (os.path.getsize(os.path.join(where, "B#00.B")) ==
                                    os.path.getsize(os.path.join(where, "A#00.A")))
    if not ok:
        sys.exit("bench: %s did not convert the model in %s" % (program, where))


def baseline_command(program, load_cases):
    if program == "tarvex":
        readings = 7 + load_cases
        return ["sh", "-c", "i=0; while [ $i -lt %d ]; do wc -w modellir.txt; i=$((i+1)); done"
                % readings], readings
    if program == "vantrel":
        return ["sh", "-c", "cat model.txt > /dev/null; cat model.txt > model.copy"], 2
    return ["sh", "-c", "cp A#00.A copy.A"], 1


def best(runs):
    """The fastest of the runs by wall time, with the least CPU and memory seen."""
    return (min(r[0] for r in runs), min(r[1] for r in runs), max(r[2] for r in runs))


def measure(program, size, bin_dir, work, repeat):
    inputs, facts = generate(program, size, work)
    input_bytes = sum(os.path.getsize(os.path.join(inputs, n)) for n in INPUTS[program])
    answers = os.path.join(inputs, "answers.txt")
    if not os.path.exists(answers):
        answers = None
    m = re.search(r"load_cases=(\d+)", facts)
    load_cases = int(m.group(1)) if m else 0
    binary = os.path.join(bin_dir, program, program)

    runs, base = [], []
    for _ in range(repeat):
        where = fresh_run_dir(work, program, size, inputs)
        r = run_once([binary], where, answers)
        if r[3] != 0:
            sys.exit("bench: %s ended with exit code %d in %s" % (program, r[3], where))
        check_result(program, where)
        runs.append(r)
        command, readings = baseline_command(program, load_cases)
        base.append(run_once(command, where, None))
    shutil.rmtree(os.path.join(work, "run", "%s-%d" % (program, size)), ignore_errors=True)
    return {
        "program": program, "size": size, "facts": facts, "bytes": input_bytes,
        "run": best(runs), "base": best(base), "readings": readings,
    }


def callgrind(program, size, bin_dir, work):
    if shutil.which("valgrind") is None:
        return None
    inputs, _ = generate(program, size, work)
    where = fresh_run_dir(work, program, size, inputs)
    answers = os.path.join(inputs, "answers.txt")
    out = os.path.join(work, "callgrind.%s.out" % program)
    with open(answers if os.path.exists(answers) else os.devnull, "rb") as stdin:
        p = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out,
                            os.path.join(bin_dir, program, program)],
                           cwd=where, stdin=stdin, stdout=subprocess.DEVNULL,
                           stderr=subprocess.PIPE, text=True)
    shutil.rmtree(where, ignore_errors=True)
    m = re.search(r"Collected : (\d+)", p.stderr)
    return int(m.group(1)) if m else None


MESHIO_PYTHON = "/usr/bin/python3"  # Debian's python3-meshio lives beside it
MESHIO_CONVERT = "import meshio; meshio.write('mesh.nas', meshio.read('mesh.inp'))"


def meshio_comparison(size, bin_dir, work, repeat):
    """tarvex on a mesh of plates with one load case beside a general mesh
    converter reading the same mesh as an Abaqus deck and writing a Nastran
    deck."""
    if subprocess.call([MESHIO_PYTHON, "-c", "import meshio"], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL) != 0:
        print("no meshio (apt-get install python3-meshio): no mesh converter comparison")
        return
    inputs, facts = generate("mesh", size, work)
    tarvex, converter = [], []
    for _ in range(repeat):
        where = fresh_run_dir(work, "mesh", size, inputs)
        r = run_once([os.path.join(bin_dir, "tarvex", "tarvex")], where,
                     os.path.join(inputs, "answers.txt"))
        if r[3] != 0:
            sys.exit("bench: tarvex ended with exit code %d in %s" % (r[3], where))
        check_result("tarvex", where)
        tarvex.append(r)
        r = run_once([MESHIO_PYTHON, "-c", MESHIO_CONVERT], where, None)
        if r[3] != 0 or not os.path.exists(os.path.join(where, "mesh.nas")):
            sys.exit("bench: meshio did not convert %s" % where)
        converter.append(r)
    shutil.rmtree(os.path.join(work, "run", "mesh-%d" % size), ignore_errors=True)
    t, m = best(tarvex), best(converter)
    print("mesh of %s, one load case:" % facts)
    print("  tarvex  modellir.txt -> modelans.lgw  wall %.3f s  cpu %.3f s  peak %d KiB" % t)
    print("  meshio  mesh.inp -> mesh.nas          wall %.3f s  cpu %.3f s  peak %d KiB" % m)
    print("  meshio / tarvex: wall %.1f, cpu %.1f, peak memory %.1f" %
          (m[0] / t[0], m[1] / t[1], m[2] / t[2]), flush=True)


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    bin_dir = argv[1]
    sizes = [int(s) for s in argv[2:]] or [10000, 100000, 1000000]
    repeat = int(os.environ.get("REPEAT", "3"))
    work = os.environ.get("BENCH_WORK", "/tmp/lira-bench")
    programs = os.environ.get("PROGRAMS", "tarvex vantrel keslow").split()
    cg_size = int(os.environ.get("CALLGRIND_SIZE", "100000"))

    header = ("%-8s %9s %12s %9s %9s %9s %10s %10s %7s %7s" %
              ("program", "size", "input B", "wall s", "cpu s", "peak KiB",
               "base wall", "base cpu", "x wall", "x cpu"))
    print(header)
    print("-" * len(header))
    results = []
    for program in programs:
        for size in sizes:
            r = measure(program, size, bin_dir, work, repeat)
            results.append(r)
            wall, cpu, rss = r["run"]
            bwall, bcpu, _ = r["base"]
            print("%-8s %9d %12d %9.3f %9.3f %9d %10.3f %10.3f %7.2f %7.2f" %
                  (program, size, r["bytes"], wall, cpu, rss, bwall, bcpu,
                   wall / bwall if bwall else 0, cpu / bcpu if bcpu else 0), flush=True)
    print()
    for r in results:
        print("%-8s %9d  %s; baseline readings %d" % (r["program"], r["size"], r["facts"],
                                                       r["readings"]))
    print()
    by = {(r["program"], r["size"]): r for r in results}
    for program in programs:
        if (program, 10000) in by and (program, 1000000) in by:
            small, large = by[(program, 10000)]["run"][2], by[(program, 1000000)]["run"][2]
            print("%-8s peak memory 1M / 10k: %.2f (%d KiB at 1M)" % (program, large / small, large))
        if (program, 100000) in by and (program, 1000000) in by:
            t100, t1m = by[(program, 100000)]["run"], by[(program, 1000000)]["run"]
            print("%-8s time 1M / 100k: wall %.2f, cpu %.2f" %
                  (program, t1m[0] / t100[0], t1m[1] / t100[1]))
    mesh_size = int(os.environ.get("MESH_SIZE", str(max(sizes))))
    if mesh_size > 0:
        print()
        meshio_comparison(mesh_size, bin_dir, work, repeat)
    if cg_size > 0:
        print()
        for program in programs:
            count = callgrind(program, cg_size, bin_dir, work)
            if count is not None:
                print("%-8s instructions at size %d (callgrind): %d" % (program, cg_size, count),
                      flush=True)


if __name__ == "__main__":
    main(sys.argv)
