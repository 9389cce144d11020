// The search of the computer's turn: every legal board move and drop of the
// upper side is played on the Board, the maps are rebuilt, 盤評価 scores it
// and it is taken back. One ply, exhaustive but for two early stops.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "engine/engine.h"

namespace korvel {

namespace {

void copy_map(Map& to, const Map& from) { std::memcpy(to, from, sizeof(Map)); }

}  // namespace

void Engine::com_ban_準備() {
  auto& B = pos_.Board;
  st_.BEST_SCORE = -99999;
  copy_map(st_.BOARD_START, B);

  pos_.調査_2歩フラグ設定();
  // Taken on the maps as the human's move left them, before the rebuild.
  st_.BASE_SAFETY = 調査_自王逃道();
  勢力調査();
  調査_持角狙座標();
  調査_移動不可駒();

  st_.KING_UE_X_START = pos_.KING_UE_X;
  st_.KING_UE_Y_START = pos_.KING_UE_Y;
  st_.HAND_COUNT_UE_START = pos_.HAND_COUNT_UE;
  st_.HAND_COUNT_SITA_START = pos_.HAND_COUNT_SITA;
  copy_map(st_.KIKI_SITA_START, st_.KIKI_SITA);
  copy_map(st_.KIKI_UE_START, st_.KIKI_UE);
  copy_map(st_.ATARI_X_UE_START, st_.ATARI_X_UE);
  copy_map(st_.ATARI_Y_UE_START, st_.ATARI_Y_UE);
}

std::optional<Candidate> Engine::com_ban_探索(const std::function<void()>& tick,
                                              std::vector<Candidate>* all) {
  auto& B = pos_.Board;
  com_ban_準備();

  std::optional<Candidate> best;
  // Strictly better only: among equal scores the first in generation order stays.
  const auto consider = [&](const Candidate& c) {
    if (all) all->push_back(c);
    if (c.score > st_.BEST_SCORE) {
      st_.BEST_SCORE = c.score;
      best = c;
      return true;
    }
    return false;
  };

  for (int x = 1; x <= 9; ++x) {
    if (tick) tick();
    for (int y = 1; y <= 9; ++y) {
      const int piece = B[x][y];
      if (piece < 10) continue;
      for (int tx = 1; tx <= 9; ++tx) {
        for (int ty = 1; ty <= 9; ++ty) {
          if (pos_.移動チェック(x, y, tx, ty, piece) != 1) continue;
          st_.TRY_PIECE = piece;
          const int captured = B[tx][ty];
          st_.KING_DISTANCE_START =
              std::max(std::abs(pos_.KING_SITA_X - x), std::abs(pos_.KING_SITA_Y - y));

          B[x][y] = 0;
          B[tx][ty] = piece;
          Candidate c{x, y, tx, ty, piece, piece, captured, Score()};
          if (pos_.調査_駒成(x, y, tx, ty, piece) == 0) {
            勢力調査();
            c.score = 盤評価(captured, piece, x, y, tx, ty);
          } else {
            const int promoted = pos_.PROMOTED_CODE;
            if (移動後チェック(ty, piece) == 0) {
              B[tx][ty] = promoted;
              勢力調査();
              c.score = 盤評価(captured, promoted, x, y, tx, ty);
              c.piece = promoted;
            } else {
              勢力調査();
              const Score unpromoted = 盤評価(captured, piece, x, y, tx, ty);
              B[tx][ty] = promoted;
              勢力調査();
              const Score promoted_score = 盤評価(captured, promoted, x, y, tx, ty);
              if (promoted_score > unpromoted) {
                c.score = promoted_score;
                c.piece = promoted;
              } else {
                c.score = unpromoted;
              }
              // These lose nothing by promoting, whatever the scores said.
              if (piece == HU || piece == KAKU || piece == HISHA) c.piece = promoted;
            }
          }
          B[tx][ty] = captured;
          B[x][y] = piece;

          if (consider(c) && captured == -OU) return best;
        }
      }
    }
  }

  if (st_.HAND_COUNT_UE_START > 0) {
    for (int slot = 1; slot <= 7; ++slot) {
      if (tick) tick();
      if (pos_.HAND_UE[slot] <= 0) continue;
      const int code = HAND_PIECE[slot];
      for (int tx = 1; tx <= 9; ++tx) {
        for (int ty = 1; ty <= 9; ++ty) {
          if (pos_.移動チェック(HAND_X_UE, slot, tx, ty, code) != 1) continue;
          st_.TRY_PIECE = code;
          B[tx][ty] = code;
          勢力調査();
          const Score score = 盤評価(0, code, HAND_X_UE, slot, tx, ty);
          B[tx][ty] = 0;
          if (consider(Candidate{HAND_X_UE, slot, tx, ty, code, code, 0, score}) &&
              st_.BEST_SCORE >= 9998)
            return best;
        }
      }
    }
  }
  return best;
}

}  // namespace korvel
