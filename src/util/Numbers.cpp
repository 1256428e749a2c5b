#include "util/Numbers.h"

#include <limits>

namespace velomar {

std::optional<std::int32_t> ParseInt32(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::string NotAnIntegerMessage(std::string_view text, std::string_view source) {
  std::string message = "'";
  message += text;
  message += "' is not a valid integer value (";
  message += source;
  message += ")";
  return message;
}

std::string UnsignedText(std::int32_t value) { return std::to_string(static_cast<std::uint32_t>(value)); }

}  // namespace velomar
