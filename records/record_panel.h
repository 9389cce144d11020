#pragma once
// What the record panel says, each text with its title, and the checks it
// makes of a typed file name.

#include <string_view>

#include "ports/dialogs.h"

namespace korvel::record_msg {

using Box = MessageText;

// Reading.
inline constexpr Box READ{" 読み込みました", "棋譜"};
inline constexpr Box NO_DATA_IN_FILE{"棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません", "棋譜"};
inline constexpr Box LEFT_OUT{"501手目からは読み込みませんでした", "棋譜"};
// Followed by a line break and the reason.
inline constexpr Box CANNOT_READ{"棋譜ﾌｧｲﾙを読み込めませんでした", "棋譜"};

// "前回の対局": the games kept after every move, chosen from a list.
inline constexpr Box NO_LAST_GAME{"前回の対局はありません", "前回の対局"};
inline constexpr std::string_view KEPT_LIST_TITLE = "前回の対局";

// Opening the panel for writing.
inline constexpr Box AFTER_REVERSE{"反転後は書き込みできません", "棋譜書込"};
inline constexpr Box AFTER_HANDICAP{"ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません", "棋譜書込"};
inline constexpr Box OTHER_START{"盤面図から始まる対局は書き込みできません", "棋譜書込"};

// "RETURN".
inline constexpr Box NO_NAME{"ﾌｧｲﾙ名が入力されていません", "  "};
inline constexpr Box BAD_NAME{"ﾌｧｲﾙ名に '/' や制御文字は使えません", "  "};
inline constexpr Box DOT_NAME{"ﾌｧｲﾙ名を '.' で始めることはできません", "  "};
inline constexpr Box NOTHING_TO_SAVE{"保存するデータがありません", "棋譜保存"};
inline constexpr Box NOT_CP932{"対局名か対局者名に棋譜ﾌｧｲﾙに書けない文字があります", "棋譜保存"};
// Followed by a line break and the reason.
inline constexpr Box CANNOT_WRITE{"棋譜を書き込めませんでした", "棋譜保存"};
inline constexpr Box WRITTEN{"棋譜を書き込みました", "  "};

// Choosing a drive.
inline constexpr Box DEVICE_NOT_READY{"ﾃﾞﾊﾞｲｽが準備できていません", "ｴﾗｰ"};

}  // namespace korvel::record_msg

namespace korvel {

// 1 when a typed name may become a file in the chosen folder: no "/", which
// would lead out of it, and no control characters (a NUL would cut the name).
inline int ファイル名_可(std::string_view name) {
  for (unsigned char c : name)
    if (c == '/' || c < 0x20 || c == 0x7F) return 0;
  return 1;
}

}  // namespace korvel
