"""Invoking the palette without the hotkey: a double tap of the trigger key and
the mouse side buttons, with real input from xdotool (it arrives like a
keyboard's or mouse's own), input synthesised by a program (it must never
count), the tray commands that change the trigger, and Esc forwarded by the
keyboard hook."""

import time

import pytest

from lumetra_app import MAIN_CLASS
from wine_session import TEST_TOOLS, wait_for

WM_COMMAND = 0x0111
VK_LMENU = 0xA4


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
    return sum(text in line for line in lumetra.log_lines())


def tap(wine, key, times=2):
    for _ in range(times):
        wine.xdotool("key", key)


def settle_after_toggle():
    # Releases within 220 ms of a toggle are ignored on purpose.
    time.sleep(0.4)


def test_two_alt_taps_show_the_palette_and_two_more_hide_it(wine, lumetra):
    start(lumetra, "WH_KEYBOARD_LL installed (double-tap trigger active).", trigger=2)
    tap(wine, "alt")
    wait_for(lambda: visible(wine), what="palette shown by the double tap")
    lumetra.wait_for_log("Trigger double-tap detected. Posting WM_APP+99 (source=hook).")
    lumetra.wait_for_log("WM_APP+99 received. source=1")
    settle_after_toggle()
    tap(wine, "alt")
    wait_for(lambda: not visible(wine), what="palette hidden by the next double tap")
    assert count(lumetra, "Trigger double-tap detected.") == 2
    assert lumetra.exit() == 0


def test_ctrl_c_typed_between_alt_taps_does_not_trigger(wine, lumetra):
    start(lumetra, "WH_KEYBOARD_LL installed", trigger=2)
    wine.xdotool("key", "alt")
    wine.xdotool("key", "ctrl+c")
    wine.xdotool("key", "alt")
    wait_for(lambda: count(lumetra, "Trigger first tap captured.") == 2, what="two separate first taps")
    time.sleep(0.5)
    assert not visible(wine)
    assert count(lumetra, "Trigger double-tap detected.") == 0
    assert lumetra.exit() == 0


def test_taps_sent_by_a_program_never_trigger(wine, lumetra):
    start(lumetra, "WH_KEYBOARD_LL installed", trigger=2)
    result = wine.run_exe(TEST_TOOLS / "winprobe.exe", "send-taps", VK_LMENU, 4, 80)
    assert result.returncode == 0, result.stdout
    time.sleep(0.6)
    assert not visible(wine)
    assert count(lumetra, "Trigger first tap captured.") == 0
    # The hook is alive: real taps still work.
    tap(wine, "alt")
    wait_for(lambda: visible(wine), what="palette shown by real taps")
    assert lumetra.exit() == 0


def test_disabling_the_trigger_removes_the_hook_and_shift_brings_it_back(wine, lumetra):
    start(lumetra, "WH_KEYBOARD_LL installed", trigger=2)
    wine.post(MAIN_CLASS, WM_COMMAND, 2004)
    lumetra.wait_for_log("WH_KEYBOARD_LL uninstalled (double-tap trigger disabled).")
    tap(wine, "alt")
    time.sleep(0.6)
    assert not visible(wine)
    assert count(lumetra, "Trigger first tap captured.") == 0

    wine.post(MAIN_CLASS, WM_COMMAND, 2002)
    wait_for(lambda: count(lumetra, "WH_KEYBOARD_LL installed") == 2, what="hook installed again")
    tap(wine, "alt")
    time.sleep(0.6)
    assert not visible(wine), "Alt is no longer the trigger"
    tap(wine, "shift")
    wait_for(lambda: visible(wine), what="palette shown by a Shift double tap")
    assert lumetra.exit() == 0
    assert "Trigger=1" in lumetra.config.read_bytes().decode("utf-8-sig")


def test_escape_released_while_the_palette_is_in_front_hides_it(wine, lumetra):
    start(lumetra, "WH_KEYBOARD_LL installed", trigger=2)
    wine.xdotool("key", "--clearmodifiers", "ctrl+alt+d")
    wait_for(lambda: wine.find_window(MAIN_CLASS).get("foreground"), what="palette in front")
    settle_after_toggle()
    wine.xdotool("key", "Escape")
    wait_for(lambda: not visible(wine), what="palette hidden by Esc")
    lumetra.wait_for_log("WM_APP+100 -> hide")
    assert lumetra.exit() == 0


def test_x2_double_click_toggles_in_double_click_mode(wine, lumetra):
    start(lumetra, "WH_MOUSE_LL installed (double-click mode).", trigger=3, mouse_mode=0, mouse_button=1)
    wine.xdotool("mousemove", 700, 500)
    time.sleep(0.2)
    wine.xdotool("click", 8)  # X1 while X2 is selected: nothing
    wine.xdotool("click", 8)
    time.sleep(0.5)
    assert not visible(wine)
    wine.xdotool("click", 9)
    wine.xdotool("click", 9)
    wait_for(lambda: visible(wine), what="palette shown by an X2 double click")
    lumetra.wait_for_log("Mouse side-button double-click detected. Posting WM_APP+99 (source=mouse).")
    lumetra.wait_for_log("WM_APP+99 received. source=3")
    assert lumetra.exit() == 0


def test_moving_between_the_clicks_cancels_the_double_click(wine, lumetra):
    start(lumetra, "WH_MOUSE_LL installed", trigger=3, mouse_mode=0, mouse_button=1)
    wine.xdotool("mousemove", 700, 500)
    time.sleep(0.2)
    wine.xdotool("click", 9)
    wine.xdotool("mousemove", 701, 500)
    wine.xdotool("click", 9)
    lumetra.wait_for_log("Input tracking force-reset (mouse-hook stale side-button state).")
    time.sleep(0.5)
    assert not visible(wine)
    assert lumetra.exit() == 0


def test_holding_x2_toggles_once_in_long_press_mode(wine, lumetra):
    start(lumetra, "Raw Input mouse sink registered.", trigger=3, mouse_mode=1, mouse_button=1)
    assert count(lumetra, "WH_MOUSE_LL installed") == 0
    wine.xdotool("mousemove", 700, 500)
    wine.xdotool("mousedown", 9)
    time.sleep(0.6)
    wine.xdotool("mouseup", 9)
    wait_for(lambda: visible(wine), what="palette shown by a long press")
    time.sleep(0.8)
    assert visible(wine), "the release after firing must not toggle again"
    assert count(lumetra, "Mouse side-button long-press detected") == 1
    assert count(lumetra, "Mouse side-button long-press detected (poll hold).") == 1
    # A short press never fires.
    wine.xdotool("click", 9)
    time.sleep(0.8)
    assert count(lumetra, "Mouse side-button long-press detected") == 1
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
