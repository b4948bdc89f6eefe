#!/usr/bin/env python3
"""Draws the nine pictures beside the menu items, resources/menu/*.bmp: 16x16
pixels, 24-bit uncompressed Windows bitmaps, rows bottom-up and padded to four
bytes. The pictures are pixel art written out below, one letter a pixel.
Standard library only.

    python3 scripts/make-menu-bitmaps.py [output-folder]
"""
import os
import struct
import sys

SIZE = 16

# One letter per colour (RGB). The background is the classic menu grey, so
# that the pictures sit on the menu without a visible box.
PALETTE = {
    '.': (0xF0, 0xF0, 0xF0),  # background
    'K': (0x28, 0x28, 0x30),  # outline
    'W': (0xFF, 0xFF, 0xFF),  # paper, plastic
    'w': (0xE4, 0xE6, 0xEC),  # shaded paper
    'g': (0xC8, 0xCA, 0xD0),  # light grey
    'G': (0x96, 0x98, 0xA0),  # grey
    'D': (0x5A, 0x5C, 0x64),  # dark grey
    'L': (0x98, 0xA8, 0xC8),  # lines of text on paper
    'Y': (0xFF, 0xD8, 0x50),  # folder front
    'y': (0xE8, 0xB0, 0x30),  # folder back
    'O': (0x98, 0x68, 0x10),  # folder outline
    'B': (0x28, 0x4C, 0xA8),  # floppy body, shirt
    'b': (0x50, 0x80, 0xD8),  # light blue
    'S': (0xC8, 0xCC, 0xD4),  # metal
    's': (0x88, 0x8C, 0x98),  # metal, shaded
    'l': (0x18, 0x24, 0x50),  # lens glass
    'P': (0xF4, 0x9C, 0xB0),  # eraser rubber
    'p': (0xC8, 0x60, 0x7C),  # eraser rubber, shaded
    'N': (0xB8, 0x78, 0x38),  # clipboard board
    'n': (0x80, 0x50, 0x20),  # clipboard outline
    'F': (0xF8, 0xCC, 0xA0),  # skin
    'f': (0xD8, 0xA0, 0x70),  # skin, shaded
    'H': (0x6C, 0x40, 0x1C),  # hair
    'r': (0xC0, 0x60, 0x58),  # lips
}

