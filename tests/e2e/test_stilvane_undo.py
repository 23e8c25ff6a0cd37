"""Taking back a /restore with /undo, with the real Stilvane.exe on the
suite's stand-in Desktop (see test_stilvane_layout.py). The stand-in forgets
its icons between runs; `settle` carries each run's moves into the next, as
the real Desktop would."""

import os

import pytest

from stilvane_harness import FakeDesktop, Stilvane, item_id, layout_bytes, read_layout, stilvane_on_stand_in_desktop

ARRANGED = [("alpha", 10, 20), ("beta", -30, 1040), ("gamma", 1900, 5)]
MOVED = [("alpha", 400, 300), ("beta", 410, 310), ("gamma", 420, 320)]
QUESTION = ["Undo the last restore?", "The icons go back to where they were before the last restore."]
EARLIER = layout_bytes([(item_id("alpha"), -7, -8)])
AN_HOUR_AGO = 1_700_000_000_000_000_000


@pytest.fixture(scope="module")
def stilvane(wine):
    with stilvane_on_stand_in_desktop(wine) as app:
        yield app


def leftovers(stilvane):
    folder = stilvane.layout_file.parent
    return sorted(p.name for p in folder.glob("desktop_layout.undo.sv1.*")) if folder.exists() else []


@pytest.fixture(autouse=True)
def fresh_files(stilvane):
    def clean():
        stilvane.layout_file.unlink(missing_ok=True)
        stilvane.undo_file.unlink(missing_ok=True)
        for name in leftovers(stilvane):
            (stilvane.layout_file.parent / name).unlink()
    clean()
    yield
    clean()


def positions(items):
    return {name: (x, y) for name, x, y in items}


def write(path, data, mtime_ns=None):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)
    if mtime_ns is not None:
        os.utime(path, ns=(mtime_ns, mtime_ns))


def toast_exit(stilvane, proc):
    stilvane.wait_toast()
    stilvane.end_toast()
    return Stilvane.finish(proc)


def test_save_move_restore_undo_puts_the_icons_back_where_they_were_before_the_restore(stilvane):
    stilvane.set_desktop(items=ARRANGED)
    assert Stilvane.finish(stilvane.save()) == 0
    stilvane.set_desktop(items=MOVED)  # the user moves the icons afterwards

    assert Stilvane.finish(stilvane.restore()) == 0
    assert stilvane.settle() == positions(ARRANGED)
    assert read_layout(stilvane.undo_file.read_bytes()) == [(item_id(n), x, y) for n, x, y in MOVED]
    assert leftovers(stilvane) == []
    assert stilvane.no_window_shown()

    proc = stilvane.start("/undo")
    assert stilvane.wait_dialog()[:2] == QUESTION
    stilvane.click("&Yes")
    assert Stilvane.finish(proc) == 0
    assert stilvane.settle() == positions(MOVED)
    assert not stilvane.undo_file.exists(), "an undo is used once"
    assert leftovers(stilvane) == [], "an undo takes no snapshot"
    assert stilvane.no_window_shown()
    assert stilvane.layout_file.read_bytes() == layout_bytes([(item_id(n), x, y) for n, x, y in ARRANGED])

    # Nothing left to undo: the notice comes without a question, the view is never asked.
    proc = stilvane.start("/undo")
    assert toast_exit(stilvane, proc) == 5
    assert stilvane.view_calls() == []


def test_undo_through_the_desktop_list_view_returns_the_same_view_points(stilvane):
    # Points go to the file in screen coordinates and come back into the view's.
    write(stilvane.layout_file, layout_bytes([(item_id("alpha"), 125, 95), (item_id("beta"), 135, 105)]))
    stilvane.set_desktop(items=[("alpha", 0, 0), ("beta", 40, 50)])
    with FakeDesktop(stilvane, "progman", "progman-view=2"):
        assert Stilvane.finish(stilvane.restore()) == 0
        assert stilvane.settle() == {"alpha": (10, 20), "beta": (20, 30)}
        assert read_layout(stilvane.undo_file.read_bytes()) == \
            [(item_id("alpha"), 115, 75), (item_id("beta"), 155, 125)]
        assert Stilvane.finish(stilvane.undo()) == 0
        assert stilvane.settle() == {"alpha": (0, 0), "beta": (40, 50)}


@pytest.mark.parametrize("case", ["nothing matched", "auto arrange", "empty layout", "no layout file",
                                  "answered no"])
