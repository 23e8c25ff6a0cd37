"""The ways the palette comes up: a mouse gesture shows it at the cursor without
remembering that place, the hotkey pressed twice in quick succession shows and
hides it, and on Windows 11 it fades in to the opacity's alpha."""

import pytest

from lumetra_app import MAIN_CLASS
from wine_session import wait_for

WM_COMMAND = 0x0111
CMD_TOGGLE = 2701
MOD_ALT, MOD_CONTROL, VK_D = 0x1, 0x2, 0x44

# The saved place: [Window] and the monitor's own entry agree.
SAVED = {"X": "300", "Y": "200", "W": "800", "H": "500"}
SAVED_MONITOR_POS = "300,200,800,500"


def config_text(hotkey="", window=""):
    return ("[General]\r\nDebugLog=1\r\n"
            f"[Window]\r\n{window}"
            f"[Hotkey]\r\nTrigger=3\r\n{hotkey}")


def ini_section(path, section):
    """Keys and values of one section of an INI file."""
    values, current = {}, None
    for line in path.read_bytes().decode("utf-8-sig").splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            current = line[1:-1]
        elif current == section and "=" in line:
            key, _, value = line.partition("=")
            values[key.strip()] = value.strip()
    return values


def count(lumetra, text):
    return sum(text in line for line in lumetra.log_lines())


def palette(wine):
    return wine.find_window(MAIN_CLASS)


def start(lumetra, config, ready_line):
    lumetra.write_config(config)
    lumetra.start()
    lumetra.wait_for_log("Config.ini path:")
    lumetra.wait_for_log(ready_line)


def expect_saved_place_kept(lumetra):
    window = ini_section(lumetra.config, "Window")
    assert {key: window.get(key) for key in SAVED} == SAVED
    assert ini_section(lumetra.config, "MonitorPos") == {"DISPLAY1": SAVED_MONITOR_POS}


def test_a_mouse_gesture_shows_the_palette_at_the_cursor_and_does_not_remember_it(wine, lumetra):
    window = "".join(f"{key}={value}\r\n" for key, value in SAVED.items())
    start(lumetra,
          config_text(hotkey="MouseMode=0\r\nMouseButton=1\r\n", window=window)
          + f"[MonitorPos]\r\nDISPLAY1={SAVED_MONITOR_POS}\r\n",
          "WH_MOUSE_LL installed (double-click mode).")

    wine.xdotool("mousemove", 700, 500, "click", "--repeat", 2, "--delay", 80, 9)
    wait_for(lambda: palette(wine).get("visible"), what="palette shown by an X2 double click")
    lumetra.wait_for_log("WM_APP+99 received. source=3")
    # Its top-left corner 24 pixels above and left of the cursor, its size the saved one.
    lumetra.wait_for_log("PosMonitor: showAtCursor cursor=(700,500) -> (676,476,800x500) [not persisted]")
    assert palette(wine)["rect"] == [676, 476, 1476, 976]

    saves = count(lumetra, "Config saved:")
    wine.post(MAIN_CLASS, WM_COMMAND, CMD_TOGGLE)
    wait_for(lambda: count(lumetra, "Config saved:") > saves, what="the save when the palette hides")
    assert not palette(wine)["visible"]
    assert [line for line in lumetra.log_lines() if "Config saved:" in line][-1] == \
        "Config saved: 300,200 800x500"
    expect_saved_place_kept(lumetra)

    # Shown the ordinary way, it goes back to the saved place.
    wine.post(MAIN_CLASS, WM_COMMAND, CMD_TOGGLE)
    wait_for(lambda: palette(wine).get("visible"), what="palette shown by the toggle command")
    assert palette(wine)["rect"] == [300, 200, 1100, 700]
    assert lumetra.exit() == 0
    expect_saved_place_kept(lumetra)


def test_the_hotkey_pressed_twice_in_quick_succession_shows_and_hides(wine, lumetra):
    start(lumetra, config_text(hotkey="MouseMode=2\r\n"), "Config loaded:")
    # The first show builds much of the view and can outlast the cooldown on
    # its own: show and hide once before the presses.
    for visible in (True, False):
        wine.post(MAIN_CLASS, WM_COMMAND, CMD_TOGGLE)
        wait_for(lambda: palette(wine)["visible"] == visible, what=f"palette visible={visible}")
    wait_for(lambda: not wine.probe("hotkey-free", MOD_ALT | MOD_CONTROL, VK_D)["free"],
             what="Ctrl+Alt+D registered")

    # The second D about 100 ms after the first (xdotool spends half the delay
    # after each press and each release of a chord's keys): inside the toggle
    # cooldown, which the hotkey clears each time.
    wine.xdotool("key", "--clearmodifiers", "--delay", 20, "ctrl+alt+d", "ctrl+alt+d")
    wait_for(lambda: count(lumetra, "ToggleMainWindow -> hide") == 2
             or count(lumetra, "ToggleMainWindow skipped by cooldown."), what="the second press handled")
    assert count(lumetra, "ToggleMainWindow skipped by cooldown.") == 0
    assert count(lumetra, "WM_APP+99 received. source=4") == 2
    assert count(lumetra, "ToggleMainWindow -> show") == 2
    assert not palette(wine)["visible"]
    assert lumetra.exit() == 0


CURRENT_VERSION = r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion"
BUILD_VALUES = ("CurrentBuildNumber", "CurrentBuild")


def set_build_values(wine, values):
    lines = "".join(f'"{name}"="{value}"\n' for name, value in values.items())
    wine.reg_import(f"[{CURRENT_VERSION}]\n{lines}")


@pytest.fixture
def windows_11(wine):
    """The prefix reports Windows 11 (build 22000) to programs started from now
    on; the build it reported before is put back afterwards."""
    listing = wine.run_exe("reg", "query", CURRENT_VERSION, timeout=60).stdout.decode("utf-8", "replace")
    before = {}
    for line in listing.splitlines():
        parts = line.split()
        if len(parts) == 3 and parts[0] in BUILD_VALUES and parts[1] == "REG_SZ":
            before[parts[0]] = parts[2]
    assert set(before) == set(BUILD_VALUES), listing
    set_build_values(wine, {name: "22000" for name in BUILD_VALUES})
    yield
    set_build_values(wine, before)


@pytest.mark.parametrize("opacity, alpha", [(75, 191), (30, 140)])
def test_on_windows_11_the_palette_fades_in_to_the_alpha_of_its_opacity(wine, windows_11, lumetra,
                                                                        opacity, alpha):
    start(lumetra, config_text(hotkey="MouseMode=2\r\n", window=f"Opacity={opacity}\r\n"),
          "Config loaded:")
    wine.post(MAIN_CLASS, WM_COMMAND, CMD_TOGGLE)
    wait_for(lambda: palette(wine).get("visible"), what="palette shown")
    # Shown at alpha 0, the palette fades in; only the end is certain here.
    wait_for(lambda: palette(wine).get("alpha") == alpha, what=f"alpha {alpha} at the end of the fade")
    lumetra.wait_for_log("ToggleMainWindow -> show")
    assert lumetra.exit() == 0
