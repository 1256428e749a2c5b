#pragma once
// An INI file read the way the Windows profile-string functions read one, so
// that profiles.ini and the language files give the same answers natively
// and on Windows: lines end at CR or LF; blanks around names and values are
// ignored; section and key names are compared without regard to case; only
// the first section of a name is searched; a value wrapped in matching
// quotes loses them. Parse takes the bytes as they are; Load reads a file's
// text into UTF-8 from the encoding it is written in.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velomar {

class IniFile {
 public:
  // How a file's bytes are read: as text in the system's ANSI code page
  // (the language files, Marrowcare's settings), or as UTF-8 (profiles.ini,
  // as Firefox writes it) where a line is valid UTF-8 and as ANSI where it is not.
  enum class Encoding { Ansi, Utf8 };

  // Parses text as the Windows profile-string functions read files.
  static IniFile Parse(std::string_view text);
  // False with a message when the file cannot be read.
  static bool Load(const std::string& path, IniFile& ini, std::string& error, Encoding encoding);
  std::vector<std::string> SectionNames() const;    // file order, as GetPrivateProfileSectionNamesA
  bool HasSection(std::string_view section) const;  // letter case ignored
  // As GetPrivateProfileStringA: section and key compared without regard to case; fallback when missing.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback = "") const;

 private:
  struct Entry {
    std::string key;
    std::optional<std::string> value;  // none for a line without "="
  };
  struct Section {
    std::string name;  // empty for the lines before the first header
    std::vector<Entry> entries;
  };
  const Section* FindSection(std::string_view name) const;

  std::vector<Section> sections_;
};

}  // namespace velomar
