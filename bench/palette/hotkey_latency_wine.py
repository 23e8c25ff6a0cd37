#!/usr/bin/env python3
"""Time from a Ctrl+Alt+D press to the palette being visible and in the
foreground, against a minimal window that only registers the same hotkey and
shows itself, measured side by side in one Wine session."""

import json
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tests" / "e2e"))

from lumetra_app import Lumetra  # noqa: E402
from wine_session import TEST_TOOLS, WineSession, wait_for  # noqa: E402

CTRL_ALT, VK_D, PRESSES = 3, 0x44, 20


def latency(wine, cls):
    result = wine.run_exe(TEST_TOOLS / "winprobe.exe", "latency", cls, CTRL_ALT, VK_D, PRESSES, timeout=300)
    return json.loads(result.stdout.decode().strip().splitlines()[-1])


def main():
    wine = WineSession()
    try:
        app = Lumetra(wine)
        app.start()
        palette = latency(wine, "Lumetra.Main")
        app.stop()

        baseline_process = wine.start_exe(TEST_TOOLS / "winprobe.exe", "hotkey-window", CTRL_ALT, VK_D)
        wait_for(lambda: wine.find_window("Winprobe.HotkeyBaseline")["found"], what="baseline window")
        baseline = latency(wine, "Winprobe.HotkeyBaseline")
        baseline_process.kill()

        print(f"palette:  {palette}")
        print(f"baseline: {baseline}")
        if "median_ms" in palette and "median_ms" in baseline:
            print(f"median ratio palette/baseline: {palette['median_ms'] / baseline['median_ms']:.2f} "
                  f"(+{palette['median_ms'] - baseline['median_ms']:.1f} ms)")
    finally:
        wine.close()


if __name__ == "__main__":
    main()
