"""The palette's close button: called up by the cursor in the 100 x 40 band
at the palette's top-right corner, a red disc under the cursor, and a click
on it hides the palette."""

import subprocess

import pytest

from lumetra_app import MAIN_CLASS, cover_hidden
from test_view_mode import show
from wine_session import wait_for

BUTTON_CLASS = "Lumetra.CloseBtn"
DISC = (0xFF, 0x5F, 0x57)  # COLORREF 0x575FFF


@pytest.fixture
def lumetra(lumetra):
    lumetra.write_config("[General]\r\nDebugLog=1\r\n")
    return lumetra


def button(wine):
    return wine.find_window(BUTTON_CLASS)


def pixel(path, x, y):
    out = subprocess.run(["convert", str(path), "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:"],
                         capture_output=True, text=True, check=True).stdout
    rgb = out.splitlines()[-1].split("(")[1].split(")")[0].split(",")[:3]
    return tuple(round(float(v)) for v in rgb)


def near(colour, wanted, slack=24):
    return all(abs(a - b) <= slack for a, b in zip(colour, wanted))


def test_the_corner_band_calls_the_button_up_and_a_click_on_it_hides(wine, lumetra):
    show(wine, lumetra)
    wait_for(lambda: cover_hidden(wine), what="the cover gone")
    left, top, right, bottom = wine.find_window(MAIN_CLASS)["rect"]

    # The right edge itself (one past the last pixel) is inside the band.
    wine.xdotool("mousemove", right, top + 30)
    shown = wait_for(lambda: (b := button(wine))["visible"] and b, what="the close button shown")
    assert shown["rect"] == [right - 28, top + 8, right - 10, top + 26]
    assert not shown["foreground"]

    # 100 pixels left of the edge is outside.
    wine.xdotool("mousemove", right - 100, top + 10)
    wait_for(lambda: not button(wine)["visible"], what="the close button hidden")
    wine.xdotool("mousemove", right - 99, top + 39)
    wait_for(lambda: button(wine)["visible"], what="the close button back")

    # Over the button: the red disc around a dark cross.
    bx, by = right - 28, top + 8
    wine.xdotool("mousemove", bx + 9, by + 9)
    shot = wine.work / "close-button-hot.png"

    def disc_shown():
        wine.screenshot(shot)
        return near(pixel(shot, bx + 9, by + 3), DISC)

    wait_for(disc_shown, what="the red disc under the cursor")
    assert not near(pixel(shot, bx + 9, by + 9), DISC), "the cross crosses the disc"
    assert wine.find_window(MAIN_CLASS)["foreground"], "the button never takes the focus"

    wine.xdotool("click", 1)
    wait_for(lambda: not wine.find_window(MAIN_CLASS)["visible"], what="the palette hidden")
    wait_for(lambda: not button(wine)["visible"], what="the close button gone with it")
    assert lumetra.exit() == 0
