"""The About card opened by the tray menu's About command: at the bottom of the
monitor under the cursor and sized for its DPI, the texts of Lumetra's own
version resource, one card however often it is asked for, a press that closes
it unless it moves 4 pixels or more (then it drags), and Esc that closes it
without hiding the palette."""

import re

import pytest

from lumetra_app import MAIN_CLASS, cover_hidden, press_toggle_hotkey
from test_close_button import pixel
from wine_session import ROOT, wait_for

ABOUT_CLASS = "Lumetra.AboutWindow"
WM_COMMAND, WM_CLOSE = 0x0111, 0x0010
CMD_ABOUT = 2302
WS_EX_TOOLWINDOW = 0x80
DESKTOP_KEY = r"HKEY_CURRENT_USER\Control Panel\Desktop"
WHITE, BORDER, SEPARATOR = (255, 255, 255), (218, 218, 218), (185, 185, 185)


@pytest.fixture
def lumetra(lumetra):
    lumetra.write_config("[General]\r\nDebugLog=1\r\n")
    return lumetra


@pytest.fixture(params=[96, 144])
def dpi(request, wine):
    if request.param != 96:
        wine.reg_import(f"[{DESKTOP_KEY}]\n\"LogPixels\"=dword:{request.param:08x}\n")
    yield request.param
    if request.param != 96:
        wine.reg_import(f"[{DESKTOP_KEY}]\n\"LogPixels\"=-\n")


def project_version():
    text = (ROOT / "CMakeLists.txt").read_text()
    return re.search(r"project\(Lumetra VERSION ([0-9.]+)", text).group(1)


def scaled(length, dpi):
    return (length * dpi + 48) // 96


def card(wine):
    return wine.find_window(ABOUT_CLASS)


def open_card(wine, at):
    """Moves the cursor to AT and sends the About command; the card in front."""
    wine.xdotool("mousemove", *at)
    wait_for(lambda: wine.probe("monitor-at", *at)["cursor"] == list(at), what="the cursor moved")
    wine.post(MAIN_CLASS, WM_COMMAND, CMD_ABOUT)
    return wait_for(lambda: (c := card(wine))["visible"] and c["foreground"] and c,
                    what="the About card in front")


def close_card(wine):
    wine.post(ABOUT_CLASS, WM_CLOSE)
    wait_for(lambda: not card(wine)["found"], what="the About card closed")


def test_the_card_rests_on_the_bottom_of_the_work_area_under_the_cursor(wine, lumetra, dpi):
    lumetra.start()
    lumetra.wait_for_log("Config.ini path:")
    width, height, margin = scaled(520, dpi), scaled(200, dpi), scaled(12, dpi)

    shown = open_card(wine, (800, 500))
    # The monitor's own work area, which the card follows: under Wine it
    # ignores the taskbar that SPI_GETWORKAREA makes room for.
    work = wine.probe("monitor-at", 800, 500)["work"]
    assert shown["rect"] == [800 - width // 2, work[3] - margin - height,
                             800 - width // 2 + width, work[3] - margin]
    assert shown["exstyle"] & WS_EX_TOOLWINDOW
    assert shown["title"] == "About Lumetra"

    texts = [t["text"] for t in wine.probe("texts", ABOUT_CLASS)["texts"]]
    # The version resource's values, not the built-in defaults.
    assert texts[1:5] == ["Lumetra", f"Version {project_version()}", "Lumetra desktop palette",
                          "Copyright (C) 2026 veltor"]
    assert "veltor.example" in texts[5]

    # A second command brings the same card forward.
    wine.post(MAIN_CLASS, WM_COMMAND, CMD_ABOUT)
    lumetra.wait_for_log("ShowAboutWindow: already open")
    assert wine.count_windows(ABOUT_CLASS) == 1
    assert card(wine)["hwnd"] == shown["hwnd"]

    if dpi == 96:
        left, top = shown["rect"][:2]
        shot = wine.screenshot(wine.work / "about-card.png")
        assert pixel(shot, left + 60, top + 150) == WHITE
        assert pixel(shot, left, top + 150) == BORDER
        assert pixel(shot, left + 300, top + 94) == SEPARATOR

    close_card(wine)
    # At the monitor's left edge the card keeps its margin from it.
    shown = open_card(wine, (2, 500))
    assert shown["rect"][0] == work[0] + margin
    close_card(wine)
    assert lumetra.exit() == 0


def test_a_press_closes_the_card_unless_it_moves_four_pixels_then_it_drags(wine, lumetra):
    lumetra.start()
    lumetra.wait_for_log("Config.ini path:")
    left, top, right, bottom = open_card(wine, (800, 500))["rect"]
    # An empty spot below the icon: the press reaches the card itself.
    x, y = left + 60, top + 150

    wine.xdotool("mousemove", x, y)
    wine.xdotool("mousedown", 1, "mousemove_relative", 5, 0, "mouseup", 1)
    lumetra.wait_for_log("AboutWindow: release -> keep")
    assert card(wine)["rect"] == [left + 5, top, right + 5, bottom]

    wine.xdotool("mousemove", x + 5, y)
    wine.xdotool("mousedown", 1, "mousemove_relative", 3, 0, "mouseup", 1)
    wait_for(lambda: not card(wine)["found"], what="the About card closed by the click")
    assert lumetra.count_log("AboutWindow: release -> close") == 1
    assert lumetra.exit() == 0


def test_escape_closes_the_card_and_leaves_the_palette_shown(wine, lumetra):
    lumetra.start()
    lumetra.wait_for_log("Config.ini path:")
    press_toggle_hotkey(wine)
    wait_for(lambda: wine.find_window(MAIN_CLASS)["visible"], what="the palette shown")
    wait_for(lambda: cover_hidden(wine), what="the show settled")
    open_card(wine, (800, 900))

    wine.xdotool("key", "Escape")
    wait_for(lambda: not card(wine)["found"], what="the About card closed by Esc")
    # The keys arrive in order: had the Esc hidden the palette, this toggle
    # would show it again.
    toggles = lumetra.count_log("ToggleMainWindow -> ")
    wine.xdotool("key", "--clearmodifiers", "ctrl+alt+d")
    wait_for(lambda: lumetra.count_log("ToggleMainWindow -> ") > toggles, what="the next toggle")
    last = [line for line in lumetra.log_lines() if "ToggleMainWindow -> " in line][-1]
    assert last.endswith("-> hide")
    assert lumetra.count_log("ESC pressed -> hide") == 0
    assert lumetra.exit() == 0
