// The file seam: how paths are read, paths beyond the ANSI code page, and
// the writers in a dry run, which must meet what the real ones meet.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

#include "platform/Files.h"
#include "support/TestSupport.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/Win32Text.h"
#else
#include <sys/stat.h>
#endif

namespace velomar::platform {
namespace {

namespace fs = std::filesystem;

TEST(PathKinds, AbsoluteRelativeAndNeither) {
#ifdef _WIN32
  for (const char* absolute : {"C:\\x", "c:/x", "\\\\server\\share", "//server/share"}) {
    EXPECT_TRUE(IsAbsolutePath(absolute)) << absolute;
    EXPECT_FALSE(IsRelativePath(absolute)) << absolute;
  }
  // The root of the current drive, and the current folder of a drive.
  for (const char* neither : {"\\x", "/x", "C:x", "C:", ""}) {
    EXPECT_FALSE(IsAbsolutePath(neither)) << neither;
    EXPECT_FALSE(IsRelativePath(neither)) << neither;
  }
#else
  EXPECT_TRUE(IsAbsolutePath("/x"));
  EXPECT_FALSE(IsRelativePath("/x"));
  EXPECT_FALSE(IsAbsolutePath(""));
  EXPECT_FALSE(IsRelativePath(""));
#endif
  for (const char* relative : {"Profiles/a.default", "a", "../a"}) {
    EXPECT_TRUE(IsRelativePath(relative)) << relative;
    EXPECT_FALSE(IsAbsolutePath(relative)) << relative;
  }
}

// German, Russian and Chinese: no ANSI code page holds all three.
constexpr const char* kBeyondTheCodePage = "M\xC3\xBCller \xD0\x9F\xD1\x91\xD1\x82\xD1\x80 \xE5\x90\x8D\xE5\x89\x8D";

TEST(Utf8Paths, EveryFileOperationReachesTheFileItNames) {
  test::TempFolder root;
  const std::string folder = JoinPath(JoinPath(root.path(), kBeyondTheCodePage), kBeyondTheCodePage);
  ASSERT_TRUE(CreateDirectoryTree(folder));
  EXPECT_TRUE(DirectoryExists(folder));
  const std::string file = JoinPath(folder, std::string(kBeyondTheCodePage) + ".js");
  std::string error, contents;
  ASSERT_TRUE(ReplaceFileContents(file, "one", error)) << error;
  ASSERT_TRUE(ReplaceFileContents(file, "two", error)) << error;
  EXPECT_TRUE(FileExists(file));
  ASSERT_TRUE(ReadWholeFile(file, contents, error)) << error;
  EXPECT_EQ(contents, "two");
  const std::string renamed = file + ".bk";
  ASSERT_TRUE(RenameFile(file, renamed, error)) << error;
  EXPECT_EQ(test::ReadFileText(renamed), "two");
  {
    test::ScopedCurrentDirectory inside(folder);
    EXPECT_EQ(CurrentDirectory(), folder);
    EXPECT_TRUE(FileExists(std::string(kBeyondTheCodePage) + ".js.bk"));
  }
  EXPECT_TRUE(RemoveFile(renamed));
  EXPECT_FALSE(fs::exists(test::FsPath(renamed)));
  // A message names the file as the user knows it.
  EXPECT_FALSE(ReadWholeFile(file, contents, error));
  EXPECT_NE(error.find(kBeyondTheCodePage), std::string::npos) << error;
}

// Every file and folder under `folder`, to see that a dry run left it alone.
std::set<std::string> Listing(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(test::FsPath(folder)))
    names.insert(test::Utf8Of(entry.path()));
  return names;
}

struct Outcome {
  bool ok;
  std::string error;
  bool operator==(const Outcome&) const = default;
};

// What `write` answers in a dry run and for real: the same, and the dry
// run changed nothing.
void ExpectTheDryRunMeetsWhatTheRealOneMeets(const std::string& folder, const std::function<Outcome()>& write,
                                             bool expectedOk) {
  const auto before = Listing(folder);
  Outcome dry;
  {
    ScopedNoWrites hold;
    dry = write();
  }
  EXPECT_EQ(Listing(folder), before);
  const Outcome real = write();
  EXPECT_EQ(dry, real);
  EXPECT_EQ(real.ok, expectedOk) << real.error;
}

TEST(DryRun, EachWriterFailsAsTheRealOneWouldAndLeavesTheDiskAlone) {
  test::TempFolder root;
  const auto replace = [](const std::string& path) {
    return [path] {
      std::string error;
      const bool ok = ReplaceFileContents(path, "x", error);
      return Outcome{ok, error};
    };
  };
  // A folder where the file should be (RegBackUp.bk as a folder), a missing
  // folder, a new file, an existing one.
  fs::create_directory(test::FsPath(root.File("RegBackUp.bk")));
  ExpectTheDryRunMeetsWhatTheRealOneMeets(root.path(), replace(root.File("RegBackUp.bk")), false);
  ExpectTheDryRunMeetsWhatTheRealOneMeets(root.path(), replace(JoinPath(root.File("missing"), "f")), false);
  ExpectTheDryRunMeetsWhatTheRealOneMeets(root.path(), replace(root.File("new")), true);
  ExpectTheDryRunMeetsWhatTheRealOneMeets(root.path(), replace(root.File("new")), true);

  // A read-only file: Windows refuses to replace it, POSIX replaces it.
  const std::string readOnly = root.File("read-only");
  test::WriteFileText(readOnly, "kept");
#ifdef _WIN32
  SetFileAttributesW(Utf8ToWide(readOnly).c_str(), FILE_ATTRIBUTE_READONLY);
  ExpectTheDryRunMeetsWhatTheRealOneMeets(root.path(), replace(readOnly), false);
  SetFileAttributesW(Utf8ToWide(readOnly).c_str(), FILE_ATTRIBUTE_NORMAL);
#else
  chmod(readOnly.c_str(), 0444);
  ExpectTheDryRunMeetsWhatTheRealOneMeets(root.path(), replace(readOnly), true);
#endif

  const auto rename = [](const std::string& from, const std::string& to) {
    return [from, to] {
      std::string error;
      const bool ok = RenameFile(from, to, error);
      return Outcome{ok, error};
    };
  };
  test::WriteFileText(root.File("taken"), "");
  ExpectTheDryRunMeetsWhatTheRealOneMeets(root.path(), rename(root.File("new"), root.File("taken")), false);
  ExpectTheDryRunMeetsWhatTheRealOneMeets(root.path(), rename(root.File("gone"), root.File("free")), false);
  ExpectTheDryRunMeetsWhatTheRealOneMeets(root.path(), rename(root.File("new"), root.File("new.invalid")), true);

  const auto remove = [](const std::string& path) { return [path] { return Outcome{RemoveFile(path), ""}; }; };
  ExpectTheDryRunMeetsWhatTheRealOneMeets(root.path(), remove(root.File("gone")), false);
  ExpectTheDryRunMeetsWhatTheRealOneMeets(root.path(), remove(root.File("new.invalid")), true);
}

TEST(DryRun, AFolderItWouldMakeTakesFilesUntilTheHoldEnds) {
  test::TempFolder root;
  test::WriteFileText(root.File("file"), "");
  const std::string deep = JoinPath(JoinPath(root.File("a"), "b"), "c");
  std::string error;
  {
    ScopedNoWrites hold;
    EXPECT_FALSE(CreateDirectoryTree(JoinPath(root.File("file"), "sub")));  // a file stands in the way
    EXPECT_TRUE(CreateDirectoryTree(deep));
    EXPECT_TRUE(CreateDirectoryTree(deep));
    EXPECT_TRUE(ReplaceFileContents(JoinPath(deep, "LastSetBandWidth.vm"), "3", error)) << error;
    EXPECT_FALSE(DirectoryExists(root.File("a")));
  }
  EXPECT_FALSE(ReplaceFileContents(JoinPath(deep, "LastSetBandWidth.vm"), "3", error));
  EXPECT_FALSE(CreateDirectoryTree(JoinPath(root.File("file"), "sub")));
}

}  // namespace
}  // namespace velomar::platform
