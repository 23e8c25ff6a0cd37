"""The programs import only DLLs that the loader always takes from the system:
a DLL of any other name planted beside an executable (a Downloads folder, a
shared folder) would otherwise run inside it at every start.

The import tables are read here straight from the PE files, independently of
the toolchain that wrote them."""
import struct

import pytest

from wine_session import BIN

# The known DLLs of Windows 10, which the loader maps from System32 whatever
# the search order, and comctl32, which the programs' manifests bind to the
# system's side-by-side version 6.
SYSTEM_ONLY = {
    "advapi32.dll", "clbcatq.dll", "combase.dll", "comdlg32.dll", "coml2.dll",
    "gdi32.dll", "gdiplus.dll", "imagehlp.dll", "imm32.dll", "kernel32.dll",
    "msctf.dll", "msvcrt.dll", "normaliz.dll", "nsi.dll", "ole32.dll",
    "oleaut32.dll", "psapi.dll", "rpcrt4.dll", "sechost.dll", "setupapi.dll",
    "shcore.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "wldap32.dll",
    "ws2_32.dll", "ntdll.dll", "comctl32.dll",
}


def imported_dlls(path):
    data = path.read_bytes()
    assert data[:2] == b"MZ", f"{path.name} is not a PE file"
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0"
    sections_count, = struct.unpack_from("<H", data, pe + 6)
    optional_size, = struct.unpack_from("<H", data, pe + 20)
    optional = pe + 24
    assert struct.unpack_from("<H", data, optional)[0] == 0x20B, "not a 64-bit image"
    import_rva, import_size = struct.unpack_from("<II", data, optional + 112 + 8)
    delay_rva, _ = struct.unpack_from("<II", data, optional + 112 + 13 * 8)
    sections = []
    for i in range(sections_count):
        at = optional + optional_size + 40 * i
        virtual_size, virtual_address, raw_size, raw_pointer = struct.unpack_from("<IIII", data, at + 8)
        sections.append((virtual_address, max(virtual_size, raw_size), raw_pointer))

    def offset(rva):
        for start, size, raw in sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise AssertionError(f"RVA {rva:#x} outside every section of {path.name}")

    def name_at(rva):
        at = offset(rva)
        return data[at:data.index(b"\0", at)].decode("ascii").lower()

    names = []
    at = offset(import_rva)
    while True:
        descriptor = struct.unpack_from("<IIIII", data, at)
        if descriptor == (0, 0, 0, 0, 0):
            break
        names.append(name_at(descriptor[3]))
        at += 20
    if delay_rva:
        at = offset(delay_rva)
        while True:
            descriptor = struct.unpack_from("<8I", data, at)
            if descriptor[1] == 0:
                break
            names.append(name_at(descriptor[1]))
            at += 32
    assert import_size > 0 and names, f"{path.name} imports nothing"
    return names


@pytest.mark.parametrize("program", ["Lumetra.exe", "Stilvane.exe", "Tackroll.exe"])
def test_programs_import_only_dlls_the_system_provides(program):
    dlls = imported_dlls(BIN / program)
    assert "kernel32.dll" in dlls
    assert sorted(set(dlls) - SYSTEM_ONLY) == []
