"""Stilvane facing a Desktop whose windows stopped answering, as a hung
Explorer's do: the toggle must still end, and still reach the view."""

from stilvane_harness import TOGGLE_ICONS_COMMAND, FakeDesktop, Stilvane

# Only catches a tool that waits on the hung window for ever; every message
# to it gives up after a few seconds.
HANG_DEADLINE = 60


def test_toggle_ends_and_posts_to_a_view_whose_list_view_does_not_answer(wine):
    stilvane = Stilvane(wine)
    stilvane.set_advanced('"HideIcons"=dword:00000000\n')
    try:
        with FakeDesktop(stilvane, "progman", "progman-view=3", "hang") as desktop:
            assert stilvane.run("/toggle", timeout=HANG_DEADLINE) == 0
            assert desktop.lines() == [], "the hung windows handled nothing yet"
        # Closing woke the desktop, which then handled what was posted meanwhile.
        assert desktop.lines() == [f"command view1 {TOGGLE_ICONS_COMMAND}"]
        assert stilvane.hide_icons() == ("REG_DWORD", "0x1")
        assert stilvane.no_window_shown()
    finally:
        stilvane.remove_advanced()
