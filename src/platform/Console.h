#pragma once
// The console tool's output. Inside the program every text is UTF-8; a
// Windows console shows UTF-16 and would show UTF-8 bytes as other
// characters, so while a ScopedConsoleText lives, std::cout and std::cerr
// write to a console through WriteConsoleW. Output to a file or pipe stays
// UTF-8, as does everything on other systems.
#include <memory>

namespace velomar::platform {

class ScopedConsoleText {
 public:
  ScopedConsoleText();
  ~ScopedConsoleText();
  ScopedConsoleText(const ScopedConsoleText&) = delete;
  ScopedConsoleText& operator=(const ScopedConsoleText&) = delete;

 private:
  struct Streams;
  std::unique_ptr<Streams> streams_;
};

}  // namespace velomar::platform
