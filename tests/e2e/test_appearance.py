"""The palette's look under Wine: light and dark by DisplayMode (the system's
undocumented dark-mode entry points are left alone here, since Wine's mean
other functions), the palette and its menus in each, and the three opacities."""

import subprocess

import pytest

from lumetra_app import MAIN_CLASS, cover_hidden
from test_tray import close_menus, open_tray_menu
from test_view_menu import open_view_menu
from test_view_mode import show
from wine_session import wait_for

WM_COMMAND = 0x0111
OPACITY_COMMANDS = {2100: 255, 2101: 191, 2103: 140}
BACKGROUND = {1: (0xFF, 0xFF, 0xFF), 2: (0x1C, 0x1C, 0x1C)}
PERSONALIZE_KEY = r"HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize"
# The list view's own text and background colours (COLORREF) by theme.
LIST_COLOURS = {1: (0x202020, 0xFFFFFF), 2: (0xE6E6E6, 0x1C1C1C)}
WMAPP_TOGGLE, SOURCE_HOTKEY = 0x8000 + 99, 4


def pixel(path, x, y):
    out = subprocess.run(["convert", str(path), "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:"],
                         capture_output=True, text=True, check=True).stdout
    rgb = out.splitlines()[-1].split("(")[1].split(")")[0].split(",")[:3]
    return tuple(round(float(v)) for v in rgb)


@pytest.mark.parametrize("mode, name", [(1, "light"), (2, "dark")])
def test_light_and_dark_palette_and_menus(wine, lumetra, mode, name):
    lumetra.write_config(f"[General]\r\nDebugLog=1\r\n[UI]\r\nDisplayMode={mode}\r\n")
    show(wine, lumetra)
    wait_for(lambda: cover_hidden(wine), what="the cover gone")
    # Wine reports no build whose entry points are known: none is called.
    lumetra.wait_for_log("Dark mode: system theme entry points not used (build=")

    left, top, right, bottom = wine.find_window(MAIN_CLASS)["rect"]
    shot = wine.screenshot(wine.work / f"palette-{name}.png")
    # Empty space of the view, below the items: the theme's background.
    assert pixel(shot, (left + right) // 2, bottom - 40) == BACKGROUND[mode]

    wine.xdotool("mousemove", (left + right) // 2, bottom - 40)
    open_view_menu(wine)
    wine.screenshot(wine.work / f"view-menu-{name}.png")
    close_menus(wine)
    open_tray_menu(wine)
    wine.screenshot(wine.work / f"tray-menu-{name}.png")
    close_menus(wine)
    assert lumetra.exit() == 0


def test_the_opacity_commands_set_the_palettes_alpha(wine, lumetra):
    lumetra.write_config("[General]\r\nDebugLog=1\r\n")
    show(wine, lumetra)
    for command, alpha in OPACITY_COMMANDS.items():
        wine.post(MAIN_CLASS, WM_COMMAND, command)
        wait_for(lambda: wine.find_window(MAIN_CLASS).get("alpha") == alpha, what=f"alpha {alpha}")
    assert lumetra.exit() == 0


def system_theme(wine, light):
    wine.reg_import(f"[{PERSONALIZE_KEY}]\n\"AppsUseLightTheme\"=dword:{light:08x}\n")


def test_a_show_request_follows_the_system_theme_changed_while_hidden(wine, lumetra):
    """Following the system, a toggle request that shows the palette brings the
    theme the system switched to while the palette was hidden, view included."""
    system_theme(wine, light=1)
    lumetra.write_config("[General]\r\nDebugLog=1\r\n[UI]\r\nDisplayMode=0\r\n")
    lumetra.start()
    lumetra.wait_for_log("InitializeExplorerBrowser: view ready in ")
    for light, mode in ((1, 1), (0, 2), (1, 1)):
        system_theme(wine, light)
        wine.post(MAIN_CLASS, WMAPP_TOGGLE, SOURCE_HOTKEY)
        wait_for(lambda: wine.find_window(MAIN_CLASS).get("visible"), what="palette shown")
        wait_for(lambda: cover_hidden(wine), what="the cover gone")
        left, top, right, bottom = wine.find_window(MAIN_CLASS)["rect"]
        shot = wine.screenshot(wine.work / f"palette-follows-{light}.png")
        assert pixel(shot, (left + right) // 2, bottom - 40) == BACKGROUND[mode]
        view = wine.probe("listview", MAIN_CLASS)
        assert (view["text_color"], view["bk_color"]) == LIST_COLOURS[mode]
        wine.post(MAIN_CLASS, WMAPP_TOGGLE, SOURCE_HOTKEY)
        wait_for(lambda: not wine.find_window(MAIN_CLASS).get("visible"), what="palette hidden")
    assert lumetra.exit() == 0
