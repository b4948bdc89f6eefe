#!/usr/bin/env python3
"""Draws the program icon, resources/zanor.ico: a small calendar page (white
sheet, red header band over a blue stripe, four columns of day cells with the
Sunday row tinted). 16x16, 32x32 and 48x48 images, 32-bit BGRA with an AND
mask. Standard library only.

    python3 scripts/make-icon.py [output.ico]
"""
import os
import struct
import sys

TRANSPARENT = (0, 0, 0, 0)
BORDER = (0x40, 0x40, 0x48, 255)
SHEET = (255, 255, 255, 255)
RED = (0xD0, 0x2C, 0x2C, 255)
RED_DARK = (0xA0, 0x1C, 0x1C, 255)
BLUE = (0x2F, 0x5F, 0xD0, 255)
RING = (0x30, 0x40, 0x70, 255)
GRID = (0xB4, 0xB8, 0xC0, 255)
SUNDAY = (0xF8, 0xD0, 0xD0, 255)
SHADOW = (0, 0, 0, 70)


def draw(size):
    px = [[TRANSPARENT] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):  # inclusive corners
        for y in range(max(y0, 0), min(y1, size - 1) + 1):
            for x in range(max(x0, 0), min(x1, size - 1) + 1):
                px[y][x] = colour

    unit = size / 16.0
    rings = size >= 32
    left = 0 if size < 32 else round(unit)
    right = size - 1 - (0 if size < 32 else round(unit) + 1)
    top = round(unit * 2) if rings else 1
    bottom = size - 1 - (0 if size < 32 else round(unit) + 1)

    if size >= 32:  # a soft shadow to the right and below
        rect(left + 2, top + 2, right + 2, bottom + 2, SHADOW)

    rect(left, top, right, bottom, BORDER)
    rect(left + 1, top + 1, right - 1, bottom - 1, SHEET)

    band = max(3, round(size * 0.25))
    rect(left + 1, top + 1, right - 1, top + band, RED)
    if size >= 32:
        rect(left + 1, top + band, right - 1, top + band, RED_DARK)
    stripe = 1 if size < 32 else max(2, round(unit))
    stripe_top = top + band + 1
    rect(left + 1, stripe_top, right - 1, stripe_top + stripe - 1, BLUE)

    if rings:  # two binder rings above the band
        w = max(2, round(unit))
        for cx in (left + (right - left) // 4, right - (right - left) // 4):
            rect(cx - w // 2, top - round(unit * 1.5), cx - w // 2 + w - 1, top + round(unit * 1.5), RING)

    # Four months side by side, one column of day cells each.
    grid_top = stripe_top + stripe
    grid_left, grid_right, grid_bottom = left + 1, right - 1, bottom - 1
    cols = 4
    rows = 3 if size < 32 else (4 if size < 48 else 5)
    xs = [grid_left + round(i * (grid_right - grid_left + 1) / cols) for i in range(cols + 1)]
    ys = [grid_top + round(i * (grid_bottom - grid_top + 1) / rows) for i in range(rows + 1)]
    sunday = rows - 2
    for c in range(cols):
        rect(xs[c], ys[sunday], xs[c + 1] - 1, ys[sunday + 1] - 1, SUNDAY)
    for x in xs[1:-1]:
        rect(x, grid_top, x, grid_bottom, GRID)
    for y in ys[1:-1]:
        rect(grid_left, y, grid_right, y, GRID)
    return px


def image_entry(size):
    px = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for y in reversed(range(size)):  # rows bottom-up
        for (r, g, b, a) in px[y]:
            colour += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(px[y]):
            if a == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    data = header + bytes(colour) + bytes(mask)
    return size, data


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'zanor.ico')
    images = [image_entry(s) for s in (16, 32, 48)]
    blob = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        blob += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        blob += data
    with open(out, 'wb') as f:
        f.write(blob)
    print(f'{os.path.normpath(out)}: {len(blob)} bytes')


if __name__ == '__main__':
    main()
