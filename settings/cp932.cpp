#include "settings/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace korvel {

namespace {

std::optional<std::string> convert(const char* to, const char* from, std::string_view in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(in.size() * 2 + 8, '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t src_left = in.size();
  std::size_t done = 0;
  bool ok = true;
  while (src_left > 0) {
    char* dst = out.data() + done;
    std::size_t dst_left = out.size() - done;
    const std::size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
    done = out.size() - dst_left;
    if (r != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    ok = false;  // EILSEQ or a sequence cut short at the end
    break;
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(done);
  return out;
}

}  // namespace

std::optional<std::string> cp932_to_utf8(std::string_view cp932) { return convert("UTF-8", "CP932", cp932); }

std::optional<std::string> utf8_to_cp932(std::string_view utf8) { return convert("CP932", "UTF-8", utf8); }

}  // namespace korvel
