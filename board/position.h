#pragma once
// The position of a game on the cylinder: board, hands and the few flags the
// rules read. Indices follow the board everywhere: Board[x][y], x the file from
// the left edge of the screen, y the rank from the top, both 1..9; index 0 is
// never written, so reads at 0 see an empty square.

namespace korvel {

// Piece codes. Upper side (the computer against a human) positive, lower
// side negative; promotion adds one to the magnitude.
enum : int {
  EMPTY = 0,
  HU = 10, TO = 11, KYOU = 20, NARIKYOU = 21, KEI = 30, NARIKEI = 31,
  GIN = 100, NARIGIN = 101, KIN = 110, NARIKIN = 111,
  KAKU = 800, UMA = 801, HISHA = 900, RYU = 901, OU = 950,
};

inline constexpr int BOARD_SIZE = 9;
inline constexpr int YES = 1;
inline constexpr int NO = 0;
inline constexpr int HAND_X_SITA = 11;  // screen column of the lower hand
inline constexpr int HAND_X_UE = -1;    // screen column of the upper hand
inline constexpr int SIDE_SENTE = 1;
inline constexpr int SIDE_GOTE = -1;
inline constexpr int SIDE_NONE = 0;

// Unpromoted code of hand slot 1..7 (pawn, lance, knight, silver, gold,
// bishop, rook); slot 0 unused.
inline constexpr int HAND_PIECE[8] = {0, HU, KYOU, KEI, GIN, KIN, KAKU, HISHA};

// The pieces in a hand (slots 1..7, negative counts as none).
int 持駒合計(const int hand[8]);

// Hand slot a captured code goes back to (promoted pieces as their kind);
// 0 for a king or a code that is no piece.
int 手駒番号(int code);

// Whatever draws the effects of a move. The board knows nothing of windows:
// the game passes an adapter onto its canvas, the search passes none.
struct MoveDrawing {
  virtual ~MoveDrawing() = default;
  virtual void 描画_絵(int code, double c, double r) = 0;
  virtual void 描画_桝輪郭(int color, double c, double r) = 0;
  virtual void 描画_自持盤() = 0;
  virtual void 描画_敵持盤() = 0;
};

struct Position {
  int Board[10][10]{};
  int HAND_SITA[8]{};
  int HAND_UE[8]{};
  int HAND_COUNT_SITA = 0;
  int HAND_COUNT_UE = 0;

  int KING_SITA_X = 0, KING_SITA_Y = 0;
  int KING_UE_X = 0, KING_UE_Y = 0;
  int PAWN_FILE_SITA[10]{};
  int PAWN_FILE_UE[10]{};
  int PROMOTED_CODE = 0;

  int SITA_SIDE = SIDE_GOTE;
  int UE_SIDE = SIDE_SENTE;
  int SIDE_TO_MOVE = SIDE_NONE;
  int GAME_OVER = 0;

  // The board's share of a new game: the initial position, empty hands, no
  // winner, nobody to move. The window model resets its own state around it
  // and repaints.
  void 初期設定();
  void 初期配置();            // the forty pieces on an otherwise empty board
  void 持駒数再計算();        // totals from the hand arrays

  // Carries out a move already found legal. fx = 11 / -1 is a drop from the
  // lower / upper hand, fy then the lower hand's screen row (slot + 2) or the
  // upper hand's slot.
  void 駒移動(int fx, int fy, int tx, int ty, int piece, MoveDrawing* draw = nullptr);
  void 駒取得(int captured);

  // Legality of one move on the cylinder; never fails, 0 for every bad input.
  int 移動チェック(int fx, int fy, int tx, int ty, int piece) const;
  int 調査_駒成(int fx, int fy, int tx, int ty, int piece);
  void 調査_2歩フラグ設定();

  // The line walks; public so that the attack maps can share them.
  int 移動チェック飛車(int piece, int fx, int fy, int tx, int ty) const;
  int 移動チェック飛車_右(int piece, int fx, int fy, int tx, int ty) const;
  int 移動チェック飛車_左(int piece, int fx, int fy, int tx, int ty) const;
  int 移動チェック角(int piece, int fx, int fy, int tx, int ty) const;
  int 移動チェック角_左上(int piece, int fx, int fy, int tx, int ty) const;
  int 移動チェック角_右下(int piece, int fx, int fy, int tx, int ty) const;
  int 移動チェック角_左下(int piece, int fx, int fy, int tx, int ty) const;
  int 移動チェック角_右上(int piece, int fx, int fy, int tx, int ty) const;

 private:
  int 角斜行(int piece, int fx, int fy, int tx, int ty, int sx, int sy) const;
  int 取れるか(int piece, int target) const;
};

// May the unpromoted piece stand on this rank (pawn, lance, knight dead ends)?
int 移動後チェック(int rank, int piece);

// Calls f(fx, fy, tx, ty, piece) for every move of one side that 移動チェック
// accepts: board moves first (origin file, origin rank, destination file,
// destination rank, all ascending), then drops by hand slot, from -1 / slot
// for the upper hand and 11 / slot + 2 for the lower one. The pawn-file flags
// must be current.
template <class F>
void 合法手列挙(const Position& p, bool upper, F&& f) {
  for (int fx = 1; fx <= 9; ++fx)
    for (int fy = 1; fy <= 9; ++fy) {
      const int piece = p.Board[fx][fy];
      if (upper ? piece < 10 : piece > -10) continue;
      for (int tx = 1; tx <= 9; ++tx)
        for (int ty = 1; ty <= 9; ++ty)
          if (p.移動チェック(fx, fy, tx, ty, piece)) f(fx, fy, tx, ty, piece);
    }
  const int* hand = upper ? p.HAND_UE : p.HAND_SITA;
  for (int slot = 1; slot <= 7; ++slot) {
    if (hand[slot] < 1) continue;
    const int piece = upper ? HAND_PIECE[slot] : -HAND_PIECE[slot];
    const int fx = upper ? HAND_X_UE : HAND_X_SITA;
    const int fy = upper ? slot : slot + 2;
    for (int tx = 1; tx <= 9; ++tx)
      for (int ty = 1; ty <= 9; ++ty)
        if (p.移動チェック(fx, fy, tx, ty, piece)) f(fx, fy, tx, ty, piece);
  }
}

// Whether a piece on the board of one side (upper: the positive codes) could
// take what stands on (tx, ty) with its next move, lines round the cylinder
// included.
bool 利きあり(const Position& p, bool upper, int tx, int ty);

// Frames every square the piece may reach, when guidance is on.
void 描画_移動可能桝色(const Position& pos, int SIDOU_ON, MoveDrawing& draw, int fx, int fy,
                      int colour, int piece);

}  // namespace korvel
