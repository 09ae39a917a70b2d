// Every text the movie setting tool shows, byte for byte (the build turns
// these UTF-8 literals into Shift-JIS). The dialog's own labels are in its
// resource script.
#pragma once

namespace movieset {
namespace text {

// Caption of the dialog and of every message box.
constexpr const char kTitle[] = "TALVO DVD-ROM MENU ムービー再生設定";
// The explanation always says what a click on the box would do.
constexpr const char kExplainTicked[] = "チェックボックスをOFFにしますと、次回からのTALVO DVD-ROM "
                                        "MENUの起動時にムービーの再生を行なうように設定します。";
constexpr const char kExplainClear[] = "チェックボックスをONにしますと、次回からのTALVO DVD-ROM "
                                       "MENUの起動時にムービーの再生を行なわないように設定します。";
constexpr const char kStored[] = "設定をレジストリに登録しました";
constexpr const char kNotStored[] = "設定をレジストリに登録できませんでした";
constexpr const char kStartMenu[] = "TALVO DVD-ROM MENUを起動しますか?";
constexpr const char kStartFailed[] = "TALVO DVD-ROM MENU の起動に失敗しました";

}  // namespace text
}  // namespace movieset
