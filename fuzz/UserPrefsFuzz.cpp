// Reading user.js as Firefox reads it, and the automatic pass over it. The
// file reads back byte for byte, a statement that owns its line lies within
// it, a line added to a file that reads added lines is what Firefox takes,
// and after a pass every preference the set writes has the set's value.
#include <string>

#include "FuzzSupport.h"
#include "firefox/AutoFirefoxPass.h"
#include "firefox/PrefsEdits.h"
#include "platform/Files.h"
#include "support/NoProgress.h"

using velomar::fuzz::Check;
using velomar::test::NoProgress;

namespace {

const std::string& ProfileFolder() {
  static const std::string folder = [] {
    const std::string path = velomar::fuzz::ScratchFolder() + "/profile";
    if (!velomar::platform::CreateDirectoryTree(path)) velomar::fuzz::Fail("the profile folder is made", path);
    return path;
  }();
  return folder;
}

void CheckReading(const velomar::PrefsFile& file, std::string_view text) {
  Check(file.Bytes() == text, "the file reads back byte for byte");
  for (const auto& statement : file.Statements()) {
    if (!statement.ownsLine) continue;
    const std::string& line = file.Lines()[statement.line].text;
    Check(statement.begin < statement.end && statement.end <= line.size(), "a statement lies within its line");
    Check(line.compare(statement.begin, 10, "user_pref(") == 0, "an owned statement starts its text");
  }
  if (!file.ReadsAppendedLines()) return;
  velomar::PrefsFile added = file;
  added.AppendLine("user_pref(\"fuzz.added\", 7);");
  const velomar::PrefStatement* taken = added.Applied("fuzz.added");
  Check(taken && taken->ownsLine && taken->value == " 7", "an added line is what Firefox takes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = velomar::fuzz::AsText(data, size);
  CheckReading(velomar::PrefsFile::Parse(text), text);

  // An empty input stands for a profile without user.js.
  const std::string userJs = ProfileFolder() + "/user.js";
  velomar::platform::RemoveFile(userJs);
  if (size > 0) velomar::fuzz::WriteScratchFile("profile/user.js", text);
  const int machineClass = static_cast<int>(size % 4);
  NoProgress progress;
  velomar::FileProblems problems;
  if (!velomar::EditUserPrefs(ProfileFolder(), machineClass, progress, 2, problems)) return 0;

  std::string edited, error;
  Check(velomar::platform::ReadWholeFile(userJs, edited, error), "the edited user.js reads", error);
  const velomar::PrefsFile file = velomar::PrefsFile::Parse(edited);
  auto written = velomar::CommonPrefs();
  for (const auto& entry : velomar::MachineClassPrefs(machineClass))
    if (!entry.IsDeletion()) written.push_back(entry);
  for (const auto& entry : written) {
    const velomar::PrefStatement* taken = file.Applied(velomar::PrefNameOf(entry.head));
    Check(taken && taken->value == velomar::PrefValueOf(entry.tail), "every preference has the set's value",
          entry.head);
  }
  return 0;
}
