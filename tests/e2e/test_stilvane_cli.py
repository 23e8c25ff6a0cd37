"""Stilvane's command line, confirmations and toast as a user meets them."""

import pytest

from stilvane_harness import TOAST_CLASS, Stilvane, pixel
from wine_session import wait_for


@pytest.fixture(scope="module")
def stilvane(wine):
    return Stilvane(wine)


@pytest.fixture
def clean_layout(stilvane):
    stilvane.layout_file.unlink(missing_ok=True)
    yield
    stilvane.layout_file.unlink(missing_ok=True)


def test_no_argument_shows_the_usage_toast_in_the_corner_until_it_removes_itself(wine, stilvane):
    # How long it stays is the toast's own timing; here it only has to go.
    area = wine.probe("workarea")["rect"]
    proc = stilvane.start()
    toast = stilvane.wait_toast()
    left, top, right, bottom = toast["rect"]
    assert right - left == 400
    assert right == area[2] - 16 and bottom == area[3] - 16, "16 pixels from the work area's right and bottom"
    assert 88 <= bottom - top <= 200
    assert toast["visible"] and not toast["foreground"], "the toast never takes the focus"
    assert toast["exstyle"] & 0x88 == 0x88, "topmost tool window"
    assert toast["title"] == ""
    wait_for(lambda: not wine.find_window(TOAST_CLASS)["found"], what="the toast removing itself")
    assert Stilvane.finish(proc) == 1


def test_toast_painting(wine, stilvane, tmp_path):
    proc = stilvane.start("--nonsense")
    left, top, right, bottom = stilvane.wait_toast()["rect"]
    shot = wine.screenshot(tmp_path / "toast.png")
    stilvane.end_toast()
    assert Stilvane.finish(proc) == 2
    middle = (top + bottom) // 2
    assert pixel(shot, left + 2, middle) == (255, 174, 0), "orange accent bar"
    assert pixel(shot, left, middle) == (218, 218, 218), "border"
    assert pixel(shot, left + 399, middle) == (218, 218, 218), "border"
    assert pixel(shot, right - 30, top + 6) == (255, 255, 255), "white background"
    icon = {pixel(shot, left + x, top + y) for x in range(20, 40, 4) for y in range(20, 40, 4)}
    assert icon - {(255, 255, 255)}, "the warning icon at (16, 16)"
    title = {pixel(shot, left + x, top + 26) for x in range(52, 120, 2)}
    assert any(max(c) < 120 for c in title), "dark title text from x = 52"


def test_wm_quit_ends_the_toast_with_the_usage_exit_code(stilvane):
    proc = stilvane.start()
    stilvane.wait_toast()
    assert stilvane.end_toast()["posted"]
    assert Stilvane.finish(proc) == 1


@pytest.mark.parametrize("argument", ["save", "/saveall", "restore", "/sav", "---save", "/", "x"])
def test_unknown_switch_shows_a_toast_and_exits_2(stilvane, argument, clean_layout):
    proc = stilvane.start(argument)
    stilvane.wait_toast()
    stilvane.end_toast()
    assert Stilvane.finish(proc) == 2
    assert not stilvane.layout_file.exists()


@pytest.mark.parametrize("argument", ["/restore", "-restore", "--restore", "/RESTORE", "--ReStOrE"])
def test_restore_switch_in_every_spelling_asks_the_restore_question(stilvane, argument):
    proc = stilvane.start(argument, "/save", "ignored")
    texts = stilvane.wait_dialog()
    assert texts[:2] == ["Restore desktop layout",
                         "This will restore your saved icon positions and replace your current layout. Proceed?"]
    assert "&Yes" in texts and "&No" in texts
    stilvane.click("&No")
    assert Stilvane.finish(proc) == 0


def test_enter_on_the_save_confirmation_answers_no(wine, stilvane, clean_layout):
    stilvane.install_shell_windows()
    try:
        stilvane.set_desktop(items=[("alpha", 1, 2)])
        proc = stilvane.start("/save")
        texts = stilvane.wait_dialog()
        assert texts[:2] == ["Save desktop layout", "Would you like to save the current desktop icon positions?"]
        assert wine.probe("foreground")["title"] == "Stilvane", "the question comes to the front"
        wine.xdotool("key", "Return")
        assert Stilvane.finish(proc) == 0
        assert not stilvane.layout_file.exists(), "nothing saved"
        assert stilvane.view_calls() == [], "the desktop view was never asked"
    finally:
        stilvane.restore_shell_windows()


def test_yes_on_the_save_confirmation_saves(stilvane, clean_layout):
    stilvane.install_shell_windows()
    try:
        stilvane.set_desktop(items=[("alpha", 1, 2)])
        proc = stilvane.save()
        assert Stilvane.finish(proc) == 0
        assert stilvane.layout_file.exists()
    finally:
        stilvane.restore_shell_windows()


def test_japanese_error_dialog(wine, stilvane):
    stilvane.install_shell_windows()
    try:
        stilvane.set_desktop(view="none")
        proc = stilvane.start("/save", japanese=True)
        question = stilvane.wait_dialog()
        if question[0] == "Save desktop layout":
            wine.xdotool("key", "Return")
            Stilvane.finish(proc)
            pytest.skip("this Wine reports no Japanese UI language for LANG=ja_JP.UTF-8")
        stilvane.click(next(t for t in question if t.startswith("はい")))
        texts = stilvane.wait_dialog(expect="デスクトップのアイコン一覧を取得できませんでした。")
        assert texts[1] == "ファイル エクスプローラーが動いているか確認してください。終了していたら起動してから、もう一度お試しください。"
        stilvane.click("OK")
        assert Stilvane.finish(proc) == 3
    finally:
        stilvane.restore_shell_windows()


def test_japanese_user_interface(wine, stilvane, tmp_path):
    proc = stilvane.start("/save", japanese=True)
    texts = stilvane.wait_dialog()
    if texts[0] == "Save desktop layout":
        stilvane.click("&No")
        Stilvane.finish(proc)
        pytest.skip("this Wine reports no Japanese UI language for LANG=ja_JP.UTF-8")
    assert texts[:2] == ["デスクトップの並びを保存", "現在のアイコンの位置を保存します。よろしいですか？"]
    wine.screenshot(tmp_path / "confirmation-ja.png")
    wine.xdotool("key", "Return")
    assert Stilvane.finish(proc) == 0

    proc = stilvane.start(japanese=True)
    stilvane.wait_toast()
    wine.screenshot(tmp_path / "usage-ja.png")
    stilvane.end_toast()
    assert Stilvane.finish(proc) == 1
