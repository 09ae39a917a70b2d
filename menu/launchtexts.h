// Messages of the command launcher, byte for byte as the user sees them.
#pragma once

namespace launchtext {

// Report of a failed start: file, parameters (or empty), working folder;
// one reason line follows.
const char* const kReport =
    "実行コマンド　　:%s\r\nｺﾏﾝﾄﾞﾗｲﾝ引数　　:%s\r\n実行時のフォルダ:%s\r\nｴﾗｰ内容:\r\n";
const char* const kOutOfMemory =
    "メモリ不足のためこのアプリケーションを起動できません。\r\n"
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
const char* reasonFor(int result, bool webDocument);

}  // namespace launchtext
