// LastSetBandWidth.vm, read and then written by each of the two saves. A
// stored class reads back; the line a save does not own stays as it was.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "FuzzSupport.h"
#include "bandwidth/LastClassFile.h"
#include "platform/Files.h"
#include "util/DataFolder.h"
#include "util/TextLines.h"

using velomar::fuzz::Check;

namespace {

// The per-user data folder inside the scratch folder, made once.
std::string LastSetFile() {
  static const std::string path = [] {
    setenv("XDG_CONFIG_HOME", velomar::fuzz::ScratchFolder().c_str(), 1);
    std::string error;
    if (!velomar::EnsurePerUserDataFolder(error)) velomar::fuzz::Fail("the data folder is made", error);
    return velomar::LastSetFilePath();
  }();
  return path;
}

velomar::Lines FileLines() {
  velomar::Lines lines;
  std::string error;
  if (!velomar::LoadLines(LastSetFile(), lines, error)) velomar::fuzz::Fail("the saved file reads", error);
  return lines;
}

void WriteFile(std::string_view bytes) {
  std::ofstream out(LastSetFile(), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = velomar::fuzz::AsText(data, size);
  const int position = static_cast<int>(size % 11);
  const velomar::Lines before = velomar::SplitLines(text);
  std::string error;

  WriteFile(text);
  velomar::LoadAutoClass();
  velomar::LoadStoredCustomClass();
  Check(velomar::SaveAutoClass(position, error), "the automatic class is saved", error);
  Check(velomar::LoadAutoClass() == position, "the automatic class reads back");
  velomar::Lines after = FileLines();
  Check(after.size() == std::max<std::size_t>(before.size(), 1), "no line comes or goes but the first");
  for (std::size_t i = 1; i < before.size(); ++i) Check(after[i] == before[i], "the other lines stay");

  WriteFile(text);
  Check(velomar::SaveCustomClass(position, error), "the custom class is saved", error);
  Check(velomar::LoadStoredCustomClass().position == position, "the custom class reads back");
  after = FileLines();
  Check(after.size() == std::max<std::size_t>(before.size(), 2), "lines are only added to reach line 2");
  if (!before.empty()) Check(after[0] == before[0], "the automatic line stays");
  for (std::size_t i = 2; i < before.size(); ++i) Check(after[i] == before[i], "the further lines stay");
  return 0;
}
