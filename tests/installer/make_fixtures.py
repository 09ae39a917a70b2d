#!/usr/bin/env python3
"""Writes the archives of the installer's end-to-end tests into OUTDIR.

  one.zip, two.zip, three.zip  three archives installed together; two.zip
                               holds a large file (big.bin) so that the
                               extraction of the second archive lasts long
                               enough to be cancelled while it runs.
  help.zip                     a help file (guide.hlp) and its contents file
                               (guide.cnt), shown through the shell together.

Usage: make_fixtures.py OUTDIR
"""
import os
import sys
import zipfile

BIG_BYTES = 96 * 1024 * 1024
# Stand-ins: only their bytes are compared.
HELP_FILE = b"?_\x03\x00 help file of the fixture\r\n"
HELP_CONTENTS = b":Base guide.hlp\r\n1 Contents\r\n"


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    with zipfile.ZipFile(os.path.join(out, "one.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("one.txt", b"first archive\r\n")
        z.writestr("sub/one-sub.txt", b"first archive, sub folder\r\n")
    with zipfile.ZipFile(os.path.join(out, "two.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("two.txt", b"second archive\r\n")
        # Zeros deflate to almost nothing, so the archive stays small while
        # unpacking it writes the full size.
        z.writestr("big.bin", bytes(BIG_BYTES))
    with zipfile.ZipFile(os.path.join(out, "three.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("three.txt", b"third archive\r\n")
    with zipfile.ZipFile(os.path.join(out, "help.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("guide.hlp", HELP_FILE)
        z.writestr("guide.cnt", HELP_CONTENTS)
        z.writestr("other.txt", b"not wanted beside the help file\r\n")


if __name__ == "__main__":
    main()
