"""Saving and restoring the Desktop icon layout with the real Stilvane.exe.
Wine has no Desktop shell view, so a test server registered for the shell's
window-registry class hands out a folder view described by a scenario file;
fake_desktop.exe supplies the Desktop's list view window where coordinates
matter."""

import struct

import pytest

from stilvane_harness import FakeDesktop, Stilvane, item_id, layout_bytes, stilvane_on_stand_in_desktop

SAMPLE = [("alpha", 10, 20), ("beta", -30, 1040), ("gamma", 1900, 5)]


@pytest.fixture(scope="module")
def stilvane(wine):
    with stilvane_on_stand_in_desktop(wine) as app:
        yield app


@pytest.fixture(autouse=True)
def fresh_layout(stilvane):
    stilvane.layout_file.unlink(missing_ok=True)
    yield
    stilvane.layout_file.unlink(missing_ok=True)


def toast_exit(stilvane, proc):
    """Waits for the toast, ends it, returns the exit code."""
    stilvane.wait_toast()
    stilvane.end_toast()
    return Stilvane.finish(proc)


def dialog_exit(stilvane, proc, instruction):
    """Waits for the dialog with that instruction, answers OK; returns (texts, exit code)."""
    texts = stilvane.wait_dialog(expect=instruction)
    stilvane.click("OK")
    return texts, Stilvane.finish(proc)


# ----- save ---------------------------------------------------------------

def test_save_writes_the_exact_bytes_and_shows_nothing(stilvane):
    stilvane.set_desktop(items=SAMPLE)
    assert Stilvane.finish(stilvane.save()) == 0
    expected = layout_bytes([(item_id(n), x, y) for n, x, y in SAMPLE])
    assert stilvane.layout_file.read_bytes() == expected
    assert stilvane.no_window_shown()
    assert not stilvane.layout_file.with_name("desktop_layout.sv1.tmp").exists()


def test_save_skips_items_without_a_position_and_replaces_the_old_file(stilvane):
    stilvane.layout_file.parent.mkdir(parents=True, exist_ok=True)
    stilvane.layout_file.write_bytes(b"old layout" * 100)
    stilvane.set_desktop(items=[("alpha", 1, 2), ("beta", 3, 4, "nopos"), ("gamma", 5, 6)])
    assert Stilvane.finish(stilvane.save()) == 0
    assert stilvane.layout_file.read_bytes() == layout_bytes([(item_id("alpha"), 1, 2), (item_id("gamma"), 5, 6)])


def test_save_converts_view_points_to_the_screen_through_the_desktop_list_view(stilvane):
    stilvane.set_desktop(items=[("alpha", 10, 20)])
    # Progman at (10, 20), its view at (100, 50), the list view at (5, 5): client origin (115, 75).
    with FakeDesktop(stilvane, "progman", "progman-view=1"):
        assert Stilvane.finish(stilvane.save()) == 0
    assert stilvane.layout_file.read_bytes() == layout_bytes([(item_id("alpha"), 125, 95)])


@pytest.mark.parametrize("scenario, instruction, content", [
    ("none", "Couldn't access the desktop icon view.", "Make sure File Explorer is running, then try again."),
    ("no-items", "Couldn't read the desktop icon list.", None),
])
def test_save_without_a_usable_view_shows_an_error_and_exits_3(stilvane, scenario, instruction, content):
    stilvane.set_desktop(view=scenario, items=SAMPLE)
    texts, code = dialog_exit(stilvane, stilvane.save(), instruction)
    assert code == 3
    assert texts[0] == instruction
    assert texts[1] == (content or "OK"), "no content line without content"
    assert not stilvane.layout_file.exists()


@pytest.mark.parametrize("view, items", [
    ("ok", []),                                   # icons hidden: the view has none
    ("no-count", SAMPLE),                          # count unreadable
    ("ok", [("alpha", 1, 1, "nopos")]),           # nothing with a position
])
def test_save_with_nothing_to_save_shows_a_toast_and_exits_3(stilvane, view, items):
    stilvane.set_desktop(view=view, items=items)
    assert toast_exit(stilvane, stilvane.save()) == 3
    assert not stilvane.layout_file.exists()


