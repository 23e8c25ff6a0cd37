#!/usr/bin/env python3
"""Time InitializeExplorerBrowser takes (from its own debug-log line) and the
palette's private memory after start-up, for Desktops of 10, 200 and 2,000
files, three starts each, in one Wine session."""

import re
import shutil
import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tests" / "e2e"))

from lumetra_app import MAIN_CLASS, Lumetra  # noqa: E402
from wine_session import WineSession, wait_for  # noqa: E402

SIZES = (10, 200, 2000)
STARTS = 3
READY = re.compile(r"InitializeExplorerBrowser: view ready in (\d+) us, (\d+) item")


def fill_desktop(desktop, count):
    shutil.rmtree(desktop, ignore_errors=True)
    desktop.mkdir(parents=True)
    for i in range(count):
        (desktop / f"file {i:04d}.txt").write_text(f"item {i}\r\n")


def one_start(wine, app):
    app.reset_data()
    app.write_config("[General]\r\nDebugLog=1\r\n")
    app.start()
    line = wait_for(lambda: next((m for m in map(READY.search, app.log_lines()) if m), None), timeout=120,
                    what="the view-ready line")
    wait_for(lambda: not wine.probe("hotkey-free", 3, 0x44)["free"], timeout=60, what="start-up finished")
    time.sleep(1.0)
    memory = wine.probe("process-memory", MAIN_CLASS)
    app.stop()
    return int(line.group(1)) / 1000.0, int(line.group(2)), memory["private_bytes"] / (1024 * 1024)


def main():
    wine = WineSession()
    try:
        app = Lumetra(wine)
        for size in SIZES:
            fill_desktop(wine.desktop, size)
            runs = [one_start(wine, app) for _ in range(STARTS)]
            ms = statistics.median(r[0] for r in runs)
            items = runs[-1][1]
            mib = statistics.median(r[2] for r in runs)
            print(f"desktop of {size:5d} files: InitializeExplorerBrowser median {ms:8.1f} ms "
                  f"({', '.join(f'{r[0]:.1f}' for r in runs)}), {items} items listed, "
                  f"private memory median {mib:6.1f} MiB")
    finally:
        wine.close()


if __name__ == "__main__":
    main()
