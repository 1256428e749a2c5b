#pragma once
// File-system seam. Paths are UTF-8, as every text inside the program; the
// Windows backend hands them to the wide-character functions.
#include <string>
#include <vector>

namespace velomar::platform {

// Refuses files larger than this: every file the program reads is small.
inline constexpr std::size_t kMaxReadableFile = 64u * 1024u * 1024u;

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder and any missing parents; true when it exists afterwards.
bool CreateDirectoryTree(const std::string& path);
// Reads the whole file; false with a message naming it on any failure.
bool ReadWholeFile(const std::string& path, std::string& contents, std::string& error);
// Writes a temporary file beside the target and moves it over the target,
// so that a failure leaves the old file whole. False with a message.
bool ReplaceFileContents(const std::string& path, const std::string& contents, std::string& error);
bool RemoveFile(const std::string& path);
// Gives a file a new name; refuses (false with a message) when a file of
// that name exists already, so that nothing is ever replaced.
bool RenameFile(const std::string& from, const std::string& to, std::string& error);
std::string CurrentDirectory();
bool ChangeCurrentDirectory(const std::string& path);

// While one lives, nothing is written (velomar-cli --dry-run): replacing,
// renaming and removing files and creating folders check that they would
// succeed and fail as they would, with the same message, but leave the
// disk as it was (a probe they make, they remove again). Reading is not
// affected, so what a program reads back is what was there before.
class ScopedNoWrites {
 public:
  ScopedNoWrites();
  ~ScopedNoWrites();
  ScopedNoWrites(const ScopedNoWrites&) = delete;
  ScopedNoWrites& operator=(const ScopedNoWrites&) = delete;
};
// True while a ScopedNoWrites lives; the backends' writers ask it first.
bool WritesHeld();
// The folders that creating folders would have made while writes are held:
// the writers take them as existing and empty. Forgotten when the
// outermost hold ends.
void RememberFolderWouldBeMade(const std::string& path);
bool FolderWouldBeMade(const std::string& path);

// A path that names the same file from any current folder (Windows: a drive
// and a separator, or a UNC path; elsewhere a leading '/').
bool IsAbsolutePath(const std::string& path);
// A path to be read under some folder: not empty, not absolute, and (on
// Windows) naming neither a drive nor the root of the current one.
bool IsRelativePath(const std::string& path);

// The folder separator of the platform ('\\' on Windows, '/' elsewhere).
char PathSeparator();
// Joins a folder and a name with one separator between them.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace velomar::platform
