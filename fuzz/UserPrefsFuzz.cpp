// The user.js line routines and EditUserPrefs. The routines stay within
// the line and find the first line holding a head; after an edit, user.js
// holds a line for every preference the set writes, in sorted order.
#include <string>

#include "FuzzSupport.h"
#include "firefox/AutoFirefoxPass.h"
#include "firefox/PrefLines.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "window/PassProgress.h"

using velomar::fuzz::Check;

namespace {

// Counts the rows an edit reports; the rest is nobody's business here.
class RowCounter : public velomar::PassProgress {
 public:
  void Status(std::string_view) override {}
  void Advance(int) override {}
  void Row(const velomar::LogRow&) override { ++rows_; }
  void Pause() override {}
  int Rows() const { return rows_; }

 private:
  int rows_ = 0;
};

const std::string& ProfileFolder() {
  static const std::string folder = [] {
    const std::string path = velomar::fuzz::ScratchFolder() + "/profile";
    if (!velomar::platform::CreateDirectoryTree(path)) velomar::fuzz::Fail("the profile folder is made", path);
    return path;
  }();
  return folder;
}

void CheckLineRoutines(const velomar::Lines& lines) {
  for (std::size_t i = 0; i < lines.size() && i < 16; ++i) {
    const std::string& line = lines[i];
    const std::string name = velomar::PrefNameOf(line);
    const std::string value = velomar::PrefValueOf(line);
    Check(name.size() <= line.size() && value.size() <= line.size(), "the routines stay within the line");
    const std::string head = velomar::MakePrefEntry(name, "").head;
    const std::int32_t found = velomar::FindPrefLine(lines, head);
    if (line.find(head) != std::string::npos)
      Check(found >= 0 && static_cast<std::size_t>(found) <= i, "the first line holding a head is found", line);
    if (found >= 0)
      Check(lines[static_cast<std::size_t>(found)].find(head) != std::string::npos, "a found line holds the head");
  }
}

// A line holding the heads of two preferences of the set goes when either
// is replaced or deleted, taking the other with it; the edit then need not
// leave a line for every preference.
bool SomeLineHoldsTwoHeads(const velomar::Lines& lines, int machineClass) {
  auto entries = velomar::CommonPrefs();
  const auto& byClass = velomar::MachineClassPrefs(machineClass);
  entries.insert(entries.end(), byClass.begin(), byClass.end());
  for (const auto& line : lines) {
    int heads = 0;
    for (const auto& entry : entries)
      if (line.find(entry.head) != std::string::npos && ++heads == 2) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = velomar::fuzz::AsText(data, size);
  const velomar::Lines lines = velomar::SplitLines(text);
  Check(velomar::SplitLines(velomar::JoinLinesCrLf(lines)) == lines, "lines written with CR LF read back");
  CheckLineRoutines(lines);

  // An empty input stands for a profile without user.js.
  const std::string userJs = ProfileFolder() + "/user.js";
  velomar::platform::RemoveFile(userJs);
  if (size > 0) velomar::fuzz::WriteScratchFile("profile/user.js", text);
  const int machineClass = static_cast<int>(size % 4);
  RowCounter progress;
  velomar::FileProblems problems;
  Check(velomar::EditUserPrefs(ProfileFolder(), machineClass, progress, 2, problems), "user.js is edited");
  Check(progress.Rows() <= 27, "at most one row per preference");

  velomar::Lines edited;
  std::string error;
  Check(velomar::LoadLines(userJs, edited, error), "the edited user.js reads", error);
  for (std::size_t i = 1; i < edited.size(); ++i)
    Check(velomar::platform::CompareTextIgnoringCase(edited[i - 1], edited[i]) <= 0, "user.js is sorted");
  if (SomeLineHoldsTwoHeads(lines, machineClass)) return 0;
  auto written = velomar::CommonPrefs();
  for (const auto& entry : velomar::MachineClassPrefs(machineClass))
    if (!entry.IsDeletion()) written.push_back(entry);
  for (const auto& entry : written)
    Check(velomar::FindPrefLine(edited, entry.head) >= 0, "every preference the set writes has a line", entry.head);
  return 0;
}
