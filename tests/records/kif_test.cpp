// KIF: written from stored positions and read back, on random games, in the
// forms other programs write, and refused with the line named.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <random>
#include <tuple>
#include <vector>

#include "board/position.h"
#include "records/kif.h"
#include "records/record_file.h"
#include "text/shift_jis.h"

namespace korvel {
namespace {

// A game as the history stores it: after each move the position with
// both clocks, and the mover's new total as the previous entry's "after".
struct Game {
  Position p;
  Record r;
  int clock[2] = {0, 0};
  Game(std::string upper, std::string lower) {
    p.初期設定();
    r.upper = std::move(upper);
    r.lower = std::move(lower);
  }

  void play(int fx, int fy, int tx, int ty, int stands, int spent) {
    const bool up = stands > 0;
    p.駒移動(fx, fy, tx, ty, stands);
    clock[up] += spent;
    if (!r.entries.empty()) (up ? r.entries.back().time_ue_after : r.entries.back().time_sita_after) = clock[up];
    RecordEntry& e = r.entries.emplace_back();
    std::copy(&p.Board[0][0], &p.Board[0][0] + 100, &e.board[0][0]);
    std::copy(p.HAND_SITA, p.HAND_SITA + 8, e.hand_sita);
    std::copy(p.HAND_UE, p.HAND_UE + 8, e.hand_ue);
    e.time_sita_before = e.time_sita_after = clock[0];
    e.time_ue_before = e.time_ue_after = clock[1];
  }
};

struct Seen {
  int captures = 0, drops = 0, promotions = 0, declined = 0, seam = 0, kings = 0;
};

// A random legal game. Captures, promotions and moves across the seam are
// favoured so that short games hold them too. winner: 1 先手, 2 後手.
Record random_game(std::mt19937& rng, bool upper_first, Seen& seen, int& winner) {
  Game g("上手１号", "下手　Ａ");  // names are kept as written
  Position& p = g.p;
  const int length = static_cast<int>(rng() % 151);
  winner = 0;
  for (int n = 0; n < length && p.GAME_OVER == 0; ++n) {
    std::vector<std::array<int, 5>> moves;
    std::vector<int> weights;
    p.調査_2歩フラグ設定();
    合法手列挙(p, (n % 2 == 0) == upper_first, [&](int fx, int fy, int tx, int ty, int piece) {
      moves.push_back({fx, fy, tx, ty, piece});
      const bool drop = fx == HAND_X_SITA || fx == HAND_X_UE;
      weights.push_back(drop ? 1 : 3 + 30 * (p.Board[tx][ty] != 0) + 10 * (std::abs(tx - fx) >= 5) + 5 * (ty <= 3 || ty >= 7));
    });
    if (moves.empty()) break;
    const auto [fx, fy, tx, ty, piece] = moves[std::discrete_distribution<size_t>(weights.begin(), weights.end())(rng)];
    const bool drop = fx == HAND_X_SITA || fx == HAND_X_UE;
    int stands = piece;
    if (p.調査_駒成(fx, fy, tx, ty, piece) == 1) {
      const bool promote = 移動後チェック(ty, piece) == 0 || rng() % 3 != 0;
      (promote ? seen.promotions : seen.declined) += 1;
      if (promote) stands = p.PROMOTED_CODE;
    }
    seen.drops += drop;
    seen.captures += p.Board[tx][ty] != 0;
    seen.seam += !drop && std::abs(tx - fx) == 8;
    if (std::abs(p.Board[tx][ty]) == OU) winner = n % 2 == 0 ? 1 : 2, ++seen.kings;
    g.play(fx, fy, tx, ty, stands, static_cast<int>(rng() % 200));
  }
  return g.r;
}

// A scripted game: {fx, fy, tx, ty, promote, seconds}, each move checked.
Record scripted(Game g, std::initializer_list<std::array<int, 6>> moves) {
  for (const auto& [fx, fy, tx, ty, promote, spent] : moves) {
    Position& p = g.p;
    const int piece = fx == HAND_X_SITA ? -HAND_PIECE[fy - 2] : fx == HAND_X_UE ? HAND_PIECE[fy] : p.Board[fx][fy];
    p.調査_2歩フラグ設定();
    EXPECT_EQ(p.移動チェック(fx, fy, tx, ty, piece), 1) << fx << fy << tx << ty;
    EXPECT_EQ(p.調査_駒成(fx, fy, tx, ty, piece), promote >= 0 ? 1 : 0) << fx << fy << tx << ty;
    g.play(fx, fy, tx, ty, promote == 1 ? p.PROMOTED_CODE : piece, spent);
  }
  return g.r;
}

// The upper side moves first, and a rook takes the king that walked out.
Record king_taken() {
  return scripted(Game("", ""), {{2, 3, 2, 4, -1, 0}, {5, 7, 5, 6, -1, 0}, {2, 4, 2, 5, -1, 0}, {5, 9, 5, 8, -1, 0},
                                 {2, 5, 2, 6, -1, 0}, {5, 8, 5, 7, -1, 0}, {2, 6, 2, 7, 1, 0}, {5, 6, 5, 5, -1, 0},
                                 {2, 2, 2, 6, -1, 0}, {1, 7, 1, 6, -1, 0}, {2, 6, 1, 6, -1, 0}, {6, 9, 6, 8, -1, 0},
                                 {1, 6, 5, 6, -1, 0}, {4, 9, 4, 8, -1, 0}, {5, 6, 5, 7, 0, 0}});
}

std::vector<std::string> lines_of(const Record& r, bool clocks = true) {
  std::vector<std::string> out;
  for (RecordEntry e : r.entries) {
    if (!clocks) e.time_sita_before = e.time_sita_after = e.time_ue_before = e.time_ue_after = 0;
    out.push_back(棋譜行(e));
  }
  return out;
}

std::string replaced(std::string s, std::string_view from, std::string_view to) {
  for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
  return s;
}

// The text with each line (without its LF) passed through edit.
std::string each_line(const std::string& kif, const std::function<std::string(const std::string&)>& edit) {
  std::string out;
  for (size_t at = 0, end; at < kif.size(); at = end + 1) {
    end = kif.find('\n', at);
    out += edit(kif.substr(at, end - at));
  }
  return out;
}

bool move_line(const std::string& l) { return l.size() > 4 && l[3] >= '0' && l[3] <= '9'; }

// The move lines as their moves alone, one blank apart.
std::string moves_only(const std::string& kif) {
  return each_line(kif, [](const std::string& l) {
    if (!move_line(l)) return l + "\n";
    std::string m = l.substr(5, l.find(" (") - 5);
    return m.erase(m.find_last_not_of(' ') + 1) + " ";
  });
}

const std::string NOT_A_GAME = "対局ではありません：KIFの指し手の行（「1 ７六歩(77)」のような行）が一つもありません";

struct Generated {
  Record game;
  std::string kif;
};

const std::vector<Generated>& generated_games() {
  static const std::vector<Generated> games = [] {
    std::mt19937 rng(17);
    Seen seen;
    std::vector<Generated> out;
    for (int i = 0; i < 240; ++i) {
      int winner = 0;
      const bool upper_first = i % 2 == 1;
      Generated g{random_game(rng, upper_first, seen, winner), ""};
      EXPECT_EQ(KIF作成(g.game, g.kif), "");
      const std::string ending = winner == 0 ? "手で中断\n" : winner == 1 ? "手で先手の勝ち\n" : "手で後手の勝ち\n";
      EXPECT_EQ(g.kif.substr(g.kif.size() - ending.size()), ending) << g.kif;
      // 先手's first move starts from its own ranks 7 to 9, turned board or not.
      const size_t first = g.kif.find("\n   1 ");
      if (first != std::string::npos) {
        EXPECT_NE(std::string("789").find(g.kif[first + 6 + 9 + 2]), std::string::npos) << g.kif;
      }
      out.push_back(std::move(g));
    }
    EXPECT_GT(std::min({seen.captures, seen.drops, seen.promotions, seen.declined, seen.seam, seen.kings}), 50);
    return out;
  }();
  return games;
}

TEST(Kif, WritesMovesAsTheyAreNamedFromSentesSide) {
  const struct {
    Record game;
    std::string kif;
  } cases[] = {
      {scripted(Game("後手花子", "先手太郎"), {{3, 7, 3, 6, -1, 7}, {7, 3, 7, 4, -1, 14}, {2, 8, 8, 2, 1, 21},
                                               {7, 1, 8, 2, -1, 28}, {HAND_X_SITA, 8, 6, 5, -1, 35},
                                               {2, 2, 9, 2, -1, 42}, {6, 5, 4, 3, 0, 49}, {4, 1, 4, 2, -1, 3700}}),
       "#KIF version=2.0 encoding=UTF-8\n#円筒将棋の棋譜です。９筋と１筋が隣り合い、駒は盤の端を越えて動きます\n"
       "手合割：平手\n先手：先手太郎\n後手：後手花子\n"
       "手数----指手---------消費時間--\n"
       "   1 ７六歩(77)     ( 0:07/00:00:07)\n"
       "   2 ３四歩(33)     ( 0:14/00:00:14)\n"
       "   3 ２二角成(88)   ( 0:21/00:00:28)\n"
       "   4 同　銀(31)     ( 0:28/00:00:42)\n"
       "   5 ４五角打       ( 0:35/00:01:03)\n"
       "   6 １二飛(82)     ( 0:42/00:01:24)\n"  // round the seam: the silver on ２二 blocks the way back
       "   7 ６三角不成(45) ( 0:49/00:01:52)\n"
       "   8 ６二金(61)     (61:40/01:03:04)\n"
       "まで8手で中断\n"},
      // Every square turned, the king taken.
      {king_taken(),
       "#KIF version=2.0 encoding=UTF-8\n#円筒将棋の棋譜です。９筋と１筋が隣り合い、駒は盤の端を越えて動きます\n"
       "#この対局では上側の駒が先手です\n"
       "手合割：平手\n先手：\n後手：\n手数----指手---------消費時間--\n"
       "２六歩(27) ５四歩(53) ２五歩(26) ５二玉(51) ２四歩(25) ５三玉(52) ２三歩成(24) ５五歩(54) ２四飛(28) "
       "１四歩(13) 同　飛(24) ６二金(61) ５四飛(14) ４二金(41) ５三飛不成(54) まで15手で先手の勝ち\n"},
  };
  for (const auto& c : cases) {
    std::string kif;
    EXPECT_EQ(KIF作成(c.game, kif), "");
    // Where the times are all zero only the moves are compared.
    EXPECT_EQ(kif.find("0:07") == std::string::npos ? moves_only(kif) : kif, c.kif);
    Record back;
    EXPECT_EQ(KIF解析(kif, back), "");
    EXPECT_EQ(lines_of(back), lines_of(c.game));
  }
}

TEST(Kif, NamesOneMoveAsTheWriterDoes) {
  const Record g = scripted(Game("", ""), {{3, 7, 3, 6, -1, 7}, {7, 3, 7, 4, -1, 14}, {2, 8, 8, 2, 1, 21},
                                           {7, 1, 8, 2, -1, 28}, {HAND_X_SITA, 8, 6, 5, -1, 35}});
  RecordEntry initial;
  Position p;
  p.初期設定();
  std::copy(&p.Board[0][0], &p.Board[0][0] + 100, &initial.board[0][0]);
  const auto& e = g.entries;
  const struct {
    const RecordEntry &before, &after;
    int mover, prev_x, prev_y;
    bool upper_is_sente;
    std::string text;
  } cases[] = {
      {initial, e[0], RECORD_LOWER, 0, 0, false, "７六歩(77)"},  {initial, e[0], RECORD_LOWER, 0, 0, true, "３四歩(33)"},
      {e[1], e[2], RECORD_LOWER, 3, 4, false, "２二角成(88)"},  {e[2], e[3], RECORD_UPPER, 8, 2, false, "同　銀(31)"},
      {e[2], e[3], RECORD_UPPER, 0, 0, false, "２二銀(31)"},    {e[3], e[4], RECORD_LOWER, 8, 2, false, "４五角打"},
      {initial, e[0], RECORD_UPPER, 0, 0, false, ""},          {initial, e[0], 0, 0, 0, false, ""},
      {initial, e[1], RECORD_LOWER, 0, 0, false, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(KIF指し手(c.before, c.mover, c.after, c.prev_x, c.prev_y, c.upper_is_sente), c.text) << c.text;
}

TEST(Kif, RefusesWithTheLineOrMoveAtFault) {
  std::string taken_then_more;
  ASSERT_EQ(KIF作成(king_taken(), taken_then_more), "");
  taken_then_more = taken_then_more.substr(0, taken_then_more.find("まで")) + "  16 ６一金(62)\n";
  std::string cp932;
  to_cp932("手合割：平手\r\n   1 ７五歩(77)\r\n", cp932);
  const std::string before_drop = "1 ７六歩(77)\n2 ７四歩(73)\n3 ７五歩(76)\n4 同　歩(74)\n5 ９六歩(97)\n";
  const struct {
    std::string kif, message;
  } cases[] = {
      {"手合割：香落ち\n", NOT_A_GAME},
      {"|v香v桂v銀v金v玉v金v銀v桂v香|一\n", NOT_A_GAME},
      {"後手の持駒：なし\n", NOT_A_GAME},
      {"hello\nworld\n", NOT_A_GAME},
      {"   1 ７六歩(77)\n   3 ３四歩(33)\n", "2行目「3 ３四歩(33)」：手数が続いていません（2手目のはずです）"},
      {cp932, "2行目「1 ７五歩(77)」：その駒はそこへ動けません"},
      {"1 ７六銀(77)", "1行目「1 ７六銀(77)」：移動元の駒と駒の名前が違います"},
      {"1 ３四歩(33)", "1行目「1 ３四歩(33)」：移動元に指す側の駒がありません"},
      {"1 同　歩(77)", "1行目「1 同　歩(77)」：「同」の前に指し手がありません"},
      {"1 ５五角打", "1行目「1 ５五角打」：持駒にない駒です"},
      {"1 ７六歩成(77)", "1行目「1 ７六歩成(77)」：成れない指し手です"},
      {"1 ７六歩不成(77)", "1行目「1 ７六歩不成(77)」：成れない指し手に「不成」が付いています"},
      {"1 ７六歩打(77)", "1行目「1 ７六歩打(77)」：「打」と移動元が両方あります"},
      {"1 ７六歩成", "1行目「1 ７六歩成」：移動元が書かれておらず、そこへ指せる駒がありません"},
      {"1 ７六歩(77) ( 0:1x/00:00:01)", "1行目「1 ７六歩(77) ( 0:1x/00:00:01)」：消費時間が読めません"},
      {"1 ７六步(77)", "1行目「1 ７六步(77)」：指し手が読めません"},
      {"1 ７六歩(77)" + std::string(30, 'x'), "1行目「1 ７六歩(77)xxxxxxxxxxxxxxxxxxxxxxx…」：指し手が読めません"},
      {"1 ７六歩(77)\nhello\n", "2行目「hello」：読めない行です"},
      {before_drop + "6 ６四歩打\n", "6行目「6 ６四歩打」：二歩です"},
      {before_drop + "6 ６三歩打\n", "6行目「6 ６三歩打」：駒のある升には打てません"},
      {before_drop + "6 ６五と打\n", "6行目「6 ６五と打」：その駒は打てません"},
      {taken_then_more, "23行目「16 ６一金(62)」：玉を取った後に指し手があります"},
  };
  for (const auto& c : cases) {
    Record back;
    EXPECT_EQ(KIF解析(c.kif, back), c.message);
    EXPECT_TRUE(back.entries.empty());
  }

  // Stored positions that are not one move apart: the same side twice, nothing moved.
  Game twice("", "");
  twice.play(3, 7, 3, 6, -HU, 0);
  twice.play(4, 7, 4, 6, -HU, 0);
  Record still = twice.r;
  still.entries[1] = still.entries[0];
  for (const Record& r : {twice.r, still}) {
    std::string kif = "old";
    EXPECT_EQ(KIF作成(r, kif), "2手目の局面が、前の局面から一手で指せる局面ではありません");
    EXPECT_EQ(kif, "");
  }
}

// A game from the initial position short of the pieces on off, begun by first.
Record handicapped(std::initializer_list<std::array<int, 2>> off, int first, std::array<int, 6> move) {
  Game g("", "");
  for (const auto& [x, y] : off) g.p.Board[x][y] = EMPTY;
  RecordEntry& start = g.r.start.emplace();
  std::copy(&g.p.Board[0][0], &g.p.Board[0][0] + 100, &start.board[0][0]);
  g.r.first_mover = first;
  return scripted(g, {move});
}

std::string kif_of(const Record& r) {
  std::string kif;
  EXPECT_EQ(KIF作成(r, kif), "");
  return kif;
}

// The start, the side to move first, the result and comments: read, checked,
// written back and read again to the same game.
TEST(Kif, StartsResultsCommentsAndMovesWithoutOrigin) {
  const std::string diagram =
      "後手の持駒：角　歩二\n  ９ ８ ７ ６ ５ ４ ３ ２ １\n+---------------------------+\n"
      "| ・ ・ ・ ・v玉 ・ ・ ・ ・|一\n| ・ ・ ・ ・ ・ ・ ・ ・ ・|二\n|v歩 ・ ・ ・ ・ ・ ・ ・v桂|三\n"
      "| ・ ・ ・ ・ ・ ・ ・ ・ ・|四\n| ・ ・ ・ ・ ・ ・ ・ ・ ・|五\n| ・ ・ ・ ・ ・ ・ ・ ・ ・|六\n"
      "| ・ ・ ・ ・ 歩 ・ ・ ・ ・|七\n| ・ ・ ・ ・ ・ ・ ・ ・ ・|八\n| 飛 ・ ・ ・ 玉 ・ ・ ・ ・|九\n"
      "+---------------------------+\n先手の持駒：金　銀二\n";
  // Round the seam: the rook steps from ９九 to １九.
  const std::string from_diagram = diagram + "後手番\n1 ５二玉(51)\n2 ５一金打\n3 同　玉(52)\n4 １九飛(99)\n5 投了\n";
  const auto faulty = [&](std::string_view from, std::string_view to) { return replaced(from_diagram, from, to); };
  const auto at_start = [](const char* why) { return std::string("1行目「後手の持駒：角　歩二」：") + why; };
  const std::string hirate = "1 ７六歩(77)\n2 ３四歩(33)\n";
  const std::string ambiguous = "移動元が書かれておらず、そこへ指せる駒が二つ以上あります";
  const struct {
    std::string kif, error;
    std::array<int, 5> read{};  // moves, first mover, winner, resigned, 1 when a start is given
    std::vector<std::string> written{};
  } cases[] = {
      {"手合割：香落ち\n1 ３四歩(33)\n2 ７六歩(77)\n", "", {2, RECORD_UPPER, 0, 0, 1},
       {"\n手合割：香落ち\n", "   1 ３四歩(33)", "まで2手で中断\n"}},
      {"#この対局では上側の駒が先手です\n手合割：角落ち\n下手：太郎\n上手：花子\n1 ３四歩(33)\n", "", {1, RECORD_LOWER, 0, 0, 1},
       {"#この対局では上側の駒が先手です\n手合割：角落ち\n先手：太郎\n後手：花子\n"}},
      {from_diagram, "", {4, RECORD_UPPER, RECORD_LOWER, 1, 1},
       {diagram + "後手番\n", "   4 １九飛(99)", "   5 投了", "まで4手で先手の勝ち\n"}},
      {kif_of(handicapped({{8, 2}, {2, 2}, {9, 1}, {1, 1}, {8, 1}}, RECORD_UPPER, {7, 3, 7, 4, -1, 0})), "",
       {1, RECORD_UPPER, 0, 0, 1}, {"\n手合割：左五枚落ち\n"}},
      {kif_of(handicapped({{2, 8}, {8, 8}, {1, 9}, {9, 9}, {2, 9}, {8, 9}, {3, 9}}, 0, {3, 7, 3, 6, -1, 0})), "",
       {1, RECORD_LOWER, 0, 0, 1}, {"#この対局では上側の駒が先手です\n手合割：左七枚落ち\n"}},
      {kif_of(handicapped({{8, 2}, {2, 2}, {9, 1}, {1, 1}, {8, 1}, {2, 1}, {7, 1}, {3, 1}, {6, 1}}, 0, {7, 3, 7, 4, -1, 0})),
       "", {1, RECORD_UPPER, 0, 0, 1}, {"| ・ ・ ・v金v玉 ・ ・ ・ ・|一\n", "後手番\n"}},
      {kif_of(handicapped({{8, 2}}, 0, {3, 7, 3, 6, -1, 0})), "", {1, RECORD_LOWER, 0, 0, 1},
       {"| ・v飛 ・ ・ ・ ・ ・ ・ ・|二\n", "+\n先手の持駒：なし\n先手："}},
      {"1 ７六歩\n2 ３四歩\n3 ２二角成\n4 同　銀\n", "", {4, RECORD_LOWER, 0, 0, 0}, {"   3 ２二角成(88)", "   4 同　銀(31)"}},
      {hirate + "まで2手で後手の勝ち\n", "", {2, RECORD_LOWER, RECORD_UPPER, 0, 0}, {"(33)     ( 0:00/00:00:00)\nまで2手で後手の勝ち\n"}},
      {hirate + "3 詰み\n", "", {2, RECORD_LOWER, RECORD_UPPER, 0, 0}, {"(33)     ( 0:00/00:00:00)\nまで2手で後手の勝ち\n"}},
      {"1 ７六歩(77)\n2 投了\nまで1手で先手の勝ち\n", "", {1, RECORD_LOWER, RECORD_LOWER, 1, 0},
       {"   2 投了           ( 0:00/00:00:00)\nまで1手で先手の勝ち\n"}},
      {hirate + "3 中断\nまで2手で中断\n", "", {2, RECORD_LOWER, 0, 0, 0}, {"まで2手で中断\n"}},
      {"1 ７六歩(77)\n*【悪手】 評価値 -512 最善 ７六歩(77)\n*　二行目\n2 ３四歩(33)\n", "", {2, RECORD_LOWER, 0, 0, 0},
       {"(77)     ( 0:00/00:00:00)\n*【悪手】 評価値 -512 最善 ７六歩(77)\n*　二行目\n   2 ３四歩"}},
      {"手合割：九枚落ち\n" + hirate, "1行目「手合割：九枚落ち」：知らない手合割です"},
      {faulty("v桂|三", "v犬|三"), "6行目「|v歩 ・ ・ ・ ・ ・ ・ ・v犬|三」：盤面図の段が読めません"},
      {faulty("| ・ ・ ・ ・ ・ ・ ・ ・ ・|二\n", ""), at_start("盤面図が９段そろっていません")},
      {faulty("v玉", " 玉"), at_start("先手と後手の玉が一枚ずつある局面ではありません")},
      {faulty("銀二\n", "銀二　歩十七\n"), at_start("一組の駒より多い駒があります")},
      {faulty("| ・ ・ ・ ・v玉", "| 歩 ・ ・ ・v玉"), at_start("動けない駒が置かれています")},
      {faulty("| ・ ・ ・ ・ ・ ・ ・ ・ ・|八", "| ・ ・ ・ ・ 歩 ・ ・ ・ ・|八"), at_start("二歩の局面です")},
      {"1 ５八金\n", "1行目「1 ５八金」：" + ambiguous},
      {"1 ５五歩\n", "1行目「1 ５五歩」：移動元が書かれておらず、そこへ指せる駒がありません"},
      {kif_of(Record{}), NOT_A_GAME},
      {"手合割：平手\n先手：甲\n後手：乙\n", NOT_A_GAME},
      {"▲７六歩　△３四歩\n", NOT_A_GAME},
      {"手合割：香落ち\n1 投了\nまで0手で先手の勝ち\n", NOT_A_GAME},
      {"V2.2\nPI\n+\n+7776FU\n-3334FU\n%TORYO\n", NOT_A_GAME},
  };
  for (const auto& c : cases) {
    Record back;
    ASSERT_EQ(KIF解析(c.kif, back), c.error) << c.kif;
    if (!c.error.empty()) continue;
    EXPECT_EQ((std::array<int, 5>{static_cast<int>(back.entries.size()), back.first_mover, back.winner, back.resigned,
                                  back.start.has_value()}),
              c.read)
        << c.kif;
    const std::string written = kif_of(back);
    for (const std::string& w : c.written) EXPECT_NE(written.find(w), std::string::npos) << w << "\n" << written;
    EXPECT_EQ(KIF上側が先手(back), written.find(KIF_UPPER_FIRST) != std::string::npos);
    Record again;
    ASSERT_EQ(KIF解析(written, again), "") << written;
    EXPECT_EQ(lines_of(again), lines_of(back));
    EXPECT_EQ(棋譜行(again.start.value_or(RecordEntry{})), 棋譜行(back.start.value_or(RecordEntry{})));
    EXPECT_EQ(std::tie(again.upper, again.lower, again.first_mover, again.winner, again.resigned, again.notes),
              std::tie(back.upper, back.lower, back.first_mover, back.winner, back.resigned, back.notes));
  }
}

TEST(Kif, RandomGamesComeBackThroughKifAndThroughTheRecordFile) {
  int same = 0;
  for (const Generated& g : generated_games()) {
    Record back;
    ASSERT_EQ(KIF解析(g.kif, back), "") << g.kif;
    EXPECT_EQ(lines_of(back), lines_of(g.game)) << g.kif;
    EXPECT_EQ(back.upper + back.lower, g.game.upper + g.game.lower);
    std::string bytes, again;
    ASSERT_TRUE(棋譜ファイル作成(back, bytes));
    ASSERT_EQ(KIF作成(棋譜ファイル解析(bytes), again), "");
    EXPECT_EQ(again, g.kif);
    same += g.kif.find("同　") != std::string::npos;
  }
  EXPECT_GT(same, 100);
}

TEST(Kif, ReadsTheFormsOtherProgramsWrite) {
  // Without 打 a drop is read only where no piece on the board could go
  // instead; where one could, the message says so.
  int ambiguous = 0;
  const struct {
    const char* what;
    std::function<std::string(const std::string&)> edit;
    bool clocks;
  } forms[] = {
      {"CR LF", [](const std::string& k) { return replaced(k, "\n", "\r\n"); }, true},
      {"CP932", [](const std::string& k) { std::string s; to_cp932(k, s); return s; }, true},
      {"headers in any order, comments, BOM", [](const std::string& k) {
         const size_t moves = k.find("手数");
         const auto line = [&](const char* key) {
           const size_t at = k.find(key);
           return at < moves ? k.substr(at, k.find('\n', at) + 1 - at) : std::string();
         };
         return "\xEF\xBB\xBF開始日時：2026/01/01\n" + line("後手：") + "# 何か\n" + line("先手：") + line("#この") +
                "手合割：平手　\n\n" + each_line(k.substr(moves), [](const std::string& l) {
                  return l + (move_line(l) && l[3] == '5' ? "\n*コメント\n&しおり\n" : "\n");
                });
       }, true},
      {"full-width and missing blanks, no times, 打 left out", [](const std::string& k) {
         return each_line(replaced(replaced(k, "同　", "同"), "打", ""), [](const std::string& l) {
           return (move_line(l) ? l.substr(0, l.find_last_not_of(' ', l.rfind('(') - 1) + 1) : l) + "\n";
         });
       }, false},
      {"王 竜 全 圭 杏, ending words, variations", [](const std::string& k) {
         std::string s = replaced(replaced(replaced(k, "玉", "王"), "龍", "竜"), "成銀", "全");
         s = replaced(replaced(s, "成桂", "圭"), "成香", "杏");
         return s.substr(0, s.find("まで")) + "9999 投了\nまで\n変化：3手\n   3 あいうえお\n";
       }, true},
      {"full-width brackets and digits", [](const std::string& k) {
         return replaced(replaced(replaced(replaced(k, "(", "（ "), ")", "）"), "7", "７"), "0", "０");
       }, true},
  };
  for (const auto& form : forms) {
    int failures = 0;
    for (const Generated& g : generated_games()) {
      Record back;
      const std::string edited = form.edit(g.kif);
      const std::string why = KIF解析(edited, back);
      if (why.ends_with("移動元が書かれておらず、そこへ指せる駒が二つ以上あります")) {  // on a drop line
        size_t at = 0;
        for (int line = std::stoi(why); line > 1; --line) at = g.kif.find('\n', at) + 1;
        EXPECT_NE(g.kif.substr(at, g.kif.find('\n', at) - at).find("打"), std::string::npos) << why;
        ++ambiguous;
        continue;
      }
      if (why != "" || lines_of(back, form.clocks) != lines_of(g.game, form.clocks) ||
          back.upper + back.lower != g.game.upper + g.game.lower) {
        ASSERT_LT(++failures, 3) << form.what << "\n" << edited;
      }
    }
    EXPECT_EQ(failures, 0) << form.what;
  }
  EXPECT_LT(ambiguous, 60);
  // The aliases were there to be read.
  std::string all;
  for (const Generated& g : generated_games()) all += g.kif;
  for (const char* name : {"玉", "龍", "成銀", "成桂", "成香", "打"}) EXPECT_NE(all.find(name), std::string::npos) << name;
}

}  // namespace
}  // namespace korvel
