// The record reader takes any bytes. What it reads must write back and read
// again unchanged: every value it can produce fits its field.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "records/record_file.h"

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Record first = 棋譜ファイル解析(std::string_view(reinterpret_cast<const char*>(data), size));
  if (first.entries.size() > RECORD_MAX_ENTRIES) std::abort();

  Record copy = first;
  std::string bytes;
  // A damaged header decodes to characters CP932 has no bytes for.
  const bool headers_kept = 棋譜ファイル作成(copy, bytes);
  if (!headers_kept) {
    copy.title.clear();
    copy.upper.clear();
    copy.lower.clear();
    if (!棋譜ファイル作成(copy, bytes)) std::abort();
  }
  const Record again = 棋譜ファイル解析(bytes);
  if (again.entries.size() != first.entries.size() || again.left_out != 0) std::abort();
  for (std::size_t i = 0; i < first.entries.size(); ++i)
    if (std::memcmp(&again.entries[i], &first.entries[i], sizeof(RecordEntry)) != 0) std::abort();
  if (headers_kept && (again.title != first.title || again.upper != first.upper || again.lower != first.lower))
    std::abort();
  return 0;
}
