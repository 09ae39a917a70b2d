#!/usr/bin/env python3
"""Writes the sample disc: MENU.INI, MENU.DAT (Shift-JIS text), the background,
the button strips and the display pictures (PNG), the click sound and the
documents (Shift-JIS text and one RTF popup text). Run from any folder; writes beside itself. Only the standard
library is used (PNG through zlib)."""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def out(*parts):
    path = os.path.join(HERE, *parts)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    return path


def png_chunk(kind, data):
    return (struct.pack('>I', len(data)) + kind + data +
            struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff))


def write_png_rgb(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b); 8-bit RGB, no interlace."""
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw.extend(pixel(x, y))
    data = (b'\x89PNG\r\n\x1a\n' +
            png_chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)) +
            png_chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + png_chunk(b'IEND', b''))
    with open(out(path), 'wb') as f:
        f.write(data)


def write_png_palette(path, width, height, palette, index):
    """index(x, y) -> palette index; 8-bit palette image."""
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw.append(index(x, y))
    plte = b''.join(bytes(c) for c in palette)
    data = (b'\x89PNG\r\n\x1a\n' +
            png_chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 3, 0, 0, 0)) +
            png_chunk(b'PLTE', plte) +
            png_chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + png_chunk(b'IEND', b''))
    with open(out(path), 'wb') as f:
        f.write(data)


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


# Background: a deep blue gradient with a lighter panel behind the display
# picture and a band for the buttons; 8-bit palette (within 236 colours).
W, H = 640, 455
PALETTE = [mix((8, 24, 72), (40, 90, 170), i / 199.0) for i in range(200)]
PALETTE += [(230, 236, 246), (180, 196, 222), (250, 210, 90), (20, 30, 60)]
PANEL, PANEL_EDGE, GOLD, SHADOW = 200, 201, 202, 203


def background_index(x, y):
    if 218 <= x < 622 and 58 <= y < 302:          # frame around the display picture
        return PANEL_EDGE if not (220 <= x < 620 and 60 <= y < 300) else PANEL
    if 50 <= y < 52 and 16 <= x < 624:            # gold rule under the tabs
        return GOLD
    if 318 <= y < 398 and 214 <= x < 626:         # band behind the execute grid
        return SHADOW
    t = (y / (H - 1)) * 0.8 + (x / (W - 1)) * 0.2
    return min(199, int(t * 199))


def glyph_exit(x, y, w, h):
    """A cross in the middle of the frame."""
    cx, cy = x - w / 2.0, y - h / 2.0
    return abs(cx) < 9 and abs(cy) < 9 and (abs(cx - cy) < 1.6 or abs(cx + cy) < 1.6)


def glyph_info(x, y, w, h):
    """A ringed letter i in the middle of the frame."""
    cx, cy = x - w / 2.0, y - h / 2.0
    d = math.hypot(cx, cy)
    ring = 10.5 < d < 12.5
    dot = math.hypot(cx, cy + 5) < 1.8
    stem = abs(cx) < 1.3 and -1.5 < cy < 7
    return ring or dot or stem


def strip(path, width, frame_height, frames, glyph=None):
    """A button image strip: one bevelled frame per look, with an optional
    pictogram (the Exit and Info buttons carry no label)."""
    looks = {
        'normal': ((210, 218, 232), (120, 132, 160)),
        'lit': ((255, 240, 190), (200, 160, 60)),
        'selected': ((120, 170, 240), (40, 80, 160)),
        'disabled': ((150, 150, 150), (100, 100, 100)),
    }

    def pixel(x, y):
        frame = frames[y // frame_height]
        top, bottom = looks[frame]
        fy = y % frame_height
        if fy == 0 or x == 0:
            return (255, 255, 255)
        if fy == frame_height - 1 or x == width - 1:
            return (40, 40, 60)
        if glyph and glyph(x, fy, width, frame_height):
            return (110, 110, 110) if frame == 'disabled' else (30, 40, 80)
        return mix(top, bottom, fy / float(frame_height))

    write_png_rgb(path, width, frame_height * len(frames), pixel)


def picture(path, hue):
    """A 400 x 240 display picture: concentric rings in the page's colours."""
    def pixel(x, y):
        d = math.hypot(x - 200, y - 120)
        ring = int(d / 18) % 2
        base = mix(hue, (255, 255, 255), 0.55 if ring else 0.15)
        return mix(base, (0, 0, 0), min(0.5, d / 600.0))
    write_png_rgb(path, 400, 240, pixel)


