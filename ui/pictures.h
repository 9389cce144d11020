#pragma once
// The picture set: what each PictureCode paints, and the artwork's size.

#include <span>
#include <string_view>

namespace korvel {

enum : int {
  PIC_KARA_MASU = 0,
  PIC_KORVEL = 1,
  HAIKEI_MIDORI = 2,
  HAIKEI_TATAMI = 3,
  HAIKEI_TAKE = 4,
  HAIKEI_UCHU = 5,
  HAIKEI_RENGA = 6,
};

struct PictureInfo {
  int code;               // PictureCode
  std::string_view name;  // picture holder: SITA_HU, UE_SYA, KARA_MASU, HAIKEI_TAKE, KORVEL, ...
  int item;               // 0 unpromoted (or the only picture), 1 promoted
  int width_px;           // natural size at 100 %; painted with its top-left
  int height_px;          // corner on the cell's corner, never scaled
};

// Every code that has a picture: the empty square, 28 pieces, the logo and
// the five backgrounds. 111 and -111 have none.
std::span<const PictureInfo> picture_table();

// nullptr for a code without a picture.
const PictureInfo* find_picture(int code);

}  // namespace korvel
