"""A keyboard or mouse hook that the system dropped comes back by itself:
command 2090 drops both hooks the way the system does (Lumetra still holds
their handles), raw input then sees input the hooks do not, and the watchdog
re-installs the lost hook, once, and never one that the user turned off."""

from lumetra_app import MAIN_CLASS, press_toggle_hotkey
from test_triggers import DOUBLE_TAP, FIRST_TAP, MOUSE_DOUBLE_CLICK, count, double_tap, start, visible
from wine_session import wait_for

WM_COMMAND = 0x0111
CMD_DROP_HOOKS, CMD_TRIGGER_DISABLED = 2090, 2004
KEYBOARD_LOST, MOUSE_LOST = "Keyboard hook lost", "Mouse hook lost"
# A stroke of the mouse as one gesture: eight moves, apart enough that the X
# server does not merge them into one motion.
STROKE = tuple(arg for x in range(600, 760, 20) for arg in ("mousemove", x, 400, "sleep", 0.03))


def desktop_in_front(wine):
    # Under Wine raw input reaches no sink while no window is in the
    # foreground, as after the previous test's palette went away.
    wine.xdotool("mousemove", 700, 500, "click", 1)
    wait_for(lambda: wine.probe("foreground").get("class") == "#32769", what="the Desktop active")


def drop_hooks(wine, lumetra, what):
    desktop_in_front(wine)
    wine.post(MAIN_CLASS, WM_COMMAND, CMD_DROP_HOOKS)
    lumetra.wait_for_log(f"Input hooks dropped on request ({what}).")


def test_a_dropped_keyboard_hook_is_reinstalled_and_the_double_tap_works_again(wine, lumetra):
    start(lumetra, "Raw Input keyboard witness registered.", trigger=0, mouse_mode=2)
    drop_hooks(wine, lumetra, "keyboard dropped, mouse none")
    wine.xdotool("type", "--delay", 40, "hooks")
    lumetra.wait_for_log(KEYBOARD_LOST)
    double_tap(wine, "ctrl")
    wait_for(lambda: visible(wine), what="palette shown by a Ctrl double tap")
    lumetra.wait_for_log("WM_APP+99 received. source=1")
    # Two hooks would each step the taps: two first taps, or a toggle too early.
    assert (count(lumetra, FIRST_TAP), count(lumetra, DOUBLE_TAP)) == (1, 1)
    assert count(lumetra, KEYBOARD_LOST) == 1
    assert count(lumetra, "WH_KEYBOARD_LL installed") == 1, "re-installed by the watchdog only"
    assert lumetra.exit() == 0


def test_a_dropped_mouse_hook_is_reinstalled_and_the_side_button_works_again(wine, lumetra):
    start(lumetra, "Raw Input mouse witness registered (double-click mode).", trigger=0,
          mouse_mode=0, mouse_button=0)
    lumetra.wait_for_log("Raw Input keyboard witness registered.")
    drop_hooks(wine, lumetra, "keyboard dropped, mouse dropped")
    wine.xdotool(*STROKE)
    lumetra.wait_for_log(MOUSE_LOST)
    wine.xdotool("click", "--repeat", 2, "--delay", 80, 8)
    wait_for(lambda: visible(wine), what="palette shown by an X1 double click")
    lumetra.wait_for_log("WM_APP+99 received. source=3")
    assert count(lumetra, MOUSE_DOUBLE_CLICK) == 1
    assert count(lumetra, MOUSE_LOST) == 1
    # The keyboard hook is gone too, but mouse input says nothing about it.
    assert count(lumetra, KEYBOARD_LOST) == 0
    assert lumetra.exit() == 0


def test_a_keyboard_hook_the_user_turned_off_is_not_reinstalled(wine, lumetra):
    start(lumetra, "Raw Input mouse witness registered (double-click mode).", trigger=0,
          mouse_mode=0, mouse_button=0)
    wine.post(MAIN_CLASS, WM_COMMAND, CMD_TRIGGER_DISABLED)
    lumetra.wait_for_log("WH_KEYBOARD_LL uninstalled (double-tap trigger disabled).")
    drop_hooks(wine, lumetra, "keyboard none, mouse dropped")
    wine.xdotool("type", "--delay", 40, "hooks")
    # The mouse hook's recovery, after the keys, shows the watchdog at work.
    wine.xdotool(*STROKE)
    lumetra.wait_for_log(MOUSE_LOST)
    double_tap(wine, "ctrl")
    # The hotkey after the taps shows the palette: the taps had their turn.
    press_toggle_hotkey(wine)
    wait_for(lambda: visible(wine), what="palette shown by the hotkey")
    assert count(lumetra, FIRST_TAP) == 0 and count(lumetra, "ToggleMainWindow -> show") == 1
    assert count(lumetra, KEYBOARD_LOST) == 0
    assert count(lumetra, "WH_KEYBOARD_LL installed") == 1
    assert lumetra.exit() == 0
