// How a locale's separator value becomes one of our separators. Separate from
// LireSeparateurs so that it can be tested without installed locales.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plinvor {

// `valeur` is a separator as the locale stores it, in the locale's `codeset`.
// Gives its UTF-8 form when it is at most one character ("" for an empty
// value), and nothing when it is longer, invalid, or cannot be converted.
// Example: ("\xA0", "ISO-8859-1") -> "\u00A0"; ("ab", "UTF-8") -> nothing.
std::optional<std::string> SeparateurUtf8(std::string_view valeur, const char* codeset);

}  // namespace plinvor
