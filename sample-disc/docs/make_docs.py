#!/usr/bin/env python3
"""Writes the disc's read-me documents in the four codes the viewer reads:
Shift-JIS, EUC-JP, ISO-2022-JP and UTF-16LE with a byte-order mark.
Run from this folder; the results are committed beside this script."""

LINES = [
    "■ 付録ディスクについて",
    "",
    "このディスクには、雑誌で紹介したソフトウェアを収録しています。",
    "メニュー画面から各ソフトの紹介を表示し、インストールや資料の",
    "閲覧を行うことができます。",
    "",
    "■ 動作環境",
    "",
    "\t対応OS\t\tWindows 95/98/NT4.0/2000",
    "\tメモリ\t\t16MB以上",
    "\tディスプレイ\t640×480ドット、256色以上",
    "",
    "■ 使い方",
    "",
    "1. ディスクをドライブに入れると、メニューが自動的に起動します。",
    "2. 左側のタブでジャンルを選び、ソフト名をクリックしてください。",
    "3. 「インストール」ボタンでソフトをハードディスクに導入します。",
    "4. 説明書は「読む」ボタンでこのビューアに表示されます。",
    "",
    "■ 表示ソフトの操作",
    "",
    "　カーソルキー、PageUp/PageDown で文書をスクロールできます。",
    "　Ctrl+A で全体を選択し、Ctrl+C でクリップボードにコピーします。",
    "　F12 キーで行番号の表示を切り替えます。Esc キーで終了します。",
    "",
    "■ お問い合わせ",
    "",
    "最新情報はホームページ http://www.example.co.jp/disc/ をご覧ください。",
    "ご質問は電子メールで support@example.co.jp までお寄せください。",
    "半角カナの表示確認：ｱｲｳｴｵ ｶｷｸｹｺ ﾃｷｽﾄﾋﾞｭｰｱ",
    "",
    "※収録ソフトの著作権は各作者に帰属します。",
    "※本ディスクの使用によって生じた損害について、編集部は一切の",
    "　責任を負いかねます。あらかじめご了承ください。",
]

text = "\r\n".join(LINES) + "\r\n"

files = {
    "readme_sjis.txt": text.encode("cp932"),
    "readme_euc.txt": text.encode("euc_jp"),
    "readme_jis.txt": text.encode("iso2022_jp_ext"),
    "readme_unicode.txt": b"\xff\xfe" + text.encode("utf-16-le"),
}
for name, data in files.items():
    with open(name, "wb") as f:
        f.write(data)
