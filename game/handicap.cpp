#include "game/handicap.h"

namespace korvel {

namespace {

// Index grade + 10.
constexpr HandicapSquare SQUARES[21] = {
    {6, 9, -KIN},  {4, 9, -KIN},  {7, 9, -GIN}, {3, 9, -GIN}, {8, 9, -KEI}, {2, 9, -KEI},
    {9, 9, -KYOU}, {1, 9, -KYOU}, {8, 8, -HISHA}, {2, 8, -KAKU}, {0, 0, 0},
    {8, 2, KAKU},  {2, 2, HISHA}, {9, 1, KYOU}, {1, 1, KYOU}, {8, 1, KEI}, {2, 1, KEI},
    {7, 1, GIN},   {3, 1, GIN},   {6, 1, KIN},  {4, 1, KIN},
};

HandicapSquare take_off(Position& pos, int grade) {
  const HandicapSquare s = handicap_square(grade);
  pos.Board[s.x][s.y] = 0;
  return s;
}

HandicapSquare put_back(Position& pos, int grade) {
  const HandicapSquare s = handicap_square(grade);
  pos.Board[s.x][s.y] = s.code;
  return s;
}

}  // namespace

HandicapSquare handicap_square(int grade) {
  if (grade < HANDICAP_MIN || grade > HANDICAP_MAX) return {};
  return SQUARES[grade + 10];
}

HandicapSquare handicap_up(Position& pos, int& grade) {
  if (grade >= HANDICAP_MAX) return {};
  grade += 1;
  return grade >= 1 ? take_off(pos, grade) : put_back(pos, grade - 1);
}

HandicapSquare handicap_down(Position& pos, int& grade) {
  if (grade <= HANDICAP_MIN) return {};
  grade -= 1;
  return grade <= -1 ? take_off(pos, grade) : put_back(pos, grade + 1);
}

}  // namespace korvel
