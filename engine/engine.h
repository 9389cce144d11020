#pragma once
// The computer player: attack maps of a position, pins, mate tests,
// evaluation and the one-ply search of the computer's turn. It works on the
// game's Position in place (candidates are played on the board and taken
// back) and keeps its maps between calls, as the game does.

#include <functional>
#include <optional>
#include <vector>

#include "board/position.h"
#include "engine/candidate.h"
#include "engine/score.h"

namespace korvel {

using Map = int[10][10];

// Everything the computer player keeps between calls. Reset to zero at start.
struct EngineState {
  // ---- attack maps (rebuilt by 勢力調査; see the reset values there) ----
  Map KIKI_SITA{}, KIKI_UE{};
  Map HIMO_SITA{}, HIMO_UE{};
  Map HIMO_X_UE{}, HIMO_Y_UE{};          // not reset by a rebuild
  Map ATARI_SITA{}, ATARI_X_SITA{}, ATARI_Y_SITA{};
  Map ATARI_UE{};
  Map ATARI_X_UE{}, ATARI_Y_UE{};        // not reset by a rebuild
  Map OUTE_SITA{}, OUTE_UE{};
  // The king squares live in Position (KING_SITA_X/Y, KING_UE_X/Y).

  // ---- pins ----
  Map PIN_SITA{};
  int PIN_FLAG_UE = 0;

  // ---- measures ----
  Map BISHOP_CHECK_SQUARES{};

  // ---- the computer's turn ----
  int COM_LEVEL = 3;
  int TRY_PIECE = 0;
  int KING_DISTANCE_START = 0;
  int BASE_SAFETY = 0;
  Map BOARD_START{};
  Map KIKI_SITA_START{}, KIKI_UE_START{};
  Map ATARI_X_UE_START{}, ATARI_Y_UE_START{};
  int KING_UE_X_START = 0, KING_UE_Y_START = 0;
  int HAND_COUNT_UE_START = 0, HAND_COUNT_SITA_START = 0;
  Score BEST_SCORE;
};

class Engine {
 public:
  Engine(Position& pos, EngineState& st) : pos_(pos), st_(st) {}

  // ===== attack maps, line attacks, pins, mate tests, measures =====

  // Attack maps. 勢力調査 rebuilds every map from the Board alone; the other
  // operations are its steps, public so that tests and tools can drive them.
  void 勢力調査();
  void 勢力確定自金(int code, int x, int y);  // lower gold-pattern piece
  void 勢力確定敵金(int x, int y);            // upper one: records as a gold
  void 勢力確定上直進(int code, int x, int y);
  void 勢力確定下直進(int code, int x, int y);
  void 勢力確定右直進(int code, int x, int y);
  void 勢力確定左直進(int code, int x, int y);
  void 勢力確定自角(int code, int x, int y);
  void 勢力確定敵角(int code, int x, int y);
  void 勢力確定_盤上(int code, int x, int y);

  // Pins: fills PIN_SITA and PIN_FLAG_UE. Needs fresh king squares.
  void 調査_移動不可駒();

  // Mate tests on fresh maps: 1 mated, 0 not. The Board is left as found;
  // 詰めかCOM rebuilds the maps for the answers it tries and leaves them so.
  int 詰めかMAN();
  int 詰めかCOM();
  int 詰めかMAN_COM移動();

  // Measures read by the evaluation and the computer's turn.
  int 調査_自王逃道();
  void 調査_持角狙座標();                            // fills BISHOP_CHECK_SQUARES
  int 盤評価_自角注意_COM(int x, int y, int pc);     // pc or 0
  int 調査_移動可場所数(int x, int y, int piece);
  int 調査_桂狙い(int x, int y);
  int 調査_香狙い(int x, int y);
  int 調査_自守駒MAN_直進駒(int x, int y);           // 1 or 0
  int 調査_周辺状況(int x, int y);                   // 0 or negative

  // ===== position scan, piece terms, evaluation, search =====

  // Whole-board look at the position after a candidate: weaknesses of the
  // computer's camp, pressure on human pieces, and the moved piece's forks.
  Score 盤評価_COM危険座標(int pc, int tx, int ty);
  // Rules of thumb for the kind of piece now on the destination.
  Score 盤評価_駒固有(int cap, int pc, int fx, int fy, int tx, int ty);
  // The score of one candidate, played on the Board with fresh maps.
  // cap: what it captured (0 none); pc: the piece now on (tx, ty);
  // fx = -1 and fy = the hand slot for a drop.
  Score 盤評価(int cap, int pc, int fx, int fy, int tx, int ty);

  // The start of the computer's turn, before any candidate: BEST_SCORE,
  // BOARD_START, the pawn files, BASE_SAFETY, fresh maps, the bishop check
  // squares, the pins and the start-of-turn copies.
  void com_ban_準備();

  // The search of the computer's turn, without playing its choice: every
  // legal move and drop of the upper side is scored, the first best one is
  // returned (none when there is no candidate). The Board and the hands are
  // as before; the maps describe the last candidate tried. tick is called
  // once per origin column and once per hand slot (the window's clock);
  // every scored candidate is appended to all when it is given.
  std::optional<Candidate> com_ban_探索(const std::function<void()>& tick = {},
                                        std::vector<Candidate>* all = nullptr);

 private:
  Position& pos_;
  EngineState& st_;
};

}  // namespace korvel
