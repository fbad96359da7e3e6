#!/usr/bin/env python3
"""kxtool's waits against their yardsticks, measured in paired runs (each round times the
yardstick and the command one after the other, so both see the same machine).

  start-up    kxtool --version, info FILE, process FILE -o DIR  against a C++ hello-world
  import      kxtool import of N raw files  against cp of the same files, then one sync
  many files  analyze / spectrum / markers --dir, process --dir -o DIR  against cp of the
              analysis files

Usage: bench/kxtool_bench.py [--build DIR] [--files N] [--rounds R]
Prints the medians (ms) and the ratio of the medians.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

DEVNULL = subprocess.DEVNULL


def timed(cmd, cwd=None):
    start = time.perf_counter()
    subprocess.run(cmd, stdout=DEVNULL, stderr=DEVNULL, cwd=cwd, check=True)
    return (time.perf_counter() - start) * 1000


def timed_shell(script, cwd=None):
    start = time.perf_counter()
    subprocess.run(["sh", "-c", script], stdout=DEVNULL, stderr=DEVNULL, cwd=cwd, check=True)
    return (time.perf_counter() - start) * 1000


def report(name, yardstick, subject, target):
    y, s = statistics.median(yardstick), statistics.median(subject)
    ratio = s / y
    verdict = "ok" if ratio <= target else "OVER"
    print(f"{name:<34} {y:9.2f} {s:9.2f} {ratio:7.2f} x  (target {target} x: {verdict})")
    return ratio <= target


def main():
    ap = argparse.ArgumentParser()
    here = os.path.dirname(os.path.abspath(__file__))
    ap.add_argument("--build", default=os.path.join(here, "..", "build"))
    ap.add_argument("--files", type=int, default=2000)
    ap.add_argument("--rounds", type=int, default=5)
    a = ap.parse_args()
    build = os.path.abspath(a.build)
    kxtool = os.path.join(build, "src/cli/kxtool")
    hello = os.path.join(build, "bench/kx_bench_hello")
    make_site = os.path.join(build, "bench/kx_bench_site")

    work = tempfile.mkdtemp(prefix="kxtool-bench-")
    try:
        raw = os.path.join(work, "raw")
        subprocess.run([make_site, raw, str(a.files)], check=True)
        site = os.path.join(work, "site")  # the raw files imported: analysis files beside them
        shutil.copytree(raw, site)
        subprocess.run([kxtool, "import", site, "--overwrite", "all"], stdout=DEVNULL, check=True,
                       cwd=work)
        one = os.path.join(site, "1.kxc")
        kxc = sorted(f for f in os.listdir(site) if f.endswith(".kxc"))
        print(f"{a.files} piles, {a.rounds} rounds; medians in ms")
        print(f"{'':<34} {'yardstick':>9} {'kxtool':>9} {'ratio':>9}")
        ok = True

        # Start-up: many short runs per round, each against the hello-world.
        startup = {"--version": [kxtool, "--version"], "info FILE": [kxtool, "info", one],
                   "process FILE -o DIR": [kxtool, "process", one, "-o", work, "--lowpass",
                                           "800"]}
        for name, cmd in startup.items():
            ys, ss = [], []
            for _ in range(a.rounds * 40):
                ys.append(timed([hello]))
                ss.append(timed(cmd, cwd=work))
            ok &= report(f"start-up: {name}", ys, ss, 4)

        # Every step that writes starts on a quiet file system (one sync before the clock
        # starts) in a fresh directory, and the directories go (with a sync) after the round:
        # ext4 creates files more slowly right after many were deleted, and that would fall on
        # whichever step came next. The two steps of a round swap places every round.
        def fresh(name):
            d = os.path.join(work, name)
            os.mkdir(d)
            return d

        def done(*dirs):
            for d in dirs:
                shutil.rmtree(d)
            os.sync()

        def paired(name, yardstick, subject, target):
            ys, ss = [], []
            for r in range(a.rounds):
                steps = [(ys, yardstick), (ss, subject)]
                for times, step in (steps if r % 2 == 0 else steps[::-1]):
                    times.append(step(r))
            return report(name, ys, ss, target)

        def into_fresh(prefix, measure):
            """A step timing `measure(dir)` on a fresh, empty output folder, the disk synced
            before; the folder is removed afterwards."""
            def step(r):
                dst = fresh(f"{prefix}{r}")
                os.sync()
                t = measure(dst)
                done(dst)
                return t
            return step

        cp_sync = into_fresh("cp", lambda dst: timed_shell(f'cp "{raw}"/* "{dst}" && sync'))

        def import_(r):
            dst = fresh(f"imp{r}")
            timed_shell(f'cp "{raw}"/* "{dst}"')
            os.sync()
            t = timed([kxtool, "import", dst, "--overwrite", "all"], cwd=work)
            done(dst)
            return t

        ok &= paired("import (cp + sync)", cp_sync, import_, 2)

        # Many files per call against cp of the analysis files.
        listing = os.path.join(work, "kxc-list")
        with open(listing, "w") as f:
            f.write("\n".join(kxc))

        cp_kxc = into_fresh(
            "cpk", lambda dst: timed_shell(f'cd "{site}" && xargs -a "{listing}" cp -t "{dst}"'))

        def run(cmd):
            def step(r):
                os.sync()
                return timed(cmd, cwd=work)
            return step

        process = into_fresh("out", lambda out: timed(
            [kxtool, "process", "--dir", site, "-o", out, "--lowpass", "800"], cwd=work))

        ok &= paired("analyze --dir (cp)", cp_kxc, run([kxtool, "analyze", "--dir", site]), 3)
        ok &= paired("spectrum --dir (cp)", cp_kxc, run([kxtool, "spectrum", "--dir", site]), 3)
        ok &= paired("markers --dir (cp)", cp_kxc,
                     run([kxtool, "markers", "--width", "800", "--dir", site]), 3)
        ok &= paired("process --dir -o DIR (cp)", cp_kxc, process, 3)
        return 0 if ok else 1
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
