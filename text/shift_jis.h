#pragma once
// The game's text files (records, settings) are in the Japanese code page
// (CP932, the Windows form of Shift-JIS); the game works in UTF-8.
// Conversions go through iconv.

#include <string>
#include <string_view>

namespace korvel {

// UTF-8 to CP932; false when a character has no CP932 form (out is then
// unspecified).
bool to_cp932(std::string_view utf8, std::string& out);
// UTF-8 to CP932, every character without a CP932 form (and every byte that
// starts no UTF-8 character) written as 〓, so that nothing is dropped.
std::string to_cp932_substituted(std::string_view utf8);

// CP932 to code points. Never fails: a byte that starts no character reads
// as U+FFFD, so a damaged file keeps its columns as far as it can.
std::u32string cp932_to_code_points(std::string_view bytes);

// Code points to UTF-8; lone surrogates and values past U+10FFFF become U+FFFD.
std::string to_utf8(std::u32string_view text);

}  // namespace korvel
