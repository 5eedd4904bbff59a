#!/usr/bin/env python3
"""Makes one-line faults in the program, one at a time, and runs the whole
suite against each; a fault the suite stays green for is a hole in it.

    tools/mutate.py tools/mutants.txt build/release

Each line of the list holds a file, the text to change (it must occur exactly
once there) and what to put instead, separated by tabs, with ¶ for a line
break. Lines starting with
'#' are comments. The build directory must already be configured."""
import pathlib
import subprocess
import sys


def run(command):
    return subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


def main():
    mutants, build = sys.argv[1], sys.argv[2]
    root = pathlib.Path(__file__).resolve().parent.parent
    tally = {"killed": 0, "SURVIVED": 0, "not built": 0}
    for number, line in enumerate(open(mutants, encoding="utf-8"), 1):
        if not line.strip() or line.startswith("#"):
            continue
        path, before, after = (part.replace("¶", "\n") for part in line.rstrip("\n").split("\t"))
        file = root / path
        source = file.read_text(encoding="utf-8")
        if source.count(before) != 1:
            sys.exit(f"line {number}: {before!r} is not found exactly once in {path}")
        try:
            file.write_text(source.replace(before, after), encoding="utf-8")
            if not run(["cmake", "--build", build, "-j2"]):
                verdict = "not built"
            elif run(["ctest", "--test-dir", build, "-j2", "--stop-on-failure", "--timeout", "300"]):
                verdict = "SURVIVED"
            else:
                verdict = "killed"
        finally:
            file.write_text(source, encoding="utf-8")
        tally[verdict] += 1
        print(f"{verdict:9}  line {number}: {path}: {before.strip()} -> {after.strip()}", flush=True)
    print(", ".join(f"{count} {verdict}" for verdict, count in tally.items()))
    return 1 if tally["SURVIVED"] or tally["not built"] else 0


if __name__ == "__main__":
    sys.exit(main())
