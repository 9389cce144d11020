// Feeds korvel-cli's command handler a few lines built from the input: raw
// text, positions of 95 arbitrary integers (plausible piece codes mixed with
// any int), and every command with arbitrary arguments. Whatever the lines,
// the handler must answer without a crash or a sanitizer report.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "cli/protocol.h"

namespace {

constexpr int kCodes[] = {0,    10,   11,   20,   21,   30,   31,   100,  101,  110,  111,
                          800,  801,  900,  901,  950,  -10,  -11,  -20,  -21,  -30,  -31,
                          -100, -101, -110, -111, -800, -801, -900, -901, -950, 1,    -1};

// A real piece code mostly, now and then any int at all.
int code(FuzzedDataProvider& in) {
  const uint8_t sel = in.ConsumeIntegral<uint8_t>();
  if (sel < 240) return kCodes[sel % (sizeof kCodes / sizeof kCodes[0])];
  return in.ConsumeIntegral<int>();
}

int count(FuzzedDataProvider& in) {
  const uint8_t sel = in.ConsumeIntegral<uint8_t>();
  if (sel < 248) return sel % 4;
  return in.ConsumeIntegral<int>();
}

// A small number, an on-board coordinate, a drop column or any int.
std::string arg(FuzzedDataProvider& in) {
  const uint8_t sel = in.ConsumeIntegral<uint8_t>();
  if (sel < 200) return std::to_string(static_cast<int>(sel % 14) - 2);
  if (sel < 230) return std::to_string(kCodes[sel % (sizeof kCodes / sizeof kCodes[0])]);
  return std::to_string(in.ConsumeIntegral<int>());
}

std::string line(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 11)) {
    case 0:
      return in.ConsumeRandomLengthString(120);
    case 1:
    case 2: {
      // Placed one by one: a crowded board costs a long input, so the
      // fuzzer's short inputs keep the searches quick.
      int v[95] = {};
      const int placed = in.ConsumeIntegralInRange<int>(0, 95);
      for (int i = 0; i < placed && in.remaining_bytes() > 0; ++i) {
        const int at = in.ConsumeIntegralInRange<int>(0, 94);
        v[at] = at < 81 ? code(in) : count(in);
      }
      std::string s = "position";
      for (int n : v) s += ' ' + std::to_string(n);
      return s;
    }
    case 3:
      return "position startpos";
    case 4:
      return "search " + arg(in);
    case 5: {
      static const char* const kAsk[] = {"maps", "pins", "mate man", "mate com", "moves upper",
                                         "moves lower", "quit"};
      return kAsk[in.ConsumeIntegralInRange<int>(0, 6)];
    }
    case 6:
    case 7: {
      static const char* const kMove[] = {"legal", "promote"};
      std::string s = kMove[in.ConsumeIntegralInRange<int>(0, 1)];
      for (int i = 0; i < 5; ++i) s += ' ' + arg(in);
      return s;
    }
    case 8:
      return "after " + arg(in) + ' ' + arg(in);
    case 10:
      return in.ConsumeBool() ? "side lower" : "side " + arg(in);
    case 11:
      // A few milliseconds, now and then on a few threads: the search must
      // stop and answer whatever it met.
      return "think " + std::to_string(in.ConsumeIntegralInRange<int>(-1, 3)) +
             (in.ConsumeBool() ? "" : " " + std::to_string(in.ConsumeIntegralInRange<int>(-1, 3)));
    default:
      return "search " + std::to_string(in.ConsumeIntegralInRange<int>(1, 3));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  korvel::Protocol p;
  int searches = 0;
  for (int n = 0; n < 4 && in.remaining_bytes() > 0; ++n) {
    const std::string command = line(in);
    // One search an input keeps the runs quick; the rest is what varies.
    if ((command.rfind("search", 0) == 0 || command.rfind("think", 0) == 0) && searches++ > 0) continue;
    const std::string answer = p.handle(command);
    if (!answer.empty() && answer.back() != '\n') __builtin_trap();
  }
  return 0;
}
