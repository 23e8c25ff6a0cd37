#!/usr/bin/env python3
"""Time InitializeExplorerBrowser takes (from its own debug-log line) and the
palette's private memory after start-up, for Desktops of 10, 200 and 2,000
files, three starts each after one warm-up start, in one Wine session.
Memory is read twice: the commit charge Windows reports for the process, and
the private pages of its Linux process (/proc/PID/smaps_rollup)."""

import contextlib
import io
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
    committed = max(memory["private_bytes"], memory["pagefile_bytes"]) / (1024 * 1024)
    private = linux_private_mib(app.process.pid)
    with contextlib.redirect_stdout(io.StringIO()):  # stop() prints the debug log
        app.stop()
    return int(line.group(1)) / 1000.0, int(line.group(2)), committed, private


def linux_private_mib(pid):
    try:
        text = Path(f"/proc/{pid}/smaps_rollup").read_text()
    except OSError:
        return float("nan")
    kib = sum(int(l.split()[1]) for l in text.splitlines() if l.startswith(("Private_Clean:", "Private_Dirty:")))
    return kib / 1024


def main():
    wine = WineSession()
    try:
        app = Lumetra(wine)
        fill_desktop(wine.desktop, SIZES[0])
        one_start(wine, app)  # warm-up: the first start also loads the shell's caches
        for size in SIZES:
            fill_desktop(wine.desktop, size)
            runs = [one_start(wine, app) for _ in range(STARTS)]
            ms = statistics.median(r[0] for r in runs)
            items = runs[-1][1]
            committed = statistics.median(r[2] for r in runs)
            private = statistics.median(r[3] for r in runs)
            print(f"desktop of {size:5d} files: InitializeExplorerBrowser median {ms:7.1f} ms "
                  f"({', '.join(f'{r[0]:.1f}' for r in runs)}), {items} items listed; "
                  f"memory after start-up: committed {committed:6.1f} MiB, private pages {private:6.1f} MiB")
    finally:
        wine.close()


if __name__ == "__main__":
    main()
