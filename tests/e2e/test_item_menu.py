"""The shell's own item menu inside the palette: pruned of the shell's view
modes and "Refresh", with the palette's icon size first and "Close window"
last, for an item and for empty space; its choices; and the list view's keys
and mouse: Esc, a middle click, dragging, Shift+F10 and Apps, Enter."""

import re

import pytest

from lumetra_app import MAIN_CLASS, cover_hidden
from menu_probe import MenuProbe, captions, marked
from test_hostedview import editing, focused_name, item_centre
from test_view_menu import menus_open
from test_view_mode import show, ui_value
from wine_session import WineError, wait_for

VIEW_MODE_WORDS = ("large icons", "small icons", "medium icons", "extra large", "details", "tile")
REFRESH_WORDS = ("refresh",)


@pytest.fixture
def lumetra(lumetra):
    lumetra.write_config("[General]\r\nDebugLog=1\r\n[MonitorView]\r\nDISPLAY1=1\r\n")
    return lumetra


def settled(wine, lumetra):
    view = show(wine, lumetra)
    wait_for(lambda: cover_hidden(wine), what="the cover of the show gone")
    return view


def plain(text):
    """A caption as read, without its accelerator marks."""
    return re.sub(r"\(&.\)$", "", text.split("\t")[0]).replace("&", "").strip().lower()


def open_menu(wine):
    wait_for(lambda: menus_open(wine) == 1, what="the item menu")
    [menu] = MenuProbe(wine).menus()
    return menu


def palette_rect(wine):
    return wine.find_window(MAIN_CLASS)["rect"]


def assert_pruned_between_icon_size_and_close_window(menu, checked_size):
    names = captions(menu)
    assert names[:2] == ["Icon size", "-"] and names[-2:] == ["-", "Close window"], names
    assert menu[-1]["id"] == 9004
    assert marked(menu[0]["items"]) == [checked_size]
    shell_items = menu[2:-2]
    assert any(item["id"] >= 10000 for item in shell_items), "the shell's own commands stay"
    for before, after in zip(names, names[1:]):
        assert not (before == "-" and after == "-"), f"two separators in a row: {names}"

    def walk(items):
        for item in items:
            yield item
            yield from walk(item.get("items", []))

    for item in walk(shell_items):
        assert plain(item["text"]) not in REFRESH_WORDS, f"Refresh left in: {names}"
        if item["submenu"]:
            texts = [plain(sub["text"]) for sub in item["items"]]
            assert not any(word in text for text in texts for word in VIEW_MODE_WORDS), texts


