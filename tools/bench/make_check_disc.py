#!/usr/bin/env python3
"""Writes a large disc folder for the checker's benchmark: the sample disc's
MENU.INI, buttons and pictures, a MENU.DAT of ENTRIES entries (20 a page, each
with an installer command, a viewer command, a document and a picture) and a
TALINST.INI of SECTIONS installer sections (each with its own source folder
of two files, all reachable from one .SELECT section). The programs are
empty stand-ins: the checker only looks for them.

Usage: make_check_disc.py OUT_FOLDER [ENTRIES] [SECTIONS]"""
import os
import shutil
import sys

out = sys.argv[1]
entries = int(sys.argv[2]) if len(sys.argv) > 2 else 1000
sections = int(sys.argv[3]) if len(sys.argv) > 3 else 500
sample = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "sample-disc")

shutil.rmtree(out, ignore_errors=True)
os.makedirs(out)
for folder in ("buttons", "pictures"):
    shutil.copytree(os.path.join(sample, folder), os.path.join(out, folder))
for name in ("MENU.INI", "Click.wav"):
    shutil.copy(os.path.join(sample, name), out)
for program in ("Ostrel.exe", "Talinst.exe", "Kelview.exe", "OstrelMovie.exe"):
    open(os.path.join(out, program), "wb").close()
os.makedirs(os.path.join(out, "docs"))


def write(path, lines):
    with open(path, "wb") as f:
        f.write("\r\n".join(lines).encode("cp932") + b"\r\n")


per_page = 20
pages = (entries + per_page - 1) // per_page
dat = ["[MENU]"] + ["Page%d=PAGE.%d" % (p + 1, p + 1) for p in range(pages)] + ["Bmp1=pictures\\start.png", ""]
for p in range(pages):
    dat += ["[PAGE.%d]" % (p + 1), "Title=ページ %d" % (p + 1)]
    first = p * per_page
    dat += ["Menu%d=ENTRY.%d" % (i + 1, first + i + 1) for i in range(min(per_page, entries - first))]
    dat.append("")
for e in range(1, entries + 1):
    doc = "docs\\doc%04d.txt" % e
    with open(os.path.join(out, "docs", "doc%04d.txt" % e), "wb") as f:
        f.write(("項目 %d の説明\r\n" % e).encode("cp932"))
    dat += ["[ENTRY.%d]" % e, "Title=項目 %d" % e,
            "command1=インストール;項目 %d を入れます,Talinst.exe SEC%d" % (e, (e - 1) % sections + 1),
            "command2=読む;説明を開きます,Kelview.exe %s" % doc,
            "command3=見る;説明を表示します,@view %s" % doc,
            "Text=%s" % doc, "Bmp1=pictures\\about.png", ""]
write(os.path.join(out, "MENU.DAT"), dat)

ini = ["[Talinst]", "$FIRST=インストールを開始します。よろしいですか？", ""]
for s in range(1, sections + 1):
    src = os.path.join(out, "INSTALL", "S%03d" % s)
    os.makedirs(src)
    for name in ("readme.txt", "data.bin"):
        with open(os.path.join(src, name), "wb") as f:
            f.write(b"x" * 64)
    ini += ["[SEC%d]" % s, "ProductName=ソフト %d" % s, "SrcDir=INSTALL\\S%03d" % s,
            "DstDir=Bench Disc\\Soft %d" % s, "FirstMsg=$FIRST", "Copy1=*.txt", "Copy2=data.bin",
            "LastMsg=終わりました。", "LastExec=readme.txt", ""]
ini += ["[ALL.SELECT]", "Caption=1"]
for s in range(1, sections + 1):
    ini += ["item%d.Caption=ソフト %d" % (s, s), "item%d.Section=SEC%d" % (s, s)]
write(os.path.join(out, "TALINST.INI"), ini)
