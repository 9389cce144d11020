#include <cstring>
#include <iostream>
#include <string>

#include "cli/protocol.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "korvel-cli " << KORVEL_VERSION << "\n";
      return 0;
    }
    if (std::strcmp(argv[i], "--help") != 0) std::cerr << "korvel-cli: unknown option " << argv[i] << "\n";
    std::cout << "usage: korvel-cli [--version | --help]\n"
                 "Reads analysis commands on standard input, one a line, and answers on standard output.\n";
    return std::strcmp(argv[i], "--help") == 0 ? 0 : 2;
  }
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
