"""Lumetra's start-up as a user meets it: first run, configuration seeding and
migration, the single instance, and ending through the exit command."""

import pytest

from lumetra_app import MAIN_CLASS

WS_POPUP, WS_CLIPCHILDREN, WS_SYSMENU, WS_THICKFRAME = 0x80000000, 0x02000000, 0x00080000, 0x00040000
WS_EX_TOOLWINDOW, WS_EX_ACCEPTFILES, WS_EX_TOPMOST = 0x80, 0x10, 0x8


def test_first_start_seeds_config_from_default_beside_the_program(wine, lumetra):
    default = "[General]\r\nDebugLog=1\r\n; seeded by the installer\r\n"
    (wine.install_dir / "config.default.ini").write_bytes(default.encode())
    lumetra.start()
    assert lumetra.config.read_bytes() == default.encode(), "copied byte for byte"
    lumetra.wait_for_log("Config.ini path: C:\\users\\")
    assert lumetra.exit() == 0


def test_existing_config_is_never_overwritten(wine, lumetra):
    mine = "[General]\r\nDebugLog=1\r\n[Window]\r\nX=5\r\n"
    lumetra.write_config(mine)
    (wine.install_dir / "config.default.ini").write_text("[General]\r\nDebugLog=0\r\n")
    (wine.appdata / "veltor" / "Corvanel").mkdir(parents=True)
    (wine.appdata / "veltor" / "Corvanel" / "config.ini").write_text("[General]\r\nDebugLog=0\r\n")
    lumetra.start()
    lumetra.wait_for_log("Config.ini path:")
    assert lumetra.exit() == 0
    text = lumetra.config.read_bytes().decode("utf-8-sig")
    assert "DebugLog=1" in text and "X=5" in text, "neither the default nor the older file replaced it"


@pytest.mark.parametrize("sources, expected", [
    (("Saffrel",), "Saffrel"),
    (("Corvanel", "Saffrel"), "Corvanel"),
])
def test_older_product_config_is_migrated(wine, lumetra, sources, expected):
    contents = {}
    for product in sources:
        folder = wine.appdata / "veltor" / product
        folder.mkdir(parents=True)
        # Distinct bytes per product, including a UTF-16 file, to prove a byte copy.
        data = f"[General]\r\nDebugLog=0\r\n[From]\r\nProduct={product}\r\n".encode("utf-16-le")
        contents[product] = b"\xff\xfe" + data
        (folder / "config.ini").write_bytes(contents[product])
    (wine.install_dir / "config.default.ini").write_text("[General]\r\nDebugLog=1\r\n")
    lumetra.start()
    assert lumetra.config.read_bytes() == contents[expected]
    assert lumetra.exit() == 0


def test_palette_starts_hidden_with_its_window_styles(wine, lumetra):
    lumetra.start()
    window = lumetra.window()
    assert window["title"] == "Lumetra"
    assert not window["visible"], "the palette is never shown until asked for"
    assert window["rect"] == [120, 120, 1040, 700], "the default [Window] rectangle"
    style, exstyle = window["style"], window["exstyle"]
    for bit in (WS_POPUP, WS_CLIPCHILDREN, WS_SYSMENU, WS_THICKFRAME):
        assert style & bit, hex(bit)
    for bit in (WS_EX_TOOLWINDOW, WS_EX_ACCEPTFILES, WS_EX_TOPMOST):
        assert exstyle & bit, hex(bit)
    assert lumetra.exit() == 0


def test_second_launch_hands_over_to_the_running_instance(wine, lumetra):
    lumetra.write_config("[General]\r\nDebugLog=1\r\n")
    first = lumetra.start()
    lumetra.wait_for_log("Config.ini path:")

    # How long the hand-over takes is measured by bench/palette/second_launch_wine.py.
    second = wine.run_exe(wine.program("Lumetra.exe"))
    assert second.returncode == 0
    assert wine.count_windows(MAIN_CLASS) == 1
    lumetra.wait_for_log("WM_APP+99 received. source=2")
    assert first.poll() is None, "the first instance keeps running"
    assert lumetra.exit() == 0
    # The exit command comes after the hand-over in the queue: all of it is logged.
    assert [line for line in lumetra.log_lines() if "WM_APP+99" in line] == \
        ["WM_APP+99 received. source=2"], "exactly one hand-over"


def test_close_hides_and_exit_command_ends_with_code_zero(wine, lumetra):
    lumetra.write_config("[General]\r\nDebugLog=1\r\n")
    process = lumetra.start()
    wine.post(MAIN_CLASS, 0x0010)  # WM_CLOSE only hides
    lumetra.wait_for_log("WM_CLOSE -> hide")
    assert process.poll() is None and lumetra.window()["found"]
    assert lumetra.exit() == 0
    assert not lumetra.window()["found"]


def test_logging_stays_off_without_the_setting(wine, lumetra):
    lumetra.write_config("[General]\r\nDebugLog=0\r\n")
    lumetra.start()
    assert wine.run_exe(wine.program("Lumetra.exe")).returncode == 0
    assert lumetra.exit() == 0
    assert not lumetra.log_path.exists()
    assert lumetra.data_folder.is_dir()
