#!/usr/bin/env python3
"""Writes the sample disc's opening movie, movie/opening.avi: 2.5 seconds of
uncompressed 8-bit palettised video (128 x 96, 8 frames a second, no sound).

Wine's video player draws this encoding; it draws nothing for top-down frames
(a negative height), so the rows are stored bottom-up with a positive height.
Python 3 alone, no extra packages. Run from any folder; writes beside itself.

    make_movie.py [OUT SECONDS]

writes a movie of the same picture lasting SECONDS (at 4 frames a second)
to OUT instead: the tests use a long one that is sure to be still playing
while they look at it."""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
WIDTH, HEIGHT = 128, 96  # a multiple of 4 wide: rows need no padding
FPS = 8
FRAMES = 20

# Palette indices: 0-63 a blue sky from dark to light, 64-127 silver shades,
# then a few plain colours.
SKY, SILVER = 0, 64
WHITE, BLACK, ORANGE = 128, 129, 130


def palette():
    entries = []
    for i in range(64):
        entries.append((90 + i * 2, 20 + i, 10 + i // 2))  # blue, green, red
    for i in range(64):
        s = 120 + i * 2
        entries.append((s, s, min(255, s + 8)))
    entries += [(255, 255, 255), (0, 0, 0), (30, 140, 250)]
    entries += [(0, 0, 0)] * (256 - len(entries))
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for b, g, r in entries)


def frame(n):
    """Pixels top-down, one palette index a byte: a silver disc rolls across
    the sky while an orange bar at the bottom grows with the frame number."""
    pixels = bytearray(WIDTH * HEIGHT)
    cx = 16 + (WIDTH - 32) * n / (FRAMES - 1)
    cy = HEIGHT / 2 - 6
    radius = 14
    bar = (WIDTH - 8) * (n + 1) // FRAMES
    for y in range(HEIGHT):
        for x in range(WIDTH):
            d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
            if d < radius * 0.25:
                c = BLACK
            elif d < radius * 0.45:
                c = ORANGE
            elif d < radius:
                c = SILVER + min(63, int(63 * (x - cx + y - cy + 2 * radius) / (4 * radius)))
            elif HEIGHT - 12 <= y < HEIGHT - 6 and 4 <= x < 4 + bar:
                c = ORANGE
            elif HEIGHT - 13 <= y < HEIGHT - 5 and 3 <= x < WIDTH - 3:
                c = WHITE
            else:
                c = SKY + y * 63 // (HEIGHT - 1)
            pixels[y * WIDTH + x] = c
    return pixels


def bottom_up(pixels):
    rows = [pixels[y * WIDTH:(y + 1) * WIDTH] for y in range(HEIGHT)]
    return b''.join(reversed(rows))


def chunk(fourcc, data):
    pad = b'\0' if len(data) % 2 else b''
    return fourcc + struct.pack('<I', len(data)) + data + pad


def riff_list(kind, fourcc, body):
    return kind + struct.pack('<I', len(body) + 4) + fourcc + body


def movie():
    frame_size = WIDTH * HEIGHT
    frames = [bottom_up(frame(n)) for n in range(FRAMES)]
    avih = struct.pack('<IIIIIIIIII16x', 1000000 // FPS, frame_size * FPS, 0, 0x10,  # AVIF_HASINDEX
                       FRAMES, 0, 1, frame_size, WIDTH, HEIGHT)
    strh = b'vids' + b'DIB ' + struct.pack('<IHHIIIIIIIIhhhh', 0, 0, 0, 0, 1, FPS, 0, FRAMES,
                                           frame_size, 0xFFFFFFFF, 0, 0, 0, WIDTH, HEIGHT)
    strf = struct.pack('<IiiHHIIiiII', 40, WIDTH, HEIGHT, 1, 8, 0, frame_size, 0, 0, 256, 0) + palette()
    hdrl = riff_list(b'LIST', b'hdrl', chunk(b'avih', avih) +
                     riff_list(b'LIST', b'strl', chunk(b'strh', strh) + chunk(b'strf', strf)))
    movi_body = b''
    index = b''
    for data in frames:
        # Offsets count from the 'movi' tag: the first chunk is at 4.
        index += b'00db' + struct.pack('<III', 0x10, 4 + len(movi_body), len(data))  # AVIIF_KEYFRAME
        movi_body += chunk(b'00db', data)
    movi = riff_list(b'LIST', b'movi', movi_body)
    return riff_list(b'RIFF', b'AVI ', hdrl + movi + chunk(b'idx1', index))


def main(argv):
    global FPS, FRAMES
    if len(argv) == 3:
        path = argv[1]
        FPS = 4
        FRAMES = max(2, int(float(argv[2]) * FPS))
    else:
        path = os.path.join(HERE, 'movie', 'opening.avi')
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(movie())


if __name__ == '__main__':
    main(sys.argv)
