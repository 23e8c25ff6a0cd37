"""The Desktop inside the palette as a user meets it: the sample Desktop's
files listed by the shell's own view, items that the real Desktop hides kept
out, and items that open, rename in place and copy to the clipboard."""

import pytest

from lumetra_app import MAIN_CLASS, press_toggle_hotkey
from wine_session import wait_for

SAMPLE_NAMES = {"Meeting notes.txt", "Budget 2026.csv", "Photos", "Projects", "Read me first.md",
                "Caf\u00e9 menu.txt"}
HIDE_ICONS = r"HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\HideDesktopIcons"


@pytest.fixture
def lumetra(lumetra):
    lumetra.write_config("[General]\r\nDebugLog=1\r\n")
    return lumetra


def show_palette(wine, lumetra):
    lumetra.start()
    press_toggle_hotkey(wine)
    wait_for(lambda: wine.find_window(MAIN_CLASS).get("visible"), what="palette shown")
    return wait_for(lambda: listed(wine), what="the list view with items")


def listed(wine):
    view = wine.probe("listview", MAIN_CLASS)
    return view.get("found") and view.get("visible") and view["count"] > 0 and view


def item_centre(wine, name):
    items = wine.probe("listview", MAIN_CLASS)["items"]
    left, top, right, bottom = wine.probe("listview-item-rect", MAIN_CLASS, items.index(name))["rect"]
    return (left + right) // 2, (top + bottom) // 2


def test_palette_lists_the_sample_desktop_through_the_shell_view(wine, lumetra):
    view = show_palette(wine, lumetra)
    names = set(view["items"])
    assert SAMPLE_NAMES <= names
    assert {"My Computer", "Trash"} <= names, "This PC and Recycle Bin show by default"
    assert not {"Documents", "/"} & names, "Wine's extra root items are not on the real Desktop"
    assert len(view["items"]) == len(names)
    # Wine's view offers no filter site: the post-filter does the work alone.
    lumetra.wait_for_log("InitializeExplorerBrowser: Folder filter NOT attached.")
    lumetra.wait_for_log("Filtered from palette: Documents")
    lumetra.wait_for_log("InitializeExplorerBrowser: view ready in ")
    classes = [w["class"] for w in wine.probe("texts", MAIN_CLASS)["texts"]]
    assert classes.count("SHELLDLL_DefView") == 1 and "SysListView32" in classes
    assert lumetra.exit() == 0


def test_all_desktop_items_mode_keeps_the_extra_root_items(wine, lumetra):
    lumetra.write_config("[General]\r\nDebugLog=1\r\n[UI]\r\nDesktopItemsMode=1\r\n")
    names = set(show_palette(wine, lumetra)["items"])
    assert SAMPLE_NAMES | {"My Computer", "Trash", "Documents"} <= names
    assert not any("Filtered from palette" in line for line in lumetra.log_lines())
    assert lumetra.exit() == 0


def test_icons_hidden_in_the_shell_settings_stay_out_of_the_palette(wine, lumetra):
    wine.reg_import(f"[{HIDE_ICONS}\\NewStartPanel]\n"
                    "\"{20D04FE0-3AEA-1069-A2D8-08002B30309D}\"=dword:00000001\n"
                    "\"{645FF040-5081-101B-9F08-00AA002F954E}\"=dword:00000000\n\n"
                    f"[{HIDE_ICONS}\\ClassicStartMenu]\n"
                    "\"{645FF040-5081-101B-9F08-00AA002F954E}\"=dword:00000001\n")
    try:
        names = set(show_palette(wine, lumetra)["items"])
        assert "My Computer" not in names
        assert "Trash" in names, "NewStartPanel's 0 wins over ClassicStartMenu's 1"
        assert SAMPLE_NAMES <= names
        lumetra.wait_for_log("Desktop icon registry: 1 hidden CLSID(s), sameAsDesktop=1 changed=0 relaxed=0.")
        assert lumetra.exit() == 0
    finally:
        wine.reg_import(f"[-{HIDE_ICONS}]\n")


def test_double_clicking_a_text_file_opens_it_in_notepad(wine, lumetra):
    # The test prefix has no association for .txt: give it the usual one.
    classes = "HKEY_CLASSES_ROOT"
    wine.reg_import(f"[{classes}\\.txt]\n@=\"lumetra.testtext\"\n\n"
                    f"[{classes}\\lumetra.testtext\\shell\\open\\command]\n@=\"notepad.exe \\\"%1\\\"\"\n")
    try:
        show_palette(wine, lumetra)
        x, y = item_centre(wine, "Meeting notes.txt")
        wine.xdotool("mousemove", x, y)
        wine.xdotool("click", "--repeat", 2, "--delay", 80, 1)
        title = "Meeting notes.txt - Notepad"
        wait_for(lambda: wine.probe("find", "Notepad", title).get("found"), timeout=20,
                 what="Notepad with the meeting notes")
        assert lumetra.exit() == 0
    finally:
        wine.close_windows("Notepad")
        wine.reg_import(f"[-{classes}\\.txt]\n\n[-{classes}\\lumetra.testtext]\n")


def test_f2_edits_the_focused_name_in_place(wine, lumetra):
    (wine.desktop / "Draft.txt").write_text("draft\r\n", encoding="utf-8")
    try:
        show_palette(wine, lumetra)
        wine.xdotool("type", "--delay", 60, "Draft")
        wait_for(lambda: focused_name(wine) == "Draft.txt", what="Draft.txt focused")
        wine.xdotool("key", "F2")
        wait_for(lambda: editing(wine).get("edit_text") == "Draft.txt",
                 what="the label edit on the focused item's name")
        # The whole name is selected: typing replaces it.
        wine.xdotool("type", "--delay", 40, "Final.txt")
        wait_for(lambda: editing(wine).get("edit_text") == "Final.txt", what="the new name typed into the edit")
        wine.xdotool("key", "Return")
        wait_for(lambda: not wine.probe("listview", MAIN_CLASS)["editing"], what="the edit ended by Enter")
        # Wine's Desktop folder answers SetNameOf with a stub: the file keeps
        # its name here, while on Windows the shell renames it.
        assert lumetra.exit() == 0
    finally:
        for name in ("Draft.txt", "Final.txt"):
            (wine.desktop / name).unlink(missing_ok=True)


def editing(wine):
    view = wine.probe("listview", MAIN_CLASS)
    return view if view["editing"] else {}


def focused_name(wine):
    view = wine.probe("listview", MAIN_CLASS)
    return view["items"][view["focused"]] if view["focused"] >= 0 else None


def test_select_all_and_copy_put_the_desktop_files_on_the_clipboard(wine, lumetra):
    show_palette(wine, lumetra)
    wine.xdotool("key", "--clearmodifiers", "ctrl+a")
    wait_for(lambda: wine.probe("listview", MAIN_CLASS)["selected"] >= len(SAMPLE_NAMES), what="all selected")
    wine.xdotool("key", "--clearmodifiers", "ctrl+c")
    files = wait_for(lambda: wine.probe("clipboard-files")["files"], what="files on the clipboard")
    copied = {path.rsplit("\\", 1)[-1] for path in files}
    assert SAMPLE_NAMES <= copied
    assert lumetra.exit() == 0
