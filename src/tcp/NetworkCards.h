#pragma once
// The network cards Windows lists under NetworkCards: the custom page
// offers them, and its pass tunes the adapters of the first two.
#include <cstddef>
#include <string>
#include <vector>

namespace velomar {

struct NetworkCard {
  std::string description;
  std::string serviceName;  // the adapter binding's name
};

// The cards that have both a description and a service name, in the
// registry's order, at most `most` of them; none when the key cannot be
// listed.
std::vector<NetworkCard> ListNetworkCards(std::size_t most);

}  // namespace velomar
