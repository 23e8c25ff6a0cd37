#!/usr/bin/env python3
"""Time a second start of Lumetra takes to hand over to the running instance
and end, against the cheapest console program (print_one_line.exe) started
the same way, side by side in one Wine session. Each hand-over
toggles the palette; the next launch waits until it was handled and the
toggle cooldown has passed."""

import contextlib
import io
import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tests" / "e2e"))

from lumetra_app import Lumetra  # noqa: E402
from wine_session import TEST_TOOLS, WineSession, wait_for  # noqa: E402

LAUNCHES = 15
HANDOVER = "WM_APP+99 received. source=2"


def timed_run(wine, exe, *args):
    started = time.monotonic()
    result = wine.run_exe(exe, *args)
    elapsed = (time.monotonic() - started) * 1000
    if result.returncode != 0:
        raise RuntimeError(f"{exe} ended with {result.returncode}")
    return elapsed


def summary(samples):
    ordered = sorted(samples)
    return (f"median {statistics.median(ordered):6.1f} ms, min {ordered[0]:6.1f} ms, "
            f"max {ordered[-1]:6.1f} ms ({len(ordered)} runs)")


def main():
    wine = WineSession()
    try:
        app = Lumetra(wine)
        app.reset_data()
        app.write_config("[General]\r\nDebugLog=1\r\n")
        app.start()
        app.wait_for_log("Config.ini path:", timeout=120)
        launches, baseline = [], []
        for i in range(LAUNCHES):
            launches.append(timed_run(wine, wine.program("Lumetra.exe")))
            wait_for(lambda: app.count_log(HANDOVER) == i + 1, what="the hand-over handled")
            time.sleep(0.25)  # past the toggle cooldown
            baseline.append(timed_run(wine, TEST_TOOLS / "print_one_line.exe"))
        with contextlib.redirect_stdout(io.StringIO()):  # stop() prints the debug log
            app.stop()
        print(f"second launch: {summary(launches)}")
        print(f"baseline:      {summary(baseline)}")
        print(f"median difference: {statistics.median(launches) - statistics.median(baseline):+.1f} ms")
    finally:
        wine.close()


if __name__ == "__main__":
    main()
