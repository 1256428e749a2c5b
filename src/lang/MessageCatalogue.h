#pragma once
// The texts the windows show that no control holds: messages, status
// lines, the captions a button takes on. Each is a Message: its key in the
// language file, in the section of the window that shows it, and its
// English text, which stands wherever the file has none.
#include <memory>
#include <string>
#include <string_view>

namespace velomar {

class IniFile;

struct Message {
  std::string_view key;  // e.g. "Label_Restore_Finish.Caption"
  std::string_view english;
};

class MessageCatalogue {
 public:
  // Every text in English.
  MessageCatalogue() = default;
  // The texts of `section` of a language file that has been read.
  MessageCatalogue(std::shared_ptr<const IniFile> file, std::string section)
      : file_(std::move(file)), section_(std::move(section)) {}

  std::string Text(const Message& message) const;

 private:
  std::shared_ptr<const IniFile> file_;
  std::string section_;
};

}  // namespace velomar
