#pragma once
// What the fuzz targets share: a scratch folder for the readers that take a
// file, and a check that stops the run when a property fails, so that
// libFuzzer keeps the input that broke it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace velomar::fuzz {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A folder of this process's own, in memory where the system offers one
// (files are written on every run); removed when the process exits.
const std::string& ScratchFolder();
// Writes bytes to a file of the scratch folder and returns its path.
std::string WriteScratchFile(const std::string& name, std::string_view bytes);

[[noreturn]] inline void Fail(const char* what, const std::string& detail = {}) {
  std::fprintf(stderr, "property failed: %s\n%s\n", what, detail.c_str());
  std::abort();
}
inline void Check(bool condition, const char* what, const std::string& detail = {}) {
  if (!condition) Fail(what, detail);
}

}  // namespace velomar::fuzz
