#!/usr/bin/env python3
"""Time from a Ctrl+Alt+D press to the palette being visible and in the
foreground, against a minimal window that only registers the same hotkey and
shows itself, measured side by side in one Wine session.

The palette runs twice: with its default triggers, whose low-level keyboard
and mouse hooks are on its thread, and with the double tap and the mouse
gesture turned off, so without hooks, like the bare pop-up.

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

CTRL_ALT, VK_D, PRESSES = 3, 0x44, 40
BASELINE_CLASS = "Winprobe.HotkeyBaseline"
NO_HOOKS = "[Hotkey]\r\nTrigger=3\r\nMouseMode=2\r\n"


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
        rows = {}
        for name, config in (("palette", ""), ("palette without hooks", NO_HOOKS)):
            app.write_config(config)
            app.start()
            # The hiding press waits for the cover to be gone (see winprobe latency).
            rows[name] = latency(wine, "Lumetra.Main", "Lumetra.Overlay")
            app.stop()
        rows["bare pop-up"] = baseline(wine)
        rows["bare pop-up with hooks"] = baseline(wine, "hooks")
        rows["layered, palette-sized"] = baseline(wine, "hooks", "alike")

        for name, row in rows.items():
            print(f"{name + ':':25s}{row}")
        pairs = (("palette", "bare pop-up with hooks"), ("palette", "layered, palette-sized"),
                 ("palette without hooks", "bare pop-up"), ("palette", "bare pop-up"))
        for mine, other in pairs:
            a, b = rows[mine], rows[other]
            if "median_ms" in a and "median_ms" in b:
                print(f"median ratio {mine}/{other}: {a['median_ms'] / b['median_ms']:.2f} "
                      f"(+{a['median_ms'] - b['median_ms']:.1f} ms)")
    finally:
        wine.close()


if __name__ == "__main__":
    main()
