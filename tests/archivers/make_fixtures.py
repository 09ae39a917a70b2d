#!/usr/bin/env python3
"""Writes the archive fixtures of the archiver library tests into OUTDIR.

LZH archives come from jlha-utils' lha, ZIP from zip, CAB from gcab; the
archives those tools cannot write (hostile entry names, CAB with Shift-JIS
names, LZX) are written by the small writers of tools/archive_writers.py,
which only lay out headers and stored data. Usage: make_fixtures.py OUTDIR
"""
import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import archive_writers as aw  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))

# Shift-JIS names whose characters end in a 0x5C byte: 表 (95 5C), ソ (83 5C).
JP_FILE = "表示.txt"
JP_FOLDER = "ソフト"
JP_IN_FOLDER = "説明.txt"


def big_text():
    """About 200 KB of compressible text: several blocks of every decoder."""
    lines = ["%06d: Shift-JIS 表示ソフト line of the large fixture file\r\n" % i for i in range(4000)]
    return "".join(lines).encode("cp932")


def contents():
    """The fixture files: name inside the archive -> bytes."""
    with open(os.path.join(HERE, "fixture_src", "readme.txt"), "rb") as f:
        readme = f.read()
    with open(os.path.join(HERE, "fixture_src", "sub", "note.txt"), "rb") as f:
        note = f.read()
    return {
        "readme.txt": readme,
        "sub/note.txt": note,
        "sub/big.txt": big_text(),
        JP_FILE: "日本語の名前のファイル\r\n".encode("cp932"),
        JP_FOLDER + "/" + JP_IN_FOLDER: "ソフトの説明\r\n".encode("cp932"),
    }


def sfx(out, archive, fix_zip=False):
    """A self-extracting program: a DOS program stub with the archive after it."""
    with open(archive, "rb") as f:
        data = f.read()
    with open(out, "wb") as f:
        f.write(aw.dos_stub() + data)
    if fix_zip:
        # Shift the ZIP's offsets by the stub's length.
        aw.run(["zip", "-q", "-A", os.path.abspath(out)], os.path.dirname(os.path.abspath(out)))


# Entries that must never be written outside the destination, and the
# legitimate ones beside them ("ソ" ends in a 0x5C byte and is a plain file).
HOSTILE = [
    b"..\\..\\x",
    b"../x",
    b"/x",
    b"C:\\x",
    b"\\\\server\\share\\x",
    b"CON",
    b"sub\\..\\..\\x",
    b"aux.txt",
]
LEGIT = [
    (b"good.txt", b"good\r\n"),
    ("ソ".encode("cp932"), b"trail byte 5C at the end\r\n"),
    ("表\\inner.txt".encode("cp932"), b"inside a folder named with a 5C byte\r\n"),
]


def hostile_entries():
    entries = [(name, b"escaped\r\n") for name in HOSTILE]
    # Legitimate entries first, in the middle and last: refusals must not stop the rest.
    return [LEGIT[0]] + entries[:4] + [LEGIT[1]] + entries[4:] + [LEGIT[2]]


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    files = contents()
    p = lambda n: os.path.join(out, n)  # noqa: E731
    # The files as extraction must reproduce them; UTF-8 names on the host
    # are what Wine shows as the Shift-JIS names.
    expected = p("expected")
    if os.path.isdir(expected):
        shutil.rmtree(expected)
    aw.stage(files, expected, "utf-8")

    # LZH: header levels 0, 1, 2 and methods lh0, lh5, lh6, lh7.
    aw.make_lzh(p("level0_lh0.lzh"), files, "0z")
    aw.make_lzh(p("level1_lh5.lzh"), files, "1o5")
    aw.make_lzh(p("level2_lh6.lzh"), files, "2o6")
    aw.make_lzh(p("level2_lh7.lzh"), files, "2o7")
    # ZIP stored and deflated, CP932 names.
    aw.make_zip(p("stored.zip"), files, 0)
    aw.make_zip(p("deflate.zip"), files, 9)
    # CAB: MSZIP and stored from gcab (UTF-8 flagged names); stored with
    # Shift-JIS names from the writer below.
    aw.make_gcab(p("mszip.cab"), files, True)
    aw.make_gcab(p("gcab_stored.cab"), files, False)
    with open(p("stored.cab"), "wb") as f:
        f.write(aw.cab_stored([(n.replace("/", "\\").encode("cp932"), d) for n, d in files.items()]))
    # LZX: no packaged tool writes it, so the folder is laid out with
    # uncompressed LZX blocks (legal LZX; big.txt spans several frames).
    with open(p("lzx.cab"), "wb") as f:
        f.write(aw.cab_lzx_uncompressed([(n.replace("/", "\\").encode("cp932"), d) for n, d in files.items()], 16))
    # Self-extracting programs.
    sfx(p("sfx_lzh.exe"), p("level2_lh7.lzh"))
    sfx(p("sfx_zip.exe"), p("deflate.zip"), fix_zip=True)
    sfx(p("sfx_cab.exe"), p("mszip.cab"))
    with open(p("plain.exe"), "wb") as f:
        f.write(aw.dos_stub())
    # Hostile corpus.
    entries = hostile_entries()
    with open(p("hostile.zip"), "wb") as f:
        f.write(aw.zip_stored(entries))
    with open(p("hostile.lzh"), "wb") as f:
        f.write(aw.lzh_level0_stored(entries))
    with open(p("hostile.cab"), "wb") as f:
        f.write(aw.cab_stored(entries))
    # Random bytes for the recognition checks.
    with open(p("random.bin"), "wb") as f:
        state = 12345
        data = bytearray()
        for _ in range(4096):
            state = (state * 1103515245 + 12345) & 0x7FFFFFFF
            data.append(state >> 16 & 0xFF)
        f.write(bytes(data))


if __name__ == "__main__":
    main()
