// Every text the disc menu shows the user, byte for byte (the build turns
// these UTF-8 literals into Shift-JIS). Most are printf formats; the comment
// after each one names its arguments in order. Grouped by the part of the
// program that shows them.
#pragma once

namespace menu {

// Start-up and the main window.
namespace menutext {

// Title of the box about a missing MENU.INI (no caption is known yet).
const char* const kProductTitle = "TALVO DVD-ROM MENU";
const char* const kMissingSettings = "設定ファイル '%s' が見つかりません";  // full path
const char* const kAlreadyRunning = "%s は既に起動しています。";            // caption
const char* const kMissingBackground = "背景画像 '%s' が見つかりません";    // resolved path

}  // namespace menutext

// The opening movie's items at the top of the system menu.
namespace movietext {

const char* const kReplayItem = "ｵｰﾌﾟﾆﾝｸﾞﾑｰﾋﾞｰを再生";
const char* const kNoMovieItem = "起動時にﾑｰﾋﾞｰを再生しない(&P)";

}  // namespace movietext

// MENU.INI and MENU.DAT.
namespace configtext {

// Start-up failures in MENU.INI (error icon, titled with the caption).
const char* const kMissingButtonImage =
    "セクション[%s]\n%s のボタン画像\n '%s' が見つかりません";  // section, key, path
const char* const kMissingButtonSound =
    "セクション[%s]\nSound の音声\n '%s' が見つかりません";  // section, path
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
const char* const kCommandListTooLong =
    "'Command%d = ' のコマンドが長すぎるため、%d "
    "番目以降のコマンドを省きました。\r\n";  // command number, first left-out command

}  // namespace configtext

// Pictures.
namespace imagetext {

// Titles of the boxes that carry the PNG library's own error and warning
// texts (the misspelling is the title users know).
const char* const kPngErrorTitle = "PNG Decode Error";
const char* const kPngWarningTitle = "PNG Decode Warnning";
// The PNG probe's error texts, by error code 1 to 6, each after the file
// name in single quotes ("'%s'"). Code 0 is no error.
const char* const kPngProbeMessages[7] = {
    "",
    "がオープンできませんでした。",
    "の読み込みに失敗しました。",
    "内部初期化に失敗しました。",
    "は、PNG形式ではありません。",
    "メモリを確保できませんでした。",
    "Zlibの内部エラーが発生しました。",
};
const char* const kCannotDeleteBitmap = "Cannot Delete HBITMAP";
const char* const kBitmapAlertTitle = "cBmp Alert";

}  // namespace imagetext

// The command launcher.
namespace launchtext {

// Report of a failed start: file, parameters (or empty), working folder;
// one reason line follows.
const char* const kReport =
    "実行コマンド　　:%s\r\nｺﾏﾝﾄﾞﾗｲﾝ引数　　:%s\r\n実行時のフォルダ:%s\r\nｴﾗｰ内容:\r\n";
const char* const kOutOfMemory = "メモリ不足のためこのアプリケーションを起動できません。\r\n"
                                 "いくつかのアプリケーションを終了してからやり直してください。";
const char* const kFileNotFound = "指定されたファイルが見つかりませんでした。";
const char* const kPathNotFound = "指定されたパスが見つかりませんでした。";
const char* const kNoBrowser =
    "Webブラウザがインストールされていないか、\r\n HTML文書に対してWebブラウザが関連付けられていません。";
const char* const kNoAssociation = "指定されたファイルには､ アプリケーションが関連付けられていません。";
const char* const kCannotStart = "アプリケーションを起動できません。";
const char* const kNoHelpViewer =
    "HTMLヘルプ文書をご覧頂くには、HTMLヘルプ のブラウザ、または、Microsoft Internet Explorer "
    "4.01以降がシステムにインストールされている必要があります。";

// The reason line for a shell result below 32; webDocument: the file is an
// ".htm" or ".html" document.
inline const char* reasonFor(int result, bool webDocument) {
    switch (result) {
    case 0:
        return kOutOfMemory;
    case 2:
        return kFileNotFound;
    case 3:
        return kPathNotFound;
    case 31:
        return webDocument ? kNoBrowser : kNoAssociation;
    default:
        return kCannotStart;
    }
}

}  // namespace launchtext

}  // namespace menu
