// The language tables against an in-memory window built from a test layout
// that holds every kind of the kinds table.
#include <gtest/gtest.h>

#include "lang/Translator.h"
#include "platform/Files.h"
#include "support/EveryKindLayout.h"
#include "support/TestSupport.h"
#include "window/Layout.h"
#include "window/MemoryWindow.h"

namespace velomar {
namespace {

using test::DataFile;
using test::EveryKindLayout;
using test::ReadFileText;
using test::ScopedAppData;
using test::ScopedCurrentDirectory;
using test::TempFolder;
using test::WriteFileText;

struct DesignedWindow {
  MemoryWindow window;
  DesignedWindow() {
    DesignMemoryWindow(window, EveryKindLayout());
    window.AppendRow("ListView_Log", {"row0", "1", "2"});
    window.AppendRow("ListView_Log", {"row1", "3", "4"});
    window.SetItemIndex("ComboBox_Mode", 1);
    window.ClearEvents();
  }
};

// A program folder: a current directory with a "Language" folder in it.
struct ProgramFolder {
  TempFolder root;
  std::string language = root.File("Language");
  ProgramFolder() { platform::CreateDirectoryTree(language); }
  void Install(const std::string& testFile, const std::string& asName) {
    WriteFileText(platform::JoinPath(language, asName), ReadFileText(DataFile("lang/" + testFile)));
  }
};

// An application-data folder, optionally with Marrowcare's settings file.
struct AppData {
  TempFolder folder;
  ScopedAppData scoped{folder.path()};
  void SetMarrowcareLanguage(const std::string& iniText) {
    const std::string dir = platform::JoinPath(platform::JoinPath(folder.path(), "Tandrel"), "Marrowcare");
    platform::CreateDirectoryTree(dir);
    WriteFileText(platform::JoinPath(dir, "Main.ini"), iniText);
  }
};

TEST(TranslateForm, ReplacesEveryTranslatableKindAndLeavesTheOthers) {
  DesignedWindow d;
  auto& w = d.window;
  ASSERT_TRUE(Translator(DataFile("lang/Every.lng")).TranslateForm("Test_Window", w));

  EXPECT_EQ(w.Caption(), "Translated window");
  EXPECT_EQ(w.Text("Label_Title"), "Translated title");  // keys in any letter case
  EXPECT_EQ(w.Hint("Label_Title"), "Translated title hint");
  EXPECT_EQ(w.Hint("Image_Icon"), "Translated picture");
  EXPECT_EQ(w.Text("CheckBox_Option"), "Translated option");
  EXPECT_EQ(w.Text("GroupBox_Choice"), "Translated group");
  EXPECT_EQ(w.Text("RadioButton_One"), "Translated one");
  EXPECT_EQ(w.Text("Button_Go"), "Translated go");
  EXPECT_EQ(w.Hint("Button_Go"), "");  // a present key with an empty value empties the text
  EXPECT_EQ(w.Text("TabSheet_First"), "Translated sheet");

  EXPECT_EQ(w.Columns("ListView_Log"), (std::vector<std::string>{"Translated name", "Old Value", "Translated new"}));
  EXPECT_EQ(w.Rows("ListView_Log")[0], (LogRow{"row0", "1", "2"}));
  EXPECT_EQ(w.Rows("ListView_Log")[1], (LogRow{"Translated row", "3", "4"}));
  EXPECT_EQ(w.Items("ComboBox_Mode"), (std::vector<std::string>{"Translated first", "second", "Translated third"}));
  EXPECT_EQ(w.ItemIndex("ComboBox_Mode"), 1);

  for (const char* untouched : {"Edit_Value", "Panel_Back", "TrackBar_Speed", "ProgressBar_Run"})
    EXPECT_EQ(w.Text(untouched).rfind("designed", 0), 0u) << untouched;
}

TEST(TranslateForm, AFileWithSomeKeysChangesOnlyThose) {
  DesignedWindow d;
  ASSERT_TRUE(Translator(DataFile("lang/Partial.lng")).TranslateForm("TEST_WINDOW", d.window));
  EXPECT_EQ(d.window.Text("Label_Title"), "Only the title");
  EXPECT_EQ(d.window.Caption(), "Designed window");
  EXPECT_EQ(d.window.Hint("Label_Title"), "Designed title hint");
  EXPECT_EQ(d.window.Items("ComboBox_Mode")[0], "first");
  // Only the changed text was touched.
  ASSERT_EQ(d.window.Events().size(), 1u);
  EXPECT_EQ(d.window.Events()[0].control, "Label_Title");
}

TEST(TranslateForm, AMissingSectionOrUnreadableFileKeepsTheDesignedTexts) {
  DesignedWindow d;
  EXPECT_TRUE(Translator(DataFile("lang/Every.lng")).TranslateForm("No_Such_Window", d.window));
  EXPECT_EQ(d.window.Caption(), "Designed window");
  EXPECT_EQ(d.window.Text("Label_Title"), "Designed title");

  TempFolder folder;
  EXPECT_FALSE(Translator(folder.File("missing.lng")).TranslateForm("Test_Window", d.window));
  EXPECT_TRUE(d.window.Events().empty());
}

TEST(ReadLanguageName, EnglishWithoutMarrowcareAndItsLanguageOtherwise) {
  AppData appData;
  EXPECT_EQ(ReadLanguageName(), "English");

  appData.SetMarrowcareLanguage("[Other]\nLanguage=French\n");
  EXPECT_EQ(ReadLanguageName(), "English");
  appData.SetMarrowcareLanguage("[main]\r\nlanguage=German\r\n");
  EXPECT_EQ(ReadLanguageName(), "German");
  // A name that would lead out of the Language folder is no language.
  appData.SetMarrowcareLanguage("[Main]\nLanguage=..\\..\\secret\n");
  EXPECT_EQ(ReadLanguageName(), "English");
}

TEST(ReadLanguageName, CreatesThePerUserDataFolderOnlyWhenAsked) {
  AppData appData;
  const std::string dataFolder = platform::JoinPath(platform::JoinPath(appData.folder.path(), "Tandrel"), "Velomar");
  ReadLanguageName();
  EXPECT_FALSE(platform::DirectoryExists(dataFolder));
  ReadLanguageName(true);
  EXPECT_TRUE(platform::DirectoryExists(dataFolder));
}

TEST(ApplyWindowLanguage, UsesEnglishLngUnderTheCurrentDirectoryByDefault) {
  AppData appData;
  ProgramFolder program;
  program.Install("Every.lng", "English.lng");
  ScopedCurrentDirectory cwd(program.root.path());
  DesignedWindow d;
  ApplyWindowLanguage(d.window, "Test_Window");
  EXPECT_EQ(d.window.Caption(), "Translated window");
  EXPECT_EQ(LanguageFilePath("English"), platform::JoinPath(program.language, "English.lng"));
}

TEST(ApplyWindowLanguage, UsesTheFileOfMarrowcaresLanguage) {
  AppData appData;
  appData.SetMarrowcareLanguage("[Main]\nLanguage=Testish\n");
  ProgramFolder program;
  program.Install("Every.lng", "English.lng");
  program.Install("Partial.lng", "Testish.lng");
  ScopedCurrentDirectory cwd(program.root.path());
  DesignedWindow d;
  ApplyWindowLanguage(d.window, "Test_Window");
  EXPECT_EQ(d.window.Text("Label_Title"), "Only the title");
  EXPECT_EQ(d.window.Caption(), "Designed window");
}

TEST(ApplyWindowLanguage, FindsNoFileFromAnotherCurrentDirectory) {
  AppData appData;
  ProgramFolder program;
  program.Install("Every.lng", "English.lng");
  TempFolder elsewhere;
  ScopedCurrentDirectory cwd(elsewhere.path());
  DesignedWindow d;
  ApplyWindowLanguage(d.window, "Test_Window");
  EXPECT_EQ(d.window.Caption(), "Designed window");
  EXPECT_TRUE(d.window.Events().empty());
}

TEST(ShippedLanguageFiles, LieInTheLanguageFolderUnderTheCurrentDirectory) {
  // The build copies Language/ into the build tree, where this suite runs.
  for (const char* name : {"English", "German"}) {
    const std::string path = LanguageFilePath(name);
    EXPECT_TRUE(platform::FileExists(path)) << path;
    EXPECT_FALSE(ReadFileText(path).empty()) << path;
  }
}

}  // namespace
}  // namespace velomar
