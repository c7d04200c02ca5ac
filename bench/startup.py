#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Start-up to a drawn main window: tallyx against a bare wx frame with a styled-text control, a menu bar and
a toolbar, both under one Xvfb, alternated; prints medians of wall time, CPU time and peak memory and their
ratios, and the load average (wall time on a busy machine is mostly waiting for a processor).

    bench/startup.py build [runs]
    bench/startup.py build --instructions    # one start each under callgrind: repeatable on a busy machine
"""
import os
import re
import statistics
import subprocess
import sys
import tempfile


def programs(build):
    return {"tallyx": [os.path.join(build, "app", "tallyx")],
            "bare": [os.path.join(build, "bench", "startup_bare_frame")]}


def environment():
    env = dict(os.environ, TALLYX_EXIT_AFTER_FIRST_PAINT="1")
    # A settings folder of its own, so that the user's history does not count.
    env["XDG_DATA_HOME"] = tempfile.mkdtemp(prefix="tallyx-startup-")
    return env


def measure(build, runs):
    env = environment()
    commands = programs(build)
    samples = {name: {"wall": [], "cpu": [], "rss": []} for name in commands}
    for command in commands.values():  # warm-up: disk caches, fontconfig
        subprocess.run(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # Each run in its own child python, so that ru_maxrss is that run's peak alone.
    probe = ("import resource,subprocess,sys,time;t=time.perf_counter();subprocess.run(sys.argv[1:]);"
             "w=time.perf_counter()-t;r=resource.getrusage(resource.RUSAGE_CHILDREN);"
             "print(w,r.ru_utime+r.ru_stime,r.ru_maxrss)")
    for run in range(runs):
        # The order alternates: a start right after the other program's exit finds the display server
        # still cleaning up, and neither program should always be the one that follows.
        order = list(commands.items()) if run % 2 == 0 else list(reversed(commands.items()))
        for name, command in order:
            out = subprocess.run(["python3", "-c", probe] + command, env=env, check=True,
                                 capture_output=True, text=True).stdout.split()
            for key, value in zip(("wall", "cpu", "rss"), out):
                samples[name][key].append(float(value))
    median = {name: {key: statistics.median(values) for key, values in kinds.items()}
              for name, kinds in samples.items()}
    t, b = median["tallyx"], median["bare"]
    print(f"start to first paint, medians of {runs}, load average {os.getloadavg()[0]:.1f}:")
    print(f"  wall time: tallyx {t['wall'] * 1000:.1f} ms, bare frame {b['wall'] * 1000:.1f} ms, "
          f"ratio {t['wall'] / b['wall']:.3f}")
    print(f"  CPU time:  tallyx {t['cpu'] * 1000:.1f} ms, bare frame {b['cpu'] * 1000:.1f} ms, "
          f"ratio {t['cpu'] / b['cpu']:.3f}")
    print(f"  peak resident memory: tallyx {t['rss'] / 1024:.1f} MB, bare frame {b['rss'] / 1024:.1f} MB, "
          f"difference {(t['rss'] - b['rss']) / 1024:.1f} MB")


def instructions(build):
    env = environment()
    counts = {}
    with tempfile.TemporaryDirectory() as folder:
        # Warm-up: the first program to use the display's GL pays about 150 M instructions more than later ones.
        for command in programs(build).values():
            subprocess.run(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for name, command in programs(build).items():
            result = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={folder}/{name}"]
                                    + command, env=env, capture_output=True, text=True)
            found = re.search(r"refs:\s+([\d,]+)", result.stderr)
            if not found:
                sys.exit(f"callgrind gave no count for {name}:\n{result.stderr}")
            counts[name] = int(found.group(1).replace(",", ""))
    print(f"instructions to first paint (all threads): tallyx {counts['tallyx'] / 1e6:.1f} M, "
          f"bare frame {counts['bare'] / 1e6:.1f} M, ratio {counts['tallyx'] / counts['bare']:.3f}")


if __name__ == "__main__":
    if "DISPLAY" not in os.environ:
        sys.exit(subprocess.call(["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", sys.executable] + sys.argv))
    arguments = [a for a in sys.argv[1:] if a != "--instructions"]
    build_dir = arguments[0] if arguments else "build"
    if "--instructions" in sys.argv:
        instructions(build_dir)
    else:
        measure(build_dir, int(arguments[1]) if len(arguments) > 1 else 15)
