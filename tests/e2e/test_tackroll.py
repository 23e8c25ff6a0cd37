"""Tackroll as a user runs it: the pinned applications as UTF-8 lines, the
cache that serves them while nothing changed, the stamp, and the exit codes."""

import os
import time

import pytest

from tackroll_world import TackrollWorld


@pytest.fixture(scope="module")
def world_once(wine):
    return TackrollWorld(wine)


@pytest.fixture
def world(world_once):
    world_once.reset()
    return world_once


def folder_stamp(world, counter):
    """The stamp the files of the pinned folder and the counter give now."""
    files = [p for p in world.pinned_folder.glob("*.lnk") if p.is_file()]
    if not files:
        return f"no-folder|comchg={counter}"
    newest = max(os.stat(p).st_mtime_ns // 100 + 116444736000000000 for p in files)
    return f"{world.win(world.pinned_folder)}|{newest}|{len(files)}|comchg={counter}"


def test_pinned_items_print_as_clean_utf8_lines_without_repeated_targets(world):
    cafe = world.app("Caf\u00e9.exe")
    tea = world.app("Tea \u2615.exe")
    bar = world.app("left|right.exe")
    broken = world.app("two\nlines.exe")
    tool = world.app("Tool.exe")
    hidden = world.app("Hidden.exe")
    # Wine keeps a shortcut's path in the ANSI code page: no emoji in linked targets.
    links = world.pin_shortcuts({"Caf\u00e9.lnk": cafe, "Tool.lnk": tool})
    world.set_pins([cafe, tea, bar, hidden, broken, tool, tool.upper()], rejected=[hidden],
                   counter=7)

    result = world.run()
    assert world.lines(result) == [
        f"Caf\u00e9.exe|{cafe}|" + links["Caf\u00e9.lnk"],
        f"Tea \u2615.exe|{tea}|{tea}",
        f"left right.exe|{bar.replace('|', ' ')}|{bar.replace('|', ' ')}",
        f"two lines.exe|{broken.replace(chr(10), ' ')}|{broken.replace(chr(10), ' ')}",
        f"Tool.exe|{tool}|" + links["Tool.lnk"],
    ], "the keep test's reject and the second Tool (other case) are left out"
    assert "Caf\u00e9".encode("utf-8") in result.stdout and "\u2615".encode("utf-8") in result.stdout
    assert b"\r" not in result.stdout
    assert world.cache.read_bytes() == result.stdout
    assert world.stamp.read_bytes() == folder_stamp(world, 7).encode("utf-8")


def test_the_second_run_serves_the_cache_while_the_stamp_holds(world):
    first, second = world.app("First.exe"), world.app("Second.exe")
    world.pin_shortcuts({"First.lnk": first})
    world.set_pins([first], counter=3)
    listed = world.lines(world.run())
    assert len(listed) == 1

    world.set_pins([first, second], counter=3)  # the pin list moves, its counter does not
    assert world.lines(world.run()) == listed, "served from the cache"
    world.stamp.write_bytes(world.stamp.read_bytes() + b"\r\n")
    assert world.lines(world.run()) == listed, "a stamp file ending in CR LF still matches"


def _new_counter(world):
    world.set_pins(world.items, counter=5)


def _touch(world):
    later = time.time() + 3600
    os.utime(world.pinned_folder / "First.lnk", (later, later))


def _add(world):
    world.pin_shortcuts({"Other.lnk": world.app("Other.exe")})


def _remove(world):
    (world.pinned_folder / "First.lnk").unlink()


@pytest.mark.parametrize("change", [_new_counter, _touch, _add, _remove],
                         ids=["new counter", "touched shortcut", "added shortcut", "removed shortcut"])
def test_a_pin_change_defeats_the_cache(world, change):
    first = world.app("First.exe")
    world.pin_shortcuts({"First.lnk": first})
    world.items = [first]
    world.set_pins(world.items, counter=4)
    world.run()
    old_stamp = world.stamp.read_bytes()

    world.items = [first, world.app("Second.exe")]
    world.set_pins(world.items, counter=4)
    change(world)
    listed = world.lines(world.run())
    assert [line.split("|")[0] for line in listed] == ["First.exe", "Second.exe"], "enumerated anew"
    assert world.stamp.read_bytes() != old_stamp


def test_refresh_enumerates_even_under_a_matching_stamp(world):
    first, second = world.app("First.exe"), world.app("Second.exe")
    world.set_pins([first], counter=2)
    world.run()
    world.set_pins([second], counter=2)
    assert world.lines(world.run("--Refresh"))[0].startswith("Second.exe|")
    assert world.cache.read_bytes().startswith(b"Second.exe|")


def test_stamp_mode_prints_the_stamp_alone_and_writes_nothing(world):
    world.set_pins([world.app("First.exe")], counter=9)
    result = world.run("--stamp")
    assert result.returncode == 0 and result.stderr == b""
    assert result.stdout == b"no-folder|comchg=9\n", "no shortcut in the pinned folder"
    assert not world.data_folder.exists(), "no files, not even the data folder"

    world.pin_shortcuts({"First.lnk": world.app("First.exe")})
    both = world.run("--REFRESH", "--Stamp")
    assert both.returncode == 0
    assert both.stdout == folder_stamp(world, 9).encode("utf-8") + b"\n"
    assert not world.data_folder.exists(), "--stamp wins over --refresh"


def test_exit_codes_when_standard_output_fails(world):
    world.set_pins([world.app("First.exe")])
    with open("/dev/full", "wb") as full:
        assert world.run("--stamp", stdout=full).returncode == 1
        listed = world.run(stdout=full)
    assert listed.returncode == 0 and listed.stderr == b"", "the list modes always end with 0"
    assert world.cache.read_bytes().startswith(b"First.exe|"), "the cache is written all the same"


def test_an_empty_enumeration_prints_nothing_and_keeps_the_files(world):
    world.set_pins([world.app("First.exe")], counter=1)
    world.run()
    cache, stamp = world.cache.read_bytes(), world.stamp.read_bytes()
    world.set_pins([], counter=2)
    result = world.run()
    assert result.returncode == 0 and result.stdout == b"" and result.stderr == b""
    assert world.cache.read_bytes() == cache and world.stamp.read_bytes() == stamp


@pytest.mark.parametrize("damage", ["corrupt stamp", "empty cache", "unreadable cache"])
def test_a_damaged_cache_falls_back_to_enumeration(world, damage):
    first, second = world.app("First.exe"), world.app("Second.exe")
    world.set_pins([first], counter=1)
    world.run()
    world.set_pins([first, second], counter=1)
    if damage == "corrupt stamp":
        world.stamp.write_bytes(b"\x00\xff garbage")
    elif damage == "empty cache":
        world.cache.write_bytes(b"")
    else:
        world.cache.unlink()
        world.cache.mkdir()  # a folder where the file should be
    listed = world.lines(world.run())
    assert [line.split("|")[0] for line in listed] == ["First.exe", "Second.exe"]
    if damage == "unreadable cache":
        assert not world.stamp.exists(), "a cache that could not be stored leaves no stamp behind"
        assert world.lines(world.run()) == listed
    else:
        assert world.cache.read_bytes() == "\n".join(listed + [""]).encode("utf-8")


def test_without_appdata_no_shortcut_is_found_and_the_folder_is_unknown(world):
    tool, linked = world.app("Tool.exe"), world.pin_shortcuts({"Tool.lnk": world.app("Tool.exe")})
    world.set_pins([tool], counter=6)
    assert world.lines(world.run("--refresh")) == [f"Tool.exe|{tool}|{linked['Tool.lnk']}"]

    result = world.run_without_appdata("--refresh")
    assert world.lines(result) == [f"Tool.exe|{tool}|{tool}"], "the third field is the target"
    stamp = world.run_without_appdata("--stamp")
    assert stamp.returncode == 0 and stamp.stdout == b"no-folder|comchg=6\n"


def test_a_fallback_interface_lists_every_item_and_counts_zero(world):
    kept, rejected = world.app("Kept.exe"), world.app("Rejected.exe")
    world.set_pins([kept, rejected], rejected=[rejected], counter=8, interface="fallback 2")
    assert [line.split("|")[0] for line in world.lines(world.run())] == ["Kept.exe", "Rejected.exe"]
    assert world.run("--stamp").stdout == b"no-folder|comchg=0\n"


def test_no_pin_list_interface_prints_nothing(world):
    world.set_pins([world.app("First.exe")], interface="none")
    result = world.run()
    assert result.returncode == 0 and result.stdout == b"" and result.stderr == b""
    assert not world.cache.exists()


def test_the_last_item_handed_out_with_s_false_is_still_listed(world):
    first, last = world.app("First.exe"), world.app("Last.exe")
    world.set_pins([first, last], last_with_s_false=True)
    assert [line.split("|")[0] for line in world.lines(world.run())] == ["First.exe", "Last.exe"]
