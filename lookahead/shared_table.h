#pragma once
// The look-ahead's transposition table, which all the threads of one search
// read and write at once without a lock. A slot is two words: the data, and
// the position's key XORed with the data. A thread reading a slot that
// another is halfway through writing sees a key that matches no position
// and takes the slot for empty; it never takes one position's result for
// another's.

#include <atomic>
#include <cstdint>
#include <memory>

#include "lookahead/search_board.h"

namespace korvel::la {

enum Bound : std::uint8_t { BOUND_NONE, BOUND_UPPER, BOUND_LOWER, BOUND_EXACT };

struct TableEntry {
  Move move = 0;
  int score = 0;  // within the range of int16
  int depth = 0;  // within the range of int8
  Bound bound = BOUND_NONE;
};

class SharedTable {
 public:
  // 2^bits slots of 16 bytes.
  explicit SharedTable(int bits)
      : slots_(std::make_unique<Slot[]>(std::size_t{1} << bits)), mask_((std::uint64_t{1} << bits) - 1) {}

  // The entry kept for the position with this key, if there is one.
  bool probe(std::uint64_t key, TableEntry& out) const {
    const Slot& s = slots_[key & mask_];
    const std::uint64_t data = s.data.load(std::memory_order_relaxed);
    const std::uint64_t check = s.check.load(std::memory_order_relaxed);
    if ((check ^ data) != key) return false;
    out = unpack(data);
    return out.bound != BOUND_NONE;
  }

  // A deeper bound for the same position is worth more than a shallower
  // one; an exact result is always kept, and another position's result
  // always gives way.
  void store(std::uint64_t key, const TableEntry& e) {
    Slot& s = slots_[key & mask_];
    const std::uint64_t old = s.data.load(std::memory_order_relaxed);
    if ((s.check.load(std::memory_order_relaxed) ^ old) == key && unpack(old).depth > e.depth &&
        e.bound != BOUND_EXACT)
      return;
    const std::uint64_t data = pack(e);
    s.data.store(data, std::memory_order_relaxed);
    s.check.store(key ^ data, std::memory_order_relaxed);
  }

  void clear() {
    for (std::uint64_t i = 0; i <= mask_; ++i) {
      slots_[i].data.store(0, std::memory_order_relaxed);
      slots_[i].check.store(0, std::memory_order_relaxed);
    }
  }

 private:
  struct Slot {
    std::atomic<std::uint64_t> check{0};
    std::atomic<std::uint64_t> data{0};
  };
  static std::uint64_t pack(const TableEntry& e) {
    return std::uint64_t{e.move} | std::uint64_t{static_cast<std::uint16_t>(e.score)} << 32 |
           std::uint64_t{static_cast<std::uint8_t>(e.depth)} << 48 | std::uint64_t{e.bound} << 56;
  }
  static TableEntry unpack(std::uint64_t d) {
    return TableEntry{static_cast<Move>(d), static_cast<std::int16_t>(d >> 32), static_cast<std::int8_t>(d >> 48),
                      static_cast<Bound>(d >> 56)};
  }
  std::unique_ptr<Slot[]> slots_;
  std::uint64_t mask_;
};

}  // namespace korvel::la
