// The x87 unit's control word and status flags, for code that must run with
// known settings and leave the caller's as it found them.
#pragma once

#include <cstdint>

namespace plinvor {

// While alive: every x87 exception masked, 64-bit precision, round to nearest
// even. On destruction: the status flags are cleared and the caller's control
// word is back. Pass each result that must be complete first through
// Termine(), which orders its computation before the flags are cleared.
class GardeFpu {
 public:
  GardeFpu() {
    asm volatile("fnstcw %0" : "=m"(appelant_));
    const std::uint16_t voulu = static_cast<std::uint16_t>(
        (appelant_ & ~kPrecisionEtArrondi) | kToutMasque | kPrecision64);
    change_ = voulu != appelant_;
    if (change_) asm volatile("fldcw %0" : : "m"(voulu));
  }
  ~GardeFpu() {
    // Clear first: restoring a control word that unmasks an exception whose
    // flag is set would raise it on the caller's next x87 instruction.
    asm volatile("fnclex" : : : "memory");
    if (change_) asm volatile("fldcw %0" : : "m"(appelant_));
  }
  GardeFpu(const GardeFpu&) = delete;
  GardeFpu& operator=(const GardeFpu&) = delete;

  static void Termine(long double& valeur) { asm volatile("" : "+t"(valeur)); }

 private:
  static constexpr std::uint16_t kToutMasque = 0x003F;
  static constexpr std::uint16_t kPrecision64 = 0x0300;
  static constexpr std::uint16_t kPrecisionEtArrondi = 0x0F00;

  std::uint16_t appelant_;
  bool change_;
};

// x, a whole number below 2^63, as an integer. Exact in any rounding mode, so
// it needs none of the control-word changes of a truncating conversion.
inline std::uint64_t EntierExact(long double x) {
  std::int64_t entier;
  asm("fistpll %0" : "=m"(entier) : "t"(x) : "st");
  return static_cast<std::uint64_t>(entier);
}

}  // namespace plinvor
