#pragma once
// Number conversions for texts from files and edit boxes.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velomar {

// A signed 32-bit decimal: optional leading blanks, an optional sign, digits.
// Anything else (empty, letters, trailing text, out of range) gives nothing.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// Raised where a number is converted from a file or an edit box and the text
// is not one; it reaches the application's general error report.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The conversion message for a text that is not an integer, naming its source.
std::string NotAnIntegerMessage(std::string_view text, std::string_view source);

// The stored 32 bits shown as an unsigned decimal.
std::string UnsignedText(std::int32_t value);

}  // namespace velomar
