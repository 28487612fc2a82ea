#!/usr/bin/env python3
"""Start-up measure: the time from starting a program to its first window being exposed.

Starts the program (build/src/ui/rovalis) and a Qt Widgets hello-world built beside the
benchmarks (build/bench/hello_window) the same way, one after the other, several times each,
and reports the median time of each and their ratio. Both report their first exposed window
on their standard output (ROVALIS_FIRST_SHOW=exit) and end then.

The windows go to a virtual X screen (Xvfb) when one can be started, else to Qt's offscreen
platform. Run after a build:

    python3 bench/startup_time.py [--runs 15] [--build build] [--platform xvfb|offscreen]
        [--virtual-robot]
"""

import argparse
import os
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def start_xvfb():
    """A private virtual screen; (process, display) or (None, None) when none can be had."""
    if shutil.which("Xvfb") is None:
        return None, None
    for number in range(90, 120):
        if os.path.exists(f"/tmp/.X{number}-lock"):
            continue
        display = f":{number}"
        server = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(50):  # up to five seconds for the socket
            if os.path.exists(f"/tmp/.X11-unix/X{number}"):
                return server, display
            if server.poll() is not None:
                break
            time.sleep(0.1)
        server.kill()
        server.wait()
    return None, None


def time_to_first_window(command, environment, timeout):
    """Seconds from start to the program's report of its first exposed window."""
    began = time.monotonic()
    program = subprocess.Popen(command, env=environment, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                               text=True)
    try:
        # A program without the hook never reports: give up after the time-out.
        ready, _, _ = select.select([program.stdout], [], [], timeout)
        line = program.stdout.readline() if ready else ""
        took = time.monotonic() - began
        if "first window shown" not in line:
            raise RuntimeError(f"{command[0]} did not report a shown window within {timeout} s")
        program.wait(timeout=timeout)
        return took
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--build", default=os.path.join(os.path.dirname(__file__), "..", "build"))
    parser.add_argument("--platform", choices=["xvfb", "offscreen"], default="xvfb")
    parser.add_argument("--timeout", type=float, default=20.0)
    parser.add_argument("--virtual-robot", action="store_true", help="start rovalis with its virtual robot")
    parser.add_argument("--rovalis", help="the program to measure (default: the one in the build folder)")
    options = parser.parse_args()

    programs = {
        "hello-world": [os.path.join(options.build, "bench", "hello_window")],
        "rovalis": [options.rovalis or os.path.join(options.build, "src", "ui", "rovalis"), "--lang", "es"],
    }
    if options.virtual_robot:
        programs["rovalis"].append("--virtual-robot")
    for name, command in programs.items():
        if not os.access(command[0], os.X_OK):
            sys.exit(f"{name}: {command[0]} is not built")

    server, display = (None, None)
    if options.platform == "xvfb":
        server, display = start_xvfb()
    environment = dict(os.environ, ROVALIS_FIRST_SHOW="exit")
    # The program's settings go to a folder of their own, so that the user's stay untouched.
    settings = tempfile.TemporaryDirectory()
    environment["XDG_CONFIG_HOME"] = settings.name
    if display:
        environment["DISPLAY"] = display
        environment.pop("QT_QPA_PLATFORM", None)
        platform = f"Xvfb {display}"
    else:
        environment["QT_QPA_PLATFORM"] = "offscreen"
        platform = "offscreen"

    times = {name: [] for name in programs}
    try:
        for name, command in programs.items():  # one unmeasured run each warms the file cache
            time_to_first_window(command, environment, options.timeout)
        for _ in range(options.runs):
            for name, command in programs.items():  # interleaved, so both see the same machine
                times[name].append(time_to_first_window(command, environment, options.timeout))
    finally:
        if server is not None:
            server.terminate()
            server.wait()
        settings.cleanup()

    medians = {name: statistics.median(values) for name, values in times.items()}
    print(f"first window shown ({platform}, {options.runs} runs each, median):")
    for name, median in medians.items():
        print(f"  {name:12} {median * 1000:7.1f} ms  (min {min(times[name]) * 1000:.1f}, "
              f"max {max(times[name]) * 1000:.1f})")
    print(f"  ratio        {medians['rovalis'] / medians['hello-world']:7.2f}x  (goal: at most 1.20x)")


if __name__ == "__main__":
    main()
