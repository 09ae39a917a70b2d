// Texts of the findings the checker words itself (the rest are the menu's
// own messages, taken from its table). Printf formats; the comment names the
// arguments in order.
#pragma once

namespace checktext {

const char* const kMissingFile = "'%s' が見つかりません";                            // name
const char* const kMissingFolder = "フォルダ '%s' が見つかりません";                 // name
const char* const kOtherCase = "'%s' は大文字小文字の違う '%s' としてだけあります";  // name, name on disc
const char* const kClamped = "%s の値 %ld は %ld として使われます";                  // key, value, value used
const char* const kNoSection = "セクション [%s] がありません";                       // section
const char* const kNotCp932 = "名前 '%s' はシフトJISで書けない文字を含みます";       // name with ? for them
const char* const kTooLong = "名前 '%s' は %d 文字で、64 文字を超えています";        // name, length
const char* const kSummary = "disccheck: %d error(s), %d warning(s)";                // errors, warnings

// TALINST.INI
const char* const kUnreachable =
    "セクション [%s] はメニューからも項目一覧からも選択メニューからも実行できません";  // section
const char* const kNoSharedText =
    "%s の値 '%s' は [Talinst] にないため、メッセージにその文は出ません";  // key, value
const char* const kNothingBelowBase =
    "ArcBaseDir の '%s' が書庫 '%s' にないため、この書庫からは何もインストールされません";  // base, archive
const char* const kNoSharedCaption = "[Talinst] に %s がないため、選択メニューのその文は空になります";  // key
const char* const kNoKey = "%s がありません";                                                           // key
const char* const kUnknownMacro = "%s の値 '%s' の $ はマクロではなく、そのまま使われます";  // key, value
const char* const kNotInstalled = "%s の '%s' はインストールされるファイルにありません";     // key, name
const char* const kLastMoveSkipped =
    "%s の値は使われません (';' がないか、インストール先の外を指しています)";  // key
const char* const kNoLastMoveMatch =
    "%s の '%s' に合うファイルはインストールされるファイルにないため、何もコピーされません";  // key, pattern
const char* const kWildcardInFolder =
    "%s の '%s' はフォルダ名にワイルドカードがあるため、何もコピーされません";  // key, pattern
const char* const kDesktopNeedsShortCut1 =
    "ShortCut1 がないため、ShortCut%d のショートカットはデスクトップに作られません";  // number

// Pictures
const char* const kNotPicture = "'%s' は BMP としても PNG としても読めません";  // name
const char* const kNoFrames = "'%s' の高さ %d では %d コマに分けられません";    // name, height, frames
const char* const kUnevenFrames =
    "'%s' の高さ %d は %d コマで割り切れません (下の %d 行は使われません)";  // name, height, frames, rows

// Limits of the menu files: keys the menu never reads, entries and commands
// it hides, values it cuts, font sizes that select no font.
const char* const kAfterGap = "%s は %s がないため読まれません";  // key, missing key
const char* const kHiddenEntries =
    "%s 以降はメニューボタンが %d 個しかないため表示されません";                              // key, buttons
const char* const kHiddenCommands = "%s 以降は実行ボタンが %d 個しかないため表示されません";  // key, buttons
const char* const kNegativeFontSize = "%s の値 %ld は負のため、フォントが選ばれません";       // key, value
const char* const kValueCut =
    "%s の値は %d バイトで、%d バイトを超える部分は切り捨てられます";  // key, length, limit

}  // namespace checktext
