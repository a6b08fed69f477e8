#pragma once
// The window's own texts, written once (Shift-JIS in the binary).
#include "replay/StartupTexts.h"

namespace texts {
inline constexpr char kCaption[] = "ru^2 zazod Slotwell";
inline constexpr char kFontFace[] = "ＭＳ Ｐゴシック";

inline constexpr char kCurrentLabel[] = "現在のREPLAYデータ";
inline constexpr char kIncomingLabel[] = "追加するREPLAYデータ";
inline constexpr char kColumnNo[] = "No";
inline constexpr char kColumnName[] = "Name";
inline constexpr char kColumnDate[] = "DATE";

inline constexpr char kOptionGroup[] = "オプション";
inline constexpr char kCopy[] = "データをコピーする";
inline constexpr char kMove[] = "データを移動する";
inline constexpr char kSameNameGroup[] = "同名ファイル";
inline constexpr char kOverwrite[] = "上書きする";
inline constexpr char kNoOverwrite[] = "上書きしない";
inline constexpr char kInsertFree[] = "空いている部分に挿入";
inline constexpr char kStart[] = "開始";
inline constexpr char kClear[] = "クリア";

inline constexpr char kMenuFile[] = "ファイル(&F)";
inline constexpr char kMenuExit[] = "終了(&E)";
inline constexpr char kMenuOptions[] = "オプション(&O)";
inline constexpr char kMenuStayOnTop[] = "常に手前に表示(&T)";
inline constexpr char kMenuRemoveSelected[] = "選択データの追加をやめる";
inline constexpr char kMenuReload[] = "再読み込み";

inline constexpr char kNotImplementedCaption[] = "未実装";
inline constexpr char kInsertFreeNotAvailable[] = "空いている部分に挿入はまだ使用できません。";
inline constexpr const char* kErrorCaption = startup::kQuestionCaption;
inline constexpr const char* kNoReplayFolder = startup::kFolderNotFound;
}  // namespace texts
