// ParseInt32 and UnsignedText against a plain reading of what they accept:
// blanks, an optional sign, decimal digits, a value that fits 32 bits.
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "util/Numbers.h"

using velomar::fuzz::Check;

namespace {

std::optional<std::int32_t> Expected(std::string_view text) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string_view::npos) return std::nullopt;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > (std::int64_t{1} << 31)) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = velomar::fuzz::AsText(data, size);
  const auto parsed = velomar::ParseInt32(text);
  const auto expected = Expected(text);
  Check(parsed == expected, "ParseInt32 reads what a plain reading reads", std::string(text));
  if (parsed) {
    Check(velomar::ParseInt32(std::to_string(*parsed)) == parsed, "a number reads back");
    const std::string unsignedText = velomar::UnsignedText(*parsed);
    Check(unsignedText == std::to_string(static_cast<std::uint32_t>(*parsed)), "UnsignedText shows the 32 bits");
  }
  velomar::NotAnIntegerMessage(text, "fuzz");
  return 0;
}
