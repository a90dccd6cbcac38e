// PuissanceDix, inline for the formatter and the reader, whose hot paths
// should not pass extended numbers through memory to a call.
#pragma once

#include <cmath>

#include "converter/montant.h"

namespace plinvor {
namespace facteurs {

// Each entry is the extended value nearest to its power of ten, written as an
// exact hexadecimal literal (64-bit significand). 10^0 to 10^27 are exact.
// The test suite checks every entry against exact integer arithmetic.
inline constexpr Montant kUnites[32] = {  // 10^0 .. 10^31
    0x1p+0L,  // 1e0
    0xAp+0L,  // 1e1
    0x64p+0L,  // 1e2
    0x3E8p+0L,  // 1e3
    0x2710p+0L,  // 1e4
    0x186A0p+0L,  // 1e5
    0xF4240p+0L,  // 1e6
    0x989680p+0L,  // 1e7
    0x5F5E100p+0L,  // 1e8
    0x3B9ACA00p+0L,  // 1e9
    0x2540BE400p+0L,  // 1e10
    0x174876E800p+0L,  // 1e11
    0xE8D4A51000p+0L,  // 1e12
    0x9184E72A000p+0L,  // 1e13
    0x5AF3107A4000p+0L,  // 1e14
    0x38D7EA4C68000p+0L,  // 1e15
    0x2386F26FC10000p+0L,  // 1e16
    0x16345785D8A0000p+0L,  // 1e17
    0xDE0B6B3A7640000p+0L,  // 1e18
    0x8AC7230489E80000p+0L,  // 1e19
    0xAD78EBC5AC620000p+3L,  // 1e20
    0xD8D726B7177A8000p+6L,  // 1e21
    0x878678326EAC9000p+10L,  // 1e22
    0xA968163F0A57B400p+13L,  // 1e23
    0xD3C21BCECCEDA100p+16L,  // 1e24
    0x84595161401484A0p+20L,  // 1e25
    0xA56FA5B99019A5C8p+23L,  // 1e26
    0xCECB8F27F4200F3Ap+26L,  // 1e27
    0x813F3978F8940984p+30L,  // 1e28
    0xA18F07D736B90BE5p+33L,  // 1e29
    0xC9F2C9CD04674EDFp+36L,  // 1e30
    0xFC6F7C4045812296p+39L,  // 1e31
};
inline constexpr Montant kTrentes[15] = {  // 10^32, 10^64 .. 10^480
    0x9DC5ADA82B70B59Ep+43L,  // 1e32
    0xC2781F49FFCFA6D5p+149L,  // 1e64
    0xEFB3AB16C59B14A3p+255L,  // 1e96
    0x93BA47C980E98CE0p+362L,  // 1e128
    0xB616A12B7FE617AAp+468L,  // 1e160
    0xE070F78D3927556Bp+574L,  // 1e192
    0x8A5296FFE33CC930p+681L,  // 1e224
    0xAA7EEBFB9DF9DE8Ep+787L,  // 1e256
    0xD226FC195C6A2F8Cp+893L,  // 1e288
    0x81842F29F2CCE376p+1000L,  // 1e320
    0x9FA42700DB900AD2p+1106L,  // 1e352
    0xC4C5E310AEF8AA17p+1212L,  // 1e384
    0xF28A9C07E9B09C59p+1318L,  // 1e416
    0x957A4AE1EBF7F3D4p+1425L,  // 1e448
    0xB83ED8DC0795A262p+1531L,  // 1e480
};
inline constexpr Montant kCinqCents[9] = {  // 10^512, 10^1024 .. 10^4608
    0xE319A0AEA60E91C7p+1637L,  // 1e512
    0xC976758681750C17p+3338L,  // 1e1024
    0xB2B8353B3993A7E4p+5039L,  // 1e1536
    0x9E8B3B5DC53D5DE5p+6740L,  // 1e2048
    0x8CA554C020A1F0A6p+8441L,  // 1e2560
    0xF9895D25D88B5A8Bp+10141L,  // 1e3072
    0xDD5DC8A2BF27F3F8p+11842L,  // 1e3584
    0xC46052028A20979Bp+13543L,  // 1e4096
    0xAE3511626ED559F0p+15244L,  // 1e4608
};

}  // namespace facteurs

[[gnu::always_inline]] inline Montant PuissanceDixEnLigne(Montant x, int n) {
  if (n == 0) return x;
  if (n <= -5120) return 0.0L;
  const bool multiplier = n > 0;
  const unsigned m = multiplier ? static_cast<unsigned>(n) : static_cast<unsigned>(-n);
  using namespace facteurs;
  auto appliquer = [&](Montant facteur) { x = multiplier ? x * facteur : x / facteur; };

  appliquer(kUnites[m % 32]);
  if (const unsigned k = (m / 32) % 16; k != 0) appliquer(kTrentes[k - 1]);
  unsigned j = m / 512;
  // Only scales beyond 10^5119 (never asked for by reading or formatting) go
  // past the table; they take its largest factor until the result is settled.
  while (j > 9 && std::isfinite(x) && x != 0) {
    appliquer(kCinqCents[8]);
    j -= 9;
  }
  if (j > 9) return x;
  if (j != 0) appliquer(kCinqCents[j - 1]);
  return x;
}

}  // namespace plinvor
