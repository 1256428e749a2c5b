#include "lang/MessageCatalogue.h"

#include "util/IniFile.h"

namespace velomar {

std::string MessageCatalogue::Text(const Message& message) const {
  if (!file_) return std::string(message.english);
  return file_->ReadString(section_, message.key, message.english);
}

}  // namespace velomar
