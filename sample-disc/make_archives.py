#!/usr/bin/env python3
"""Writes the sample disc's archives from archive-src/ into OUTDIR.

Text files are kept as UTF-8 in the repository and written into the archives
as Shift-JIS with CR LF line ends, as on the disc. Files named *_ja.* get a
Japanese name inside the archive.

  item.lzh, item.zip, item.cab  one item: readme.txt, app\\program.txt,
                                app\\説明書.txt, app\\data\\settings.ini
  setup.lzh                     a setup archive: setup.exe (the program given
                                with --setup-exe) and setup.ini
  docs.lzh                      documents: readme.txt (plain text),
                                manual.rtf (RTF), index.html and page2.html

Usage: make_archives.py OUTDIR [--setup-exe PROGRAM]
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tools"))
import archive_writers as aw  # noqa: E402

JAPANESE_NAMES = {"manual_ja.txt": "説明書.txt"}
TEXT = (".txt", ".ini", ".rtf", ".html")


def collect(folder):
    """archive name -> bytes for every file below archive-src/<folder>."""
    root = os.path.join(HERE, "archive-src", folder)
    files = {}
    for dirpath, _, names in sorted(os.walk(root)):
        for name in sorted(names):
            path = os.path.join(dirpath, name)
            rel = os.path.relpath(path, root).replace(os.sep, "/")
            base = os.path.basename(rel)
            if base in JAPANESE_NAMES:
                rel = rel[: len(rel) - len(base)] + JAPANESE_NAMES[base]
            with open(path, "rb") as f:
                data = f.read()
            if name.endswith(TEXT):
                data = data.decode("utf-8").replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")
            files[rel] = data
    return files


def main():
    out = sys.argv[1]
    setup_exe = sys.argv[sys.argv.index("--setup-exe") + 1] if "--setup-exe" in sys.argv else None
    os.makedirs(out, exist_ok=True)
    p = lambda n: os.path.join(out, n)  # noqa: E731
    item = collect("item")
    aw.make_lzh(p("item.lzh"), item, "2o5")
    aw.make_zip(p("item.zip"), item, 9)
    aw.make_gcab(p("item.cab"), item, True)
    docs = collect("docs")
    aw.make_lzh(p("docs.lzh"), docs, "2o5")
    if setup_exe:
        setup = collect("setup")
        with open(setup_exe, "rb") as f:
            setup["setup.exe"] = f.read()
        aw.make_lzh(p("setup.lzh"), setup, "2o5")


if __name__ == "__main__":
    main()