def click_wav(path):
    rate, samples = 11025, 330
    body = bytes(128 + int(100 * math.exp(-i / 40.0) * math.sin(i * 0.9)) for i in range(samples))
    fmt = struct.pack('<HHIIHH', 1, 1, rate, rate, 1, 8)
    data = (b'RIFF' + struct.pack('<I', 4 + 8 + len(fmt) + 8 + len(body)) + b'WAVE' +
            b'fmt ' + struct.pack('<I', len(fmt)) + fmt + b'data' + struct.pack('<I', len(body)) + body)
    with open(out(path), 'wb') as f:
        f.write(data)


def sjis(path, text):
    with open(out(path), 'wb') as f:
        f.write(text.replace('\n', '\r\n').encode('cp932'))


MENU_INI = """[OSTREL]
Caption=サンプルディスク メニュー
BackGround=pictures\\back.png
disprect=220,60
StdSound=Click.wav
InfoTextPos=120,60
InfoTextSize=420,320

[BUTTON.Exit]
Bitmap=buttons\\exit.png
Position=540,410
HintText=メニューを終了します
Color.Normal=20,20,40
Color.Activate=120,40,0
FontSize.Normal=14
FontSize.Activate=14

[BUTTON.Info]
Bitmap=buttons\\info.png
Position=444,410
HintText=項目の説明を表示します
Color.Normal=20,20,40
Color.Disable=120,120,120
FontSize.Normal=14
FontSize.Activate=14

[BUTTON.TAB]
Position=16,14
Size=300,34
Padding=4,3
BGCOLOR=8,24,72
Color.Normal=200,210,230
Color.Select=250,210,90
FontSize.Normal=14
FontSize.Select=14
Decoration=outset

[BUTTON.Execute]
Bitmap=buttons\\execute.png
Position=222,324
Column=3
Row=2
Margin=6,6
Color.Normal=20,20,40
Color.Activate=120,40,0
FontSize.Normal=13
FontSize.Activate=13

[BUTTON.MENU]
BitMap1=buttons\\menu.png
BitMap2=buttons\\menu.png
BitMap3=buttons\\menu.png
BitMap4=buttons\\menu.png
BitMap5=buttons\\menu.png
Position1=16,64
Position2=16,110
Position3=16,156
Position4=16,202
Position5=16,248
Color.Normal=20,20,40
Color.Select=255,255,255
FontSize.Normal=14
FontSize.Select=14
Decoration=inset
"""

MENU_DAT = """[MENU]
Page1=PAGE.WELCOME
Page2=PAGE.SOFT
Bmp1=pictures\\start.png
AVIFILE=movie\\opening.avi

[PAGE.WELCOME]
Title=ようこそ
Menu1=ENTRY.ABOUT
Menu2=ENTRY.NEWS

[ENTRY.ABOUT]
Title=このディスクについて
command1=説明を読む;ディスクの説明を表示します,@view docs\\about.txt
command2=ビューアで開く;テキストビューアで開きます,Kelview.exe docs\\about.txt
Text=docs\\about.txt
Bmp1=pictures\\about.png

[ENTRY.NEWS]
Title=今月のお知らせ
command1=お知らせ;お知らせを表示します,@view docs\\news.txt
command2=ホームページ;編集部のページを開きます,@http://www.example.com/
Text="http://www.example.com/",docs\\news.txt
Bmp1=pictures\\news.png

[PAGE.SOFT]
Title=収録ソフト
Menu1=ENTRY.VIEWER
Menu2=ENTRY.TOOLS
Menu3=ENTRY.MOVIE

[ENTRY.VIEWER]
Title=テキストビューア
command1=起動;テキストビューアを起動します,Kelview.exe docs\\readme.txt
command2=インストール;テキストビューアをインストールします,Talinst.exe VIEWER
command3=EUC-JP の見本;EUC-JP で書かれた文書を開きます,Kelview.exe docs\\readme_euc.txt
Text=docs\\readme.txt
Bmp1=pictures\\viewer.png

[ENTRY.TOOLS]
Title=ツール集
command1=選んでインストール;一覧からツールを選んでインストールします,Talinst.exe
command2=サンプルツール集;サンプルツール集をインストールします,Talinst.exe SAMPLE
command3=メモ帳テンプレート;メモ帳テンプレートをコピーします,Talinst.exe NOTES
command4=読んでね;ツール集の説明です,@view docs\\tools.txt
Text="INSTALL\\SAMPLE",docs\\tools.rtf
Bmp1=pictures\\tools.png

[ENTRY.MOVIE]
Title=ムービー設定
command1=設定;オープニングムービーの設定を変えます,OstrelMovie.exe
Bmp1=pictures\\movie.png
"""

