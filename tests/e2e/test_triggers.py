"""Invoking the palette without the hotkey: a double tap of the trigger key and
the mouse side buttons, with real input from xdotool (it arrives like a
keyboard's or mouse's own), input synthesised by a program (it must never
count), the tray commands that change the trigger, and Esc forwarded by the
keyboard hook."""

import time

from lumetra_app import MAIN_CLASS, press_toggle_hotkey
from wine_session import TEST_TOOLS, wait_for

WM_COMMAND = 0x0111
VK_LMENU = 0xA4
FIRST_TAP, DOUBLE_TAP = "Trigger first tap captured.", "Trigger double-tap detected."
STALE_RESET = "Input tracking force-reset (mouse-hook stale side-button state)."
MOUSE_DOUBLE_CLICK = "Mouse side-button double-click"
CLUSTER_STARTED = "Mouse press cluster started (raw-input)."
LONG_PRESS = "Mouse side-button long-press detected"


def config_text(trigger=2, mouse_mode=2, mouse_button=1, hold=450):
    return ("[General]\r\nDebugLog=1\r\n[Hotkey]\r\n"
            f"Trigger={trigger}\r\nMouseMode={mouse_mode}\r\nMouseButton={mouse_button}\r\n"
            f"MouseLongPressMs={hold}\r\n")


def start(lumetra, ready_line, **config):
    lumetra.write_config(config_text(**config))
    lumetra.start()
    lumetra.wait_for_log("Config.ini path:")
    lumetra.wait_for_log(ready_line)


def visible(wine):
    return wine.find_window(MAIN_CLASS).get("visible", False)


def count(lumetra, text):
    return lumetra.count_log(text)


def double_tap(wine, key):
    wine.xdotool("key", "--delay", 80, key, key)


def settle_after_toggle():
    # Releases within 220 ms of a toggle are ignored on purpose.
    time.sleep(0.4)


def test_two_alt_taps_show_the_palette_and_two_more_hide_it(wine, lumetra):
    start(lumetra, "WH_KEYBOARD_LL installed (double-tap trigger active).", trigger=2)
    double_tap(wine, "alt")
    wait_for(lambda: visible(wine), what="palette shown by the double tap")
    lumetra.wait_for_log("Trigger double-tap detected. Posting WM_APP+99 (source=hook).")
    lumetra.wait_for_log("WM_APP+99 received. source=1")
    settle_after_toggle()
    double_tap(wine, "alt")
    wait_for(lambda: not visible(wine), what="palette hidden by the next double tap")
    assert count(lumetra, DOUBLE_TAP) == 2
    assert lumetra.exit() == 0


def test_ctrl_c_typed_between_alt_taps_does_not_trigger(wine, lumetra):
    start(lumetra, "WH_KEYBOARD_LL installed", trigger=2)
    wine.xdotool("key", "--delay", 80, "alt", "ctrl+c", "alt")
    # The last release logs a first tap, not a double tap: all three were seen.
    wait_for(lambda: count(lumetra, FIRST_TAP) == 2, what="two separate first taps")
    assert count(lumetra, DOUBLE_TAP) == 0
    assert not visible(wine)
    assert lumetra.exit() == 0


def test_taps_sent_by_a_program_never_trigger(wine, lumetra):
    start(lumetra, "WH_KEYBOARD_LL installed", trigger=2)
    result = wine.run_exe(TEST_TOOLS / "winprobe.exe", "send-taps", VK_LMENU, 4, 80)
    assert result.returncode == 0, result.stdout
    # Real taps after them: their first tap is the first one the hook counted.
    settle_after_toggle()  # had the sent taps toggled, the real ones still count
    double_tap(wine, "alt")
    wait_for(lambda: visible(wine), what="palette shown by real taps")
    lumetra.wait_for_log("WM_APP+99 received. source=1")
    assert (count(lumetra, FIRST_TAP), count(lumetra, DOUBLE_TAP)) == (1, 1), "the sent taps counted"
    assert lumetra.exit() == 0


def test_disabling_the_trigger_removes_the_hook_and_shift_brings_it_back(wine, lumetra):
    start(lumetra, "WH_KEYBOARD_LL installed", trigger=2)
    wine.post(MAIN_CLASS, WM_COMMAND, 2004)
    lumetra.wait_for_log("WH_KEYBOARD_LL uninstalled (double-tap trigger disabled).")
    double_tap(wine, "alt")
    # The hotkey pressed after the taps shows the palette: the taps had their turn.
    press_toggle_hotkey(wine)
    wait_for(lambda: visible(wine), what="palette shown by the hotkey")
    assert count(lumetra, FIRST_TAP) == 0 and count(lumetra, "ToggleMainWindow -> show") == 1
    settle_after_toggle()
    press_toggle_hotkey(wine)
    wait_for(lambda: not visible(wine), what="palette hidden by the hotkey")

    wine.post(MAIN_CLASS, WM_COMMAND, 2002)
    wait_for(lambda: count(lumetra, "WH_KEYBOARD_LL installed") == 2, what="hook installed again")
    # Alt is foreign now: its press drops the first Shift tap, and the last
    # Shift release is a first tap again. Were Alt still the trigger, the two
    # Alt taps would make a double tap and the Shift taps nothing.
    wine.xdotool("key", "--delay", 80, "shift", "alt", "alt", "shift")
    wait_for(lambda: count(lumetra, FIRST_TAP) == 2, what="two Shift first taps")
    assert count(lumetra, DOUBLE_TAP) == 0, "Alt is no longer the trigger"
    assert not visible(wine)
    double_tap(wine, "shift")
    wait_for(lambda: visible(wine), what="palette shown by a Shift double tap")
    assert lumetra.exit() == 0
    assert "Trigger=1" in lumetra.config.read_bytes().decode("utf-8-sig")


