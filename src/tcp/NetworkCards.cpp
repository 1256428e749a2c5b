#include "tcp/NetworkCards.h"

#include "registry/RegistryStore.h"
#include "tcp/TcpSteps.h"

namespace velomar {

namespace {
constexpr const char* kNetworkCards = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
}  // namespace

std::vector<NetworkCard> ListNetworkCards(std::size_t most) {
  std::vector<NetworkCard> cards;
  for (const auto& name : ListRegSubKeys(kHKLM, kNetworkCards).value_or(std::vector<std::string>{})) {
    if (cards.size() >= most) break;
    const std::string key = std::string(kNetworkCards) + "\\" + name;
    NetworkCard card{ReadRegString(kHKLM, key, "Description").value_or(""),
                     ReadRegString(kHKLM, key, "ServiceName").value_or("")};
    if (!card.description.empty() && !card.serviceName.empty()) cards.push_back(std::move(card));
  }
  return cards;
}

}  // namespace velomar
