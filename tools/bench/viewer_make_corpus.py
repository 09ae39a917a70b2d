#!/usr/bin/env python3
"""Writes Japanese benchmark texts for the viewer: the same kind of text in
Shift-JIS (cp932), EUC-JP, ISO-2022-JP and UTF-16LE with a byte-order mark,
each file cut at the first line end after the requested size.

usage: viewer_make_corpus.py OUTDIR SIZE_MB [PREFIX]
"""
import os
import random
import sys


def characters():
    hira = [chr(c) for c in range(0x3041, 0x3094)]
    kata = [chr(c) for c in range(0x30A1, 0x30F7)]
    kanji = []
    # JIS X 0208 level 1 kanji (rows 16-47), decoded through EUC-JP.
    for j1 in range(0x30, 0x50):
        for j2 in range(0x21, 0x7F):
            try:
                kanji.append(bytes([j1 | 0x80, j2 | 0x80]).decode('euc_jp'))
            except UnicodeDecodeError:
                pass
    punct = ['、', '。', '「', '」', '・']
    words = ['Windows', 'file', 'DVD-ROM', 'setup', '2026', 'OK', 'readme', 'text']
    return hira, kata, kanji, punct, words


def make_lines(count, rng):
    hira, kata, kanji, punct, words = characters()
    lines = []
    for _ in range(count):
        parts = []
        target = rng.randint(28, 36)        # characters; about 60-80 bytes in Shift-JIS, most lines one row
        n = 0
        while n < target:
            k = rng.random()
            if k < 0.45:
                s = ''.join(rng.choice(hira) for _ in range(rng.randint(1, 6)))
            elif k < 0.75:
                s = ''.join(rng.choice(kanji) for _ in range(rng.randint(1, 4)))
            elif k < 0.85:
                s = ''.join(rng.choice(kata) for _ in range(rng.randint(2, 6)))
            elif k < 0.95:
                s = ' ' + rng.choice(words) + ' '
            else:
                s = rng.choice(punct)
            parts.append(s)
            n += len(s)
        if rng.random() < 0.05:
            parts.insert(0, '\t')
        lines.append(''.join(parts))
    return lines


def main():
    out, size_mb = sys.argv[1], float(sys.argv[2])
    prefix = sys.argv[3] if len(sys.argv) > 3 else 'corpus'
    os.makedirs(out, exist_ok=True)
    rng = random.Random(932)
    lines = make_lines(20000, rng)
    limit = int(size_mb * 1024 * 1024)
    codes = [('sjis', 'cp932', b''), ('euc', 'euc_jp', b''), ('jis', 'iso2022_jp', b''),
             ('utf16', 'utf-16-le', b'\xff\xfe')]
    for name, codec, mark in codes:
        block = ''.join(l + '\r\n' for l in lines).encode(codec)
        path = os.path.join(out, '%s-%s.txt' % (prefix, name))
        with open(path, 'wb') as f:
            f.write(mark)
            written = len(mark)
            while written + len(block) <= limit:
                f.write(block)
                written += len(block)
            # Top up with whole lines.
            for l in lines:
                b = (l + '\r\n').encode(codec)
                if written + len(b) > limit and written >= limit - 256:
                    break
                f.write(b)
                written += len(b)
                if written >= limit:
                    break
        print(path, os.path.getsize(path))


if __name__ == '__main__':
    main()
