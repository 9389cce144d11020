#include "board/position.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace korvel {

namespace {

// Reads outside the 10 x 10 array see an empty square, so that a move with
// odd coordinates (a damaged record, a stray analysis line) is judged, never
// read past the board.
inline int at(const int (&b)[10][10], int x, int y) {
  return (x >= 0 && x <= 9 && y >= 0 && y <= 9) ? b[x][y] : 0;
}

inline bool inside(int v) { return v >= 1 && v <= 9; }

// One file across the seam between files 1 and 9.
inline bool seam(int fx, int tx) { return (fx == 1 && tx == 9) || (fx == 9 && tx == 1); }

constexpr int START_UE[10][4] = {
    // file x: rank 1, rank 2, rank 3 (index 0 unused)
    {0, 0, 0, 0},
    {0, KYOU, 0, HU},
    {0, KEI, HISHA, HU},
    {0, GIN, 0, HU},
    {0, KIN, 0, HU},
    {0, OU, 0, HU},
    {0, KIN, 0, HU},
    {0, GIN, 0, HU},
    {0, KEI, KAKU, HU},
    {0, KYOU, 0, HU},
};

}  // namespace

int 手駒番号(int code) {
  switch (std::abs(code)) {
    case HU: case TO: return 1;
    case KYOU: case NARIKYOU: return 2;
    case KEI: case NARIKEI: return 3;
    case GIN: case NARIGIN: return 4;
    case KIN: case NARIKIN: return 5;
    case KAKU: case UMA: return 6;
    case HISHA: case RYU: return 7;
    default: return 0;
  }
}

void Position::初期配置() {
  for (auto& file : Board)
    for (int& sq : file) sq = EMPTY;
  // The lower side's array is the upper one turned by 180 degrees.
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 3; ++y) {
      Board[x][y] = START_UE[x][y];
      Board[10 - x][10 - y] = -START_UE[x][y];
    }
}

int 持駒合計(const int hand[8]) {
  // Summed wide: a damaged record may hold any count, and the total must not
  // overflow; it saturates instead.
  long long total = 0;
  for (int k = 1; k <= 7; ++k)
    if (hand[k] > 0) total += hand[k];
  return static_cast<int>(std::min<long long>(total, INT_MAX));
}

void Position::持駒数再計算() {
  HAND_COUNT_SITA = 持駒合計(HAND_SITA);
  HAND_COUNT_UE = 持駒合計(HAND_UE);
}

void Position::初期設定() {
  GAME_OVER = 0;
  SIDE_TO_MOVE = SIDE_NONE;
  for (int k = 1; k <= 7; ++k) {
    HAND_SITA[k] = 0;
    HAND_UE[k] = 0;
  }
  初期配置();
  持駒数再計算();
}

void Position::駒取得(int captured) {
  if (captured == OU) {
    GAME_OVER = SITA_SIDE;
    return;
  }
  if (captured == -OU) {
    GAME_OVER = UE_SIDE;
    return;
  }
  const int slot = 手駒番号(captured);
  if (slot == 0) return;
  if (captured > 0)
    HAND_SITA[slot] += 1;
  else
    HAND_UE[slot] += 1;
}

void Position::駒移動(int fx, int fy, int tx, int ty, int piece, MoveDrawing* draw) {
  const int captured = Board[tx][ty];
  // The hand total follows the hand: a captured king (or a code that is no
  // piece) adds nothing to either, so the total must not grow either.
  const int to_hand = 手駒番号(captured) != 0 ? 1 : 0;
  if (captured <= -10) {
    HAND_COUNT_UE += to_hand;
    駒取得(captured);
    if (draw) draw->描画_敵持盤();
  } else if (captured >= 10) {
    HAND_COUNT_SITA += to_hand;
    駒取得(captured);
    if (draw) draw->描画_自持盤();
  }

  if (draw) {
    draw->描画_絵(0, fx, fy);
    draw->描画_桝輪郭(2, fx, fy);
  }

  Board[tx][ty] = piece;
  if (piece == -OU) {
    KING_SITA_X = tx;
    KING_SITA_Y = ty;
  }

  if (fx == HAND_X_UE) {
    HAND_COUNT_UE -= 1;
    if (fy >= 1 && fy <= 7) HAND_UE[fy] -= 1;
    if (draw) draw->描画_敵持盤();
  } else if (fx == HAND_X_SITA) {
    HAND_COUNT_SITA -= 1;
    if (fy - 2 >= 1 && fy - 2 <= 7) HAND_SITA[fy - 2] -= 1;
    if (draw) draw->描画_自持盤();
  } else {
    Board[fx][fy] = EMPTY;
  }

  if (draw) {
    draw->描画_絵(piece, tx, ty);
    draw->描画_桝輪郭(2, tx, ty);
  }
}