PICTURES = {
    # 800 "Nuevo": a blank sheet with its top-right corner folded over.
    'nuevo': [
        '................',
        '..KKKKKKKKK.....',
        '..KWWWWWWWKK....',
        '..KWWWWWWWKgK...',
        '..KWWWWWWWKggK..',
        '..KWWWWWWWKgggK.',
        '..KWWWWWWWKKKKK.',
        '..KWWWWWWWWWWWK.',
        '..KWWWWWWWWWWWK.',
        '..KWWWWWWWWWWWK.',
        '..KWWWWWWWWWWWK.',
        '..KWWWWWWWWWWWK.',
        '..KWWWWWWWWWWWK.',
        '..KWWWWWWWWWWwK.',
        '..KKKKKKKKKKKKK.',
        '................',
    ],
    # 801 "Abrir fichero": an open folder, its front flap tilted forward.
    'abrir': [
        '................',
        '................',
        '.OOOO...........',
        'OyyyyO..........',
        'OyyyyyOOOOOOO...',
        'OyyyyyyyyyyyyO..',
        'OyyyyyyyyyyyyO..',
        'OyyyOOOOOOOOOOOO',
        'OyyOYYYYYYYYYYYO',
        'OyyOYYYYYYYYYYO.',
        'OyOYYYYYYYYYYYO.',
        'OyOYYYYYYYYYYO..',
        'OOYYYYYYYYYYYO..',
        'OOYYYYYYYYYYO...',
        'OOOOOOOOOOOOO...',
        '................',
    ],
    # 802 "Grabar": a floppy disk with its metal shutter and label.
    'grabar': [
        '................',
        '.KKKKKKKKKKKKK..',
        '.KBBSSSSSSSSBBK.',
        '.KBBSSSDDSSSBBK.',
        '.KBBSSSDDSSSBBK.',
        '.KBBSSSDDSSSBBK.',
        '.KBBsssssssssBK.',
        '.KBBBBBBBBBBBBK.',
        '.KBWWWWWWWWWWBK.',
        '.KBWLLLLLLLLWBK.',
        '.KBWWWWWWWWWWBK.',
        '.KBWLLLLLLLLWBK.',
        '.KBWWWWWWWWWWBK.',
        '.KBWWWWWWWWWWBK.',
        '.KKKKKKKKKKKKKK.',
        '................',
    ],
    # 803 "Fotocopia": a camera with its lens, viewfinder and flash.
    'fotocopia': [
        '................',
        '................',
        '................',
        '.....KKKKKK.....',
        '.KK.KDDDDDDK....',
        'KKKKKKKKKKKKKKKK',
        'KGGGGGGGGGGGWWWK',
        'KGGGGKKKKKKGGGGK',
        'KDDDKsSSSSsKDDDK',
        'KDDKSlbllllSKDDK',
        'KDDKSbllllLSKDDK',
        'KDDKSllllllSKDDK',
        'KDDDKsSSSSsKDDDK',
        'KGGGGKKKKKKGGGGK',
        '.KKKKKKKKKKKKKK.',
        '................',
    ],
    # 804 "Autor": a person, head and shoulders.
    'autor': [
        '................',
        '......KKKK......',
        '.....KHHHHK.....',
        '....KHHHHHHK....',
        '....KHFFFFHK....',
        '....KFKFFKFK....',
        '....KFFFFFFK....',
        '....KfFrrFfK....',
        '.....KfFFfK.....',
        '......KFFK......',
        '...KKKBFFBKKK...',
        '..KBBBBWWBBBBK..',
        '.KBBBBBBBBBBBBK.',
        '.KBBBBBBBBBBBBK.',
        '.KBBBBBBBBBBBBK.',
        '.KKKKKKKKKKKKKK.',
    ],
    # 812 "Copiar": two sheets, one over the other.
    'copiar': [
        'KKKKKKKKK.......',
        'KWWWWWWWK.......',
        'KWLLLLLWK.......',
        'KWWWWWWWK.......',
        'KWLLLLKKKKKKKKK.',
        'KWWWWWKWWWWWWWK.',
        'KWLLLLKWLLLLLWK.',
        'KWWWWWKWWWWWWWK.',
        'KWLLLLKWLLLLLWK.',
        'KKKKKKKWWWWWWWK.',
        '......KWLLLLLWK.',
        '......KWWWWWWWK.',
        '......KWLLLLLWK.',
        '......KWWWWWWWK.',
        '......KKKKKKKKK.',
        '................',
    ],
    # 813 "Pegar": a clipboard with a sheet laid on it.
    'pegar': [
        '.....KKKK.......',
        '.nnnKSSSSKnnn...',
        'nNNKSSKKSSKNNn..',
        'nNNKKKKKKKKNNn..',
        'nNNNNNNNNNNNNn..',
        'nNNNNNKKKKKKKKKK',
        'nNNNNNKWWWWWWWWK',
        'nNNNNNKWLLLLLLWK',
        'nNNNNNKWWWWWWWWK',
        'nNNNNNKWLLLLLLWK',
        'nNNNNNKWWWWWWWWK',
        'nNNNNNKWLLLLLLWK',
        'nNNNNNKWWWWWWWWK',
        'nnnnnnKWLLLWWWWK',
        '......KWWWWWWWWK',
        '......KKKKKKKKKK',
    ],
    # 814 "Borrar": an eraser lying aslant, rubber end down-left.
    'borrar': [
        '................',
        '................',
        '..........KKK...',
        '.........KbbbK..',
        '........KbbbbbK.',
        '.......KbbbbbbBK',
        '......KPbbbbbBBK',
        '.....KPPPbbbBBK.',
        '....KPPPPPbBBK..',
        '...KPPPPPPKBK...',
        '..KPPPPPPpKK....',
        '..KPPPPPpKK.....',
        '..KpPPPpKK......',
        '...KppKK........',
        '....KK..........',
        '................',
    ],
    # 809 "Izquierda", "Derecha": a computer mouse with its cord.
    'raton': [
        '..........KK....',
        '.........K......',
        '........K.......',
        '........K.......',
        '.....KKKKKKK....',
        '....KWWWKWWWK...',
        '...KWWWWKWWWgK..',
        '...KWWWWKWWWgK..',
        '...KKKKKKKKKKK..',
        '...KWWWWWWWWgK..',
        '...KWWWWWWWWgK..',
        '...KWWWWWWWWgK..',
        '...KWWWWWWWggK..',
        '....KWWWWWggK...',
        '.....KgggggK....',
        '......KKKKK.....',
    ],
}


def bitmap_file(rows):
    assert len(rows) == SIZE and all(len(r) == SIZE for r in rows), rows
    stride = (SIZE * 3 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for letter in row:
            r, g, b = PALETTE[letter]
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    info = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header + info + bytes(pixels)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'menu')
    os.makedirs(out, exist_ok=True)
    for name, rows in PICTURES.items():
        path = os.path.join(out, name + '.bmp')
        data = bitmap_file(rows)
        with open(path, 'wb') as f:
            f.write(data)
        print(f'{os.path.normpath(path)}: {len(data)} bytes')


if __name__ == '__main__':
    main()
