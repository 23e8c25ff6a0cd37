"""Tackroll's stored files at their edges: a huge cache under a stamp that
still matches, and temporary files that earlier runs left behind."""

import pytest

from tackroll_world import TackrollWorld


@pytest.fixture
def world(wine):
    world = TackrollWorld(wine)
    world.reset()
    return world


def test_a_huge_cache_under_a_matching_stamp_is_enumerated_and_stored_anew(world):
    first, second = world.app("First.exe"), world.app("Second.exe")
    world.set_pins([first], counter=1)
    world.run()
    stamp = world.stamp.read_bytes()
    world.set_pins([first, second], counter=1)  # the stamp still matches
    with open(world.cache, "wb") as cache:
        cache.truncate(17 << 20)  # 17 MiB of zeros

    result = world.run()
    listed = world.lines(result)  # also: nothing on standard error
    assert [line.split("|")[0] for line in listed] == ["First.exe", "Second.exe"], \
        f"enumerated, not the {len(result.stdout)} stored bytes"
    assert world.cache.read_bytes() == result.stdout
    assert world.stamp.read_bytes() == stamp


def test_saving_removes_the_temporary_files_of_earlier_runs(world):
    world.set_pins([world.app("First.exe")], counter=1)
    world.data_folder.mkdir(parents=True)
    for name in ("taskbar_pins.cache.4242.tmp", "taskbar_pins.stamp.17.tmp", "notes.tmp"):
        (world.data_folder / name).write_bytes(b"half written")
    world.lines(world.run())
    assert sorted(p.name for p in world.data_folder.iterdir()) == [
        "notes.tmp", "taskbar_pins.cache", "taskbar_pins.stamp"]
