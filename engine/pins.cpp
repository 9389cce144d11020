// Pinned pieces: a piece is pinned when, lifted off the board, an enemy line
// piece could legally move onto its king. The legality test wraps round the
// cylinder, so pins across the seam count too.

#include "engine/engine.h"
#include "engine/map_access.h"

namespace korvel {

namespace {

bool is_line_piece(int code) {
  const long long a = code < 0 ? -static_cast<long long>(code) : code;  // any int, even INT_MIN
  return a == KYOU || a == KAKU || a == UMA || a == HISHA || a == RYU;
}

}  // namespace

void Engine::調査_移動不可駒() {
  auto& b = pos_.Board;

  // Lifting one piece never adds or removes an enemy line piece of the
  // lifted piece's side, so the line pieces are listed once, in scan order.
  int ue_line[81][2], sita_line[81][2];
  int n_ue = 0, n_sita = 0;
  for (int sx = 1; sx <= 9; ++sx)
    for (int sy = 1; sy <= 9; ++sy) {
      const int c = b[sx][sy];
      if (c > 0 && is_line_piece(c)) {
        ue_line[n_ue][0] = sx;
        ue_line[n_ue++][1] = sy;
      } else if (c < 0 && is_line_piece(c)) {
        sita_line[n_sita][0] = sx;
        sita_line[n_sita++][1] = sy;
      }
    }

  st_.PIN_FLAG_UE = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      st_.PIN_SITA[x][y] = 0;
      const int code = b[x][y];
      if (code == EMPTY) continue;
      b[x][y] = EMPTY;
      if (code <= -10) {
        for (int i = 0; i < n_ue; ++i) {
          const int sx = ue_line[i][0], sy = ue_line[i][1];
          if (pos_.移動チェック(sx, sy, pos_.KING_SITA_X, pos_.KING_SITA_Y, b[sx][sy]) == 1) {
            st_.PIN_SITA[x][y] = 1;
            break;
          }
        }
      } else {
        for (int i = 0; i < n_sita; ++i) {
          const int sx = sita_line[i][0], sy = sita_line[i][1];
          if (pos_.移動チェック(sx, sy, pos_.KING_UE_X, pos_.KING_UE_Y, b[sx][sy]) == 1) {
            st_.PIN_FLAG_UE = 1;
            break;
          }
        }
      }
      b[x][y] = code;
    }
}

}  // namespace korvel
