// Messages about MENU.INI and MENU.DAT, byte for byte as the user sees them
// (the build turns these UTF-8 literals into Shift-JIS). printf formats.
#pragma once

namespace configtext {

// Start-up failures in MENU.INI (error icon, titled with the caption).
const char* const kMissingButtonImage = "セクション[%s]\n%s のボタン画像\n '%s' が見つかりません";  // section, key, path
const char* const kMissingButtonSound = "セクション[%s]\nSound の音声\n '%s' が見つかりません";     // section, path
const char* const kNoMenuButtons = "メニューボタンの設定がありません";
const char* const kOutOfMemory = "メモリを確保できません";

// Reference warnings of one MENU.DAT entry, collected into one box.
const char* const kWarningTitle = "%s - セクション [%s] ";               // caption, entry section
const char* const kCommandProgram = "'Command%d = ' のプログラム '%s'";  // command number, program
const char* const kProgramMissing = "が見つかりません\r\n";
const char* const kArgumentMissing = "の引数に指定されたファイル\r\n'%s' が見つかりません。\r\n";
const char* const kArgumentMissingToo = "引数に指定されたファイル\r\n'%s'も見つかりません。\r\n";
const char* const kPopupTextMissing = "ポップアップテキストファイル '%s'が見つかりません。\r\n";
const char* const kBitmapMissing = "ビットマップファイル '%s'が見つかりません。\r\n";
// A command list holds at most 259 bytes; commands that do not fit are left out whole.
const char* const kCommandListTooLong = "'Command%d = ' のコマンドが長すぎるため、%d 番目以降のコマンドを省きました。\r\n";  // command number, first left-out command

}  // namespace configtext
