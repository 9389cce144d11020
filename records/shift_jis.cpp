#include "records/shift_jis.h"

#include <iconv.h>

#include <cerrno>

namespace korvel {
namespace {

// Opening a descriptor costs far more than converting one line, and a
// record is converted line by line: each thread keeps one per direction,
// brought back to its initial state before every use.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    return cd_;
  }

 private:
  iconv_t cd_;
};

Converter& utf8_to_cp932() {
  thread_local Converter c("CP932", "UTF-8");
  return c;
}
Converter& cp932_to_utf32() {
  thread_local Converter c("UTF-32LE", "CP932");
  return c;
}
Converter& utf32_to_utf8() {
  thread_local Converter c("UTF-8", "UTF-32LE");
  return c;
}

constexpr char32_t REPLACEMENT = 0xFFFD;

}  // namespace

bool to_cp932(std::string_view utf8, std::string& out) {
  out.clear();
  if (utf8.empty()) return true;
  Converter& conv = utf8_to_cp932();
  if (!conv.ok()) return false;
  // CP932 never takes more bytes than UTF-8 for the same text.
  std::string buf(utf8.size(), '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t in_left = utf8.size();
  char* o = buf.data();
  size_t out_left = buf.size();
  if (iconv(conv.get(), &in, &in_left, &o, &out_left) == static_cast<size_t>(-1)) return false;
  buf.resize(buf.size() - out_left);
  out = std::move(buf);
  return true;
}

std::u32string cp932_to_code_points(std::string_view bytes) {
  std::u32string out;
  if (bytes.empty()) return out;
  Converter& conv = cp932_to_utf32();
  if (!conv.ok()) {
    for (unsigned char b : bytes) out.push_back(b < 0x80 ? b : REPLACEMENT);
    return out;
  }
  std::string buf(4 * bytes.size(), '\0');  // at most one code point a byte
  char* in = const_cast<char*>(bytes.data());
  size_t in_left = bytes.size();
  char* o = buf.data();
  size_t out_left = buf.size();
  while (in_left > 0) {
    if (iconv(conv.get(), &in, &in_left, &o, &out_left) != static_cast<size_t>(-1)) break;
    if (errno != EILSEQ && errno != EINVAL) break;
    // Skip the byte that starts no character and go on after it.
    const char32_t r = REPLACEMENT;
    for (int i = 0; i < 4; ++i) *o++ = static_cast<char>((r >> (8 * i)) & 0xFF);
    out_left -= 4;
    ++in;
    --in_left;
  }
  const size_t produced = (buf.size() - out_left) / 4;
  out.reserve(produced);
  for (size_t i = 0; i < produced; ++i) {
    const auto* p = reinterpret_cast<const unsigned char*>(buf.data() + 4 * i);
    out.push_back(static_cast<char32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<char32_t>(p[3]) << 24));
  }
  return out;
}

std::string to_utf8(std::u32string_view text) {
  std::string in_bytes;
  in_bytes.reserve(4 * text.size());
  for (char32_t c : text) {
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = REPLACEMENT;
    for (int i = 0; i < 4; ++i) in_bytes.push_back(static_cast<char>((c >> (8 * i)) & 0xFF));
  }
  std::string out;
  if (in_bytes.empty()) return out;
  Converter& conv = utf32_to_utf8();
  if (!conv.ok()) return out;
  out.assign(in_bytes.size(), '\0');  // four UTF-8 bytes at most for four in
  char* in = in_bytes.data();
  size_t in_left = in_bytes.size();
  char* o = out.data();
  size_t out_left = out.size();
  iconv(conv.get(), &in, &in_left, &o, &out_left);
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace korvel
