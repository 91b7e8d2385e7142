#!/usr/bin/env python3
"""Which check catches which planted fault: the data for choosing which tests to merge or drop.

  scripts/kill-matrix.py run --count 200 --seed 1001 --exclude 2:80 [--workers 2]
  scripts/kill-matrix.py report [--steps tests/scenarios/designer/installing.txt]

`run` plants the faults the mutation tool would (../shared/tools/mutants, or MUTANTS), one at a
time, in a worktree of HEAD per worker, and records every check that fires: each transcript step
whose output changes (the transcripts rewritten as KALVERIN_UPDATE_SCENARIOS=1 does), each failing
gtest assertion, each failing CTest test and each failure the real-window test prints. `--exclude
SEED:COUNT` leaves out that sample of the mutation tool, so that it stays a fair check of what
the matrix chose. Results go one fault a line to build/kill-matrix/results.jsonl; a run stopped
goes on where it stopped.

`report` prints, for each test file and transcript, how many faults it catches and which of those
no other catches. A check that catches nothing alone may still be the only one for a fault outside
the sample: confirm a cut with the mutation tool on a sample the matrix did not see.
"""
import argparse
import collections
import functools
import importlib.machinery
import importlib.util
import json
import multiprocessing
import os
import random
import re
import subprocess

ROOT = subprocess.run(["git", "rev-parse", "--show-toplevel"], capture_output=True, text=True,
                      check=True).stdout.strip()
TRANSCRIPTS = "tests/scenarios"  # what the runner's update mode rewrites
# The tests as committed: results of other tests are stale, neither resumed nor reported.
TESTS = subprocess.run(["git", "rev-parse", "HEAD:tests"], cwd=ROOT, capture_output=True,
                       text=True, check=True).stdout.strip()


def mutation_tool():
    path = os.environ.get("MUTANTS", os.path.join(ROOT, "..", "shared", "tools", "mutants"))
    loader = importlib.machinery.SourceFileLoader("mutants", path)
    module = importlib.util.module_from_spec(importlib.util.spec_from_loader("mutants", loader))
    loader.exec_module(module)
    return module


def key(m):
    return m["file"], m["line"], m["op"], m["new"]


def sample(a):
    pool = mutation_tool().candidates(ROOT, [])
    left_out = set()
    for seed, count in (e.split(":") for e in a.exclude):
        left_out |= {key(m) for m in random.Random(int(seed)).sample(pool, int(count))}
    return random.Random(a.seed).sample([m for m in pool if key(m) not in left_out], a.count)


def run(cmd, cwd, timeout, **env):
    try:
        p = subprocess.run(cmd, cwd=cwd, capture_output=True, text=True, timeout=timeout,
                           env=dict(os.environ, QT_QPA_PLATFORM="offscreen", **env))
        return p.returncode, p.stdout + p.stderr
    except subprocess.TimeoutExpired as e:  # what ran before the limit still tells
        out = (e.stdout or b"") + (e.stderr or b"")
        return 124, out.decode("utf-8", "replace") if isinstance(out, bytes) else out


def checks_fired(tree, build):
    """Every check that fails in the tree as it is built now."""
    fired = set()
    rc, out = run([f"{build}/tests/scenario_tests", "--gtest_filter=Scenarios/*"], tree, 120,
                  KALVERIN_UPDATE_SCENARIOS="1")
    if rc != 0:  # the runner stopped on a transcript, which is then not rewritten
        fired |= {"stopped " + t for t in re.findall(r"\[  FAILED  \] Scenarios/\S+/(\w+)", out)}
        fired |= set() if "[  FAILED  ]" in out else {"stopped scenario_tests"}
    _, diff = run(["git", "diff", "-U0", "--", TRANSCRIPTS], tree, 60)
    for path, hunks in re.findall(r"^--- a/(\S+)\n\+\+\+ \S+\n((?:(?!--- a/).*\n?)*)", diff, re.M):
        for start, count in re.findall(r"^@@ -(\d+)(?:,(\d+))? ", hunks, re.M):
            first, n = int(start), int(count or 1)
            fired |= {f"{path}:{line}" for line in (range(first, first + n) if n else [first])}
    run(["git", "checkout", "--", TRANSCRIPTS], tree, 60)
    _, out = run(["ctest", "--test-dir", build, "--timeout", "20", "-E", "^Scenarios/",
                  "--output-on-failure"], tree, 300)
    fired |= {f"{os.path.basename(f)}:{n}" for f, n in re.findall(r"(\S+\.\w+):(\d+): Failure", out)}
    fired |= {"ctest " + t for t in re.findall(r"\d+ - (\S+) \(", out)}
    fired |= {"RealWindow: " + why for why in re.findall(r"FAIL: (.*)", out)}
    return fired


