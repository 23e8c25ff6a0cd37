"""Run at startup on a plain installation: the tray item writes Lumetra's
shortcut into the user's Startup folder, read back with an independent reader
of the format (lnkinfo), and takes the earlier products' shortcuts away;
choosing it again removes all three. Nothing else in the folder changes."""

import subprocess

import pytest

from lumetra_app import Lumetra
from test_tray import choose, config_text, start
from wine_session import wait_for

RUN_AT_STARTUP = 2301
OLDER = ("Corvanel.lnk", "Saffrel.lnk")


@pytest.fixture
def startup(wine):
    """The user's Startup folder (the prefix's own; Wine spells it "StartUp")
    with two files of the user's own in it."""
    programs = wine.appdata / "Microsoft" / "Windows" / "Start Menu" / "Programs"
    folder = next(p for p in programs.iterdir() if p.name.lower() == "startup")
    mine = ("Lumetra.lnk", *OLDER, "notes.txt", "Editor.lnk")
    for name in mine:
        (folder / name).unlink(missing_ok=True)
    (folder / "notes.txt").write_bytes(b"left alone\r\n")
    made = wine.probe("shortcut", wine.winpath(folder / "Editor.lnk"), "C:\\windows\\notepad.exe")
    assert made["saved"], made
    yield folder
    for name in mine:
        (folder / name).unlink(missing_ok=True)


@pytest.fixture
def lumetra(wine):
    app = Lumetra(wine)
    app.reset_data()
    yield app
    app.stop()
    app.reset_data()


def own_files(folder):
    """Name, size and modification time of the files that are not ours."""
    return {p.name: (p.stat().st_size, p.stat().st_mtime_ns) for p in folder.iterdir()
            if p.name not in ("Lumetra.lnk", *OLDER)}


def place_older_shortcuts(wine, folder):
    for name in OLDER:
        made = wine.probe("shortcut", wine.winpath(folder / name), "C:\\windows\\notepad.exe")
        assert made["saved"], made


def read_shortcut(path):
    """The fields lnkinfo prints, by their label."""
    result = subprocess.run(["lnkinfo", str(path)], capture_output=True, text=True, timeout=30)
    assert result.returncode == 0, result.stderr
    fields = {}
    for line in result.stdout.splitlines():
        label, colon, value = line.partition(":")
        if colon:
            fields.setdefault(label.strip(), value.strip())
    return fields


def toggle(wine, lumetra, value):
    choose(wine, RUN_AT_STARTUP)
    # The setting is saved after the shortcuts have been dealt with.
    wait_for(lambda: f"\nRunAtStartup={value}\n" in config_text(lumetra) + "\n",
             what=f"RunAtStartup={value} in config.ini")


def test_the_tray_item_writes_the_shortcut_and_then_removes_all_three(wine, lumetra, startup):
    lumetra.write_config("[General]\r\nDebugLog=1\r\nRunAtStartup=0\r\n")
    start(lumetra)
    # Start-up has applied the setting; the older shortcuts arrive afterwards.
    lumetra.wait_for_log("Lumetra started.")
    place_older_shortcuts(wine, startup)
    others = own_files(startup)

    toggle(wine, lumetra, 1)
    shortcut = read_shortcut(startup / "Lumetra.lnk")
    assert shortcut.get("Local path") == wine.winpath(wine.program("Lumetra.exe")), shortcut
    assert shortcut.get("Description") == "Lumetra", shortcut
    assert not any((startup / name).exists() for name in OLDER)
    assert own_files(startup) == others

    place_older_shortcuts(wine, startup)
    toggle(wine, lumetra, 0)
    assert not any((startup / name).exists() for name in ("Lumetra.lnk", *OLDER))
    assert own_files(startup) == others
    assert lumetra.exit() == 0


def test_start_up_points_a_stale_shortcut_at_the_running_program(wine, lumetra, startup):
    made = wine.probe("shortcut", wine.winpath(startup / "Lumetra.lnk"), "C:\\old place\\Lumetra.exe")
    assert made["saved"], made
    place_older_shortcuts(wine, startup)
    others = own_files(startup)
    lumetra.write_config("[General]\r\nDebugLog=1\r\nRunAtStartup=1\r\n")
    lumetra.start()
    lumetra.wait_for_log("Lumetra started.")

    shortcut = read_shortcut(startup / "Lumetra.lnk")
    assert shortcut.get("Local path") == wine.winpath(wine.program("Lumetra.exe")), shortcut
    assert shortcut.get("Description") == "Lumetra", shortcut
    assert not any((startup / name).exists() for name in OLDER)
    assert own_files(startup) == others
    assert lumetra.exit() == 0
