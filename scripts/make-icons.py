#!/usr/bin/env python3
"""Draws the programs' icons (simple geometric images) as 16x16 + 32x32 .ico files.

Run once after changing a drawing; the .ico files are committed beside the
resource scripts so that a build needs no Python.
"""
import struct
import sys
from pathlib import Path


def rounded_rect(x, y, size, inset, radius):
    lo, hi = inset, size - 1 - inset
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    # Inside the corner squares, keep only what lies within the corner circle.
    nx = min(max(x, lo + radius), hi - radius)
    ny = min(max(y, lo + radius), hi - radius)
    return (x - nx) ** 2 + (y - ny) ** 2 <= radius * radius


def palette_icon(size, x, y, dark_frame):
    """A window with a 2x2 grid of desktop tiles."""
    s = size / 32.0
    if not rounded_rect(x, y, size, 0, max(2, int(5 * s))):
        return None
    inner = int(3 * s)
    if x < inner or y < inner or x >= size - inner or y >= size - inner:
        return (0x30, 0x30, 0x38) if dark_frame else (0x3A, 0x6E, 0xD8)
    cell = (size - 2 * inner) / 2.0
    cx = (x - inner) % cell
    cy = (y - inner) % cell
    gap = max(1, int(2 * s))
    if cx < gap / 2 or cy < gap / 2 or cx >= cell - gap / 2 or cy >= cell - gap / 2:
        return (0xF4, 0xF6, 0xFA)
    col = int((x - inner) // cell) + 2 * int((y - inner) // cell)
    return [(0xF2, 0xB1, 0x34), (0x4C, 0xAF, 0x50), (0x29, 0x9B, 0xE6), (0xE5, 0x5B, 0x5B)][col % 4]


def layout_icon(size, x, y):
    """A desktop with icons in a column and a curved arrow: saved positions."""
    s = size / 32.0
    if not rounded_rect(x, y, size, 0, max(2, int(4 * s))):
        return None
    if x < int(2 * s) or y < int(2 * s) or x >= size - int(2 * s) or y >= size - int(2 * s):
        return (0x2E, 0x7D, 0x32)
    for row in range(3):
        top = int((5 + row * 8) * s)
        if int(5 * s) <= x < int(11 * s) and top <= y < top + int(5 * s):
            return (0xFF, 0xFF, 0xFF)
    if int(15 * s) <= x < int(27 * s) and abs(y - int(16 * s)) <= max(1, int(s)):
        return (0xFF, 0xEB, 0x3B)
    if int(22 * s) <= x < int(27 * s) and abs(y - int(16 * s)) <= (int(27 * s) - x):
        return (0xFF, 0xEB, 0x3B)
    return (0x43, 0xA0, 0x47)


def pin_icon(size, x, y):
    """A push pin over a taskbar strip."""
    s = size / 32.0
    if y >= int(24 * s):
        return (0x26, 0x32, 0x38)
    cx = size / 2.0
    if (x - cx) ** 2 + (y - 9 * s) ** 2 <= (7 * s) ** 2:
        return (0xD3, 0x2F, 0x2F)
    if abs(x - cx) <= max(0.5, s) and 9 * s <= y < 23 * s:
        return (0x90, 0x90, 0x90)
    return None


def bitmap(size, painter):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up DIB
        row = bytearray()
        for x in range(size):
            c = painter(size, x, y)
            row += bytes((0, 0, 0, 0)) if c is None else bytes((c[2], c[1], c[0], 0xFF))
        rows.append(bytes(row))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = bytes(mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def ico(painter):
    images = [bitmap(n, painter) for n in (16, 32)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, img in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    return out + b"".join(images)


def main():
    root = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "src")
    (root / "app" / "lumetra_app.ico").write_bytes(ico(lambda n, x, y: palette_icon(n, x, y, False)))
    (root / "app" / "lumetra_tray.ico").write_bytes(ico(lambda n, x, y: palette_icon(n, x, y, True)))
    (root / "layouttool" / "stilvane.ico").write_bytes(ico(layout_icon))
    (root / "pinlister" / "tackroll.ico").write_bytes(ico(pin_icon))


if __name__ == "__main__":
    main()
