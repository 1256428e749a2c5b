#pragma once
// The language tables: a window's texts replaced from the section of an INI
// file that is named after the language set in the sibling product
// Marrowcare. Works on any window through the window-state seam.
#include <memory>
#include <string>
#include <string_view>

#include "lang/MessageCatalogue.h"
#include "window/WindowState.h"

namespace velomar {

// The language from Marrowcare's "Main.ini" (section "Main", key
// "Language"); "English" when there is no such file, key or usable name.
// With createDataFolder (the main window's use, which runs first) the
// per-user data folder is created when it is missing.
std::string ReadLanguageName(bool createDataFolder = false);

// Current directory + "\Language\" + name + ".lng".
std::string LanguageFilePath(const std::string& languageName);

class IniFile;

// A language file, read once: the texts of a window's controls, and the
// messages of its section.
class Translator {
 public:
  // Reads the file; one that cannot be read translates nothing.
  explicit Translator(const std::string& fileName);

  // Replaces the texts of `form` from `section`; every text keeps its value
  // where the file holds no key for it. False (and nothing changed) when
  // the file could not be read.
  bool TranslateForm(std::string_view section, WindowState& form) const;
  // The messages of `section`; English where the file has none.
  MessageCatalogue Messages(std::string_view section) const;

 private:
  std::shared_ptr<const IniFile> file_;
};

// What each translated window runs on creation: the file of the current
// language under the current directory, if there is one, applied to `form`;
// its messages in that language (English without a file).
MessageCatalogue ApplyWindowLanguage(WindowState& form, std::string_view section, bool createDataFolder = false);

}  // namespace velomar