void Position::調査_2歩フラグ設定() {
  for (int x = 1; x <= 9; ++x) {
    PAWN_FILE_SITA[x] = 0;
    PAWN_FILE_UE[x] = 0;
    for (int y = 1; y <= 9; ++y) {
      if (Board[x][y] == -HU) PAWN_FILE_SITA[x] = 1;
      if (Board[x][y] == HU) PAWN_FILE_UE[x] = 1;
    }
  }
}

int 移動後チェック(int rank, int piece) {
  if ((piece == HU || piece == KYOU) && rank == 9) return 0;
  if (piece == KEI && rank > 7) return 0;
  if ((piece == -HU || piece == -KYOU) && rank == 1) return 0;
  if (piece == -KEI && rank < 3) return 0;
  return 1;
}

int Position::調査_駒成(int fx, int fy, int /*tx*/, int ty, int piece) {
  if (fx == HAND_X_UE || fx == HAND_X_SITA) return 0;
  bool promotes = false;
  switch (piece) {
    case -HU: case -KYOU: case -KEI: promotes = ty < 4; break;
    case -GIN: case -KAKU: case -HISHA: promotes = ty < 4 || fy < 4; break;
    case HU: case KYOU: case KEI: promotes = ty > 6; break;
    case GIN: case KAKU: case HISHA: promotes = ty > 6 || fy > 6; break;
    default: return 0;
  }
  if (!promotes) return 0;
  PROMOTED_CODE = piece > 0 ? piece + 1 : piece - 1;
  return 1;
}

int Position::取れるか(int piece, int target) const {
  switch (piece) {
    case HISHA: case RYU: case KAKU: case UMA: return target < 0 ? 1 : 0;
    case -HISHA: case -RYU: case -KAKU: case -UMA: return target > 0 ? 1 : 0;
    default: return 0;
  }
}

int Position::移動チェック飛車(int piece, int fx, int fy, int tx, int ty) const {
  if (fx != tx && fy != ty) return 0;
  if (fx == tx && fy == ty) return 0;
  if (fx == tx) {
    const int step = ty > fy ? 1 : -1;
    for (int y = fy + step;; y += step) {
      const int sq = at(Board, tx, y);
      if (sq != EMPTY) return y == ty ? 取れるか(piece, sq) : 0;
      if (y == ty) return 1;
    }
  }
  if (移動チェック飛車_右(piece, fx, fy, tx, ty)) return 1;
  return 移動チェック飛車_左(piece, fx, fy, tx, ty);
}

int Position::移動チェック飛車_右(int piece, int fx, int, int tx, int ty) const {
  for (int x = fx + 1; x <= 9; ++x) {
    const int sq = at(Board, x, ty);
    if (sq != EMPTY) return x == tx ? 取れるか(piece, sq) : 0;
    if (x == tx) return 1;
  }
  for (int x = 1; x <= tx; ++x) {
    const int sq = at(Board, x, ty);
    if (sq != EMPTY) return x == tx ? 取れるか(piece, sq) : 0;
    if (x == tx) return 1;
  }
  return 0;
}

int Position::移動チェック飛車_左(int piece, int fx, int, int tx, int ty) const {
  for (int x = fx - 1; x >= 1; --x) {
    const int sq = at(Board, x, ty);
    if (sq != EMPTY) return x == tx ? 取れるか(piece, sq) : 0;
    if (x == tx) return 1;
  }
  for (int x = 9; x >= tx; --x) {
    const int sq = at(Board, x, ty);
    if (sq != EMPTY) return x == tx ? 取れるか(piece, sq) : 0;
    if (x == tx) return 1;
  }
  return 0;
}

int Position::角斜行(int piece, int fx, int fy, int tx, int ty, int sx, int sy) const {
  int x = fx, y = fy;
  bool wrapped = false;
  for (;;) {
    x += sx;
    y += sy;
    if (!inside(y)) return 0;
    if (!inside(x)) {
      // Re-enter at the other edge once; a diagonal has no room for two.
      if (wrapped) return 0;
      wrapped = true;
      x = sx > 0 ? 1 : 9;
    }
    const int sq = Board[x][y];
    const bool target = x == tx && y == ty;
    if (sq != EMPTY) return target ? 取れるか(piece, sq) : 0;
    if (target) return 1;
  }
}

int Position::移動チェック角_左上(int piece, int fx, int fy, int tx, int ty) const {
  return 角斜行(piece, fx, fy, tx, ty, -1, -1);
}
int Position::移動チェック角_右下(int piece, int fx, int fy, int tx, int ty) const {
  return 角斜行(piece, fx, fy, tx, ty, +1, +1);
}
int Position::移動チェック角_左下(int piece, int fx, int fy, int tx, int ty) const {
  return 角斜行(piece, fx, fy, tx, ty, -1, +1);
}
int Position::移動チェック角_右上(int piece, int fx, int fy, int tx, int ty) const {
  return 角斜行(piece, fx, fy, tx, ty, +1, -1);
}

