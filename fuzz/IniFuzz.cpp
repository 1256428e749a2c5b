// IniFile: profiles.ini, the language files and Marrowcare's Main.ini. Every
// section the file lists is found again by its name.
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "util/IniFile.h"
#include "util/TextLines.h"

using velomar::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = velomar::fuzz::AsText(data, size);
  const velomar::IniFile ini = velomar::IniFile::Parse(text);
  const std::vector<std::string> sections = ini.SectionNames();
  for (const auto& section : sections) Check(ini.HasSection(section), "a listed section is found", section);

  // The keys of the text's own lines, asked of a few sections: enough to
  // reach every lookup path without making a run quadratic in the input.
  const velomar::Lines lines = velomar::SplitLines(text);
  std::size_t asked = 0;
  for (const auto& line : lines) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    for (std::size_t s = 0; s < sections.size() && s < 3; ++s) ini.ReadString(sections[s], key, "<none>");
    ini.ReadString("Main", key);
    if (++asked == 16) break;
  }
  ini.ReadString("Profile0", "Path");
  ini.ReadString("Main", "Language", "English");
  return 0;
}
