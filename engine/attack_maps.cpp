// The attack maps: who attacks each square, the cheapest attacker and the
// strongest defender of what stands there, the king squares and the check
// lines. Both sides are mapped in one pass, but not alike: a lower piece
// records every attack in full, an upper piece only what its kind records.

#include "engine/engine.h"
#include "engine/map_access.h"

namespace korvel {

namespace {

// What an upper-side attack records, by kind of piece.
enum : unsigned {
  DEF = 1u,      // lowers HIMO_UE on an upper piece
  DEF_XY = 2u,   // ... and notes the defender's square
  THR = 4u,      // lowers ATARI_UE on a lower piece
  THR_XY = 8u,   // ... and notes the attacker's square
  CHECK = 16u,   // marks OUTE_UE when it hits the lower king
  KNIGHT = 32u,  // a knight's check marks the king's square too
};

constexpr unsigned UE_PAWN = DEF | THR | CHECK;
constexpr unsigned UE_GOLD = DEF | CHECK;
constexpr unsigned UE_KNIGHT = DEF | DEF_XY | CHECK | KNIGHT;
constexpr unsigned UE_SILVER = DEF | DEF_XY | CHECK;
constexpr unsigned UE_HORSE_STEP = CHECK;
constexpr unsigned UE_DRAGON_STEP = DEF | DEF_XY | THR | THR_XY | CHECK;
constexpr unsigned UE_KING = DEF;

using Cells = int[10][10];

// One attack of a lower piece v standing on (px, py) on (tx, ty).
inline void sita_hit(EngineState& st, const Cells& b, int v, int px, int py, int tx, int ty,
                     bool knight, bool king) {
  if (!on_board(tx, ty)) return;
  ++st.KIKI_SITA[tx][ty];
  const int s = b[tx][ty];
  if (s < 0) {
    if (st.HIMO_SITA[tx][ty] > v) st.HIMO_SITA[tx][ty] = v;
  } else if (s > 0) {
    if (st.ATARI_SITA[tx][ty] < v) {
      st.ATARI_SITA[tx][ty] = v;
      st.ATARI_X_SITA[tx][ty] = px;
      st.ATARI_Y_SITA[tx][ty] = py;
    }
    if (s == OU && !king) {
      st.OUTE_SITA[px][py] = 9;
      if (knight) st.OUTE_SITA[tx][ty] = 9;
    }
  }
}

// One attack of an upper piece v standing on (px, py) on (tx, ty).
inline void ue_hit(EngineState& st, const Cells& b, unsigned rec, int v, int px, int py, int tx,
                   int ty) {
  if (!on_board(tx, ty)) return;
  ++st.KIKI_UE[tx][ty];
  const int s = b[tx][ty];
  if ((rec & DEF) && s >= 10 && st.HIMO_UE[tx][ty] > v) {
    st.HIMO_UE[tx][ty] = v;
    if (rec & DEF_XY) {
      st.HIMO_X_UE[tx][ty] = px;
      st.HIMO_Y_UE[tx][ty] = py;
    }
  }
  if ((rec & THR) && s <= -10 && st.ATARI_UE[tx][ty] > v) {
    st.ATARI_UE[tx][ty] = v;
    if (rec & THR_XY) {
      st.ATARI_X_UE[tx][ty] = px;
      st.ATARI_Y_UE[tx][ty] = py;
    }
  }
  if ((rec & CHECK) && s == -OU) {
    st.OUTE_UE[px][py] = 9;
    if (rec & KNIGHT) st.OUTE_UE[tx][ty] = 9;
  }
}

// A line from (x, y) in direction (dx, dy): counts and records every square
// up to the first piece, and looks through the enemy king, marking the
// check line on the way.
void ray(EngineState& st, const Cells& b, int code, int x, int y, int dx, int dy) {
  if (!on_board(x, y)) return;
  const bool lower = code < 0;
  const int enemy_king = lower ? OU : -OU;
  Map& oute = lower ? st.OUTE_SITA : st.OUTE_UE;
  for (int sx = x + dx, sy = y + dy; on_board(sx, sy); sx += dx, sy += dy) {
    const int s = b[sx][sy];
    if (lower) {
      ++st.KIKI_SITA[sx][sy];
      if (s < 0 && st.HIMO_SITA[sx][sy] > code) {
        st.HIMO_SITA[sx][sy] = code;
      } else if (s > 0 && st.ATARI_SITA[sx][sy] < code) {
        st.ATARI_SITA[sx][sy] = code;
        st.ATARI_X_SITA[sx][sy] = x;
        st.ATARI_Y_SITA[sx][sy] = y;
      }
    } else {
      ++st.KIKI_UE[sx][sy];
      if (s >= 10 && st.HIMO_UE[sx][sy] > code) {
        st.HIMO_UE[sx][sy] = code;
        st.HIMO_X_UE[sx][sy] = x;
        st.HIMO_Y_UE[sx][sy] = y;
      }
      if (s <= -10 && st.ATARI_UE[sx][sy] > code) {
        st.ATARI_UE[sx][sy] = code;
        st.ATARI_X_UE[sx][sy] = x;
        st.ATARI_Y_UE[sx][sy] = y;
      }
    }
    if (s == enemy_king) {
      for (int mx = x + dx, my = y + dy; mx != sx || my != sy; mx += dx, my += dy) oute[mx][my] = 1;
      oute[x][y] = 9;
    } else if (s != EMPTY) {
      return;
    }
  }
}

void fill(Map& m, int v) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) m[x][y] = v;
}

}  // namespace

