#pragma once
// The Firefox that last ran a profile: compatibility.ini in the profile
// folder, section [Compatibility], key LastVersion, for example
// "153.8.0_20260101000000/20260101000000".
#include <optional>
#include <string>
#include <string_view>

namespace velomar {

inline constexpr const char* kCompatibilityIni = "compatibility.ini";

// The major number of a Firefox version ("52.9.0_2018..." gives 52); nothing
// when the text does not start with one, or it is 0.
std::optional<int> FirefoxMajorVersion(std::string_view version);

// The major version of the Firefox that last ran the profile; nothing when
// compatibility.ini, its key or a readable version is missing.
std::optional<int> LastFirefoxVersion(const std::string& profileDirectory);

}  // namespace velomar
