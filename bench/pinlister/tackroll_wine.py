"""Wall time of Tackroll under Wine, side by side with a console program that
only prints one line: a run served from the cache, the stamp alone, and a
full enumeration of 200 pinned items with 200 pinned shortcuts. A second
baseline only starts COM and reads the pin list's counter, the least any
stamp check does. The programs take turns within every round, so a busy
machine slows all of them alike.

    /usr/bin/python3 bench/pinlister/tackroll_wine.py [rounds]

LUMETRA_BUILD_DIR names the Windows build (default build/windows)."""

import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tests" / "e2e"))

from tackroll_world import TackrollWorld  # noqa: E402
from wine_session import WineSession  # noqa: E402

ITEMS = 200


def timed(run):
    start = time.perf_counter()
    result = run()
    elapsed = time.perf_counter() - start
    assert result.returncode == 0 and result.stderr == b"", result
    return elapsed, result.stdout


def main(rounds):
    wine = WineSession()
    try:
        world = TackrollWorld(wine)
        world.reset()
        targets = [world.app(f"App {i:03}.exe") for i in range(ITEMS)]
        world.pin_shortcuts({f"App {i:03}.lnk": target for i, target in enumerate(targets)})
        world.set_pins(targets, counter=1)
        cases = {
            "one-line program": lambda: wine.run_exe(world.tools / "print_one_line.exe"),
            "pin-list counter only": lambda: wine.run_exe(world.tools / "count_pin_changes.exe"),
            "Tackroll, cached": lambda: world.run(),
            "Tackroll --stamp": lambda: world.run("--stamp"),
            f"Tackroll --refresh ({ITEMS} items)": lambda: world.run("--refresh"),
        }
        _, listed = timed(cases[f"Tackroll --refresh ({ITEMS} items)"])  # warm, and fills the cache
        assert listed.count(b"\n") == ITEMS and b".lnk\n" in listed
        times = {name: [] for name in cases}
        for _ in range(rounds):
            for name, run in cases.items():
                elapsed, out = timed(run)
                times[name].append(elapsed)
                if name == "Tackroll, cached":
                    assert out == listed, "the cache serves the enumerated list"

        base = statistics.median(times["one-line program"])
        print(f"{rounds} rounds under Wine, wall time per run (median, min):")
        for name, values in times.items():
            median = statistics.median(values)
            print(f"  {name:32} {median * 1000:7.1f} ms  {min(values) * 1000:7.1f} ms"
                  f"   x{median / base:5.2f} of the one-line program")
    finally:
        wine.close()


if __name__ == "__main__":
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 15)
