#pragma once
// The message boxes an in-memory window was asked to show, in order.
#include <string>
#include <vector>

#include "window/MemoryWindow.h"

namespace velomar::test {

struct ShownMessage {
  MessageIcon icon = MessageIcon::None;
  std::string title;
  std::string text;
};

inline std::vector<ShownMessage> ShownMessages(const MemoryWindow& window) {
  std::vector<ShownMessage> shown;
  for (const auto& e : window.Events()) {
    if (e.kind != WindowEvent::Kind::Message) continue;
    const auto tab1 = e.value.find('\t');
    const auto tab2 = e.value.find('\t', tab1 + 1);
    shown.push_back({static_cast<MessageIcon>(std::stoi(e.value.substr(0, tab1))),
                     e.value.substr(tab1 + 1, tab2 - tab1 - 1), e.value.substr(tab2 + 1)});
  }
  return shown;
}

}  // namespace velomar::test
