"""A fault that nothing in Lumetra handles: the running program is made to
fault from outside (a thread started in it at an address where nothing is
mapped), with nothing in the program written for the test. It leaves a
minidump of that fault in its data folder and ends without any dialog; with
its data folder gone, it leaves nothing and still ends. The programs ship
without their symbols, which wait beside them for whoever reads a dump."""

import datetime
import re
import shutil
import struct
import zlib

import pytest

from lumetra_app import MAIN_CLASS
from wine_session import BIN, PROGRAMS, WineSession

ACCESS_VIOLATION = 0xC0000005
FAULT_ADDRESS = 0x10  # where the probe starts the thread
THREAD_LIST, MODULE_LIST, EXCEPTION = 3, 4, 6
MINIDUMP_WITH_DATA_SEGS = 0x1


@pytest.fixture(scope="module")
def wine():
    """A session of its own: a program that crashed never took its tray icon
    away, and the tray tests expect theirs to be the only one."""
    session = WineSession()
    try:
        yield session
    finally:
        session.close()


class Minidump:
    """The parts of a minidump the tests read: header, stream directory,
    exception, threads and module names."""

    def __init__(self, data):
        self.data = data
        signature, version, count, directory = struct.unpack_from("<4sIII", data, 0)
        assert signature == b"MDMP", data[:16]
        assert version & 0xFFFF == 0xA793, hex(version)
        self.flags, = struct.unpack_from("<Q", data, 24)
        self.streams = {}
        for i in range(count):
            kind, size, rva = struct.unpack_from("<III", data, directory + 12 * i)
            self.streams[kind] = (rva, size)

    def exception(self):
        rva, _ = self.streams[EXCEPTION]
        thread, _, code, flags, _, address, count = struct.unpack_from("<IIIIQQI", data := self.data, rva)
        parameters = struct.unpack_from(f"<{count}Q", data, rva + 40) if count else ()
        return {"thread": thread, "code": code, "address": address, "parameters": parameters}

    def thread_ids(self):
        rva, _ = self.streams[THREAD_LIST]
        count, = struct.unpack_from("<I", self.data, rva)
        return {struct.unpack_from("<I", self.data, rva + 4 + 48 * i)[0] for i in range(count)}

    def module_names(self):
        rva, _ = self.streams[MODULE_LIST]
        count, = struct.unpack_from("<I", self.data, rva)
        names = []
        for i in range(count):
            name_rva, = struct.unpack_from("<I", self.data, rva + 4 + 108 * i + 20)
            length, = struct.unpack_from("<I", self.data, name_rva)
            names.append(self.data[name_rva + 4:name_rva + 4 + length].decode("utf-16-le"))
        return names


def crash(wine):
    """Faults the running Lumetra; returns the probe's account of its end."""
    answer = wine.probe("crash", MAIN_CLASS, 30000)
    assert answer["exited"], f"Lumetra still runs after the fault (a dialog, or a hang): {answer}"
    assert answer["newWindows"] == [], f"a window came up as it ended: {answer['newWindows']}"
    assert answer["exitCode"] == ACCESS_VIOLATION, f"ended by the fault, {answer}"
    return answer


def dumps_below(folder):
    return sorted(folder.rglob("crash-*.dmp")) if folder.exists() else []


def test_an_unhandled_fault_leaves_its_minidump_and_ends_quietly(wine, lumetra):
    before = datetime.datetime.now().replace(microsecond=0)
    lumetra.start()
    answer = crash(wine)
    assert lumetra.process.wait(30) is not None
    after = datetime.datetime.now()

    dumps = dumps_below(wine.appdata)
    assert [d.parent for d in dumps] == [lumetra.data_folder], dumps
    match = re.fullmatch(r"crash-(\d{8}-\d{6})\.dmp", dumps[0].name)
    assert match, dumps[0].name
    stamp = datetime.datetime.strptime(match[1], "%Y%m%d-%H%M%S")
    assert before <= stamp <= after, f"local time of the fault in the name: {stamp}"

    dump = Minidump(dumps[0].read_bytes())
    fault = dump.exception()
    assert fault["code"] == ACCESS_VIOLATION
    assert fault["thread"] == answer["thread"], "the faulting thread is the one the probe started"
    assert fault["address"] == FAULT_ADDRESS
    assert answer["thread"] in dump.thread_ids()
    assert dump.flags & MINIDUMP_WITH_DATA_SEGS, hex(dump.flags)
    assert any(name.lower().endswith("\\lumetra.exe") for name in dump.module_names()), dump.module_names()


def test_without_its_data_folder_it_leaves_nothing_and_still_ends(wine, lumetra):
    lumetra.start()
    # Gone while it runs: the dump goes only into the folder below it, which
    # it cannot create any more.
    shutil.rmtree(wine.appdata / "veltor")
    crash(wine)
    assert lumetra.process.wait(30) is not None
    assert dumps_below(wine.appdata) == []
    assert not (wine.appdata / "veltor").exists(), "nothing was created on the way out"


def pe_sections(data):
    """(symbol table count, {section name: bytes}) of a PE image; long
    section names ("/4") are looked up in the string table after the symbols."""
    pe, = struct.unpack_from("<I", data, 0x3C)
    assert data[pe:pe + 4] == b"PE\0\0"
    count, = struct.unpack_from("<H", data, pe + 6)
    symbols_at, symbols = struct.unpack_from("<II", data, pe + 12)
    optional_size, = struct.unpack_from("<H", data, pe + 20)
    strings = symbols_at + 18 * symbols
    sections = {}
    for i in range(count):
        at = pe + 24 + optional_size + 40 * i
        name = data[at:at + 8].rstrip(b"\0")
        if name.startswith(b"/") and symbols_at:
            offset = strings + int(name[1:])
            name = data[offset:data.index(b"\0", offset)]
        raw_size, raw_pointer = struct.unpack_from("<II", data, at + 16)
        sections[name.decode()] = data[raw_pointer:raw_pointer + raw_size]
    return symbols, sections


@pytest.mark.parametrize("program", PROGRAMS)
def test_programs_ship_stripped_with_a_link_to_their_symbols(program):
    symbols, sections = pe_sections((BIN / program).read_bytes())
    assert symbols == 0, "no symbol table in the shipped program"
    assert not [name for name in sections if name.startswith(".debug")], sections.keys()

    link = sections[".gnu_debuglink"]
    name = link[:link.index(b"\0")].decode()
    assert name == program + ".debug"
    crc, = struct.unpack_from("<I", link, (len(name) + 4) & ~3)
    debug = (BIN / name).read_bytes()
    assert zlib.crc32(debug) == crc, "the link names this very file"
    assert pe_sections(debug)[0] > 0, "the symbols are in it"