void Engine::勢力確定自金(int code, int x, int y) {
  if (!on_board(x, y)) return;
  const auto& b = pos_.Board;
  sita_hit(st_, b, code, x, y, x, y - 1, false, false);
  sita_hit(st_, b, code, x, y, x - 1, y - 1, false, false);
  sita_hit(st_, b, code, x, y, x + 1, y - 1, false, false);
  sita_hit(st_, b, code, x, y, x, y + 1, false, false);
  sita_hit(st_, b, code, x, y, x - 1, y, false, false);
  sita_hit(st_, b, code, x, y, x + 1, y, false, false);
}

void Engine::勢力確定敵金(int x, int y) {
  if (!on_board(x, y)) return;
  const auto& b = pos_.Board;
  ue_hit(st_, b, UE_GOLD, KIN, x, y, x, y + 1);
  ue_hit(st_, b, UE_GOLD, KIN, x, y, x - 1, y + 1);
  ue_hit(st_, b, UE_GOLD, KIN, x, y, x + 1, y + 1);
  ue_hit(st_, b, UE_GOLD, KIN, x, y, x, y - 1);
  ue_hit(st_, b, UE_GOLD, KIN, x, y, x - 1, y);
  ue_hit(st_, b, UE_GOLD, KIN, x, y, x + 1, y);
}

void Engine::勢力確定上直進(int code, int x, int y) { ray(st_, pos_.Board, code, x, y, 0, -1); }
void Engine::勢力確定下直進(int code, int x, int y) { ray(st_, pos_.Board, code, x, y, 0, 1); }
void Engine::勢力確定右直進(int code, int x, int y) { ray(st_, pos_.Board, code, x, y, 1, 0); }
void Engine::勢力確定左直進(int code, int x, int y) { ray(st_, pos_.Board, code, x, y, -1, 0); }

void Engine::勢力確定_盤上(int code, int x, int y) {
  Map& kiki = code <= -10 ? st_.KIKI_SITA : st_.KIKI_UE;
  for (int tx = 1; tx <= 9; ++tx)
    for (int ty = 1; ty <= 9; ++ty)
      if (pos_.移動チェック(x, y, tx, ty, code) == 1) ++kiki[tx][ty];
}

void Engine::勢力確定自角(int code, int x, int y) {
  勢力確定_盤上(code, x, y);
  ray(st_, pos_.Board, code, x, y, -1, -1);
  ray(st_, pos_.Board, code, x, y, 1, -1);
  ray(st_, pos_.Board, code, x, y, -1, 1);
  ray(st_, pos_.Board, code, x, y, 1, 1);
}

void Engine::勢力確定敵角(int code, int x, int y) { 勢力確定自角(code, x, y); }

