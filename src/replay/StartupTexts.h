#pragma once
// Texts and names of the replay folder's location at start-up, byte for byte
// (Shift-JIS in the binary). Message lines are joined by CR LF, with no line
// break at the end.

namespace startup {

// The game's installation record: HKEY_CURRENT_USER, this key, this value.
inline constexpr char kInstallKey[] = "Software\\Sega\\PuyoF";
inline constexpr char kInstallValue[] = "Install Path";
// Raised for a value of another kind than REG_SZ / REG_EXPAND_SZ; %s = the value name.
inline constexpr char kBadValueTypeFormat[] = "'%s' のデータ型が不正です";

// The replay folder under the application-data folder (NT family).
inline constexpr char kAppDataSubfolder[] = "Sega\\PuyoF\\";

// The caption of the questions, and of the notice that the folder is unknown.
inline constexpr char kQuestionCaption[] = "エラー";
#define SLOTWELL_FOLDER_NOT_FOUND "データ保存フォルダが見つかりませんでした。"
inline constexpr char kFolderNotFound[] = SLOTWELL_FOLDER_NOT_FOUND;
inline constexpr char kGameNotInstalledText[] =
    "ぷよぷよフィーバーがインストールされていません。\r\n"
    "続ける場合はOKを押してください。";
inline constexpr char kFolderMissingText[] =
    SLOTWELL_FOLDER_NOT_FOUND "\r\n"
    "フォルダを直接指定しますか？(未保証)\r\n"
    "キャンセルで終了します。";
inline constexpr char kPickFolderInstruction[] =
    "データを保存するフォルダを指定してください。\r\n"
    "(ここにリプレイが保存されます)";

}  // namespace startup