def test_the_item_and_background_menus_are_pruned_and_icon_size_acts(wine, lumetra):
    settled(wine, lumetra)
    x, y = item_centre(wine, "Meeting notes.txt")
    wine.xdotool("mousemove", x, y, "click", 3)
    menu = open_menu(wine)
    wine.screenshot(wine.work / "item-menu.png")
    assert_pruned_between_icon_size_and_close_window(menu, "Large icons")
    assert {"Open", "Rename", "Properties"} <= {plain(i["text"]).title() for i in menu}
    wine.xdotool("key", "Escape")
    wait_for(lambda: not menus_open(wine), what="the item menu closed by Esc")
    assert wine.find_window(MAIN_CLASS)["visible"], "Esc in a menu closes only the menu"

    # Empty space, below the sample items: the background menu. Wine's has a
    # view-mode submenu and "Refresh", both removed.
    left, top, right, bottom = palette_rect(wine)
    wine.xdotool("mousemove", (left + right) // 2, bottom - 60, "click", 3)
    menu = open_menu(wine)
    wine.screenshot(wine.work / "background-menu.png")
    assert_pruned_between_icon_size_and_close_window(menu, "Large icons")
    assert "Paste" in {plain(i["text"]).title() for i in menu}
    assert "Shell item menu: 2 item(s) pruned" in "\n".join(lumetra.log_lines())

    # Icon size > Medium icons, the third size.
    wine.xdotool("key", "Down", "Right")
    wait_for(lambda: menus_open(wine) == 2, what="the icon size submenu")
    wine.xdotool("key", "--delay", 50, "Down", "Down", "Return")
    wait_for(lambda: not menus_open(wine), what="the menu closed")
    wait_for(lambda: ui_value(lumetra, "ViewMode") == "2", what="ViewMode 2 in config.ini")
    assert lumetra.exit() == 0


def test_rename_from_the_menu_is_the_palettes_and_esc_cancels_it_then_hides(wine, lumetra):
    (wine.desktop / "Draft.txt").write_text("draft\r\n", encoding="utf-8")
    try:
        settled(wine, lumetra)
        x, y = item_centre(wine, "Draft.txt")
        wine.xdotool("mousemove", x, y, "click", 3)
        open_menu(wine)
        wine.xdotool("key", "r")  # "&Rename"
        wait_for(lambda: editing(wine).get("edit_text") == "Draft.txt", what="the label edit")
        log = "\n".join(lumetra.log_lines())
        assert "Shell item menu: rename -> the palette's own rename" in log
        assert "Shell item menu: invoke" not in log

        wine.xdotool("key", "Escape")
        wait_for(lambda: not wine.probe("listview", MAIN_CLASS)["editing"], what="the edit cancelled")
        assert wine.find_window(MAIN_CLASS)["visible"], "Esc in a rename only cancels it"
        assert focused_name(wine) == "Draft.txt"
        wine.xdotool("key", "Escape")
        wait_for(lambda: not wine.find_window(MAIN_CLASS)["visible"], what="Esc in the list hides")
        assert lumetra.exit() == 0
    finally:
        (wine.desktop / "Draft.txt").unlink(missing_ok=True)


def test_shift_f10_and_the_apps_key_open_the_item_menu_at_the_cursor(wine, lumetra):
    settled(wine, lumetra)
    left, top, right, bottom = palette_rect(wine)
    cursor = ((left + right) // 2, bottom - 60)
    wine.xdotool("mousemove", *cursor)
    for keys in ("shift+F10", "Menu"):
        wine.xdotool("key", "--clearmodifiers", keys)
        menu = open_menu(wine)
        assert captions(menu)[0] == "Icon size" and any(i["id"] >= 10000 for i in menu), keys
        [rect] = wine.probe("menu-items")["rects"]
        assert abs(rect[0] - cursor[0]) <= 2 and abs(rect[1] - cursor[1]) <= 2, (keys, rect, cursor)
        wine.xdotool("key", "Escape")
        wait_for(lambda: not menus_open(wine), what="the menu closed")
    assert lumetra.exit() == 0


def drag(wine, start, step, count=8):
    """Presses at START, moves COUNT steps of STEP and lets go: one gesture."""
    moves = []
    for _ in range(count):
        moves += ["mousemove_relative", "--", *step, "sleep", 0.05]
    wine.xdotool("mousemove", *start, "mousedown", 1, *moves, "mouseup", 1)


def test_a_middle_click_hides_and_empty_space_drags_the_palette_but_an_item_does_not(wine, lumetra):
    settled(wine, lumetra)
    before = palette_rect(wine)
    left, top, right, bottom = before
    # An item dragged 120 pixels within the list is dropped on the Desktop it
    # came from; then empty space is dragged 80 pixels. The palette moves by
    # the second drag alone (its move starts where the cursor is when the
    # palette takes the press, so a step of it may be lost).
    drag(wine, item_centre(wine, "Meeting notes.txt"), (15, 0))
    drag(wine, ((left + right) // 2, bottom - 60), (10, 5))
    moved = wait_for(lambda: (lambda r: r[0] > left + 20 and r)(palette_rect(wine)),
                     what="the palette moved by the drag")
    assert moved[0] <= left + 80, "the item's drag moved the palette too"
    assert top < moved[1] <= top + 40, "down with the mouse as well"
    assert moved[2] - moved[0] == right - left and moved[3] - moved[1] == bottom - top
    assert (wine.desktop / "Meeting notes.txt").exists()

    wine.xdotool("mousemove", (moved[0] + moved[2]) // 2, moved[3] - 60, "click", 2)
    wait_for(lambda: not wine.find_window(MAIN_CLASS)["visible"], what="a middle click hides")
    assert lumetra.exit() == 0


def test_enter_on_an_item_opens_it_and_hides_the_palette_when_asked_to(wine, lumetra):
    # The test prefix has no association for .txt: give it the usual one.
    classes = "HKEY_CLASSES_ROOT"
    wine.reg_import(f"[{classes}\\.txt]\n@=\"lumetra.testtext\"\n\n"
                    f"[{classes}\\lumetra.testtext\\shell\\open\\command]\n@=\"notepad.exe \\\"%1\\\"\"\n")
    title = "Meeting notes.txt - Notepad"
    try:
        settled(wine, lumetra)
        wine.xdotool("type", "--delay", 60, "Meeting")
        wait_for(lambda: focused_name(wine) == "Meeting notes.txt", what="the notes focused")
        wine.xdotool("key", "Return")
        wait_for(lambda: wine.probe("find", "Notepad", title).get("found"), what="Notepad")
        wait_for(lambda: not wine.find_window(MAIN_CLASS)["visible"], what="the palette hidden")
        assert lumetra.exit() == 0
    finally:
        try:
            wine.close_windows("Notepad")
        except WineError:
            pass
        wine.reg_import(f"[-{classes}\\.txt]\n\n[-{classes}\\lumetra.testtext]\n")
