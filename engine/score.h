#pragma once
// Scores of the computer's evaluation. Every term is a whole number of tenths
// (0.1 and 0.5 terms, half a piece code), so a score is kept as a count of
// tenths: sums and comparisons are exact, and two candidates with the same
// terms tie exactly, which decides the first-found rule of the search.
//
// The count is 64 bits wide: terms are taken from board codes, and a damaged
// position may hold any int there, so sums of them must not overflow.

#include <compare>
#include <cstdint>
#include <ostream>
#include <string>

namespace korvel {

class Score {
 public:
  constexpr Score() = default;
  // Whole points: `Score s = 100;`. Implicit on purpose, so that terms read
  // like the rules they come from.
  constexpr Score(int whole) : tenths_(static_cast<std::int64_t>(whole) * 10) {}
  constexpr Score(std::int64_t whole) : tenths_(whole * 10) {}
  Score(double) = delete;  // a binary fraction has no place here

  static constexpr Score tenths(std::int64_t t) {
    Score s;
    s.tenths_ = t;
    return s;
  }
  // |code| points; no int overflow for any code.
  static constexpr Score abs_of(int code) {
    const std::int64_t c = code;
    return Score(c < 0 ? -c : c);
  }
  // code ÷ 2, exact: an odd code gives a half point.
  static constexpr Score half(int code) { return tenths(static_cast<std::int64_t>(code) * 5); }

  constexpr std::int64_t count_tenths() const { return tenths_; }

  constexpr Score operator-() const { return tenths(-tenths_); }
  constexpr Score& operator+=(Score o) {
    tenths_ += o.tenths_;
    return *this;
  }
  constexpr Score& operator-=(Score o) {
    tenths_ -= o.tenths_;
    return *this;
  }
  friend constexpr Score operator+(Score a, Score b) { return a += b; }
  friend constexpr Score operator-(Score a, Score b) { return a -= b; }
  friend constexpr bool operator==(Score a, Score b) = default;
  friend constexpr std::strong_ordering operator<=>(Score a, Score b) = default;

  // Exactly one decimal: "-12.5", "0.0", "9999.0".
  std::string str() const {
    const bool neg = tenths_ < 0;
    const std::uint64_t mag = neg ? 0 - static_cast<std::uint64_t>(tenths_)
                                  : static_cast<std::uint64_t>(tenths_);
    std::string s = neg ? "-" : "";
    s += std::to_string(mag / 10);
    s += '.';
    s += static_cast<char>('0' + mag % 10);
    return s;
  }
  friend std::ostream& operator<<(std::ostream& os, Score s) { return os << s.str(); }

 private:
  std::int64_t tenths_ = 0;
};

inline constexpr Score TENTH = Score::tenths(1);

}  // namespace korvel
