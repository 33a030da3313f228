#!/usr/bin/env python3
"""Times modelcheck beside tarvex on the same generated model.

    modelcheck.py BIN_DIR [SIZE]      (SIZE: nodes of the model; 1000000)

BIN_DIR is a build directory that holds tarvex/tarvex and
modelcheck/modelcheck (run.sh's build-bench when modelcheck is among its
targets, or any Release build). The model is bench/generate.py's tarvex
model of SIZE nodes (1,001,497 elements at 1,000,000, of which 998,001
plates and slabs, with 20 load cases and an own-weight record for every
element with mass). Each of these runs REPEAT times (3), the fastest counts:

  tarvex                          the conversion, with the model's answers
  modelcheck                      the check alone
  modelcheck --weight-case 1 --density 2500 --density 3:7850
                                  the check with the own-weight values (the
                                  model's answers: 7850 for the bars)
  modelcheck --fix                the check and the mended copy

Environment: REPEAT, BENCH_WORK (/tmp/lira-bench, shared with bench.py).
Peak memory comes from /usr/bin/time, as in bench.py.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bench  # noqa: E402


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    bin_dir = os.path.abspath(argv[1])
    size = int(argv[2]) if len(argv) > 2 else 1000000
    repeat = int(os.environ.get("REPEAT", "3"))
    work = os.environ.get("BENCH_WORK", "/tmp/lira-bench")
    inputs, facts = bench.generate("tarvex", size, work)
    model_bytes = os.path.getsize(os.path.join(inputs, "modellir.txt"))
    answers = os.path.join(inputs, "answers.txt")
    tarvex = os.path.join(bin_dir, "tarvex", "tarvex")
    modelcheck = os.path.join(bin_dir, "modelcheck", "modelcheck")
    runs = [
        ("tarvex", [tarvex], answers, {0}),
        ("modelcheck", [modelcheck], None, {0}),
        ("modelcheck --density", [modelcheck, "--weight-case", "1", "--density", "2500", "--density", "3:7850"],
         None, {0}),
        ("modelcheck --fix", [modelcheck, "--fix"], None, {0}),
    ]
    print("model: %d nodes, %s, %d bytes" % (size, facts, model_bytes))
    print("| run | wall s | cpu s | peak KiB | x tarvex |")
    print("|---|---:|---:|---:|---:|")
    tarvex_wall = None
    for name, argv_run, stdin, codes in runs:
        results = []
        for _ in range(repeat):
            where = bench.fresh_run_dir(work, "modelcheck", size, inputs)
            r = bench.run_once(argv_run, where, stdin)
            if r[3] not in codes:
                sys.exit("bench: %s ended with exit code %d in %s" % (name, r[3], where))
            results.append(r)
        wall, cpu, peak = bench.best(results)
        if tarvex_wall is None:
            tarvex_wall = wall
        print("| %s | %.3f | %.3f | %s | %.2f |" % (name, wall, cpu, format(peak, ","), wall / tarvex_wall))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
