#include "qt/artwork.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <vector>

namespace korvel::qt {
namespace {

struct Expected {
  int code;
  int width, height;
};

const std::vector<Expected> kPictures = [] {
  std::vector<Expected> v = {{0, 42, 47}, {1, 171, 39}, {2, 42, 47}, {3, 41, 46},
                             {4, 41, 46}, {5, 41, 46},  {6, 41, 46}};
  for (int kind : {10, 11, 20, 21, 30, 31, 100, 101, 110, 800, 801, 900, 901, 950}) {
    v.push_back({kind, 42, 47});
    v.push_back({-kind, 42, 47});
  }
  return v;
}();

class ArtworkTest : public ::testing::TestWithParam<double> {};

TEST_P(ArtworkTest, EveryPictureCodePaintsItsSizeAtTheRatio) {
  const double dpr = GetParam();
  const Artwork art(dpr);
  ASSERT_EQ(kPictures.size(), 35u);
  for (const Expected& e : kPictures) {
    SCOPED_TRACE(e.code);
    const QImage* img = art.picture(e.code);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(Artwork::naturalSize(e.code), QSize(e.width, e.height));
    EXPECT_EQ(img->size(), QSize(qRound(e.width * dpr), qRound(e.height * dpr)));
    EXPECT_FALSE(img->hasAlphaChannel());
  }
}

TEST_P(ArtworkTest, CodesOutsideTheTablePaintNothing) {
  const Artwork art(GetParam());
  for (int code : {111, -111, 7, -1, -2, 12, 9, 951, -951, 1000, 802, 902, 102, 32}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(art.picture(code), nullptr);
    EXPECT_TRUE(Artwork::naturalSize(code).isEmpty());
  }
}

INSTANTIATE_TEST_SUITE_P(Ratios, ArtworkTest, ::testing::Values(0.5, 1.0, 2.0));

TEST(Artwork, EveryPictureIsTheSameDrawingAtEveryRatio) {
  const Artwork full(1.0);
  for (double ratio : {0.5, 2.0}) {
    const Artwork other(ratio);
    for (const Expected& e : kPictures) {
      SCOPED_TRACE(e.code);
      // Brought to the same size, the two differ only where edges fall between pixels.
      const QImage a = full.picture(e.code)->scaled(other.picture(e.code)->size(), Qt::IgnoreAspectRatio,
                                                    Qt::SmoothTransformation);
      const QImage& b = *other.picture(e.code);
      long diff = 0;
      for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
          diff += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
      EXPECT_LT(diff / (b.width() * b.height()), 20);
    }
  }
}

bool isInk(QRgb c) { return qRed(c) < 90 && qGreen(c) < 70 && qBlue(c) < 50; }
bool isRed(QRgb c) { return qRed(c) > 150 && qGreen(c) < 70 && qBlue(c) < 70; }

int countPixels(const QImage& img, bool (*pred)(QRgb)) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += pred(img.pixel(x, y));
  return n;
}

TEST(Artwork, PromotedFacesAreWrittenInRedAndTheOthersInBlack) {
  const Artwork art(1.0);
  struct Case { int code; bool promoted; };
  for (Case c : {Case{-10, false}, {-11, true}, {20, false}, {21, true}, {-30, false}, {31, true},
                 {100, false}, {-101, true}, {110, false}, {-800, false}, {801, true},
                 {-900, false}, {-901, true}, {950, false}, {-950, false}}) {
    SCOPED_TRACE(c.code);
    const QImage& img = *art.picture(c.code);
    if (c.promoted) {
      EXPECT_GT(countPixels(img, isRed), 20);
      EXPECT_EQ(countPixels(img, isInk), 0);
    } else {
      EXPECT_GT(countPixels(img, isInk), 20);
      EXPECT_EQ(countPixels(img, isRed), 0);
    }
  }
}

// The upper side's koma is the lower side's turned half round: its writing
// is the lower one's ink mask rotated about the square's centre.
TEST(Artwork, UpperPiecesAreTheLowerOnesTurned) {
  const Artwork art(1.0);
  for (int kind : {10, 20, 30, 100, 110, 800, 900}) {
    SCOPED_TRACE(kind);
    const QImage& lower = *art.picture(-kind);
    const QImage& upper = *art.picture(kind);
    int both = 0, either = 0;
    double lowerY = 0, upperY = 0;
    int lowerN = 0, upperN = 0;
    for (int y = 0; y < 47; ++y) {
      for (int x = 0; x < 41; ++x) {
        const bool a = isInk(lower.pixel(x, y));
        const bool b = isInk(upper.pixel(40 - x, 46 - y));
        both += a && b;
        either += a || b;
        if (a) lowerY += y, ++lowerN;
        if (isInk(upper.pixel(x, y))) upperY += y, ++upperN;
      }
    }
    ASSERT_GT(either, 0);
    EXPECT_GT(double(both) / either, 0.85);
    // Written below the middle for the lower side, above it when turned.
    EXPECT_GT(lowerY / lowerN, 23.5);
    EXPECT_LT(upperY / upperN, 23.5);
  }
}

TEST(Artwork, EveryPieceHasItsOwnPicture) {
  const Artwork art(1.0);
  for (std::size_t i = 0; i < kPictures.size(); ++i)
    for (std::size_t j = i + 1; j < kPictures.size(); ++j) {
      const QImage* a = art.picture(kPictures[i].code);
      const QImage* b = art.picture(kPictures[j].code);
      if (a->size() == b->size()) {
        EXPECT_NE(*a, *b) << kPictures[i].code << " " << kPictures[j].code;
      }
    }
}

}  // namespace
}  // namespace korvel::qt
