#include "text/shift_jis.h"

#include <iconv.h>

#include <algorithm>
#include <bit>
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
// Code points in the machine's own byte order, straight into a u32string.
constexpr const char* UTF32 = std::endian::native == std::endian::little ? "UTF-32LE" : "UTF-32BE";

Converter& cp932_to_utf32() {
  thread_local Converter c(UTF32, "CP932");
  return c;
}
Converter& utf32_to_utf8() {
  thread_local Converter c("UTF-8", UTF32);
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

std::string to_cp932_substituted(std::string_view utf8) {
  constexpr std::string_view GETA = "\x81\xac";  // 〓
  std::string out;
  Converter& conv = utf8_to_cp932();
  if (!conv.ok()) return out;
  std::string buf(2 * utf8.size() + 2, '\0');  // 〓 may stand for a single byte
  char* in = const_cast<char*>(utf8.data());
  size_t in_left = utf8.size();
  char* o = buf.data();
  size_t out_left = buf.size();
  iconv_t cd = conv.get();
  while (in_left > 0 && iconv(cd, &in, &in_left, &o, &out_left) == static_cast<size_t>(-1)) {
    if (errno != EILSEQ && errno != EINVAL) break;
    // Over the whole character: its lead byte says how long it is.
    const auto lead = static_cast<unsigned char>(*in);
    size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    n = std::min(n, in_left);
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(in[k]) & 0xC0) != 0x80) n = k;
    in += n;
    in_left -= n;
    o = std::copy(GETA.begin(), GETA.end(), o);
    out_left -= GETA.size();
  }
  buf.resize(buf.size() - out_left);
  return buf;
}

std::u32string cp932_to_code_points(std::string_view bytes) {
  std::u32string out;
  if (bytes.empty()) return out;
  Converter& conv = cp932_to_utf32();
  if (!conv.ok()) {
    for (unsigned char b : bytes) out.push_back(b < 0x80 ? b : REPLACEMENT);
    return out;
  }
  out.assign(bytes.size(), U'\0');  // at most one code point a byte
  char* in = const_cast<char*>(bytes.data());
  size_t in_left = bytes.size();
  char* o = reinterpret_cast<char*>(out.data());
  size_t out_left = 4 * out.size();
  while (in_left > 0) {
    if (iconv(conv.get(), &in, &in_left, &o, &out_left) != static_cast<size_t>(-1)) break;
    if (errno != EILSEQ && errno != EINVAL) break;
    // Skip the byte that starts no character and go on after it.
    out[out.size() - out_left / 4] = REPLACEMENT;
    o += 4;
    out_left -= 4;
    ++in;
    --in_left;
  }
  out.resize(out.size() - out_left / 4);
  return out;
}

std::string to_utf8(std::u32string_view text) {
  std::string out;
  if (text.empty()) return out;
  std::u32string clean(text);
  for (char32_t& c : clean)
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = REPLACEMENT;
  Converter& conv = utf32_to_utf8();
  if (!conv.ok()) return out;
  out.assign(4 * clean.size(), '\0');  // four UTF-8 bytes at most a code point
  char* in = reinterpret_cast<char*>(clean.data());
  size_t in_left = 4 * clean.size();
  char* o = out.data();
  size_t out_left = out.size();
  iconv(conv.get(), &in, &in_left, &o, &out_left);
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace korvel
