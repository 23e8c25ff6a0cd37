"""The hosted view laid out for the palette: each view mode's icon spacing,
the small-icon grid at the positions it announces (at 96 and 144 DPI), the
band above a grouped view, and a drag that re-lays the grid only when the
items per row change."""

import re

import pytest

from lumetra_app import MAIN_CLASS, cover_hidden
from test_view_mode import show
from wine_session import wait_for

WM_COMMAND = 0x0111
VIEW_COMMANDS = {"large": 2402, "medium": 2403, "small": 2404, "extra-large": 2405}
SPACING = {"large": [136, 152], "medium": [88, 104], "extra-large": [168, 184]}
GRID_LINE = re.compile(r"ManualGridArrangeSmallIcons: itemCount=(\d+) cx=(\d+) cy=(\d+) "
                       r"itemsPerRow=(\d+) usableWidth=(-?\d+)")
CELL_LINE = re.compile(r"CalcSmallIconWidth: dpi=(\d+) itemCount=\d+ iconPx=(\d+) statePx=(\d+) "
                       r"gapPx=(\d+) labelPx=(\d+) padPx=(\d+) cx=(\d+)")
DESKTOP_KEY = r"HKEY_CURRENT_USER\Control Panel\Desktop"


@pytest.fixture
def lumetra(lumetra):
    lumetra.write_config("[General]\r\nDebugLog=1\r\n")
    return lumetra


@pytest.fixture
def dpi_144(wine):
    wine.reg_import(f"[{DESKTOP_KEY}]\n\"LogPixels\"=dword:00000090\n")
    yield 144
    wine.reg_import(f"[{DESKTOP_KEY}]\n\"LogPixels\"=-\n")


def layout(wine):
    return wine.probe("listview-layout", MAIN_CLASS)


def grid_lines(lumetra):
    return [tuple(int(v) for v in m.groups()) for m in map(GRID_LINE.search, lumetra.log_lines()) if m]


def choose_view(wine, lumetra, name):
    wine.post(MAIN_CLASS, WM_COMMAND, VIEW_COMMANDS[name])


