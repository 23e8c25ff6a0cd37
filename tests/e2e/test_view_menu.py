"""The palette's own view menu: the icon sizes and sort orders with the current
ones marked and "Close window" last, opened at the cursor with the palette
out of the topmost band, its choices acting like their commands, Esc closing
only the menu."""

import pytest

from lumetra_app import MAIN_CLASS
from menu_probe import MenuProbe, captions, marked
from test_view_mode import LV_VIEW_SMALLICON, list_view_mode, show, ui_value
from wine_session import WineError, wait_for

WM_CONTEXTMENU = 0x007B
KEYBOARD_POINT = 0xFFFFFFFF  # (-1, -1): the menu opens at the cursor
WS_EX_TOPMOST = 0x8


@pytest.fixture
def lumetra(lumetra):
    lumetra.write_config("[General]\r\nDebugLog=1\r\n")
    return lumetra


def menus_open(wine):
    try:
        return len(wine.probe("menu-items")["menus"])
    except WineError:  # a menu window went away while being asked
        return menus_open(wine)


def topmost(wine):
    return bool(wine.find_window(MAIN_CLASS)["exstyle"] & WS_EX_TOPMOST)


def open_view_menu(wine):
    wine.post(MAIN_CLASS, WM_CONTEXTMENU, 0, KEYBOARD_POINT)
    wait_for(lambda: menus_open(wine) == 1, what="the view menu")


def test_the_view_menu_opens_at_the_cursor_and_a_choice_acts(wine, lumetra):
    show(wine, lumetra)
    wine.xdotool("mousemove", 400, 400)
    open_view_menu(wine)
    wine.screenshot(wine.work / "view-menu-en.png")
    assert not topmost(wine), "the palette leaves the topmost band while its menu is open"
    [menu] = MenuProbe(wine).menus()
    assert captions(menu) == ["Icon size", "Sort", "-", "Close window"]
    assert menu[3]["id"] == 9004
    sizes, orders = menu[0]["items"], menu[1]["items"]
    assert captions(sizes) == ["Extra large icons", "Large icons", "Medium icons", "Small icons"]
    assert [item["id"] for item in sizes] == [2405, 2402, 2403, 2404]
    assert marked(sizes) == ["Medium icons"]
    assert captions(orders) == ["Name", "Date modified", "Size"] and marked(orders) == ["Name"]

    # Icon size > Small icons, the fourth size.
    wine.xdotool("key", "Down", "Right")
    wait_for(lambda: menus_open(wine) == 2, what="the icon size submenu")
    wine.xdotool("key", "--delay", 50, "Down", "Down", "Down", "Return")
    wait_for(lambda: not menus_open(wine), what="the menu closed")
    wait_for(lambda: list_view_mode(wine) == LV_VIEW_SMALLICON, what="small icons in the list view")
    wait_for(lambda: ui_value(lumetra, "ViewMode") == "3", what="ViewMode 3 in config.ini")
    wait_for(lambda: topmost(wine), what="topmost again after the menu")

    # Sort > Size, the third order.
    open_view_menu(wine)
    wine.xdotool("key", "Down", "Down", "Right")
    wait_for(lambda: menus_open(wine) == 2, what="the sort submenu")
    wine.xdotool("key", "--delay", 50, "Down", "Down", "Return")
    wait_for(lambda: not menus_open(wine), what="the menu closed")
    wait_for(lambda: ui_value(lumetra, "SortMode") == "2", what="SortMode 2 in config.ini")

    open_view_menu(wine)
    [menu] = MenuProbe(wine).menus()
    assert marked(menu[0]["items"]) == ["Small icons"] and marked(menu[1]["items"]) == ["Size"]
    wine.xdotool("key", "Escape")
    wait_for(lambda: not menus_open(wine), what="the menu closed by Esc")
    assert wine.find_window(MAIN_CLASS)["visible"], "Esc in the menu only closes the menu"
    assert lumetra.exit() == 0
