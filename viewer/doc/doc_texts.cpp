#include "doc_texts.h"

namespace viewer {

const char* docText(int id) {
    switch (id) {
    case kTextNoMemory:
        return "メモリが足りないので処理を中止します。";
    case kTextPageFileCreate:
        return "致命的エラー：テンポラリファイルの作成に失敗しました。ヴァントロは極めて危険な状態に陥ってい"
               "ます。速やかに終了してください。";
    case kTextPageFileWrite:
        return "致命的エラー：テンポラリファイルの書き込みに失敗しました。編集中の内容は既に破壊されています"
               "。保存しないで速やかに終了してください。";
    case kTextPageFileRead:
        return "致命的エラー：テンポラリファイルの読み込みに失敗しました。編集中の内容は既に破壊されています"
               "。保存しないで速やかに終了してください。";
    case kTextReadFailed:
        return "ファイルの読み込みに失敗しました。";
    case kTextRowLimit:
        return "行数が制限を越えました。「動作環境・編集」で編集可能な最大行数を大きくしてからやり直してくだ"
               "さい。";
    case kTextCannotOpen:
        return " は他のプログラムが使用中等の理由により開けません。";
    case kTextPageFileFull:
        return "致命的エラー:テンポラリファイルのサイズが限界に達しました。ヴァントロは死にます。";
    case kTextWriteDenied:
        return " - このファイルは他のプロセスによって現在上書きが禁止されています。";
    case kTextNoStartChars:
        return "、。，．・：；？！゛゜ヽヾゝゞ々ー）］｝」』〕〉》】’”ぁぃぅぇぉっゃゅょァィゥェォッャュョ!),"
               ".:;?]}｡｣､･ｰﾞﾟ";
    case kTextNoEndChars:
        return "（［｛「『〔〈《【‘“([{｢";
    default:
        return "";
    }
}

}  // namespace viewer
