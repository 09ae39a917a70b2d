#!/usr/bin/env python3
"""Writes the menu's icon (ostrel.ico, 32x32 and 16x16) and its pointer
(pointer.cur, 32x32, a hand with its hot spot at the finger tip) as small
uncompressed Windows resources. Run from any folder; writes beside itself."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def dib(width, height, pixels, mask):
    """32-bit BGRA image plus 1-bit AND mask, as stored in .ico/.cur files.
    pixels[y][x] = (b, g, r, a) top-down; mask[y][x] = 1 transparent."""
    header = struct.pack('<IiiHHIIiiII', 40, width, height * 2, 1, 32, 0,
                         width * height * 4, 0, 0, 0, 0)
    body = b''
    for y in reversed(range(height)):
        for x in range(width):
            body += bytes(pixels[y][x])
    stride = ((width + 31) // 32) * 4
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            if mask[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        body += bytes(row)
    return header + body


def container(kind, images):
    """images: list of (width, height, hotx_or_planes, hoty_or_bits, data)."""
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for w, h, a, b, data in images:
        out += struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, a, b, len(data), offset)
        offset += len(data)
    for *_, data in images:
        out += data
    return out


def disc_icon(size):
    """A silver disc with a blue centre on transparent ground."""
    pixels, mask = [], []
    c = (size - 1) / 2.0
    for y in range(size):
        prow, mrow = [], []
        for x in range(size):
            d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            r = size / 2.0
            if d > r - 0.5:
                prow.append((0, 0, 0, 0)); mrow.append(1)
            elif d < r * 0.18:
                prow.append((0, 0, 0, 0)); mrow.append(1)
            elif d < r * 0.38:
                prow.append((200, 90, 30, 255)); mrow.append(0)
            else:
                shade = 150 + int(90 * (x + y) / (2.0 * size))
                prow.append((shade, shade, min(255, shade + 10), 255)); mrow.append(0)
        pixels.append(prow); mask.append(mrow)
    return dib(size, size, pixels, mask)


HAND = [
    "     ##                 ",
    "    #..#                ",
    "    #..#                ",
    "    #..#                ",
    "    #..###              ",
    "    #..#..###           ",
    "    #..#..#..##         ",
    " ## #..#..#..#.#        ",
    "#..##..#..#..#..#       ",
    "#...#..........#.#      ",
    " #..#............#      ",
    "  #..............#      ",
    "  #..............#      ",
    "   #............#       ",
    "   #............#       ",
    "    #..........#        ",
    "    #..........#        ",
    "    ############        ",
]


def hand_cursor():
    size = 32
    pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]
    mask = [[1] * size for _ in range(size)]
    for y, line in enumerate(HAND):
        for x, ch in enumerate(line):
            if ch == '#':
                pixels[y][x] = (0, 0, 0, 255); mask[y][x] = 0
            elif ch == '.':
                pixels[y][x] = (255, 255, 255, 255); mask[y][x] = 0
    return dib(size, size, pixels, mask)


def main():
    with open(os.path.join(HERE, 'ostrel.ico'), 'wb') as f:
        f.write(container(1, [(32, 32, 1, 32, disc_icon(32)), (16, 16, 1, 32, disc_icon(16))]))
    with open(os.path.join(HERE, 'pointer.cur'), 'wb') as f:
        f.write(container(2, [(32, 32, 5, 0, hand_cursor())]))


if __name__ == '__main__':
    main()
