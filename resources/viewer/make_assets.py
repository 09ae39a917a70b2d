#!/usr/bin/env python3
"""Writes the viewer's small binary resources: the program icon, the two
cursors and the monochrome glyphs for ESC, form feed and the dotted
underline pattern. Run from this folder; the outputs are committed."""
import struct


def mono_bmp(path, rows):
    """rows: strings of '#' (ink, bit 0 = foreground when blitted) and '.'."""
    h, w = len(rows), len(rows[0])
    stride = ((w + 31) // 32) * 4
    data = b''
    for r in reversed(rows):
        bits = 0
        line = bytearray(stride)
        for x, ch in enumerate(r):
            if ch != '#':
                line[x // 8] |= 0x80 >> (x % 8)
        data += bytes(line)
    palette = struct.pack('<4B4B', 0, 0, 0, 0, 255, 255, 255, 0)
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 1, 0, len(data), 2835, 2835, 2, 0)
    offset = 14 + 40 + 8
    filehdr = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    open(path, 'wb').write(filehdr + header + palette + data)


def glyph_esc(h):
    w = 8
    g = [['.'] * w for _ in range(h)]
    top, bottom = h // 5, h - 2
    for y in range(top, bottom + 1):          # a framed box with a left arrow inside
        g[y][0] = g[y][w - 1] = '#'
    for x in range(w):
        g[top][x] = g[bottom][x] = '#'
    mid = (top + bottom) // 2
    for x in range(2, w - 2):
        g[mid][x] = '#'
    g[mid - 1][3] = g[mid + 1][3] = '#'
    return [''.join(r) for r in g]


def glyph_ff(h):
    w = 8
    g = [['.'] * w for _ in range(h)]
    top, bottom = h // 5, h - 2
    for y in range(top, bottom + 1, 2):      # stacked bars: a page break
        for x in range(1, w - 1):
            g[y][x] = '#'
    return [''.join(r) for r in g]


for rid, h in ((161, 12), (160, 16), (163, 20), (162, 24)):
    mono_bmp('esc%d.bmp' % rid, glyph_esc(h))
for rid, h in ((169, 12), (168, 16), (155, 20), (170, 24)):
    mono_bmp('ff%d.bmp' % rid, glyph_ff(h))
mono_bmp('dots1074.bmp', ['#.#.#.#.', '.#.#.#.#'] * 4)


def cursor(path, art, hot):
    """32x32 monochrome cursor: '#' black, 'o' white, '.' transparent."""
    w = h = 32
    xor_rows, and_rows = [], []
    for y in range(h):
        line = art[y] if y < len(art) else ''
        line = line.ljust(w, '.')
        xb, ab = bytearray(4), bytearray(4)
        for x, ch in enumerate(line):
            if ch == '.':
                ab[x // 8] |= 0x80 >> (x % 8)
            elif ch == 'o':
                xb[x // 8] |= 0x80 >> (x % 8)
        xor_rows.append(bytes(xb))
        and_rows.append(bytes(ab))
    bih = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    pal = struct.pack('<4B4B', 0, 0, 0, 0, 255, 255, 255, 0)
    img = bih + pal + b''.join(reversed(xor_rows)) + b''.join(reversed(and_rows))
    head = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', w, h, 0, 0, hot[0], hot[1], len(img), 6 + 16)
    open(path, 'wb').write(head + entry + img)


line_select = [
    '..........#',
    '..........##',
    '..........#o#',
    '..........#oo#',
    '#########.#ooo#',
    '#ooooooooo#oooo#',
    '#oooooooooooooooo#',
    '#ooooooooooooooooo#',
    '#oooooooooooooooo#',
    '#ooooooooo#oooo#',
    '#########.#ooo#',
    '..........#oo#',
    '..........#o#',
    '..........##',
    '..........#',
]
cursor('linesel153.cur', line_select, (18, 7))

link_hand = [
    '.....##',
    '....#oo#',
    '....#oo#',
    '....#oo#',
    '....#oo###',
    '....#oo#oo###',
    '....#oo#oo#oo##',
    '.##.#oo#oo#oo#o#',
    '#oo##oooooooo#o#',
    '#ooo#oooooooooo#',
    '.#oooooooooooooo#',
    '..#ooooooooooooo#',
    '..#oooooooooooo#',
    '...#ooooooooooo#',
    '....#oooooooooo#',
    '.....#oooooooo#',
    '.....##########',
]
cursor('link212.cur', link_hand, (5, 0))


def icon(path):
    """32x32 and 16x16 32-bit icon: a page with text lines and a blue band."""
    images = []
    for size in (32, 16):
        px = []
        for y in range(size):
            row = []
            for x in range(size):
                m = size // 8
                inside = m <= x < size - m and 0 <= y < size
                if not inside:
                    row.append((0, 0, 0, 0))
                elif x in (m, size - m - 1) or y in (0, size - 1):
                    row.append((64, 64, 64, 255))
                elif y < size // 4:
                    row.append((160, 60, 30, 255))       # blue band (BGR)
                elif y % 3 == 0 and m + 2 <= x < size - m - 3:
                    row.append((40, 40, 40, 255))
                else:
                    row.append((255, 255, 255, 255))
            px.append(row)
        xor = b''.join(bytes(p) for row in reversed(px) for p in row)
        and_stride = ((size + 31) // 32) * 4
        andmask = bytes(and_stride * size)
        bih = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
        images.append((size, bih + xor + andmask))
    head = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b'', b''
    for size, blob in images:
        entries += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs += blob
    open(path, 'wb').write(head + entries + blobs)


icon('kelview.ico')