def test_a_restore_that_moves_nothing_keeps_the_earlier_undo_file(stilvane, case):
    # The earlier undo file comes from a restore that moved an icon.
    write(stilvane.layout_file, layout_bytes([(item_id("alpha"), 1, 2)]))
    stilvane.set_desktop(items=[("alpha", 5, 6)])
    assert Stilvane.finish(stilvane.restore()) == 0
    earlier = stilvane.undo_file.read_bytes()
    assert read_layout(earlier) == [(item_id("alpha"), 5, 6)]
    os.utime(stilvane.undo_file, ns=(AN_HOUR_AGO, AN_HOUR_AGO))
    stilvane.layout_file.unlink()

    layout = layout_bytes([] if case == "empty layout" else [(item_id("gone" if case == "nothing matched"
                                                                      else "alpha"), 1, 2)])
    if case != "no layout file":
        write(stilvane.layout_file, layout)
    stilvane.set_desktop(items=[("alpha", 5, 6)], autoarrange=case == "auto arrange")
    proc = stilvane.start("/restore")
    stilvane.wait_dialog()
    stilvane.click("&No" if case == "answered no" else "&Yes")
    if case in ("nothing matched", "auto arrange"):
        assert toast_exit(stilvane, proc) == 0
    elif case == "no layout file":
        assert toast_exit(stilvane, proc) == 5
    else:
        assert Stilvane.finish(proc) == 0
    assert not [c for c in stilvane.view_calls() if c.startswith("moved")]
    assert stilvane.undo_file.read_bytes() == earlier
    assert stilvane.undo_file.stat().st_mtime_ns == AN_HOUR_AGO, "not even rewritten"
    assert leftovers(stilvane) == []


def test_a_snapshot_left_by_an_interrupted_run_does_not_get_in_the_way(stilvane):
    write(stilvane.undo_file, EARLIER)
    write(stilvane.undo_file.with_name("desktop_layout.undo.sv1.new"), b"half a snaps")
    write(stilvane.undo_file.with_name("desktop_layout.undo.sv1.new.tmp"), b"junk")
    write(stilvane.layout_file, layout_bytes([(item_id("alpha"), 1, 2)]))
    stilvane.set_desktop(items=[("alpha", 5, 6), ("beta", 7, 8)])
    assert Stilvane.finish(stilvane.restore()) == 0
    assert read_layout(stilvane.undo_file.read_bytes()) == [(item_id("alpha"), 5, 6), (item_id("beta"), 7, 8)]
    assert leftovers(stilvane) == []


def test_a_snapshot_that_cannot_be_written_does_not_stop_the_restore(stilvane):
    write(stilvane.undo_file, EARLIER)
    blocker = stilvane.undo_file.with_name("desktop_layout.undo.sv1.new.tmp")
    blocker.mkdir()
    try:
        write(stilvane.layout_file, layout_bytes([(item_id("alpha"), 1, 2)]))
        stilvane.set_desktop(items=[("alpha", 5, 6)])
        assert Stilvane.finish(stilvane.restore()) == 0
        assert stilvane.settle() == {"alpha": (1, 2)}
        assert stilvane.no_window_shown()
        assert not stilvane.undo_file.exists(), "the earlier undo would skip this restore"
    finally:
        blocker.rmdir()


@pytest.mark.parametrize("content", [None, b"", b"SVv1\5\0\0\0\0\0\0"])
def test_undo_without_an_undo_file_says_nothing_to_undo_and_exits_5(stilvane, content):
    if content is not None:
        write(stilvane.undo_file, content)
    stilvane.set_desktop(items=[("alpha", 5, 6)])
    proc = stilvane.start("/undo")
    assert toast_exit(stilvane, proc) == 5
    assert stilvane.view_calls() == [], "no question, no view"


@pytest.mark.parametrize("argument", ["/undo", "-UNDO", "--Undo"])
def test_no_at_the_undo_question_changes_nothing(stilvane, argument):
    write(stilvane.undo_file, EARLIER, AN_HOUR_AGO)
    stilvane.set_desktop(items=[("alpha", 5, 6)])
    proc = stilvane.start(argument)
    assert stilvane.wait_dialog()[:2] == QUESTION
    stilvane.click("&No")
    assert Stilvane.finish(proc) == 0
    assert stilvane.view_calls() == []
    assert stilvane.undo_file.read_bytes() == EARLIER
    assert stilvane.undo_file.stat().st_mtime_ns == AN_HOUR_AGO


@pytest.mark.parametrize("case, code, shown", [
    ("foreign undo file", 6, "toast"),
    ("no view", 7, "Couldn't access the desktop icon view."),
    ("no layout interface", 7, "Layout restore isn't supported on this system."),
    ("auto arrange", 0, "toast"),
    ("nothing matched", 0, "toast"),
])
def test_an_undo_that_fails_reports_as_a_restore_and_keeps_the_undo_file(stilvane, case, code, shown):
    undo = b"PK\3\4" + b"\0" * 60 if case == "foreign undo file" else \
        layout_bytes([(item_id("gone" if case == "nothing matched" else "alpha"), 1, 2)])
    write(stilvane.undo_file, undo)
    view = {"no view": "none", "no layout interface": "no-layout"}.get(case, "ok")
    stilvane.set_desktop(view=view, items=[("alpha", 5, 6)], autoarrange=case == "auto arrange")
    proc = stilvane.undo()
    if shown == "toast":
        assert toast_exit(stilvane, proc) == code
    else:
        assert stilvane.wait_dialog(expect=shown)[0] == shown
        stilvane.click("OK")
        assert Stilvane.finish(proc) == code
    assert not [c for c in stilvane.view_calls() if c.startswith("moved")]
    assert stilvane.undo_file.read_bytes() == undo, "kept for another try"