def worker(args):
    a, index, faults = args
    tree = os.path.join(a.work, f"tree{index}")
    build = os.path.join(tree, "build-km")
    if not os.path.isdir(tree):
        subprocess.run(["git", "worktree", "add", "--detach", tree, "HEAD"], cwd=ROOT, check=True)
    head = subprocess.run(["git", "rev-parse", "HEAD"], cwd=ROOT, capture_output=True, text=True)
    # Forced: a run killed with a fault planted leaves it in the tree.
    subprocess.run(["git", "checkout", "-q", "--force", "--detach", head.stdout.strip()], cwd=tree,
                   check=True)
    run(["cmake", "-S", tree, "-B", build, "-DCMAKE_BUILD_TYPE=Debug",
         "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld"], tree, 600)
    for m in faults:
        path = os.path.join(tree, m["file"])
        with open(path, encoding="utf-8", errors="surrogateescape") as fh:
            original = fh.read()
        lines = original.split("\n")
        lines[m["line"] - 1] = m["new"]
        try:
            with open(path, "w", encoding="utf-8", errors="surrogateescape") as fh:
                fh.write("\n".join(lines))
            built = run(["cmake", "--build", build, "-j1"], tree, 1800)[0] == 0
            fired = checks_fired(tree, build) if built else set()
        finally:
            with open(path, "w", encoding="utf-8", errors="surrogateescape") as fh:
                fh.write(original)
        verdict = "no build" if not built else "killed" if fired else "survived"
        line = json.dumps(dict(m, verdict=verdict, tests=TESTS, checks=sorted(fired))) + "\n"
        # One write to a file opened for appending, so that the workers' lines never mix.
        out = os.open(a.out, os.O_WRONLY | os.O_APPEND | os.O_CREAT, 0o644)
        try:
            os.write(out, line.encode())
        finally:
            os.close(out)
        print(f"{verdict:8} {m['file']}:{m['line']} [{m['op']}] {len(fired)} checks", flush=True)
    run(["cmake", "--build", build, "-j1"], tree, 1800)


def results(path):
    if not os.path.exists(path):
        return []
    with open(path) as fh:
        return [r for r in map(json.loads, fh) if r.get("tests") == TESTS]


def command_run(a):
    os.makedirs(a.work, exist_ok=True)
    done = {key(r) for r in results(a.out)}
    todo = [m for m in sample(a) if key(m) not in done]
    with multiprocessing.Pool(a.workers) as pool:
        pool.map(worker, [(a, i, todo[i::a.workers]) for i in range(a.workers)])


@functools.cache
def step_starts(path):
    """For each line of a transcript, the line of the "> " step it is under."""
    with open(os.path.join(ROOT, path), encoding="latin-1") as fh:
        starts, current = [], 0
        for number, text in enumerate(fh.read().split("\n"), 1):
            current = number if text.startswith("> ") else current
            starts.append(current)
    return starts


def step_of(path, line):
    starts = step_starts(path)
    return starts[min(line, len(starts)) - 1]


def suite_files():
    """Each gtest suite's test file, so that a failing test and its assertions count as one."""
    files = {}
    for folder, _, names in os.walk(os.path.join(ROOT, "tests")):
        for name in (n for n in names if n.endswith(".cpp")):
            with open(os.path.join(folder, name), encoding="utf-8") as fh:
                files |= {s: name for s in re.findall(r"^TEST(?:_F|_P)?\((\w+),", fh.read(), re.M)}
    return files


def transcript_named(test, fine):
    """A transcript's test name ("folder_file") as its path; a stop is no step's own."""
    for at in (i for i, c in enumerate(test) if c == "_"):
        path = f"tests/scenarios/{test[:at]}/{test[at + 1:]}.txt"
        if os.path.exists(os.path.join(ROOT, path)):
            return path + (" (stopped)" if fine else "")
    return "stopped " + test


def command_report(a):
    recorded = results(a.out)
    rs = [r for r in recorded if r["verdict"] == "killed"]
    where = lambda r: f"{r['file']}:{r['line']}"
    suites = suite_files()

    def units(r, fine):
        out = set()
        for check in r["checks"]:
            m = re.match(r"(tests/scenarios/\S+\.txt):(\d+)$", check)
            if m and fine:
                out.add(f"{m[1]}:{step_of(m[1], int(m[2]))}")
            elif m:
                out.add(m[1])
            elif m := re.match(r"stopped (\w+)$", check):  # "frame_editor_saving": its file
                out.add(transcript_named(m[1], fine))
            elif check.startswith(("RealWindow: ", "ctest RealWindow.")):  # one script
                out.add("tests/e2e/e2e_test.sh")
            elif m := re.match(r"ctest (?:\w+/)?(\w+)\.", check):  # a gtest test by its file
                out.add(suites.get(m[1], check))
            else:  # a C++ file's assertion
                out.add(re.sub(r":\d+$", "", check))
        return out

    fine = bool(a.steps)
    caught, alone = collections.Counter(), collections.defaultdict(list)
    for r in rs:
        us = units(r, fine)
        caught.update(us)
        if len(us) == 1:
            alone[next(iter(us))].append(where(r))
    print(f"{len(rs)} caught, {sum(r['verdict'] == 'survived' for r in recorded)} not")
    if not fine:
        for unit, n in caught.most_common():
            print(f"{n:4} caught, {len(alone[unit]):3} alone  {unit}  {' '.join(alone[unit])}")
        return
    with open(os.path.join(ROOT, a.steps), encoding="latin-1") as fh:
        for number, text in enumerate(fh.read().split("\n"), 1):
            if text.startswith("> "):
                unit = f"{a.steps}:{number}"
                print(f"{number:4} {caught[unit]:3} caught {len(alone[unit]):2} alone  {text}")


def main():
    ap = argparse.ArgumentParser(description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("command", choices=["run", "report"])
    ap.add_argument("--count", type=int, default=200)
    ap.add_argument("--seed", type=int, default=1001)
    ap.add_argument("--exclude", nargs="*", default=["2:80"], help="SEED:COUNT samples left out")
    ap.add_argument("--workers", type=int, default=os.cpu_count() or 2)
    ap.add_argument("--work", default=os.path.join(ROOT, "build", "kill-matrix"))
    ap.add_argument("--out", default=os.path.join(ROOT, "build", "kill-matrix", "results.jsonl"))
    ap.add_argument("--steps", default="", help="a transcript, to report step by step")
    a = ap.parse_args()
    command_run(a) if a.command == "run" else command_report(a)


if __name__ == "__main__":
    main()