def on_announced_grid(wine, lumetra):
    """The last grid the log announced, when the real items lie on it."""
    lines = grid_lines(lumetra)
    if not lines:
        return None
    count, cx, cy, per_row, _ = lines[-1]
    expected = [[cx * (i % per_row) + 4, cy * (i // per_row) + 5] for i in range(count)]
    view = layout(wine)
    return view["positions"] == expected and (lines[-1], view)


def restores_done(lumetra):
    """Runs of the view-mode restore timer that reached their last retry."""
    return sum("RestoreViewMode retry=8 " in line for line in lumetra.log_lines())


def wait_for_the_view_to_settle(lumetra, restores_before):
    """Under Wine the shell never reports the view mode, so each refresh ends
    with eight restore retries, each of which lets the shell arrange the items
    its own way for a moment; the grid is checked once they are over."""
    wait_for(lambda: restores_done(lumetra) > restores_before, timeout=60,
             what="the view-mode restore over")


def assert_items_on_the_announced_grid(wine, lumetra, dpi):
    (count, cx, cy, per_row, usable), view = wait_for(
        lambda: on_announced_grid(wine, lumetra), timeout=60, what="the items on the announced grid")
    assert count >= 8 and per_row >= 2, "a grid of several rows and columns"

    # The cell is the Part's sum of its parts at this DPI.
    cells = [tuple(int(v) for v in m.groups()) for m in map(CELL_LINE.search, lumetra.log_lines()) if m]
    at_dpi = [c for c in cells if c[0] == dpi and c[6] == cx]
    assert at_dpi, cells[-3:]
    _, icon, state, gap, label, pad, width = at_dpi[-1]
    assert (gap, pad) == (8 * dpi // 96, 16 * dpi // 96)
    assert width == max(52 * dpi // 96, icon + state + gap + label + pad)
    assert label > 0, "the widest label was measured"
    return view


def test_each_view_mode_gets_its_spacing_and_small_icons_their_grid(wine, lumetra):
    show(wine, lumetra)
    for name in ("large", "extra-large", "medium"):
        choose_view(wine, lumetra, name)
        wait_for(lambda: layout(wine)["spacing"] == SPACING[name], what=f"{name} icons' spacing")
        wait_for(lambda: cover_hidden(wine), what="the cover gone")
        wine.screenshot(wine.work / f"view-{name}-96.png")

    restores = restores_done(lumetra)
    choose_view(wine, lumetra, "small")
    wait_for_the_view_to_settle(lumetra, restores)
    view = assert_items_on_the_announced_grid(wine, lumetra, 96)
    wait_for(lambda: cover_hidden(wine), what="the cover gone")
    wine.screenshot(wine.work / "view-small-96.png")
    # Without groups the view window fills the palette inside its frame.
    assert view["parent"][1] == view["top_client"][1] + 1
    assert view["parent"][3] == view["top_client"][3] - 1
    assert lumetra.exit() == 0


def test_a_grouped_view_leaves_a_30_pixel_band_above_it(wine, lumetra):
    lumetra.write_config("[General]\r\nDebugLog=1\r\n[UI]\r\nGroupBy=1\r\nUILayoutPersisted=1\r\n"
                         "[MonitorLayout]\r\nDISPLAY1=0|1|1|1|1|\r\n")
    show(wine, lumetra)
    view = wait_for(lambda: (lambda v: v["parent"][1] == v["top_client"][1] + 31 and v)(layout(wine)),
                    what="the view window below the band")
    assert view["parent"][3] == view["top_client"][3] - 1, "shortened by the band, not moved"
    assert lumetra.exit() == 0


def test_dragging_narrower_relays_the_grid_only_when_the_items_per_row_change(wine, lumetra):
    lumetra.write_config("[General]\r\nDebugLog=1\r\n[MonitorView]\r\nDISPLAY1=3\r\n")
    show(wine, lumetra)
    wait_for_the_view_to_settle(lumetra, 0)
    assert_items_on_the_announced_grid(wine, lumetra, 96)
    wait_for(lambda: cover_hidden(wine), what="the cover gone")
    left, top, right, bottom = wine.find_window(MAIN_CLASS)["rect"]
    y = (top + bottom) // 2
    moves = []
    for _ in range(25):
        moves += ["mousemove_relative", "--", -16, 0, "sleep", 0.04]
    wine.xdotool("mousemove", right - 4, y, "mousedown", 1, *moves, "mouseup", 1)
    wait_for(lambda: wine.find_window(MAIN_CLASS)["rect"][2] < right - 200, what="a narrower palette")
    lumetra.wait_for_log("SmallIconSizeMoveReflow: perRow ")

    lines = lumetra.log_lines()
    change_at = [i for i, l in enumerate(lines) if "SmallIconSizeMoveReflow: perRow " in l]
    changes = [tuple(int(v) for v in re.search(r"perRow (\d+) -> (\d+)", lines[i]).groups())
               for i in change_at]
    assert all(old > new for old, new in changes), changes
    # Each change re-lays the grid at once with its new count, and nothing
    # else re-lays it while the drag goes on: 25 moves, len(changes) grids.
    drag = lines[change_at[0]:]
    grids = [i for i, l in enumerate(drag) if GRID_LINE.search(l)]
    first_after_last_change = next(i for i in grids if i > change_at[-1] - change_at[0])
    during = [drag[i] for i in grids if i <= first_after_last_change]
    assert [int(GRID_LINE.search(l).group(4)) for l in during] == [new for _, new in changes]
    # After it, the items lie on the grid of the new width.
    assert_items_on_the_announced_grid(wine, lumetra, 96)
    assert lumetra.exit() == 0


def test_at_144_dpi_the_grid_and_spacing_scale(wine, lumetra, dpi_144):
    lumetra.write_config("[General]\r\nDebugLog=1\r\n[MonitorView]\r\nDISPLAY1=3\r\n")
    show(wine, lumetra)
    wait_for_the_view_to_settle(lumetra, 0)
    assert_items_on_the_announced_grid(wine, lumetra, 144)
    wait_for(lambda: cover_hidden(wine), what="the cover gone")
    wine.screenshot(wine.work / "view-small-144.png")
    for name in ("large", "extra-large", "medium"):
        choose_view(wine, lumetra, name)
        # The fixed spacings are given at 96 DPI whatever the DPI.
        wait_for(lambda: layout(wine)["spacing"] == SPACING[name], what=f"{name} icons' spacing")
        wait_for(lambda: cover_hidden(wine), what="the cover gone")
        wine.screenshot(wine.work / f"view-{name}-144.png")
    assert lumetra.exit() == 0
