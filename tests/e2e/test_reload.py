"""A configuration edited while Lumetra runs, then picked up by launching it
again: what the file now says is what is live (the hotkey registered, the
keyboard and mouse routes), not only what the settings hold."""

import time

from lumetra_app import MAIN_CLASS
from wine_session import wait_for

MOD_ALT, MOD_CONTROL = 0x1, 0x2
VK_D, VK_Q = 0x44, 0x51


def config_text(hotkey, trigger, mouse_mode):
    return ("[General]\r\nDebugLog=1\r\n[Hotkey]\r\n"
            f"ToggleHotkey={hotkey}\r\nTrigger={trigger}\r\n"
            f"MouseMode={mouse_mode}\r\nMouseButton=1\r\n")


def visible(wine):
    return wine.find_window(MAIN_CLASS).get("visible", False)


def count(lumetra, text):
    return sum(text in line for line in lumetra.log_lines())


def registered(wine, vk):
    return not wine.probe("hotkey-free", MOD_ALT | MOD_CONTROL, vk)["free"]


def test_second_launch_makes_the_edited_hotkey_and_routes_live(wine, lumetra):
    lumetra.write_config(config_text("Ctrl + Alt + D", trigger=2, mouse_mode=0))
    lumetra.start()
    lumetra.wait_for_log("WH_KEYBOARD_LL installed (double-tap trigger active).")
    lumetra.wait_for_log("WH_MOUSE_LL installed (double-click mode).")
    wait_for(lambda: registered(wine, VK_D), what="Ctrl+Alt+D registered")

    lumetra.write_config(config_text("Ctrl + Alt + Q", trigger=3, mouse_mode=2))
    assert wine.run_exe(wine.program("Lumetra.exe"), timeout=30).returncode == 0
    wait_for(lambda: visible(wine), what="palette shown by the second launch")
    lumetra.wait_for_log("WH_KEYBOARD_LL uninstalled (double-tap trigger disabled).")
    lumetra.wait_for_log("WH_MOUSE_LL uninstalled.")
    wait_for(lambda: registered(wine, VK_Q), what="Ctrl+Alt+Q registered from the edited file")
    assert not registered(wine, VK_D), "the old hotkey is given back"

    # The old hotkey, then the new one: only the new one toggles (a hide).
    wine.xdotool("key", "--clearmodifiers", "ctrl+alt+d")
    wine.xdotool("key", "--clearmodifiers", "ctrl+alt+q")
    lumetra.wait_for_log("ToggleMainWindow -> hide")
    wait_for(lambda: not visible(wine), what="palette hidden by the new hotkey")
    assert count(lumetra, "WM_APP+99 received. source=4") == 1

    # Side-button releases this close to a toggle are ignored anyway; let that
    # guard pass so that only the disabled route can keep the clicks out.
    time.sleep(0.5)
    wine.xdotool("mousemove", 1500, 900)
    wine.xdotool("click", "--repeat", 2, "--delay", 80, 9)
    # The hotkey after the clicks is the marker that they were processed.
    wine.xdotool("key", "--clearmodifiers", "ctrl+alt+q")
    wait_for(lambda: count(lumetra, "WM_APP+99 received. source=4") == 2, what="the marker toggle")
    assert count(lumetra, "Mouse side-button double-click") == 0
    assert count(lumetra, "WM_APP+99 received. source=3") == 0
    wait_for(lambda: visible(wine), what="palette shown by the marker toggle")
    assert lumetra.exit() == 0
