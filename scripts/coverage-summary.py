"""Sums gcov's JSON line counts over every object of a coverage build.

A header or template compiled into several objects counts a line as run when
any object ran it; files under tests/, bench/ and fuzz/ and outside the source
tree are left out.
"""
import gzip
import json
import os
import subprocess
import sys
import tempfile

source, build = (os.path.realpath(p) for p in sys.argv[1:3])
skip = tuple(os.path.join(source, d) + os.sep for d in ("tests", "bench", "fuzz"))
lines = {}  # path -> {line number: run at least once}

gcdas = [os.path.join(root, f)
         for root, _, files in os.walk(build) for f in files if f.endswith(".gcda")]
with tempfile.TemporaryDirectory() as out:
    for start in range(0, len(gcdas), 200):
        subprocess.run(["gcov", "--json-format", "--preserve-paths", "--hash-filenames",
                        *gcdas[start:start + 200]], cwd=out, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for name in os.listdir(out):
        with gzip.open(os.path.join(out, name), "rt") as f:
            report = json.load(f)
        cwd = report.get("current_working_directory", "")
        for entry in report["files"]:
            path = os.path.realpath(os.path.join(cwd, entry["file"]))
            if not path.startswith(source + os.sep) or path.startswith(skip) \
                    or path.startswith(build + os.sep):
                continue
            seen = lines.setdefault(os.path.relpath(path, source), {})
            for line in entry["lines"]:
                n = line["line_number"]
                seen[n] = seen.get(n, False) or line["count"] > 0

total = sum(len(v) for v in lines.values())
run = sum(sum(v.values()) for v in lines.values())
with open(os.path.join(build, "coverage.tsv"), "w") as f:
    for path in sorted(lines):
        f.write(f"{path}\t{len(lines[path])}\t{sum(lines[path].values())}\n")
print(f"coverage: {run} of {total} lines ({100.0 * run / max(total, 1):.2f} %), "
      f"{len(lines)} files; per file in {os.path.join(build, 'coverage.tsv')}")
