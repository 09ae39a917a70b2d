#!/usr/bin/env python3
"""Writes the movie setting tool's icon (ostrelmovie.ico, 32x32 and 16x16):
a strip of film with a red play mark, as a small uncompressed Windows
resource. Run from any folder; writes beside itself."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def dib(size, pixels, mask):
    """32-bit BGRA image plus 1-bit AND mask, as stored in .ico files.
    pixels[y][x] = (b, g, r, a) top-down; mask[y][x] = 1 transparent."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, size * size * 4, 0, 0, 0, 0)
    body = b''
    for y in reversed(range(size)):
        for x in range(size):
            body += bytes(pixels[y][x])
    stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            if mask[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        body += bytes(row)
    return header + body


def film_icon(size):
    """A dark film strip with light sprocket holes along both edges and a red
    triangle pointing right in its frame."""
    clear = (0, 0, 0, 0)
    film = (40, 40, 40, 255)
    hole = (230, 230, 230, 255)
    frame = (150, 110, 60, 255)
    play = (30, 30, 220, 255)
    edge = max(2, size // 8)          # width of the sprocket edges
    margin = size // 16               # transparent border above and below
    pixels, mask = [], []
    for y in range(size):
        prow, mrow = [], []
        for x in range(size):
            if y < margin or y >= size - margin:
                prow.append(clear); mrow.append(1); continue
            if x < edge or x >= size - edge:
                pitch = max(4, size // 6)
                in_hole = (y - margin) % pitch in range(1, pitch // 2 + 1) and \
                    (x % edge) in range(max(1, edge // 4), edge - max(1, edge // 4))
                prow.append(hole if in_hole else film); mrow.append(0); continue
            inner = edge + max(1, size // 16)
            if inner <= x < size - inner and margin + 2 <= y < size - margin - 2:
                # The play mark: a triangle from the left third to the right third.
                cx0, cx1 = size * 0.36, size * 0.70
                cy = (size - 1) / 2.0
                half = (x - cx0) / (cx1 - cx0) if cx1 > cx0 else 0
                if cx0 <= x <= cx1 and abs(y - cy) <= (1 - half) * size * 0.22:
                    prow.append(play)
                else:
                    prow.append(frame)
                mrow.append(0); continue
            prow.append(film); mrow.append(0)
        pixels.append(prow); mask.append(mrow)
    return dib(size, pixels, mask)


def main():
    images = [(32, film_icon(32)), (16, film_icon(16))]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(os.path.join(HERE, 'ostrelmovie.ico'), 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
