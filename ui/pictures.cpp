#include "ui/pictures.h"

#include <array>

namespace korvel {

namespace {

// Pieces and the empty square are 42 x 47 so that they overlap their right
// and lower neighbours by one pixel, which the frames drawn after them cover.
constexpr int PW = 42, PH = 47;

constexpr std::array<PictureInfo, 35> PICTURES{{
    {0, "KARA_MASU", 0, PW, PH},
    {-10, "SITA_HU", 0, PW, PH},   {-11, "SITA_HU", 1, PW, PH},
    {-20, "SITA_KYOU", 0, PW, PH}, {-21, "SITA_KYOU", 1, PW, PH},
    {-30, "SITA_KEI", 0, PW, PH},  {-31, "SITA_KEI", 1, PW, PH},
    {-100, "SITA_GIN", 0, PW, PH}, {-101, "SITA_GIN", 1, PW, PH},
    {-110, "SITA_KIN", 0, PW, PH},
    {-800, "SITA_KAKU", 0, PW, PH}, {-801, "SITA_KAKU", 1, PW, PH},
    {-900, "SITA_SYA", 0, PW, PH},  {-901, "SITA_SYA", 1, PW, PH},
    {-950, "SITA_OU", 0, PW, PH},
    {10, "UE_HU", 0, PW, PH},   {11, "UE_HU", 1, PW, PH},
    {20, "UE_KYOU", 0, PW, PH}, {21, "UE_KYOU", 1, PW, PH},
    {30, "UE_KEI", 0, PW, PH},  {31, "UE_KEI", 1, PW, PH},
    {100, "UE_GIN", 0, PW, PH}, {101, "UE_GIN", 1, PW, PH},
    {110, "UE_KIN", 0, PW, PH},
    {800, "UE_KAKU", 0, PW, PH}, {801, "UE_KAKU", 1, PW, PH},
    {900, "UE_SYA", 0, PW, PH},  {901, "UE_SYA", 1, PW, PH},
    {950, "UE_OU", 0, PW, PH},
    {PIC_KORVEL, "KORVEL", 0, 171, 39},
    {HAIKEI_MIDORI, "HAIKEI_MIDORI", 0, 42, 47},
    {HAIKEI_TATAMI, "HAIKEI_TATAMI", 0, 41, 46},
    {HAIKEI_TAKE, "HAIKEI_TAKE", 0, 41, 46},
    {HAIKEI_UCHU, "HAIKEI_UCHU", 0, 41, 46},
    {HAIKEI_RENGA, "HAIKEI_RENGA", 0, 41, 46},
}};

}  // namespace

std::span<const PictureInfo> picture_table() { return PICTURES; }

const PictureInfo* find_picture(int code) {
  for (const PictureInfo& p : PICTURES)
    if (p.code == code) return &p;
  return nullptr;
}

}  // namespace korvel