void Engine::勢力調査() {
  EngineState& st = st_;
  fill(st.KIKI_SITA, 0);
  fill(st.KIKI_UE, 0);
  fill(st.HIMO_SITA, 999);
  fill(st.HIMO_UE, 999);
  fill(st.ATARI_SITA, -999);
  fill(st.ATARI_X_SITA, 0);
  fill(st.ATARI_Y_SITA, 0);
  fill(st.ATARI_UE, 999);
  fill(st.OUTE_SITA, 0);
  fill(st.OUTE_UE, 0);

  const auto& b = pos_.Board;
  for (int x = 1; x <= 9; ++x) {
    for (int y = 1; y <= 9; ++y) {
      const int v = b[x][y];
      switch (v) {
        case EMPTY:
          break;

        // ---- lower side ----
        case -HU:
          sita_hit(st, b, v, x, y, x, y - 1, false, false);
          break;
        case -TO: case -NARIKYOU: case -NARIKEI: case -NARIGIN: case -KIN:
          勢力確定自金(v, x, y);
          break;
        case -KYOU:
          勢力確定上直進(v, x, y);
          break;
        case -KEI:
          sita_hit(st, b, v, x, y, x - 1, y - 2, true, false);
          sita_hit(st, b, v, x, y, x + 1, y - 2, true, false);
          break;
        case -GIN:
          sita_hit(st, b, v, x, y, x, y - 1, false, false);
          sita_hit(st, b, v, x, y, x - 1, y - 1, false, false);
          sita_hit(st, b, v, x, y, x + 1, y - 1, false, false);
          sita_hit(st, b, v, x, y, x - 1, y + 1, false, false);
          sita_hit(st, b, v, x, y, x + 1, y + 1, false, false);
          break;
        case -KAKU:
          勢力確定自角(v, x, y);
          break;
        case -UMA:
          sita_hit(st, b, v, x, y, x, y - 1, false, false);
          sita_hit(st, b, v, x, y, x, y + 1, false, false);
          sita_hit(st, b, v, x, y, x - 1, y, false, false);
          sita_hit(st, b, v, x, y, x + 1, y, false, false);
          勢力確定自角(v, x, y);
          break;
        case -HISHA:
        case -RYU:
          勢力確定下直進(v, x, y);
          勢力確定上直進(v, x, y);
          勢力確定右直進(v, x, y);
          勢力確定左直進(v, x, y);
          if (v == -RYU) {
            sita_hit(st, b, v, x, y, x - 1, y - 1, false, false);
            sita_hit(st, b, v, x, y, x + 1, y - 1, false, false);
            sita_hit(st, b, v, x, y, x - 1, y + 1, false, false);
            sita_hit(st, b, v, x, y, x + 1, y + 1, false, false);
          }
          break;
        case -OU:
          pos_.KING_SITA_X = x;
          pos_.KING_SITA_Y = y;
          for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
              if (dx != 0 || dy != 0) sita_hit(st, b, v, x, y, x + dx, y + dy, false, true);
          break;

        // ---- upper side ----
        case HU:
          ue_hit(st, b, UE_PAWN, HU, x, y, x, y + 1);
          break;
        case TO: case NARIKYOU: case NARIKEI: case NARIGIN: case KIN:
          勢力確定敵金(x, y);
          break;
        case KYOU:
          勢力確定下直進(v, x, y);
          break;
        case KEI:
          ue_hit(st, b, UE_KNIGHT, KEI, x, y, x - 1, y + 2);
          ue_hit(st, b, UE_KNIGHT, KEI, x, y, x + 1, y + 2);
          break;
        case GIN:
          ue_hit(st, b, UE_SILVER, GIN, x, y, x, y + 1);
          ue_hit(st, b, UE_SILVER, GIN, x, y, x - 1, y + 1);
          ue_hit(st, b, UE_SILVER, GIN, x, y, x + 1, y + 1);
          ue_hit(st, b, UE_SILVER, GIN, x, y, x - 1, y - 1);
          ue_hit(st, b, UE_SILVER, GIN, x, y, x + 1, y - 1);
          break;
        case KAKU:
          勢力確定敵角(v, x, y);
          break;
        case UMA:
          ue_hit(st, b, UE_HORSE_STEP, UMA, x, y, x, y - 1);
          ue_hit(st, b, UE_HORSE_STEP, UMA, x, y, x, y + 1);
          ue_hit(st, b, UE_HORSE_STEP, UMA, x, y, x - 1, y);
          ue_hit(st, b, UE_HORSE_STEP, UMA, x, y, x + 1, y);
          勢力確定敵角(v, x, y);
          break;
        case HISHA:
        case RYU:
          勢力確定下直進(v, x, y);
          勢力確定上直進(v, x, y);
          勢力確定右直進(v, x, y);
          勢力確定左直進(v, x, y);
          if (v == RYU) {
            ue_hit(st, b, UE_DRAGON_STEP, RYU, x, y, x - 1, y - 1);
            ue_hit(st, b, UE_DRAGON_STEP, RYU, x, y, x + 1, y - 1);
            ue_hit(st, b, UE_DRAGON_STEP, RYU, x, y, x - 1, y + 1);
            ue_hit(st, b, UE_DRAGON_STEP, RYU, x, y, x + 1, y + 1);
          }
          break;
        case OU:
          pos_.KING_UE_X = x;
          pos_.KING_UE_Y = y;
          for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
              if (dx != 0 || dy != 0) ue_hit(st, b, UE_KING, OU, x, y, x + dx, y + dy);
          break;

        default:  // 111, -111 and anything a damaged record holds: no piece
          break;
      }
    }
  }
}

}  // namespace korvel
