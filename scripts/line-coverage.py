#!/usr/bin/env python3
"""Which product lines the tests run: the guard for merging or dropping a test, next to the kill
matrix (scripts/kill-matrix.py), which tells which checks catch which planted fault.

  scripts/line-coverage.py record before.json                  # every test
  scripts/line-coverage.py record one.json -R designer_undo    # ctest's arguments pick the tests
  scripts/line-coverage.py compare before.json after.json      # lines no longer run

`record` builds build/coverage (Debug with --coverage; --build names another folder) from the
sources as they are, zeroes its counters, runs the tests ctest's arguments pick and writes the
lines under src/ that ran, as a JSON list of [file, line]. A transcript changed since the build is
read as it is now, since the runner reads the transcripts where they stand. `compare` prints each
line of the first record that the second does not hold: a cut whose record loses a line leaves
that line run by no test, and its row belongs in the transcript of the same feature.
"""
import argparse
import collections
import json
import os
import pathlib
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent


def build(folder):
    if not (folder / 'CMakeCache.txt').exists():
        subprocess.run(['cmake', '-S', ROOT, '-B', folder, '-DCMAKE_BUILD_TYPE=Debug',
                        '-DCMAKE_CXX_FLAGS=--coverage -O0', '-DCMAKE_EXE_LINKER_FLAGS=--coverage'],
                       check=True, stdout=subprocess.DEVNULL)
    subprocess.run(['cmake', '--build', folder, f'-j{os.cpu_count()}'], check=True,
                   stdout=subprocess.DEVNULL)


def lines_run(folder):
    """The (file, line) pairs under src/ whose counters are above 0."""
    by_folder = collections.defaultdict(list)
    for counts in folder.rglob('*.gcda'):
        by_folder[counts.parent].append(str(counts))
    ran = set()
    decoder = json.JSONDecoder()
    for where, counts in by_folder.items():
        out = subprocess.run(['gcov', '--json-format', '--stdout'] + counts, cwd=where,
                             capture_output=True, text=True).stdout
        at = 0
        while (at := len(out) - len(out[at:].lstrip())) < len(out):
            report, at = decoder.raw_decode(out, at)
            for source in report.get('files', []):
                path = pathlib.Path(source['file']).resolve()
                if ROOT / 'src' in path.parents:
                    name = str(path.relative_to(ROOT))
                    ran.update((name, line['line_number']) for line in source['lines']
                               if line['count'] > 0)
    return ran


def record(args, ctest):
    folder = pathlib.Path(args.build).resolve()
    build(folder)
    for counts in folder.rglob('*.gcda'):
        counts.unlink()
    env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
    tests = subprocess.run(['ctest', '--test-dir', folder, f'-j{os.cpu_count()}'] + ctest,
                           env=env, capture_output=True, text=True)
    if tests.returncode != 0:
        sys.exit('a test failed, so its lines would be missing:\n' + tests.stdout[-2000:])
    ran = sorted(lines_run(folder))
    pathlib.Path(args.out).write_text(json.dumps(ran))
    print(f'{len(ran)} lines run, written to {args.out}')


def compare(args):
    before, after = (set(map(tuple, json.loads(pathlib.Path(f).read_text())))
                     for f in (args.before, args.after))
    lost = sorted(before - after)
    for name, line in lost:
        text = (ROOT / name).read_text(errors='replace').splitlines()[line - 1].strip()
        print(f'{name}:{line}  {text[:90]}')
    print(f'{len(lost)} lines no longer run, {len(after - before)} run that were not')


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    verbs = parser.add_subparsers(dest='verb', required=True)
    rec = verbs.add_parser('record')
    rec.add_argument('out')
    rec.add_argument('--build', default=str(ROOT / 'build' / 'coverage'))
    cmp = verbs.add_parser('compare')
    cmp.add_argument('before')
    cmp.add_argument('after')
    args, rest = parser.parse_known_args()
    if args.verb == 'record':
        record(args, rest)
    else:
        compare(args)


if __name__ == '__main__':
    main()
