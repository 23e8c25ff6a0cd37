"""Lumetra's configuration as a user meets it: odd values in config.ini are
repaired and written back in normal form at exit, unknown keys survive, an
unreadable file is never overwritten until the user deletes it, and a second
launch picks up edits."""

from lumetra_app import MAIN_CLASS, WM_COMMAND
from wine_session import wait_for


BOM = b"\xef\xbb\xbf"
CMD_OPACITY_30 = 2103


def read_or_empty(path):
    try:
        return path.read_bytes()
    except OSError:  # not there yet, or being replaced
        return b""


def crlf(text):
    return text.strip("\n").replace("\n", "\r\n")


PREPARED = """\
; written by hand
[General]
DebugLog=1
Extra = keep me
[Window]
X=200
Y = 150 ; moved once
W=640
H=400
Opacity=60
[Hotkey]
ToggleHotkey=Win+Shift+VK_OEM_4
Trigger=7
MouseMode=-1
MouseLongPressMs=5000
[UI]
SortMode=2
GroupBy=0
GroupByKey={B725F130-47EF-101A-A5F1-02608C9EEBAC}:4
ViewMode=9
UILanguage=4
[Unknown]
Key=Value
[MonitorView]
display1=3
"""

# SortAscending and UILayoutPersisted are inferred from SortMode 2, the group
# key is dropped without grouping, the view is repaired, the bracket hotkey is
# replaced, the older language number is kept as its code, and the palette's
# monitor gets its entries.
EXPECTED = """\
[General]
DebugLog=1
Extra=keep me
RunAtStartup=0
[Window]
X=200
Y=150
W=640
H=400
Opacity=75
[Hotkey]
ToggleHotkey=VK_D
Trigger=2
MouseMode=0
MouseLongPressMs=800
MouseButton=1
[UI]
SortMode=2
GroupBy=0
GroupByKey=
ViewMode=2
UILanguage=4
SortAscending=0
GroupByAscending=1
UILayoutPersisted=1
CloseOnItemActivate=1
DesktopItemsMode=0
DisplayMode=0
Language=zh-TW
[Unknown]
Key=Value
[MonitorView]
display1=3
DISPLAY1=2
[MonitorPos]
DISPLAY1=200,150,640,400
[MonitorLayout]
DISPLAY1=2|0|0|1|1|
"""


def test_odd_values_are_repaired_and_saved_in_normal_form_at_exit(wine, lumetra):
    lumetra.write_config(crlf(PREPARED))
    lumetra.start()
    lumetra.wait_for_log("Mouse invoke:")
    lines = lumetra.log_lines()
    assert "Lumetra started. Loaded Config: 200,150 640x400" in lines
    assert "Invoke: trigger=Alt chord=Ctrl + Alt + VK_D mouse=X2/double opacity=75 closeOnOpen=1 " \
           "desktopItems=0" in lines
    assert "Mouse invoke: button=X2 mode=double-click holdMs=800" in lines
    assert "PersistViewMode: mon='' view=2 UI.ViewMode=2" in lines, "the view is repaired at once"
    text = lumetra.config.read_bytes()
    assert text.startswith(BOM) and b"ToggleHotkey=VK_D" in text and b"ViewMode=2" in text

    assert lumetra.exit() == 0
    assert lumetra.config.read_bytes() == BOM + crlf(EXPECTED).encode()
    assert "Config saved: 200,150 640x400" in lumetra.log_lines()


def test_missing_config_is_created_whole_at_exit(wine, lumetra):
    lumetra.start()
    assert lumetra.exit() == 0
    text = lumetra.config.read_bytes()
    assert text.startswith(BOM + b"[Window]\r\nX=120\r\nY=120\r\nW=920\r\nH=580\r\nOpacity=100\r\n[UI]\r\n")
    assert text.endswith(b"[General]\r\nRunAtStartup=0\r\n[MonitorPos]\r\nDISPLAY1=120,120,920,580\r\n"
                         b"[MonitorView]\r\nDISPLAY1=2\r\n[MonitorLayout]\r\nDISPLAY1=0|1|0|1|1|")
    assert not lumetra.log_path.exists(), "no DebugLog, no log"


def test_empty_config_survives_a_full_run_untouched_and_no_log_appears(wine, lumetra):
    lumetra.write_config(b"")
    lumetra.start()
    wine.run_exe(wine.program("Lumetra.exe"), timeout=20)  # a reload meets the same file
    wine.post(MAIN_CLASS, WM_COMMAND, CMD_OPACITY_30)  # a save that is skipped
    assert lumetra.exit() == 0
    assert lumetra.config.read_bytes() == b""
    assert not (lumetra.data_folder / "config.ini.tmp").exists()
    # An unreadable file leaves DebugLog off, and the skipped saves keep it so.
    assert not lumetra.log_path.exists()


def test_deleting_an_unreadable_config_lets_the_session_save_again(wine, lumetra):
    lumetra.write_config(b"")
    lumetra.start()
    lumetra.config.unlink()  # the user's repair
    wine.post(MAIN_CLASS, WM_COMMAND, CMD_OPACITY_30)  # writes Opacity alone, then everything
    wait_for(lambda: b"[MonitorLayout]" in read_or_empty(lumetra.config), timeout=30,
             what="config.ini saved whole by the opacity command")
    # Edited by hand once more; the save at exit keeps the edit and adds the rest.
    lumetra.write_config(crlf("[Window]\nOpacity=30\n[Extra]\nNote=mine"))
    assert lumetra.exit() == 0
    text = lumetra.config.read_bytes().decode("utf-8-sig")
    assert text.startswith("[Window]\r\nOpacity=30\r\nX=120\r\nY=120\r\nW=920\r\nH=580\r\n"
                           "[Extra]\r\nNote=mine\r\n[UI]\r\n"), text
    assert "\r\n[MonitorLayout]\r\nDISPLAY1=" in text


def test_second_launch_reloads_the_file_and_moves_the_palette(wine, lumetra):
    lumetra.write_config(crlf("[General]\nDebugLog=1\n[Window]\nX=300\nY=200\nW=700\nH=500"))
    lumetra.start()
    assert lumetra.window()["rect"] == [300, 200, 1000, 700]
    # Edited while running; the palette is hidden, so its rectangle is not saved in between.
    lumetra.write_config(crlf("[General]\nDebugLog=1\n[Window]\nX=40\nY=60\nW=800\nH=50\nOpacity=30"))
    assert wine.run_exe(wine.program("Lumetra.exe"), timeout=20).returncode == 0
    lumetra.wait_for_log("Config loaded: 40,60 800x100")
    assert lumetra.window()["rect"] == [40, 60, 840, 160]
    assert lumetra.exit() == 0
    text = lumetra.config.read_bytes().decode("utf-8-sig")
    assert text.startswith("[General]\r\nDebugLog=1\r\nRunAtStartup=0\r\n[Window]\r\nX=40\r\nY=60\r\n"
                           "W=800\r\nH=100\r\nOpacity=30\r\n")