def test_escape_released_while_the_palette_is_in_front_hides_it(wine, lumetra):
    start(lumetra, "WH_KEYBOARD_LL installed", trigger=2)
    press_toggle_hotkey(wine)
    wait_for(lambda: wine.find_window(MAIN_CLASS).get("foreground"), what="palette in front")
    settle_after_toggle()
    wine.xdotool("key", "Escape")
    wait_for(lambda: not visible(wine), what="palette hidden by Esc")
    lumetra.wait_for_log("WM_APP+100 -> hide")
    assert lumetra.exit() == 0


def test_x2_double_click_toggles_in_double_click_mode(wine, lumetra):
    start(lumetra, "WH_MOUSE_LL installed (double-click mode).", trigger=3, mouse_mode=0, mouse_button=1)
    # X1 while X2 is selected does nothing. An X2 click before them leaves a
    # first click pending, which the move after them drops with a log line:
    # the X1 clicks were seen, and did not count.
    wine.xdotool("mousemove", 700, 500, "click", 9, "click", "--repeat", 2, "--delay", 80, 8,
                 "mousemove", 701, 500)
    lumetra.wait_for_log(STALE_RESET)
    assert count(lumetra, MOUSE_DOUBLE_CLICK) == 0
    assert not visible(wine)
    wine.xdotool("click", "--repeat", 2, "--delay", 80, 9)
    wait_for(lambda: visible(wine), what="palette shown by an X2 double click")
    lumetra.wait_for_log("Mouse side-button double-click detected. Posting WM_APP+99 (source=mouse).")
    lumetra.wait_for_log("WM_APP+99 received. source=3")
    assert lumetra.exit() == 0


def test_moving_between_the_clicks_cancels_the_double_click(wine, lumetra):
    start(lumetra, "WH_MOUSE_LL installed", trigger=3, mouse_mode=0, mouse_button=1)
    # The second click becomes a new first click, which the last move drops too.
    wine.xdotool("mousemove", 700, 500, "click", 9, "mousemove", 701, 500, "click", 9,
                 "mousemove", 702, 500)
    wait_for(lambda: count(lumetra, STALE_RESET) == 2, what="both clicks dropped by a move")
    assert count(lumetra, MOUSE_DOUBLE_CLICK) == 0
    assert not visible(wine)
    assert lumetra.exit() == 0


def test_holding_x2_toggles_once_in_long_press_mode(wine, lumetra):
    start(lumetra, "Raw Input mouse sink registered.", trigger=3, mouse_mode=1, mouse_button=1)
    assert count(lumetra, "WH_MOUSE_LL installed") == 0
    wine.xdotool("mousemove", 700, 500, "mousedown", 9, "sleep", 0.6, "mouseup", 9)
    wait_for(lambda: visible(wine), what="palette shown by a long press")
    assert count(lumetra, "Mouse side-button long-press detected (poll hold).") == 1
    # Neither the release after firing nor a short press may fire. The short
    # press's cluster shows both were seen; nothing marks "did not fire", so
    # the test waits past the 450 ms hold time.
    wine.xdotool("click", 9)
    wait_for(lambda: count(lumetra, CLUSTER_STARTED) == 2, what="the short press's cluster")
    time.sleep(0.8)
    assert count(lumetra, LONG_PRESS) == 1
    assert visible(wine)
    assert lumetra.exit() == 0


def test_mouse_mode_commands_switch_the_route(wine, lumetra):
    start(lumetra, "WH_MOUSE_LL installed", trigger=3, mouse_mode=0, mouse_button=1)
    wine.post(MAIN_CLASS, WM_COMMAND, 2014)
    lumetra.wait_for_log("Mouse invoke mode set to long-press.")
    assert count(lumetra, "WH_MOUSE_LL uninstalled.") == 1
    assert count(lumetra, "Raw Input mouse sink registered.") == 1
    wine.post(MAIN_CLASS, WM_COMMAND, 2015)
    lumetra.wait_for_log("Mouse invoke mode set to disabled.")
    lumetra.wait_for_log("Raw Input mouse sink unregistered.")
    # Choosing a button while disabled switches to double-click mode.
    wine.post(MAIN_CLASS, WM_COMMAND, 2011)
    wait_for(lambda: count(lumetra, "WH_MOUSE_LL installed") == 2, what="double-click hook again")
    assert lumetra.exit() == 0
    text = lumetra.config.read_bytes().decode("utf-8-sig")
    assert "MouseMode=0" in text and "MouseButton=0" in text
