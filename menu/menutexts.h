// Start-up messages of the disc menu, byte for byte as the user sees them
// (the build turns these UTF-8 literals into Shift-JIS). printf formats.
#pragma once

namespace menutext {

// Title of the box about a missing MENU.INI (no caption is known yet).
const char* const kProductTitle = "TALVO DVD-ROM MENU";
const char* const kMissingSettings = "設定ファイル '%s' が見つかりません";   // full path
const char* const kAlreadyRunning = "%s は既に起動しています。";           // caption
const char* const kMissingBackground = "背景画像 '%s' が見つかりません";   // resolved path

}  // namespace menutext
