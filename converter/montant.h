// Amounts and their text.
//
// An amount is an x87 extended number: 64-bit significand, 15-bit exponent.
// Every arithmetic step here (multiply, divide, add, round to integer) rounds
// once to 64 significant bits, nearest-even, so results are the same to the
// last bit on every machine that has this format.
//
// Texts are UTF-8. The two separators come from the user's numeric locale and
// are each one character (one to four bytes) or empty for "none".
#pragma once

#include <cfloat>
#include <stdexcept>
#include <string>

namespace plinvor {

using Montant = long double;
static_assert(LDBL_MANT_DIG == 64 && LDBL_MAX_EXP == 16384,
              "amounts need the x87 80-bit extended format (64-bit significand)");

// Decimal and digit-grouping separators: one character as its UTF-8 bytes, or
// "" for none. Written by LireSeparateurs; tests and tools may assign them.
extern std::string SeparateurDecimal;
extern std::string SeparateurMilliers;

// Reads both separators from the user's numeric locale (LC_ALL, then
// LC_NUMERIC, then LANG), without touching the process's own locale.
// A locale that cannot be loaded, or a value longer than one character, gives
// the default ("," grouping, "." decimal); an empty value means "none" (the C
// locale has no grouping). Example: under fr_FR.UTF-8, "," and U+202F.
void LireSeparateurs();

// x * 10^n by up to three table factors 10^(m mod 32), 10^(32k), 10^(512j)
// (m = |n|), each the nearest extended value of its power, multiplying for
// n > 0 and dividing for n < 0, each step rounded. n <= -5120 gives 0.
// Beyond +5119 the largest factor is applied as often as needed (the result is
// then infinite for any normal x). Example: PuissanceDix(15, -1) == 1.5L.
Montant PuissanceDix(Montant x, int n);

// The text of an amount: rounded to 18 significant digits (ties to even), then
// to `decimales` places (0..18, more is taken as 18; a dropped 5 rounds away
// from zero). Below 10^18 the fixed form, grouped in threes by
// SeparateurMilliers: FormaterMontant(1234567.891L, 2) == "1 234 567,89" under
// "," and " ". From 10^18 on the scientific form, ungrouped: "1,5E20".
// A result that rounds to zero has no minus sign. With no decimal separator the
// scientific form writes its digits as an integer ("15E19"), so that every
// text reads back as the amount its digits show. Never fails for a finite
// amount; the result of a non-finite one is unspecified text.
std::string FormaterMontant(Montant montant, int decimales);

// Thrown by LireMontant for a text that is not an amount.
class EConvertError : public std::runtime_error {
 public:
  explicit EConvertError(const std::string& texte);
};

// Reads an amount: optional spaces, one optional sign, digits with at most one
// SeparateurDecimal among them (at least one of the two), an optional exponent
// ("e" or "E", optional sign, digits; reading stops after the digit that takes
// it to 500 or more), optional spaces, and nothing else. Digits accumulate as
// acc * 10 + digit, each step rounded; the amount is
// PuissanceDix(acc, exponent - fraction digits). A magnitude beyond the largest
// finite amount fails; one too small to hold becomes 0 or subnormal.
// Throws EConvertError, whose what() is "'<texte>' is not a valid floating
// point value". Leaves no floating-point status flag set and the control word
// as it found it. Linear in the text's length.
// Examples (decimal ","): "1,5e-3" -> 0.0015, " 12 " -> 12, "12." fails.
Montant LireMontant(const std::string& texte);

}  // namespace plinvor
