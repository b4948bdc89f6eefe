#!/usr/bin/env python3
"""Draws the seven frames of the About dialog's animation (icons 701..707,
32 x 32, 16 colours): a calendar page on which a marker walks through the
days of one week while a small sun rises and sets above it."""
import struct
from pathlib import Path

OUT = Path(__file__).resolve().parent.parent / "resources" / "about"

# The 16-colour VGA palette, as (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARKRED, GREY, LIGHTGREY, RED, YELLOW, BLUE, WHITE, NAVY = 0, 1, 8, 7, 9, 11, 12, 15, 4
CLEAR = None


def frame(n):
    px = [[CLEAR] * 32 for _ in range(32)]

    def put(x, y, c):
        if 0 <= x < 32 and 0 <= y < 32:
            px[y][x] = c

    def rect(x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                put(x, y, c)

    # The sun: rises over frames 0..3 and sets over 4..6, left to right.
    sx = 5 + n * 3
    sy = [9, 6, 4, 3, 4, 6, 9][n]
    for dy in range(-3, 4):
        for dx in range(-3, 4):
            if dx * dx + dy * dy <= 9:
                put(sx + dx, sy + dy, YELLOW)
    for dx, dy in ((0, -5), (0, 5), (-5, 0), (5, 0), (4, 4), (-4, -4), (4, -4), (-4, 4)):
        put(sx + dx, sy + dy, YELLOW)

    # The page: a red header band with two rings, a white sheet with a grid.
    rect(2, 12, 29, 30, WHITE)
    rect(2, 12, 29, 16, RED)
    for x in (9, 22):
        rect(x, 10, x + 1, 13, GREY)
    for x in range(2, 30):
        put(x, 30, GREY)
    for y in range(12, 31):
        put(2, y, GREY)
        put(29, y, GREY)
    for row in range(3):
        for col in range(7):
            x = 4 + col * 3 + (col // 1) * 0
            y = 19 + row * 4
            rect(x, y, x + 1, y + 1, LIGHTGREY)
    # Today's square walks along the middle week.
    x = 4 + n * 3
    rect(x - 1, 22, x + 2, 25, BLUE)
    # Sunday of each week in red.
    for row in range(3):
        rect(22, 19 + row * 4, 23, 20 + row * 4, DARKRED if n != 6 or row != 1 else BLUE)
    return px


def ico(px):
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor = bytearray()
    andmask = bytearray()
    for y in range(31, -1, -1):  # bottom-up
        row = px[y]
        for x in range(0, 32, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if row[x + 1] is not None else 0
            xor.append((hi << 4) | lo)
        bits = 0
        for x in range(32):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        andmask += struct.pack(">I", bits)
    image = header + palette + bytes(xor) + bytes(andmask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 22)
    return directory + image


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    for n in range(7):
        (OUT / f"frame{n + 1}.ico").write_bytes(ico(frame(n)))


if __name__ == "__main__":
    main()
