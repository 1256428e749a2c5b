#include "FuzzSupport.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace velomar::fuzz {

const std::string& ScratchFolder() {
  // Never destroyed, so that the exit handler that removes it can name it.
  static const std::string* folder = [] {
    auto* path =
        new std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm/velomar-fuzz-XXXXXX" : "/tmp/velomar-fuzz-XXXXXX");
    if (!mkdtemp(path->data())) Fail("cannot create a scratch folder", *path);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchFolder(), ignored);
    });
    return path;
  }();
  return *folder;
}

std::string WriteScratchFile(const std::string& name, std::string_view bytes) {
  const std::string path = ScratchFolder() + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) Fail("cannot write a scratch file", path);
  return path;
}

}  // namespace velomar::fuzz
