#include <iostream>
#include <string>

#include "cli/protocol.h"

int main() {
  std::ios::sync_with_stdio(false);
  korvel::Protocol proto;
  proto.set_progress([](const std::string& line) { std::cout << line << std::flush; });
  std::string line;
  while (!proto.finished() && std::getline(std::cin, line)) {
    std::cout << proto.handle(line);
    std::cout.flush();
  }
  return 0;
}
