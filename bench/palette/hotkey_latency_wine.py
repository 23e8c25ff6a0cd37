#!/usr/bin/env python3
"""Time from a Ctrl+Alt+D press to the palette being visible and in the
foreground, against a minimal window that only registers the same hotkey and
shows itself, measured side by side in one Wine session.

The bare pop-up runs three times: as it is; with pass-through low-level
keyboard and mouse hooks on its thread, as the palette's thread has them; and
with the hooks as a layered window of the palette's default size, the kind of
window the palette is. Each row also
gives how long the press itself was held up: SendInput waits for every
low-level hook, so a thread that holds hooks and is busy holds up all input."""

import json
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tests" / "e2e"))

from lumetra_app import Lumetra  # noqa: E402
from wine_session import TEST_TOOLS, WineSession, wait_for  # noqa: E402

CTRL_ALT, VK_D, PRESSES = 3, 0x44, 20
BASELINE_CLASS = "Winprobe.HotkeyBaseline"


def latency(wine, cls, *settle):
    result = wine.run_exe(TEST_TOOLS / "winprobe.exe", "latency", cls, CTRL_ALT, VK_D, PRESSES, *settle,
                          timeout=300)
    return json.loads(result.stdout.decode().strip().splitlines()[-1])


def baseline(wine, *extra):
    process = wine.start_exe(TEST_TOOLS / "winprobe.exe", "hotkey-window", CTRL_ALT, VK_D, *extra)
    try:
        wait_for(lambda: wine.find_window(BASELINE_CLASS)["found"], what="baseline window")
        return latency(wine, BASELINE_CLASS)
    finally:
        process.kill()
        wait_for(lambda: not wine.find_window(BASELINE_CLASS)["found"], what="baseline window gone")


def main():
    wine = WineSession()
    try:
        app = Lumetra(wine)
        app.start()
        # The hiding press waits for the cover to be gone (see winprobe latency).
        rows = {"palette": latency(wine, "Lumetra.Main", "Lumetra.Overlay")}
        app.stop()
        rows["bare pop-up"] = baseline(wine)
        rows["bare pop-up with hooks"] = baseline(wine, "hooks")
        rows["layered, palette-sized"] = baseline(wine, "hooks", "alike")

        for name, row in rows.items():
            print(f"{name + ':':24s}{row}")
        palette = rows["palette"]
        for name in ("bare pop-up", "bare pop-up with hooks", "layered, palette-sized"):
            other = rows[name]
            if "median_ms" in palette and "median_ms" in other:
                print(f"median ratio palette/{name}: {palette['median_ms'] / other['median_ms']:.2f} "
                      f"(+{palette['median_ms'] - other['median_ms']:.1f} ms)")
    finally:
        wine.close()


if __name__ == "__main__":
    main()