DOCS = {
    'about.txt': 'サンプルディスクへようこそ。\n\nこのディスクには、メニュー、インストーラ、テキストビューアが収録されています。\n左のボタンで項目を選び、下のボタンで実行してください。\n',
    'news.txt': '今月のお知らせ\n\n・収録ソフトを追加しました。\n・詳しくは http://www.example.com/ をご覧ください。\n',
    'readme.txt': 'テキストビューアの説明\n\nシフトJIS、EUC-JP、JIS、UTF-16 のテキストを表示できます。\n',
    'tools.txt': 'ツール集\n\n各ツールの使い方は、それぞれの説明書をお読みください。\n',
}


def rtf_text(text):
    """Plain text as RTF body: every Shift-JIS byte pair as two \\'xx escapes
    (a second byte may be a backslash or a brace), line ends as \\par."""
    body = []
    for ch in text:
        if ch == '\n':
            body.append('\\par\r\n')
        elif ord(ch) < 0x80:
            body.append('\\' + ch if ch in '\\{}' else ch)
        else:
            body.append(''.join("\\'%02x" % b for b in ch.encode('cp932')))
    return ''.join(body)


def write_rtf(path, parts):
    """parts: (style, text) pairs; style is RTF control words put before the
    text inside its own group. Code page 932 and a Shift-JIS font, so that
    the Japanese shows in the menu's document window."""
    head = ('{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1041'
            '{\\fonttbl{\\f0\\fmodern\\fcharset128 ' + rtf_text('ＭＳ ゴシック') + ';}}'
            '{\\colortbl ;\\red20\\green60\\blue160;\\red180\\green40\\blue40;}\r\n'
            '\\f0\\fs20 ')
    body = ''.join('{' + (style + ' ' if style else '') + rtf_text(text) + '}' for style, text in parts)
    with open(out(path), 'wb') as f:
        f.write((head + body + '\r\n}\r\n').encode('ascii'))


TOOLS_RTF = [
    ('\\b\\fs28\\cf1', 'ツール集\n'),
    ('', '\nこのページのツールは、インストーラでハードディスクにコピーします。\n\n'),
    ('\\b', '■選んでインストール\n'),
    ('', '　一覧から選んだツールをインストールします。\n'),
    ('\\b', '■サンプルツール集\n'),
    ('', '　テキストとデータのサンプルです。\n'),
    ('\\b', '■メモ帳テンプレート\n'),
    ('', '　表示ソフト用のテンプレートです。\n\n'),
    ('\\cf2', '※インストール先のフォルダは、途中で変更できます。\n'),
    ('', '下の「ﾌｫﾙﾀﾞを開く」で、ディスク上のファイルを直接ご覧になれます。\n'),
]


def main():
    sjis('MENU.INI', MENU_INI)
    sjis('MENU.DAT', MENU_DAT)
    for name, text in DOCS.items():
        sjis(os.path.join('docs', name), text)
    write_rtf(os.path.join('docs', 'tools.rtf'), TOOLS_RTF)
    write_png_palette('pictures/back.png', W, H, PALETTE, background_index)
    picture('pictures/start.png', (40, 90, 170))
    picture('pictures/about.png', (200, 120, 40))
    picture('pictures/news.png', (40, 160, 90))
    picture('pictures/viewer.png', (150, 60, 160))
    picture('pictures/tools.png', (180, 40, 60))
    picture('pictures/movie.png', (60, 140, 180))
    strip('buttons/exit.png', 84, 32, ['normal', 'lit'], glyph_exit)
    strip('buttons/info.png', 84, 32, ['normal', 'lit', 'disabled'], glyph_info)
    strip('buttons/execute.png', 128, 34, ['normal', 'lit'])
    strip('buttons/menu.png', 184, 40, ['normal', 'lit', 'selected'])
    click_wav('Click.wav')


if __name__ == '__main__':
    main()
