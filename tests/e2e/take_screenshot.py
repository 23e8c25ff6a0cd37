#!/usr/bin/env python3
"""Takes docs/palette.png for the read-me: Lumetra under Wine showing the
end-to-end tests' sample Desktop in its palette.

    LUMETRA_BUILD_DIR=build/windows /usr/bin/python3 tests/e2e/take_screenshot.py [OUT]
"""

import subprocess
import sys
import time
from pathlib import Path

from lumetra_app import MAIN_CLASS, Lumetra, press_toggle_hotkey
from wine_session import ROOT, WineSession, wait_for

MARGIN = 24


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "docs" / "palette.png"
    wine = WineSession()
    try:
        wine.place_sample_desktop()
        app = Lumetra(wine)
        app.reset_data()
        app.write_config("[Window]\r\nX=200\r\nY=160\r\nW=720\r\nH=440\r\n")
        app.start()
        press_toggle_hotkey(wine)
        wait_for(lambda: wine.probe("listview", MAIN_CLASS).get("visible"), what="the palette's list")
        time.sleep(1.0)  # let the icons paint
        left, top, right, bottom = wine.find_window(MAIN_CLASS)["rect"]
        shot = wine.screenshot(wine.work / "screen.png")
        out.parent.mkdir(parents=True, exist_ok=True)
        x, y = max(left - MARGIN, 0), max(top - MARGIN, 0)
        geometry = f"{right - left + 2 * MARGIN}x{bottom - top + 2 * MARGIN}+{x}+{y}"
        subprocess.run(["convert", str(shot), "-crop", geometry, "+repage", str(out)], check=True, timeout=60)
        app.exit()
        print(out)
    finally:
        wine.close()


if __name__ == "__main__":
    main()
