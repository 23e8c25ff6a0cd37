"""Switching the Desktop icons on and off with the real Stilvane.exe: through
the Desktop's view window when one exists (fake_desktop.exe builds it and logs
the commands it gets), otherwise through the HideIcons setting alone.

The commands are posted: what the fake Desktop received is read once it has
been closed, which its queue handles after them."""

import pytest

from stilvane_harness import TOGGLE_ICONS_COMMAND, FakeDesktop, Stilvane

COMMAND = f"{TOGGLE_ICONS_COMMAND}"


@pytest.fixture(scope="module")
def stilvane(wine):
    app = Stilvane(wine)
    yield app
    app.remove_advanced()


def commands(desktop):
    return [line for line in desktop.lines() if line.startswith("command ")]


@pytest.mark.parametrize("specs, chosen", [
    (("progman", "progman-view=3"), "view1"),
    (("progman", "progman-view=3", "progman-worker=4"), "view2"),
    (("progman", "progman-view=5", "worker=5"), "view1"),            # a tie keeps Progman's own view
    (("progman", "progman-view=3", "progman-worker=4", "worker=9", "worker-empty"), "view3"),
    (("worker=2",), "view1"),                                        # no Progman at all
])
def test_view_route_posts_the_toggle_to_the_view_with_the_most_items(stilvane, specs, chosen):
    stilvane.set_advanced('"HideIcons"=dword:00000000\n')
    with FakeDesktop(stilvane, *specs) as desktop:
        assert stilvane.run("/toggle") == 0
    assert commands(desktop) == [f"command {chosen} {COMMAND}"]
    assert not [l for l in desktop.lines() if l.startswith("spawn-request")], "a complete view needs no worker request"
    assert stilvane.hide_icons() == ("REG_DWORD", "0x1")
    assert stilvane.no_window_shown()


def test_two_toggles_hide_then_show(stilvane):
    stilvane.set_advanced("")
    with FakeDesktop(stilvane, "progman", "progman-view=4") as desktop:
        assert stilvane.run("/toggle") == 0
        assert stilvane.hide_icons() == ("REG_DWORD", "0x1"), "missing counts as shown"
        assert stilvane.run("--TOGGLE") == 0
        assert stilvane.hide_icons() == ("REG_DWORD", "0x0")
    assert len(commands(desktop)) == 2


def test_progman_is_asked_for_its_worker_windows_when_the_view_is_missing(stilvane):
    stilvane.set_advanced('"HideIcons"=dword:00000001\n')
    with FakeDesktop(stilvane, "progman", "spawn=6") as desktop:
        assert stilvane.run("/toggle") == 0
    assert desktop.lines()[0] == "spawn-request Program Manager"
    assert commands(desktop) == [f"command view1 {COMMAND}"]
    assert stilvane.hide_icons() == ("REG_DWORD", "0x0")


def test_a_view_without_list_view_still_takes_the_command(stilvane):
    stilvane.set_advanced('"HideIcons"=dword:00000000\n')
    with FakeDesktop(stilvane, "progman", "progman-view=-") as desktop:
        assert stilvane.run("/toggle") == 0
    assert desktop.lines()[0].startswith("spawn-request"), "asked first, then used the DefView it had"
    assert commands(desktop) == [f"command view1 {COMMAND}"]


@pytest.mark.parametrize("stored, after", [
    ("", "0x1"),                           # missing
    ('"HideIcons"="1"\n', "0x1"),          # a string reads as 0
    ('"HideIcons"=dword:00000000\n', "0x1"),
    ('"HideIcons"=dword:00000001\n', "0x0"),
    ('"HideIcons"=dword:00000007\n', "0x0"),
])
def test_registry_route_flips_hide_icons(stilvane, stored, after):
    stilvane.set_advanced(stored)
    assert stilvane.run("/toggle") == 0
    assert stilvane.hide_icons() == ("REG_DWORD", after)
    assert stilvane.no_window_shown()


def test_registry_route_with_progman_but_no_view_notifies_and_flips(stilvane):
    stilvane.set_advanced('"HideIcons"=dword:00000000\n')
    with FakeDesktop(stilvane, "progman") as desktop:
        assert stilvane.run("/toggle") == 0
    assert desktop.lines()[0] == "spawn-request Program Manager"
    assert not commands(desktop)
    assert stilvane.hide_icons() == ("REG_DWORD", "0x1")


def test_registry_route_without_the_explorer_key_exits_10(stilvane):
    stilvane.remove_advanced()
    assert stilvane.run("/toggle") == 10
    assert stilvane.hide_icons() is None, "the key is not created"
    assert stilvane.no_window_shown()


def test_registry_route_with_a_read_only_key_exits_11(stilvane):
    stilvane.set_advanced('"HideIcons"=dword:00000001\n')
    stilvane.lock_advanced()
    assert stilvane.run("/toggle") == 11
    assert stilvane.hide_icons() == ("REG_DWORD", "0x1")
    assert stilvane.no_window_shown()
    stilvane.remove_advanced()
    assert stilvane.hide_icons() is None


def test_view_route_does_not_report_a_failed_write(stilvane):
    stilvane.set_advanced('"HideIcons"=dword:00000000\n')
    stilvane.lock_advanced()
    with FakeDesktop(stilvane, "progman", "progman-view=2") as desktop:
        assert stilvane.run("/toggle") == 0
    assert len(commands(desktop)) == 1
    assert stilvane.hide_icons() == ("REG_DWORD", "0x0")
    stilvane.remove_advanced()
