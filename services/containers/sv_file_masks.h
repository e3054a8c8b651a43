// File masks ("*.txt;*.doc") as patterns for the matcher.
#pragma once
#include <string>

namespace svc {

// One mask: a first character other than "*" or "?" must start the name ("((^[c])"); "*" is
// ".*", "?" an optional character (".?"; "(^.)" when first); "." and "\" are escaped; every
// other character keeps its pattern meaning; the pattern must reach the end of the line.
std::string FileMaskToPattern(const std::string& mask);
// The masks of a ";"-separated list, empty ones skipped, joined with "|".
std::string FileMasksToPattern(const std::string& masks);

}  // namespace svc
