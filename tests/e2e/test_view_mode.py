"""The view menu's icon sizes and sort orders act on the real view and land in
config.ini. Wine's folder view changes its mode (SetCurrentViewMode) but not
its icon size, sort or grouping; those are covered by the unit tests against
a recording view."""

import re

import pytest

from lumetra_app import MAIN_CLASS, WM_COMMAND
from test_hostedview import listed
from wine_session import wait_for

CMD_TOGGLE = 2701
COVER_CLASS = "Lumetra.Overlay"
LV_VIEW_ICON, LV_VIEW_SMALLICON = 0, 2
# Command: (ViewMode, list-view mode). Small icons are ungrouped here, so they
# use the shell's small-icon mode; every other size is icon mode.
VIEW_COMMANDS = {2402: (1, LV_VIEW_ICON), 2403: (2, LV_VIEW_ICON), 2404: (3, LV_VIEW_SMALLICON),
                 2405: (4, LV_VIEW_ICON)}
SORT_NAME, SORT_DATE, SORT_SIZE = 2501, 2502, 2503


@pytest.fixture
def lumetra(lumetra):
    lumetra.write_config("[General]\r\nDebugLog=1\r\n[UI]\r\nUILayoutPersisted=0\r\n")
    return lumetra


def ui_value(lumetra, key):
    """KEY of section UI in config.ini, or None."""
    if not lumetra.config.exists():
        return None
    text = lumetra.config.read_bytes().decode("utf-8-sig")
    section = re.search(r"^\[UI\]\r?\n(.*?)(?=^\[|\Z)", text, re.MULTILINE | re.DOTALL)
    found = section and re.search(rf"^{key}=(.*?)\r?$", section.group(1), re.MULTILINE)
    return found.group(1) if found else None


def show(wine, lumetra):
    lumetra.start()
    lumetra.wait_for_log("InitializeExplorerBrowser: view ready in ")
    wine.post(MAIN_CLASS, WM_COMMAND, CMD_TOGGLE)
    wait_for(lambda: wine.find_window(MAIN_CLASS).get("visible"), what="palette shown")
    return wait_for(lambda: listed(wine), what="the list view with items")


def hide(wine):
    wine.post(MAIN_CLASS, WM_COMMAND, CMD_TOGGLE)
    wait_for(lambda: not wine.find_window(MAIN_CLASS).get("visible"), what="palette hidden")


def list_view_mode(wine):
    view = wine.probe("listview", MAIN_CLASS)
    return view["view"] if view.get("found") else None


def test_icon_size_commands_set_the_list_view_mode_and_view_mode_in_config(wine, lumetra):
    assert show(wine, lumetra)["view"] == LV_VIEW_ICON, "medium icons by default"
    # Small icons between the others, so that every command changes the mode.
    for command in (2404, 2403, 2404, 2402, 2404, 2405):
        view_mode, lv_mode = VIEW_COMMANDS[command]
        wine.post(MAIN_CLASS, WM_COMMAND, command)
        wait_for(lambda: list_view_mode(wine) == lv_mode,
                 what=f"list view mode {lv_mode} after command {command}")
        wait_for(lambda: ui_value(lumetra, "ViewMode") == str(view_mode),
                 what=f"ViewMode={view_mode} in config.ini after command {command}")
        wait_for(lambda: wine.find_window(MAIN_CLASS).get("visible") and listed(wine),
                 what="the palette with its items after the change")
    lumetra.wait_for_log("CommitViewMode: cfg.view=4 wantFVM=1 wantPx=128 ")
    assert lumetra.exit() == 0
    assert ui_value(lumetra, "ViewMode") == "4"


def test_icon_size_chosen_while_hidden_shows_at_the_next_show(wine, lumetra):
    show(wine, lumetra)
    hide(wine)
    wine.post(MAIN_CLASS, WM_COMMAND, 2404)
    wait_for(lambda: ui_value(lumetra, "ViewMode") == "3", what="ViewMode=3 in config.ini")
    wine.post(MAIN_CLASS, WM_COMMAND, CMD_TOGGLE)
    wait_for(lambda: wine.find_window(MAIN_CLASS).get("visible"), what="palette shown again")
    wait_for(lambda: list_view_mode(wine) == LV_VIEW_SMALLICON, what="small icons after the show")
    assert lumetra.exit() == 0


def test_sort_commands_write_the_sort_and_take_ownership_of_it(wine, lumetra):
    show(wine, lumetra)
    assert ui_value(lumetra, "UILayoutPersisted") in (None, "0")
    for command, sort in ((SORT_DATE, 1), (SORT_SIZE, 2)):
        wine.post(MAIN_CLASS, WM_COMMAND, command)
        wait_for(lambda: ui_value(lumetra, "SortMode") == str(sort),
                 what=f"SortMode={sort} in config.ini after command {command}")
        assert ui_value(lumetra, "UILayoutPersisted") == "1"
        lumetra.wait_for_log(f"OnUserPickedSortMode: picked sort={sort} asc=1 group=0")
    # Hidden, the command applies and saves without a refresh.
    hide(wine)
    wine.post(MAIN_CLASS, WM_COMMAND, SORT_NAME)
    wait_for(lambda: ui_value(lumetra, "SortMode") == "0", what="SortMode=0 after the hidden command")
    assert ui_value(lumetra, "UILayoutPersisted") == "1"
    assert lumetra.exit() == 0
    assert ui_value(lumetra, "SortMode") == "0"