def test_failed_save_keeps_the_previous_layout(stilvane):
    previous = layout_bytes([(item_id("old"), 7, 8)])
    stilvane.layout_file.parent.mkdir(parents=True, exist_ok=True)
    stilvane.layout_file.write_bytes(previous)
    blocker = stilvane.layout_file.with_name("desktop_layout.sv1.tmp")
    blocker.mkdir()
    try:
        stilvane.set_desktop(items=SAMPLE)
        texts, code = dialog_exit(stilvane, stilvane.save(), "Couldn't save the layout file.")
        assert code == 4
        assert texts[1] == "Check permissions or free disk space."
        assert stilvane.layout_file.read_bytes() == previous
    finally:
        blocker.rmdir()


# ----- restore --------------------------------------------------------------

def write_layout(stilvane, data):
    stilvane.layout_file.parent.mkdir(parents=True, exist_ok=True)
    stilvane.layout_file.write_bytes(data)


def test_restore_positions_each_saved_item_once_and_skips_a_deleted_one(stilvane):
    write_layout(stilvane, layout_bytes([(item_id("alpha"), 11, 12), (item_id("gone"), 13, 14),
                                         (item_id("gamma"), 15, 16)]))
    stilvane.set_desktop(items=[("alpha", 0, 0), ("beta", 0, 0), ("gamma", 0, 0)])
    assert Stilvane.finish(stilvane.restore()) == 0
    calls = [c for c in stilvane.view_calls() if not c.startswith("find")]
    assert calls == ["moved alpha 11 12", "missing 13 14", "moved gamma 15 16"]
    assert stilvane.no_window_shown(), "a successful restore shows nothing"


def test_save_then_restore_round_trip(stilvane):
    stilvane.set_desktop(items=SAMPLE)
    assert Stilvane.finish(stilvane.save()) == 0
    stilvane.set_desktop(items=[(n, 0, 0) for n, _, _ in SAMPLE])
    assert Stilvane.finish(stilvane.restore()) == 0
    assert [c for c in stilvane.view_calls() if c.startswith("moved")] == \
        [f"moved {n} {x} {y}" for n, x, y in SAMPLE]


def test_restore_maps_screen_points_into_the_list_view(stilvane):
    write_layout(stilvane, layout_bytes([(item_id("alpha"), 135, 95)]))
    stilvane.set_desktop(items=[("alpha", 0, 0)])
    # A top-level WorkerW at (30, 40): list view client origin (135, 95).
    with FakeDesktop(stilvane, "worker=1"):
        assert Stilvane.finish(stilvane.restore()) == 0
    assert "moved alpha 0 0" in stilvane.view_calls()


def test_restore_with_more_records_claimed_than_present(stilvane):
    write_layout(stilvane, layout_bytes([(item_id("alpha"), 1, 2), (item_id("beta"), 3, 4)], count=1000))
    stilvane.set_desktop(items=[("alpha", 0, 0), ("beta", 0, 0)])
    assert Stilvane.finish(stilvane.restore()) == 0
    assert [c for c in stilvane.view_calls() if c.startswith("moved")] == ["moved alpha 1 2", "moved beta 3 4"]


def test_a_record_with_zero_length_stops_the_walk(stilvane):
    data = bytearray(layout_bytes([(item_id("alpha"), 1, 2), (item_id("beta"), 3, 4), (item_id("gamma"), 5, 6)]))
    second = 12 + 4 + len(item_id("alpha")) + 8
    data[second:second + 4] = b"\0\0\0\0"
    write_layout(stilvane, bytes(data))
    stilvane.set_desktop(items=[("alpha", 0, 0), ("beta", 0, 0), ("gamma", 0, 0)])
    assert Stilvane.finish(stilvane.restore()) == 0
    assert [c for c in stilvane.view_calls() if c.startswith(("moved", "missing"))] == ["moved alpha 1 2"]


