#include "lang/Translator.h"

#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/System.h"
#include "util/DataFolder.h"
#include "util/IniFile.h"

namespace velomar {

namespace {

constexpr const char* kDefaultLanguage = "English";

std::string SiblingSettingsFile(const std::string& appData) {
  std::string path = appData;
  const char sep = platform::PathSeparator();
  if (!path.empty() && path.back() != sep && path.back() != '/') path += sep;
  return path + "Tandrel" + sep + "Marrowcare" + sep + "Main.ini";
}

// The name becomes part of a path: one that would lead out of the
// "Language" folder is not a language name.
bool IsUsableLanguageName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of("\\/:") == std::string::npos;
}

// Replaces one text when the file has a value for it that differs, so that
// untouched controls see no change (and fire no change handler).
template <typename Get, typename Set>
void Replace(const IniFile& ini, std::string_view section, const std::string& key, Get get, Set set) {
  const std::string current = get();
  const std::string value = ini.ReadString(section, key, current);
  if (value != current) set(value);
}

void TranslateCaption(const IniFile& ini, std::string_view section, WindowState& form, const std::string& name) {
  Replace(
      ini, section, name + ".Caption", [&] { return form.Text(name); },
      [&](const std::string& v) { form.SetText(name, v); });
}

void TranslateHint(const IniFile& ini, std::string_view section, WindowState& form, const std::string& name) {
  Replace(
      ini, section, name + ".Hint", [&] { return form.Hint(name); },
      [&](const std::string& v) { form.SetHint(name, v); });
}

void TranslateItems(const IniFile& ini, std::string_view section, WindowState& form, const std::string& name) {
  std::vector<std::string> items = form.Items(name);
  bool changed = false;
  for (std::size_t k = 0; k < items.size(); ++k) {
    std::string value = ini.ReadString(section, name + ".Items" + std::to_string(k) + ".Caption", items[k]);
    if (value != items[k]) {
      items[k] = std::move(value);
      changed = true;
    }
  }
  if (!changed) return;
  // Replacing the items keeps the user's choice.
  const int selected = form.ItemIndex(name);
  form.SetItems(name, items);
  if (selected >= 0) form.SetItemIndex(name, selected);
}

void TranslateListView(const IniFile& ini, std::string_view section, WindowState& form, const std::string& name) {
  const std::vector<std::string> columns = form.Columns(name);
  for (std::size_t k = 0; k < columns.size(); ++k) {
    const std::string value = ini.ReadString(section, name + ".Columns" + std::to_string(k) + ".Caption", columns[k]);
    if (value != columns[k]) form.SetColumnText(name, static_cast<int>(k), value);
  }
  const std::vector<LogRow> rows = form.Rows(name);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const std::string value = ini.ReadString(section, name + ".Items" + std::to_string(k) + ".Caption", rows[k].name);
    if (value != rows[k].name) form.SetRowCaption(name, static_cast<int>(k), value);
  }
}

void TranslateComponent(const IniFile& ini, std::string_view section, WindowState& form, const ComponentInfo& c) {
  switch (c.kind) {
    case ComponentKind::Label:
    case ComponentKind::Button:
      TranslateCaption(ini, section, form, c.name);
      TranslateHint(ini, section, form, c.name);
      break;
    case ComponentKind::Image: TranslateHint(ini, section, form, c.name); break;
    case ComponentKind::CheckBox:
    case ComponentKind::GroupBox:
    case ComponentKind::RadioButton:
    case ComponentKind::TabSheet: TranslateCaption(ini, section, form, c.name); break;
    case ComponentKind::ListView: TranslateListView(ini, section, form, c.name); break;
    case ComponentKind::ComboBox: TranslateItems(ini, section, form, c.name); break;
    case ComponentKind::Edit:
    case ComponentKind::Panel:
    case ComponentKind::PageControl:
    case ComponentKind::TrackBar:
    case ComponentKind::ProgressBar:
    case ComponentKind::Timer:
    case ComponentKind::Other: break;
  }
}

}  // namespace

std::string ReadLanguageName(bool createDataFolder) {
  const std::string appData = platform::ApplicationDataFolder();
  if (createDataFolder) {
    std::string error;
    EnsurePerUserDataFolder(error);  // the windows work without it; its users report their own failures
  }
  if (appData.empty()) return kDefaultLanguage;
  const std::string settings = SiblingSettingsFile(appData);
  if (!platform::FileExists(settings)) return kDefaultLanguage;
  IniFile ini;
  std::string error;
  if (!IniFile::Load(settings, ini, error, IniFile::Encoding::Ansi)) return kDefaultLanguage;
  std::string name = ini.ReadString("Main", "Language", kDefaultLanguage);
  return IsUsableLanguageName(name) ? name : kDefaultLanguage;
}

std::string LanguageFilePath(const std::string& languageName) {
  const char sep = platform::PathSeparator();
  std::string folder = platform::CurrentDirectory();
  while (folder.size() > 1 && (folder.back() == sep || folder.back() == '/')) folder.pop_back();
  return folder + sep + "Language" + sep + languageName + ".lng";
}

Translator::Translator(const std::string& fileName) {
  auto ini = std::make_shared<IniFile>();
  std::string error;
  if (IniFile::Load(fileName, *ini, error, IniFile::Encoding::Ansi)) file_ = std::move(ini);
}

bool Translator::TranslateForm(std::string_view section, WindowState& form) const {
  if (!file_) return false;
  const IniFile& ini = *file_;
  const std::string caption = form.Caption();
  const std::string translated = ini.ReadString(section, "Caption", caption);
  if (translated != caption) form.SetCaption(translated);
  for (const auto& component : form.Components()) TranslateComponent(ini, section, form, component);
  return true;
}

MessageCatalogue Translator::Messages(std::string_view section) const {
  if (!file_) return {};
  return MessageCatalogue(file_, std::string(section));
}

MessageCatalogue ApplyWindowLanguage(WindowState& form, std::string_view section, bool createDataFolder) {
  const std::string path = LanguageFilePath(ReadLanguageName(createDataFolder));
  if (!platform::FileExists(path)) return {};
  const Translator translator(path);
  translator.TranslateForm(section, form);
  return translator.Messages(section);
}

}  // namespace velomar
