#include "util/AsideNames.h"

#include "platform/Files.h"

namespace velomar {

std::string UnusedNameBeside(const std::string& file, const std::string& suffix) {
  std::string candidate = file + suffix;
  for (int n = 2; platform::FileExists(candidate) || platform::DirectoryExists(candidate); ++n)
    candidate = file + suffix + std::to_string(n);
  return candidate;
}

}  // namespace velomar
