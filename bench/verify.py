#!/usr/bin/env python3
"""Times `modelcheck --verify` on a generated model beside the tarvex run that
wrote its script, and `modelcheck --picture` on the same files.

    verify.py BIN_DIR [SIZE ...]       sizes: 1000000 when none are given

BIN_DIR holds tarvex/tarvex and modelcheck/modelcheck (a Release build).
Goals: --verify in no more than twice tarvex's wall time on the model and in
no more than 1 GiB of memory. Environment: REPEAT (runs per figure, the
fastest counts; 3), BENCH_WORK (scratch directory; /tmp/lira-bench, where
bench.py keeps its generated models too). Exits 1 when a goal is missed.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bench  # noqa: E402  (the generator, the scratch runs and the timing)

GIB = 1024 * 1024  # KiB


def timed(argv, where, stdin, repeat):
    runs = []
    for _ in range(repeat):
        r = bench.run_once(argv, where, stdin)
        runs.append(r)
    wall = min(r[0] for r in runs)
    cpu = min(r[1] for r in runs)
    peak = max(r[2] for r in runs)
    return wall, cpu, peak, runs[-1][3]


def main(argv):
    if len(argv) < 2:
        sys.stderr.write(__doc__)
        return 2
    bin_dir = os.path.abspath(argv[1])
    sizes = [int(s) for s in argv[2:]] or [1000000]
    repeat = int(os.environ.get("REPEAT", "3"))
    work = os.environ.get("BENCH_WORK", "/tmp/lira-bench")
    tarvex = os.path.join(bin_dir, "tarvex", "tarvex")
    modelcheck = os.path.join(bin_dir, "modelcheck", "modelcheck")
    print("| size | elements | script bytes | tarvex wall s | verify wall s | verify cpu s | "
          "verify peak KiB | x tarvex | picture wall s | picture peak KiB | model.svg bytes |")
    print("|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|")
    missed = False
    for size in sizes:
        inputs, facts = bench.generate("tarvex", size, work)
        where = bench.fresh_run_dir(work, "verify", size, inputs)
        answers = os.path.join(inputs, "answers.txt")
        t_wall, _, _, code = timed([tarvex], where, answers, repeat)
        if code != 0:
            sys.exit("verify.py: tarvex ended with exit code %d in %s" % (code, where))
        v_wall, v_cpu, v_peak, code = timed([modelcheck, "--verify"], where, None, repeat)
        if code != 0:
            sys.exit("verify.py: modelcheck --verify found differences (exit %d) in %s" % (code, where))
        p_wall, _, p_peak, code = timed([modelcheck, "--picture", "--case", "2"], where, None, repeat)
        if code != 0:
            sys.exit("verify.py: modelcheck --picture ended with exit code %d in %s" % (code, where))
        elements = facts.split("elements=")[1].split()[0] if "elements=" in facts else "?"
        ratio = v_wall / t_wall
        print("| %d | %s | %d | %.3f | %.3f | %.3f | %d | %.2f | %.3f | %d | %d |" % (
            size, elements, os.path.getsize(os.path.join(where, "modelans.lgw")), t_wall, v_wall, v_cpu,
            v_peak, ratio, p_wall, p_peak, os.path.getsize(os.path.join(where, "model.svg"))))
        if ratio > 2 or v_peak > GIB:
            missed = True
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