int Position::移動チェック角(int piece, int fx, int fy, int tx, int ty) const {
  return 移動チェック角_左上(piece, fx, fy, tx, ty) || 移動チェック角_右下(piece, fx, fy, tx, ty) ||
                 移動チェック角_左下(piece, fx, fy, tx, ty) || 移動チェック角_右上(piece, fx, fy, tx, ty)
             ? 1
             : 0;
}

int Position::移動チェック(int fx, int fy, int tx, int ty, int piece) const {
  if (!inside(tx) || !inside(ty)) return 0;
  const bool drop = fx == HAND_X_SITA || fx == HAND_X_UE;
  if (drop) {
    // A drop's from-rank says nothing; pinning it keeps the differences
    // below in range whatever a caller passed.
    fy = 0;
  } else if (fx < HAND_X_UE || fx > HAND_X_SITA || fy < HAND_X_UE || fy > HAND_X_SITA) {
    // Nothing moves from further off the board than the hand columns; a
    // stray origin would otherwise overflow the differences below or walk a
    // line for billions of squares.
    return 0;
  }
  if (fx == tx && fy == ty) return 0;
  const int target = Board[tx][ty];
  if (piece >= 10) {
    if (target >= 10) return 0;
  } else if (target <= -10) {
    return 0;
  }

  if (drop) {
    if (target != EMPTY) return 0;
    if (piece == -HU && PAWN_FILE_SITA[tx] == 1) return 0;
    if (piece == HU && PAWN_FILE_UE[tx] == 1) return 0;
    if (piece != HU && piece != -HU && piece != KYOU && piece != -KYOU && piece != KEI &&
        piece != -KEI)
      return 1;
  }

  const int dx = tx - fx;
  const int dy = ty - fy;
  const int adx = std::abs(dx);
  const int ady = std::abs(dy);
  const int fwd = piece > 0 ? 1 : -1;
  const bool across = seam(fx, tx);

  switch (piece) {
    case HU:
      if (fx > 0) return dx == 0 && dy == 1 ? 1 : 0;
      return ty == 9 ? 0 : 1;
    case -HU:
      if (fx != HAND_X_SITA) return dx == 0 && dy == -1 ? 1 : 0;
      return ty == 1 ? 0 : 1;

    case KYOU:
    case -KYOU: {
      if (fx == (piece > 0 ? HAND_X_UE : HAND_X_SITA)) return ty == (piece > 0 ? 9 : 1) ? 0 : 1;
      if (fx != tx || dy * fwd < 0) return 0;
      for (int y = fy + fwd; y != ty; y += fwd)
        if (at(Board, tx, y) != EMPTY) return 0;
      return 1;
    }

    case KEI:
      if (fx == HAND_X_UE) return ty >= 8 ? 0 : 1;
      return dy == 2 && (adx == 1 || across) ? 1 : 0;
    case -KEI:
      if (fx == HAND_X_SITA) return ty <= 2 ? 0 : 1;
      return dy == -2 && (adx == 1 || across) ? 1 : 0;

    case GIN:
    case -GIN:
      return (adx <= 1 && dy == fwd) || (adx == 1 && dy == -fwd) || (ady == 1 && across) ? 1 : 0;

    case KIN: case TO: case NARIKYOU: case NARIKEI: case NARIGIN:
    case -KIN: case -TO: case -NARIKYOU: case -NARIKEI: case -NARIGIN:
      return (adx <= 1 && (dy == 0 || dy == fwd)) || (dx == 0 && dy == -fwd) ||
                     ((dy == 0 || dy == fwd) && across)
                 ? 1
                 : 0;

    case KAKU:
    case -KAKU:
      return 移動チェック角(piece, fx, fy, tx, ty);
    case UMA:
    case -UMA:
      if (adx <= 1 && ady <= 1) return 1;
      return 移動チェック角(piece, fx, fy, tx, ty);
    case HISHA:
    case -HISHA:
      return 移動チェック飛車(piece, fx, fy, tx, ty);
    case RYU:
    case -RYU:
      if (adx <= 1 && ady <= 1) return 1;
      return 移動チェック飛車(piece, fx, fy, tx, ty);

    case OU:
    case -OU:
      return ady <= 1 && (adx <= 1 || across) ? 1 : 0;

    default:
      return 1;
  }
}

void 描画_移動可能桝色(const Position& pos, int SIDOU_ON, MoveDrawing& draw, int fx, int fy,
                      int colour, int piece) {
  if (SIDOU_ON != 1) return;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (pos.移動チェック(fx, fy, x, y, piece) == 1) draw.描画_桝輪郭(colour, x, y);
}

bool 利きあり(const Position& p, bool upper, int tx, int ty) {
  for (int fx = 1; fx <= 9; ++fx)
    for (int fy = 1; fy <= 9; ++fy) {
      const int piece = p.Board[fx][fy];
      if ((upper ? piece >= 10 : piece <= -10) && p.移動チェック(fx, fy, tx, ty, piece) == 1) return true;
    }
  return false;
}

}  // namespace korvel
