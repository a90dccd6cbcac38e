// Small string operations on amount texts.
//
// Strings are byte strings (our texts are UTF-8); a "character" here is one
// byte, compared exactly. Both functions return a new string and leave their
// argument alone. They run in time linear in the length of the text, so even a
// text of many megabytes pasted into a field goes through at memory speed.
#pragma once

#include <string>
#include <string_view>

namespace plinvor {

// s with every byte equal to c removed; the other bytes keep their order.
// Example: SupprCar("a,b,,c", ',') == "abc".
std::string SupprCar(std::string_view s, char c);

// SupprCar(s, ' '): removes the space (code 32) only. Tabs, no-break spaces
// (U+00A0, U+202F) and every other blank-looking character stay.
// Example: SupprEspaces("1 234 567,89") == "1234567,89".
std::string SupprEspaces(std::string_view s);

}  // namespace plinvor
