#pragma once
// The Japanese Windows code page (CP932, Shift-JIS) the game's text files are
// written in, converted to and from the UTF-8 used everywhere inside.

#include <optional>
#include <string>
#include <string_view>

namespace korvel {

// nullopt when the text holds a byte sequence (or a character) the other
// side cannot express.
std::optional<std::string> cp932_to_utf8(std::string_view cp932);
std::optional<std::string> utf8_to_cp932(std::string_view utf8);

}  // namespace korvel
