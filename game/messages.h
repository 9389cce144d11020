#pragma once
// Every text the game flow shows in a message box, with its title, in one
// place. They are the game's own words: change them here and nowhere else.

#include <string_view>

#include "ports/dialogs.h"

namespace korvel::msg {

using Box = MessageText;

// Games and turns.
inline constexpr Box MAN_TURN_NEW{"MANの番です", " "};
inline constexpr Box MAN_TURN{"MANの番です", "対局"};
inline constexpr Box SENTE_TURN_NEW{"先手の番です", " "};
inline constexpr Box GOTE_TURN_NEW{"後手の番です", " "};
inline constexpr Box SENTE_TURN{"先手の番です", "対局"};
inline constexpr Box GOTE_TURN{"後手の番です", "対局"};
inline constexpr Box RESUME_COM{"OKですか？", "再開(COM)"};

// Move entry.
inline constexpr Box KIFU_STEP{"棋譜を '進 'で進めて下さい", "棋譜"};
inline constexpr Box GAME_FINISHED{"新規に対局してください", "終局"};
inline constexpr Box NO_GAME{"「対局」で始めて下さい", "開始"};
inline constexpr Box PROMOTE_RIGHT{"マウスの右をクリックして下さい", "成り"};
inline constexpr Box YOU_WIN{"あなたの勝ちです", "終了"};
inline constexpr Box SENTE_WINS{"先手の勝ちです", "終了"};
inline constexpr Box GOTE_WINS{"後手の勝ちです", "終了"};
inline constexpr Box NOTHING_TO_RESIGN{"対局中ではありません", "投了"};

// The players as a kept game and KIF name them when nobody typed a name.
inline constexpr std::string_view COM_NAME = "コンピュータ LEVEL";
inline constexpr std::string_view MAN_NAME = "あなた";
inline constexpr std::string_view TWO_PLAYERS = "二人対局";

// The king left open, asked before the move is made.
inline constexpr Box KING_LEFT_OPEN{"王が取られる手です。指しますか？", "確認"};

// History.
inline constexpr Box CANNOT_BACK{"できません", "戻る"};
inline constexpr Box CANNOT_FORWARD{"できません", "進む"};
inline constexpr Box KIFU_END{"終わり", "進む"};

// The computer's turn.
inline constexpr std::string_view THINKING = "思考中";
inline constexpr Box COM_MATES{"よし！!", "詰め ?"};
inline constexpr Box COM_WINS{"ｺﾝﾋﾟｭｰﾀの勝ちです", "終了"};
inline constexpr Box CHECK{"   ** 王手 **", ""};
inline constexpr Box COM_NO_MOVE{"ｺﾝﾋﾟｭｰﾀは指せる手がありません。\rあなたの番です", "対局"};

// The review's second try at the bad moves.
inline constexpr Box GOOD_MOVE{"良い手です", "悪手をやり直す"};
// Followed by a line break and the best move.
inline constexpr Box BEST_WAS{"最善手はこちらです", "悪手をやり直す"};
inline constexpr Box NO_BAD_MOVE_LEFT{"やり直す悪手はもうありません", "悪手をやり直す"};
inline constexpr Box REVIEW_STALE{"対局が変わったので、検討を閉じます", "検討"};

// Handicap: the reason line, two line breaks, then the way out.
inline constexpr std::string_view HANDICAP_TITLE = "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定";
inline constexpr std::string_view HANDICAP_WAY_OUT = "局面→最初にして下さい";
inline constexpr std::string_view HANDICAP_REASONS[4] = {
    "", "棋譜ﾓｰﾄﾞではできません", "対局途中ではできません", "反転後ではできません"};

// Board view and sound.
inline constexpr Box REVERSE_IN_KIFU{"棋譜ﾓｰﾄﾞではできません", "反転"};
inline constexpr Box SOUND_FAILED{"音を出す装置が見つかりません。\r音は鳴りませんが、このまま遊べます。", "音"};
// Followed by a line break, the file's name and the reason.
inline constexpr Box WAVE_FAILED{"音のﾌｧｲﾙを読み込めませんでした。音なしで続けます。", "音"};

}  // namespace korvel::msg
