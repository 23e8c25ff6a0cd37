"""The cover that hides the Desktop view while the palette shows it: it lies
inside the palette's frame, never takes the activation, lets clicks through to
the list view, and goes away once the show has settled."""

import json

import pytest

from lumetra_app import COVER_CLASS, MAIN_CLASS, press_toggle_hotkey
from wine_session import TEST_TOOLS, wait_for
from window_samples import covers, read_samples, visible_view

WS_EX_NOACTIVATE, WS_EX_LAYERED, WS_EX_TOOLWINDOW, WS_EX_TOPMOST = 0x08000000, 0x80000, 0x80, 0x8


@pytest.fixture
def lumetra(lumetra):
    lumetra.write_config("[General]\r\nDebugLog=1\r\n")
    return lumetra


def start_watch(wine, *click_at):
    """A winprobe that samples the cover from inside one process (the cover
    may be up for less than one probe's start); returns once it samples."""
    process = wine.start_exe(TEST_TOOLS / "winprobe.exe", "watch", COVER_CLASS, 30000, *click_at)
    wait_for(lambda: b'"watching":true' in process.output.read_bytes(), what="the cover watch")
    return process


def watch_result(process):
    wait_for(lambda: process.poll() is not None, what="the cover watch to end")
    lines = process.output.read_bytes().decode("utf-8", "replace").strip().splitlines()
    return json.loads(lines[-1])


def inside_frame(rect):
    left, top, right, bottom = rect
    return [left + 1, top + 1, right - 1, bottom - 1]


def show(wine):
    press_toggle_hotkey(wine)
    return wait_for(lambda: (w := wine.find_window(MAIN_CLASS)).get("visible") and w.get("foreground") and w,
                    what="palette shown in front")


def hide(wine):
    press_toggle_hotkey(wine)
    wait_for(lambda: not wine.find_window(MAIN_CLASS).get("visible"), what="palette hidden")


def test_cover_lies_inside_the_frame_is_never_active_and_goes_once_the_show_settles(wine, lumetra):
    lumetra.start()
    lumetra.wait_for_log("Config.ini path:")
    cover = wine.find_window(COVER_CLASS)
    assert cover["found"] and not cover["visible"], "created hidden with the palette"
    wanted = WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST
    assert cover["exstyle"] & wanted == wanted
    assert cover["alpha"] == 255

    watch = start_watch(wine)
    palette = show(wine)
    result = watch_result(watch)
    shown = [s for s in result["samples"] if s["visible"]]
    assert result["ended"] == "hidden", result
    assert shown, "the cover went up with the show"
    assert all(s["rect"] == inside_frame(palette["rect"]) for s in shown), shown
    assert not any(s["foreground"] or s["active"] for s in result["samples"]), result["samples"]
    assert shown[0]["alpha"] == 255, "shown opaque, no fade-in"
    lumetra.wait_for_log("ShowOverlayCover tick=")
    gone = ("HideOverlayCover: overlay fade-out complete", "HideOverlayCoverImmediate",
            "Overlay watchdog: forcing HideOverlayCover.")
    assert any(any(g in line for g in gone) for line in lumetra.log_lines())
    assert wine.find_window(MAIN_CLASS)["foreground"], "the palette kept the activation"
    assert lumetra.exit() == 0


# Wine now and then loses a click sent at the moment the cover is mapped: in
# such runs no button press reaches the palette or its list view at all (seen
# with logging on both), although the click carries its own coordinates inside
# the cover. The press lands on the cover's own X window, which Wine is still
# mapping and placing (the show places the cover twice).
@pytest.mark.flaky(reruns=2)
def test_a_click_on_the_cover_reaches_the_list_view_under_it(wine, lumetra):
    lumetra.start()
    show(wine)
    view = wait_for(lambda: (v := wine.probe("listview", MAIN_CLASS)).get("visible") and v["count"] > 1 and v,
                    what="the list view with items")
    # An item the show does not focus by itself, where the settled view has it.
    target = next(i for i, name in enumerate(view["items"]) if i != view["focused"] and i > 0)
    wait_for(lambda: not wine.find_window(COVER_CLASS)["visible"], what="the cover gone")
    left, top, right, bottom = wine.probe("listview-item-rect", MAIN_CLASS, target)["rect"]
    hide(wine)

    x, y = (left + right) // 2, (top + bottom) // 2
    watch = start_watch(wine, x, y)
    show(wine)
    clicks = [s for s in watch_result(watch)["samples"] if s["clicked"]]
    assert clicks and clicks[0]["visible"], "clicked while the cover was up"
    assert x in range(*clicks[0]["rect"][0::2]) and y in range(*clicks[0]["rect"][1::2])
    wait_for(lambda: wine.probe("listview", MAIN_CLASS)["focused"] == target,
             what=f"item {target} ({view['items'][target]}) focused by the click")
    assert lumetra.exit() == 0


def shows(samples):
    """The samples of each stretch with the palette on screen."""
    runs, run = [], []
    for sample in samples:
        if sample["palette"]["visible"]:
            run.append(sample)
        elif run:
            runs.append(run)
            run = []
    return runs + ([run] if run else [])


def test_a_show_never_puts_the_old_view_on_screen_before_the_cover(wine, lumetra):
    """The palette comes up before its cover, its view window out of sight
    until the cover lies over it. A helper in the prefix samples every
    millisecond without asking the palette's thread anything, so samples fall
    inside the show itself: from the first with the palette on screen to the
    first with the cover over it, none shows the view."""
    lumetra.start()
    lumetra.wait_for_log("Config.ini path:")
    sampler = wine.start_exe(TEST_TOOLS / "winprobe.exe", "sample", MAIN_CLASS, 1, 60000, "nocount")
    wait_for(lambda: read_samples(sampler.output), what="the first sample")
    for _ in range(3):
        show(wine)
        wait_for(lambda: not wine.find_window(COVER_CLASS)["visible"], what="the cover gone")
        hide(wine)
    sampler.kill()

    runs = shows(read_samples(sampler.output))
    assert len(runs) == 3, [len(r) for r in runs]
    for run in runs:
        covered = next((i for i, s in enumerate(run) if covers(s)), None)
        assert covered is not None, "the cover went over the palette"
        assert not any(visible_view(s) for s in run[:covered]), run[:covered]
        assert any(visible_view(s) for s in run[covered:]), "the view came back"
    assert lumetra.exit() == 0
