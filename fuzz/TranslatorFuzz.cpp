// The language tables: a language file applied by Translator::TranslateForm
// to an in-memory window holding every kind of component, and the language
// name read from Marrowcare's Main.ini. Kinds that are not translated keep
// their designed text; a language name never leads out of its folder.
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "lang/Translator.h"
#include "platform/Files.h"
#include "support/EveryKindLayout.h"
#include "window/Layout.h"
#include "window/MemoryWindow.h"

using velomar::fuzz::Check;

namespace {

// Marrowcare's settings file where ReadLanguageName looks for it.
const std::string& SiblingSettingsName() {
  static const std::string name = [] {
    setenv("XDG_CONFIG_HOME", velomar::fuzz::ScratchFolder().c_str(), 1);
    const std::string folder = velomar::fuzz::ScratchFolder() + "/Tandrel/Marrowcare";
    if (!velomar::platform::CreateDirectoryTree(folder)) velomar::fuzz::Fail("the settings folder is made", folder);
    return std::string("Tandrel/Marrowcare/Main.ini");
  }();
  return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const velomar::FormLayout layout = velomar::test::EveryKindLayout();
  const auto text = velomar::fuzz::AsText(data, size);

  velomar::MemoryWindow window;
  velomar::DesignMemoryWindow(window, layout);
  window.AppendRow("ListView_Log", {"row0", "1", "2"});
  window.AppendRow("ListView_Log", {"row1", "3", "4"});
  window.SetItemIndex("ComboBox_Mode", 1);
  const std::string file = velomar::fuzz::WriteScratchFile("Language.lng", text);
  for (const char* section : {"Test_Window", "Velomar_Main"})
    Check(velomar::Translator(file).TranslateForm(section, window), "a language file is read");
  for (const char* untouched : {"Edit_Value", "Panel_Back", "TrackBar_Speed", "ProgressBar_Run"})
    Check(window.Text(untouched).rfind("designed", 0) == 0, "kinds without texts to translate keep theirs", untouched);
  Check(window.Items("ComboBox_Mode").size() == 3 && window.ItemIndex("ComboBox_Mode") == 1,
        "translating the items keeps their number and the choice");

  velomar::fuzz::WriteScratchFile(SiblingSettingsName(), text);
  const std::string language = velomar::ReadLanguageName();
  Check(!language.empty() && language.find_first_of("\\/:") == std::string::npos && language != "..",
        "a language name names a file of the Language folder", language);
  return 0;
}
