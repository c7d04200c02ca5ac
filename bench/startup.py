#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Start-up to a drawn main window: tallyx against a bare wx frame with a styled-text control, a menu bar and
a toolbar, both under one Xvfb, alternated; prints medians of wall time and peak memory and their ratios.

    bench/startup.py build [runs]
"""
import os
import statistics
import subprocess
import sys
import tempfile


def measure(build, runs):
    env = dict(os.environ, TALLYX_EXIT_AFTER_FIRST_PAINT="1")
    # A settings folder of its own, so that the user's history does not count.
    env["XDG_DATA_HOME"] = tempfile.mkdtemp(prefix="tallyx-startup-")
    tallyx = [os.path.join(build, "app", "tallyx")]
    bare = [os.path.join(build, "bench", "startup_bare_frame")]
    times = {"tallyx": [], "bare": []}
    rss = {"tallyx": [], "bare": []}
    for command in (tallyx, bare):  # warm-up: disk caches, fontconfig
        subprocess.run(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(runs):
        for name, command in (("tallyx", tallyx), ("bare", bare)):
            # Each run in its own child python, so that ru_maxrss is that run's peak alone.
            probe = ("import resource,subprocess,sys,time;t=time.perf_counter();subprocess.run(sys.argv[1:]);"
                     "print(time.perf_counter()-t, resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)")
            out = subprocess.run(["python3", "-c", probe] + command, env=env, check=True,
                                 capture_output=True, text=True).stdout.split()
            times[name].append(float(out[0]))
            rss[name].append(int(out[1]))
    t = {k: statistics.median(v) * 1000 for k, v in times.items()}
    m = {k: statistics.median(v) / 1024 for k, v in rss.items()}
    print(f"start to first paint, median of {runs}: tallyx {t['tallyx']:.1f} ms, bare frame {t['bare']:.1f} ms, "
          f"ratio {t['tallyx'] / t['bare']:.3f}")
    print(f"peak resident memory: tallyx {m['tallyx']:.1f} MB, bare frame {m['bare']:.1f} MB, "
          f"difference {m['tallyx'] - m['bare']:.1f} MB")


if __name__ == "__main__":
    if "DISPLAY" not in os.environ:
        sys.exit(subprocess.call(["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", sys.executable] + sys.argv))
    measure(sys.argv[1] if len(sys.argv) > 1 else "build", int(sys.argv[2]) if len(sys.argv) > 2 else 15)
