#!/usr/bin/python3
"""Start-up time of real programs on an X display: from starting the process until the X server
maps its first top-level window, i.e. until the window is shown. The programs take turns, round
after round, so that a busy moment of the machine hits them alike.

The map is seen through `xev -root -event substructure`, which reports every window the server
maps on the root; the display must have no other clients that map windows.

Usage: startup.py ROUNDS [--phases PROBE] NAME=PROGRAM [NAME=PROGRAM ...]
Prints one line of JSON: {NAME: [seconds, ...], ...}; with --phases also "phases": the medians of
the milliseconds per step that the probe program reports on the same display.
"""
import json
import os
import select
import statistics
import subprocess
import sys
import time

TIMEOUT_SECONDS = 20


class MapWatcher:
    def __init__(self):
        self.xev = subprocess.Popen(
            ["stdbuf", "-oL", "xev", "-root", "-event", "substructure"],
            stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL,
        )
        self.pending = b""
        time.sleep(0.3)  # xev has selected its events once it idles
        self.drain()

    def lines(self, timeout):
        ready, _, _ = select.select([self.xev.stdout], [], [], timeout)
        if not ready:
            return []
        chunk = os.read(self.xev.stdout.fileno(), 65536)
        self.pending += chunk
        *complete, self.pending = self.pending.split(b"\n")
        return complete

    def wait_for_map(self, deadline):
        while time.perf_counter() < deadline:
            for line in self.lines(deadline - time.perf_counter()):
                if line.startswith(b"MapNotify event"):
                    return time.perf_counter()
        return None

    def drain(self):
        while self.lines(0.05):
            pass

    def close(self):
        self.xev.terminate()
        self.xev.wait()


def phase_medians(probe, rounds):
    runs = []
    for _ in range(rounds):
        output = subprocess.run([probe], check=True, capture_output=True, text=True).stdout
        runs.append(json.loads(output.strip().splitlines()[-1]))
    return {step: statistics.median(run[step] for run in runs) for step in runs[0]}


def main():
    rounds = int(sys.argv[1])
    args = sys.argv[2:]
    probe = None
    if args[:1] == ["--phases"]:
        probe, args = args[1], args[2:]
    programs = [arg.split("=", 1) for arg in args]
    times = {name: [] for name, _ in programs}
    watcher = MapWatcher()
    try:
        for _ in range(rounds):
            for name, program in programs:
                started = time.perf_counter()
                process = subprocess.Popen(
                    [program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL
                )
                shown = watcher.wait_for_map(started + TIMEOUT_SECONDS)
                process.terminate()
                process.wait()
                watcher.drain()
                if shown is not None:
                    times[name].append(shown - started)
    finally:
        watcher.close()
    if probe:
        times["phases"] = phase_medians(probe, rounds)
    print(json.dumps(times))


if __name__ == "__main__":
    main()
