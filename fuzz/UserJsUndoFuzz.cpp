// The promise of the Firefox passes and their undo, for any user.js: after
// a pass the value each row shows as new is the value Firefox takes; the
// undo then gives back the file byte for byte, and a line the user added
// after the pass survives it.
#include <string>

#include "FuzzSupport.h"
#include "firefox/AutoFirefoxPass.h"
#include "firefox/CustomFirefoxPass.h"
#include "firefox/PrefsEdits.h"
#include "platform/Files.h"
#include "progress/PassProgress.h"

using velomar::fuzz::Check;

namespace {

class RowsKept : public velomar::PassProgress {
 public:
  void Status(std::string_view) override {}
  void Advance(int) override {}
  void Row(const velomar::LogRow& row) override { rows.push_back(row); }
  void Pause() override {}
  std::vector<velomar::LogRow> rows;
};

const std::string& ProfileFolder() {
  static const std::string folder = [] {
    const std::string path = velomar::fuzz::ScratchFolder() + "/undo";
    if (!velomar::platform::CreateDirectoryTree(path)) velomar::fuzz::Fail("the profile folder is made", path);
    return path;
  }();
  return folder;
}

std::string Read(const std::string& path) {
  std::string bytes, error;
  Check(velomar::platform::ReadWholeFile(path, bytes, error), "user.js reads", error);
  return bytes;
}

// The pass's rows against what Firefox takes from the file it wrote.
void CheckRowsAreWhatFirefoxTakes(const std::vector<velomar::LogRow>& rows, const velomar::PrefsFile& file) {
  for (const auto& row : rows) {
    const velomar::PrefStatement* taken = file.Applied(row.name);
    if (row.newValue == "Delete value")
      Check(taken == nullptr, "a deleted preference is set no more", row.name);
    else if (!row.oldValue.empty() || !row.newValue.empty())
      Check(taken && taken->value == row.newValue, "the new value is the one Firefox takes", row.name);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the pass and the machine class; the rest is user.js.
  const bool custom = data[0] & 4;
  const int machineClass = data[0] & 3;
  const std::string original(velomar::fuzz::AsText(data + 1, size - 1));
  ProfileFolder();
  const std::string userJs = velomar::fuzz::WriteScratchFile("undo/user.js", original);

  RowsKept progress;
  velomar::FileProblems problems;
  bool edited = false;
  if (custom) {
    const velomar::CustomPassInputs inputs{progress, [](std::int32_t) { return velomar::FirefoxProgressSteps{}; },
                                           std::vector<bool>(24, true), machineClass >= 2,
                                           (machineClass & 1) ? 1024 : 56};
    edited = velomar::WriteCustomPrefs(ProfileFolder(), 0, inputs, problems);
  } else {
    edited = velomar::EditUserPrefs(ProfileFolder(), machineClass, progress, 0, problems);
  }
  const std::string after = Read(userJs);
  if (!edited) {
    Check(after == original, "a file the pass refuses is left as it is");
    return 0;
  }
  const velomar::PrefsFile tuned = velomar::PrefsFile::Parse(after);
  CheckRowsAreWhatFirefoxTakes(progress.rows, tuned);

  const velomar::PrefsFile backup = velomar::PrefsFile::Parse(original);
  Check(velomar::WithVelomarPrefsOf(tuned, backup).Bytes() == original, "the undo gives back the file", after);

  const std::string end = tuned.LineEnd();
  const std::string later = "user_pref(\"mine.later\", 1);";
  std::string expected = original;
  if (!expected.empty() && expected.back() != '\n' && expected.back() != '\r') expected += end;
  const velomar::PrefsFile added = velomar::PrefsFile::Parse(after + later + end);
  Check(velomar::WithVelomarPrefsOf(added, backup).Bytes() == expected + later + end,
        "a line added after the pass survives the undo", after);
  return 0;
}
