// The Firefox writers' own cost on a large user.js (10,000 lines): the
// automatic EditUserPrefs and the custom writer, with a progress whose pause
// is a no-op, beside the floor of reading, sorting and writing the same file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "firefox/AutoFirefoxPass.h"
#include "firefox/CustomFirefoxPass.h"
#include "firefox/PrefLines.h"
#include "platform/Files.h"
#include "support/NoProgress.h"
#include "util/TextLines.h"

namespace {

using namespace velomar;

// A profile folder holding a user.js of 10,000 preference lines, unsorted,
// the tuned preferences among them near the end.
class LargeProfile {
 public:
  LargeProfile() {
    char folder[] = "/tmp/velomar-bench-XXXXXX";
    if (mkdtemp(folder)) path_ = folder;
    for (int i = 0; i < 10000 - 20; ++i)
      lines_.push_back("user_pref(\"extension.item" + std::to_string((i * 7919) % 10000) + ".setting\", " +
                       std::to_string(i) + ");");
    for (int i = 0; i < 20; ++i) lines_.push_back(CommonPrefs()[static_cast<std::size_t>(i % 13)].head + ", 1);");
  }
  ~LargeProfile() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  bool ok() const { return !path_.empty(); }
  const std::string& path() const { return path_; }
  void Reset() const {
    std::string error;
    SaveLines(path_ + "/user.js", lines_, error);
  }

 private:
  std::string path_;
  Lines lines_;
};

void BM_ReadSortWrite(benchmark::State& state) {
  LargeProfile profile;
  if (!profile.ok()) return state.SkipWithError("no temporary folder");
  for (auto _ : state) {
    state.PauseTiming();
    profile.Reset();
    state.ResumeTiming();
    Lines lines;
    std::string error;
    LoadLines(profile.path() + "/user.js", lines, error);
    SortPrefLines(lines);
    SaveLines(profile.path() + "/user.js", lines, error);
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_ReadSortWrite)->Unit(benchmark::kMillisecond);

void BM_EditUserPrefs(benchmark::State& state) {
  LargeProfile profile;
  if (!profile.ok()) return state.SkipWithError("no temporary folder");
  test::NoProgress progress;
  for (auto _ : state) {
    state.PauseTiming();
    profile.Reset();
    state.ResumeTiming();
    FileProblems problems;
    benchmark::DoNotOptimize(EditUserPrefs(profile.path(), 3, progress, 2, problems));
  }
}
BENCHMARK(BM_EditUserPrefs)->Unit(benchmark::kMillisecond);

void BM_WriteCustomPrefs(benchmark::State& state) {
  LargeProfile profile;
  if (!profile.ok()) return state.SkipWithError("no temporary folder");
  test::NoProgress progress;
  const CustomPassInputs inputs{progress,
                                [](std::int32_t) {
                                  return FirefoxProgressSteps{4, 0};
                                },
                                std::vector<bool>(CustomPrefChoices().size(), true), true, 1024};
  for (auto _ : state) {
    state.PauseTiming();
    profile.Reset();
    state.ResumeTiming();
    FileProblems problems;
    benchmark::DoNotOptimize(WriteCustomPrefs(profile.path(), 4, inputs, problems));
  }
}
BENCHMARK(BM_WriteCustomPrefs)->Unit(benchmark::kMillisecond);

}  // namespace
