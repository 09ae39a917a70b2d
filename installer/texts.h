// Every text the installer shows, in one place. Source is UTF-8; the build
// turns the literals into Shift-JIS bytes.
#pragma once

namespace installer {

namespace texts {

// Titles
constexpr const char kTitleError[] = "ｴﾗｰ";
constexpr const char kTitleOptionError[] = "ｵﾌﾟｼｮﾝｴﾗｰ";
constexpr const char kTitleQuestion[] = "問い合わせ";
constexpr const char kTitleSectionError[] = "ｴﾗｰ : ｾｸｼｮﾝ [%s]";
constexpr const char kTitleInstallerSyntax[] = "設定ﾌｧｲﾙ記述ｴﾗｰ - INSTALLER";
constexpr const char kTitleInstallerStart[] = "ｲﾝｽﾄｰﾗの起動に失敗";
constexpr const char kTitleStartFailed[] = "起動に失敗";
constexpr const char kProgramTitle[] = "タルヴォインストーラ";

// Start-up and section check
constexpr const char kScriptMissing[] = "設定ﾌｧｲﾙ '%s' が見つかりません";
constexpr const char kBadOption[] = "無効なオプション'/%s'が指定されました";
constexpr const char kOptionRequired[] = "起動にはｵﾌﾟｼｮﾝが必要です";
constexpr const char kSectionMissing[] =
    "起動時ｵﾌﾟｼｮﾝで指定されたｾｸｼｮﾝ[%s]は\n\n設定ﾌｧｲﾙ '%s' にはありません";
constexpr const char kSrcDirMissing[] = "ｷｰ 'SrcDir = %s' : ﾌｫﾙﾀﾞが見つかりません";
constexpr const char kDriveInDstDir[] = "DstDirにﾄﾞﾗｲﾌﾞ名は指定できません";
constexpr const char kDstDirTooLong[] = "ｷｰ 'DstDir = %s' : ﾊﾟｽが長すぎます";

// Installer sections
constexpr const char kProgramMissing[] = "実行ﾌｧｲﾙ '%s' が見つかりません";
constexpr const char kProgramNotStarted[] = "\"%s\"が実行できませんでした";
constexpr const char kStartNoMemory[] = "ﾒﾓﾘが不足していているため '%s' は実行できません";
constexpr const char kStartFileMissing[] = "ﾌｧｲﾙ '%s' が見つかりません";
constexpr const char kStartPathMissing[] = "指定されたﾊﾟｽ '%s' が見つかりません";
constexpr const char kStartBadFormat[] = "ﾌｧｲﾙ '%s' は不正なﾌｧｲﾙ形式です";
constexpr const char kStartNoAssociation[] = "ﾌｧｲﾙ '%s' に関連付けられたｱﾌﾟﾘｹｰｼｮﾝはありません";
constexpr const char kStartFailed[] = " '%s' の実行は失敗しました";

// Copy sections
constexpr const char kCopySourceMissing[] = "Copy%d で指定された '%s' がありません";
constexpr const char kCopyDestinationTooLong[] = "ｷｰ 'Copy%d' : ｺﾋﾟｰ先のﾊﾟｽが長すぎます";
constexpr const char kAbortQuestion[] = "中止しますか？";
constexpr const char kFollowUpDocument[] = "ドキュメント %s を表示します";
constexpr const char kFollowUpProgram[] = "プログラム %s を実行します";
constexpr const char kFileTime[] = "%d年%02d月%02d日、%02d:%02d";

// Copy errors 1 to 6
constexpr const char* const kCopyErrors[] = {
    "",
    "ﾌｫﾙﾀﾞが作成できません\n'%s'",
    "ﾌｧｲﾙが作成できません\n'%s'",
    "ﾌｧｲﾙが開けません\n'%s'",
    "ﾌｧｲﾙが書き込めません\n'%s'",
    "ﾌｧｲﾙが読み込めません\n'%s'",
    "ﾘﾈｰﾑできません\n'%s'",
};

// Selection menus and document viewing
constexpr const char kSelectTitle[] = "タルヴォインストーラ - %s";
constexpr const char kNoDocument[] = "表示するファイルの指定がありません";

// Item list columns and sizing samples
constexpr const char kColumnTitle[] = "タイトル";
constexpr const char kColumnMode[] = "動作";
constexpr const char kColumnSection[] = "データ名";
constexpr const char kModeSample[] = " INSTALL ";
constexpr const char kSectionSample[] = "ABCDEFGHIJ";
constexpr const char kDefaultMode[] = "Install";

// Dialog helpers and shortcut groups
constexpr const char kBrowseDestination[] = "ｲﾝｽﾄｰﾙ先のﾌｫﾙﾀﾞを選択してください";
constexpr const char kBrowseGroup[] = "ｸﾞﾙｰﾌﾟの登録先を選択してください";
constexpr const char kBrowseNoFolder[] = "ﾌｧｲﾙﾌｫﾙﾀﾞを選択してください";

constexpr const char kTitleGroupError[] = "ｴﾗｰ [%s]";
constexpr const char kGroupNameBad[] = "ｸﾞﾙｰﾌﾟ名に不適当な文字が含まれています";
constexpr const char kGroupFolderBad[] = "ｸﾞﾙｰﾌﾟﾌｫﾙﾀﾞ名に不適当な文字が含まれています";
constexpr const char kTitleShortcutError[] = "タルヴォインストーラ - ｼｮｰﾄｶｯﾄ作成ｴﾗｰ [%s]";
constexpr const char kShortcutTargetMissing[] = "ｷｰ %s = %s :指定されたﾌｧｲﾙが見つかりません";

// Names of links whose GroupIcon value gives none
constexpr const char kLinkReadme[] = "お読みください";
constexpr const char kLinkHelpSuffix[] = " ヘルプ";
constexpr const char kLinkManualSuffix[] = " 説明書";
constexpr const char kLinkFirstRead[] = " 最初にお読みください";

// Archives and their libraries
constexpr const char kTitleArchiveError[] = "書庫ファイル処理エラー";
constexpr const char kLibraryNotFound[] = "\"%s\" がロード見つかりません";
constexpr const char kLibraryNotLoaded[] = "\"%s\" がロードできません";
constexpr const char kArchiveBroken[] = "書庫ファイル'%s' は壊れているか、%s形式ではありません";
constexpr const char kArchiveNotOpened[] = "書庫ファイル'%s' のオープンできません";
constexpr const char kTitleArchiveSection[] = "ｴﾗｰ ｾｸｼｮﾝ [%s]";
constexpr const char kArchiveMissing[] = "'%s' で指定された書庫ﾌｧｲﾙ '%s.*' がありません";
constexpr const char kDefaultArchiveKey[] = "デフォルト";
// After an extraction whose library refused entries or failed part-way: the
// files that were written stay, the user learns what is missing.
constexpr const char kUnsafeEntries[] =
    "書庫ファイル'%s' には展開先のフォルダの外を指すファイル名があるため、それらのファイルは展開しませんでした";
constexpr const char kExtractFailed[] = "書庫ファイル'%s' の展開でエラーが発生しました (エラー番号 %#x)";

// Setup archives (LZHSETUP)
constexpr const char kTitleSetupSyntax[] = "設定ﾌｧｲﾙ記述ｴﾗｰ - LZHSETUP";
constexpr const char kSetupNoValue[] = "書庫ﾌｧｲﾙの指定がありません";
constexpr const char kSetupArchiveMissing[] = "書庫ﾌｧｲﾙ '%s' が見つかりません";
constexpr const char kSetupNoProgram[] = "書庫ﾌｧｲﾙ内の実行ﾌｧｲﾙの指定がありません";
constexpr const char kSetupProgramMissing[] = "書庫ﾌｧｲﾙ '%s' の\n\nﾌｧｲﾙ '%s' が見つかりません";
constexpr const char kSetupNoMemory[] = "ﾒﾓﾘが確保できません";
constexpr const char kTitleSetupStart[] = "インストーラの起動に失敗";
constexpr const char kSetupNotStarted[] = "'%s' 起動できません";
constexpr const char kTitleSetupShow[] = "ファイルの表示に失敗";
constexpr const char kSetupNotShown[] = "'%s' 表示できません";

// Documents out of archives
constexpr const char kKeyNotFound[] = "指定されたキーが見つかりません";
constexpr const char kDocArchiveMissing[] = "書庫ファイルが見つかりません";
constexpr const char kNotExtracted[] = "展開できませんでした";
constexpr const char kTextWindowFont[] = "ＭＳ ゴシック";

}  // namespace texts

}  // namespace installer
