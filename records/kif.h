#pragma once
// KIF, the text in which players pass games around: written from the
// positions a game stored, read back into them with every move checked on
// the cylinder from the game's start. Both sides work on a Record, the
// shape a record file has once read, so a game that came as KIF goes into
// the history the way a record file does; what only KIF holds (the start,
// the first mover, the result, comments under moves) is in the Record's
// fields for it.
//
// Squares are named as players read them from 先手's side: the file is the
// number printed above the board (10 - x), the rank is y. Which side is
// 先手 (see KIF上側が先手): an even game is begun by 先手, so when the upper
// side moved first every square is turned round and a comment line says so
// for our own reader; a standard handicap (手合割) is begun by 後手, the side
// giving it, turned round in the same way when that is the lower side; any
// other start is drawn as a diagram with the lower side as 先手 at the
// bottom, and "後手番" when the upper side moves first.

#include <string>
#include <string_view>

#include "ports/dialogs.h"
#include "records/record_file.h"

namespace korvel {

// The game as KIF (UTF-8, LF). game.entries are the positions after moves
// 1, 2, … with their clocks, as the history stores them from entry 1 on,
// played from game.start (the initial position when absent) by
// game.first_mover first (found from the first move when 0). The start is
// written as 手合割 or as a diagram, upper and lower name the players, a
// title is written as 表題, each notes[n] goes under move n + 1 as comment
// lines, and the closing line names game.winner (a king taken names its
// taker) or says 中断; a resigned game gets its 投了 line first. Returns ""
// and the text in kif, or, when a stored position is not one legal move
// after the one before it, a message naming that move, kif then empty.
std::string KIF作成(const Record& game, std::string& kif);

// Whether KIF作成 names the game's squares with the upper side as 先手.
bool KIF上側が先手(const Record& game);

// One move as a move line of KIF作成 names it, without its number and time:
// "７六歩(77)", "同　歩(76)", "５五角打", "２二角成(88)". mover
// (RECORD_UPPER / RECORD_LOWER) is whose pieces move from before to after;
// prev_x, prev_y the board square the previous move went to (0, 0 for none),
// so that a move there is "同"; upper_is_sente names the squares from the
// upper side as 先手, turned round, as KIF作成 does for its game. "" when
// after is not one legal move of mover after before. Clocks are ignored.
std::string KIF指し手(const RecordEntry& before, int mover, const RecordEntry& after, int prev_x, int prev_y,
                      bool upper_is_sente);

// KIF text (UTF-8 or CP932, LF or CR LF) into game: entries are the
// positions after each move with the clocks the history keeps (at most
// RECORD_MAX_ENTRIES, the rest counted in left_out), upper and lower the
// names by side, the title from 表題; start is the position a diagram or a
// handicap gives (absent for the initial one), first_mover always set,
// winner and resigned from the closing lines, notes from the comment lines
// under moves. Text without a move line is not a game. Returns "", or a
// message naming the line at fault; game is then empty.
std::string KIF解析(std::string_view bytes, Record& game);

// The comment line our KIF carries when the upper side is 先手: read back,
// the game gets its sides as they were.
inline constexpr std::string_view KIF_UPPER_FIRST = "#この対局では上側の駒が先手です";

}  // namespace korvel

// What copying and pasting KIF say. A reason, where there is one, follows
// on a line of its own.
namespace korvel::kif_msg {

using Box = MessageText;

inline constexpr Box COPIED{"KIFをｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰしました", "KIFｺﾋﾟｰ"};
inline constexpr Box NOTHING_TO_COPY{"ｺﾋﾟｰするデータがありません", "KIFｺﾋﾟｰ"};
inline constexpr Box AFTER_REVERSE{"反転後はｺﾋﾟｰできません", "KIFｺﾋﾟｰ"};
inline constexpr Box AFTER_HANDICAP{"ﾊﾝﾃﾞｷｬｯﾌﾟ設定後はｺﾋﾟｰできません", "KIFｺﾋﾟｰ"};
// Followed by the reason KIF作成 gives.
inline constexpr Box CANNOT_COPY{"KIFにできませんでした", "KIFｺﾋﾟｰ"};
inline constexpr std::string_view NO_CLIPBOARD = "ｸﾘｯﾌﾟﾎﾞｰﾄﾞが使えません";
inline constexpr Box EMPTY_CLIPBOARD{"ｸﾘｯﾌﾟﾎﾞｰﾄﾞにﾃｷｽﾄがありません", "KIF貼付"};
// Followed by the reason KIF解析 gives.
inline constexpr Box CANNOT_PASTE{"KIFを読み込めませんでした", "KIF貼付"};

}  // namespace korvel::kif_msg
