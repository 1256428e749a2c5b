#pragma once
// Text files as lists of lines, the way the program reads and writes all of
// its files: read whole, split at CR LF, lone CR or lone LF; written whole,
// every line followed by CR LF, through a temporary file moved into place.
#include <string>
#include <string_view>
#include <vector>

namespace velomar {

using Lines = std::vector<std::string>;

// A final line without a terminator is still a line; a terminator at the very
// end does not start an empty one. Bytes other than CR and LF pass unchanged.
Lines SplitLines(std::string_view text);
std::string JoinLinesCrLf(const Lines& lines);

// False (with a message naming the file) when the file cannot be read.
bool LoadLines(const std::string& path, Lines& lines, std::string& error);
// False (with a message) when the file cannot be written; the old file, if
// any, is then left whole.
bool SaveLines(const std::string& path, const Lines& lines, std::string& error);

}  // namespace velomar