@pytest.mark.parametrize("name, data, code", [
    ("missing", None, 5),
    ("11 bytes", layout_bytes([])[:11], 5),
    ("foreign", b"PK\3\4" + b"\0" * 60, 6),
    ("version 4", layout_bytes([(item_id("alpha"), 1, 2)], version=4), 6),
    ("version 6", layout_bytes([(item_id("alpha"), 1, 2)], version=6), 6),
])
def test_restore_without_a_usable_file_shows_a_toast(stilvane, name, data, code):
    if data is not None:
        write_layout(stilvane, data)
    stilvane.set_desktop(items=[("alpha", 0, 0)])
    assert toast_exit(stilvane, stilvane.restore()) == code
    assert not [c for c in stilvane.view_calls() if c.startswith("moved")]


def test_restore_of_an_empty_layout_exits_silently(stilvane):
    write_layout(stilvane, layout_bytes([]))
    stilvane.set_desktop(items=[("alpha", 0, 0)])
    assert Stilvane.finish(stilvane.restore()) == 0
    assert stilvane.no_window_shown()


def test_restore_with_auto_arrange_on_moves_nothing_and_shows_a_toast(stilvane):
    write_layout(stilvane, layout_bytes([(item_id("alpha"), 1, 2)]))
    stilvane.set_desktop(items=[("alpha", 0, 0)], autoarrange=True)
    assert toast_exit(stilvane, stilvane.restore()) == 0
    assert not [c for c in stilvane.view_calls() if c.startswith("moved")]


def test_restore_where_nothing_matches_shows_a_toast_and_exits_0(stilvane):
    write_layout(stilvane, layout_bytes([(item_id("gone"), 1, 2)]))
    stilvane.set_desktop(items=[("alpha", 0, 0)])
    assert toast_exit(stilvane, stilvane.restore()) == 0


@pytest.mark.parametrize("scenario, instruction, content", [
    ("none", "Couldn't access the desktop icon view.", "Make sure File Explorer is running, then try again."),
    ("no-layout", "Layout restore isn't supported on this system.",
     "This Windows configuration doesn't expose the shell layout APIs Stilvane needs."),
])
def test_restore_without_the_view_shows_an_error_and_exits_7(stilvane, scenario, instruction, content):
    write_layout(stilvane, layout_bytes([(item_id("alpha"), 1, 2)]))
    stilvane.set_desktop(view=scenario, items=[("alpha", 0, 0)])
    texts, code = dialog_exit(stilvane, stilvane.restore(), instruction)
    assert code == 7
    assert texts[:2] == [instruction, content]


def test_a_truncated_file_restores_the_records_before_the_damage(stilvane):
    whole = layout_bytes([(item_id("alpha"), 1, 2), (item_id("beta"), 3, 4)])
    write_layout(stilvane, whole[:-3])
    stilvane.set_desktop(items=[("alpha", 0, 0), ("beta", 0, 0)])
    assert Stilvane.finish(stilvane.restore()) == 0
    assert [c for c in stilvane.view_calls() if c.startswith(("moved", "missing"))] == ["moved alpha 1 2"]


def test_a_forged_item_id_is_never_handed_to_the_shell(stilvane):
    # The first record's ID claims 0x60 bytes but the record holds 8: the shell
    # would read past it. It is skipped; the next record still moves.
    forged = struct.pack("<H", 0x60) + b"alph\0\0"
    write_layout(stilvane, layout_bytes([(forged, 1, 2), (item_id("beta"), 3, 4)]))
    stilvane.set_desktop(items=[("alpha", 0, 0), ("beta", 0, 0)])
    assert Stilvane.finish(stilvane.restore()) == 0
    assert [c for c in stilvane.view_calls() if c.startswith(("moved", "missing"))] == ["moved beta 3 4"]
