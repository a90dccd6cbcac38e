#include "converter/echelle_entiere.h"

#include <cstring>

namespace plinvor {
namespace {

using u128 = unsigned __int128;

// The odd parts of 10^0 .. 10^27.
constexpr std::uint64_t kCinq[kEchelleEntiereMax + 1] = {
    1ull, 5ull, 25ull, 125ull, 625ull, 3125ull, 15625ull, 78125ull, 390625ull, 1953125ull,
    9765625ull, 48828125ull, 244140625ull, 1220703125ull, 6103515625ull, 30517578125ull,
    152587890625ull, 762939453125ull, 3814697265625ull, 19073486328125ull, 95367431640625ull,
    476837158203125ull, 2384185791015625ull, 11920928955078125ull, 59604644775390625ull,
    298023223876953125ull, 1490116119384765625ull, 7450580596923828125ull};

constexpr int kBiais = 16383 + 63;  // of an exponent applied to the 64-bit significand

// significande * 2^exposant, significand's top bit set, as extended.
Montant Assembler(std::uint64_t significande, int exposant) {
  const auto signe_exposant = static_cast<std::uint16_t>(exposant + kBiais);
  unsigned char octets[sizeof(Montant)] = {};
  std::memcpy(octets, &significande, 8);
  std::memcpy(octets + 8, &signe_exposant, 2);
  Montant resultat;
  std::memcpy(&resultat, octets, sizeof resultat);
  return resultat;
}

int ZerosDeTete(u128 x) {
  const auto haut = static_cast<std::uint64_t>(x >> 64);
  return haut ? __builtin_clzll(haut) : 64 + __builtin_clzll(static_cast<std::uint64_t>(x));
}

// m rounded up by one when the dropped part (its first bit `garde`, and
// whether anything is set after it) is over a half, or a half and m is odd.
u128 ArrondirPair(u128 m, bool garde, bool collant) {
  return m + (garde && (collant || (m & 1)) ? 1 : 0);
}

// p (non-zero) to 64 significant bits, nearest-even: the result times
// 2^decalage. Below 2^64 nothing is dropped.
std::uint64_t Arrondi64(u128 p, int& decalage) {
  decalage = 0;
  const int bits = 128 - ZerosDeTete(p);
  if (bits <= 64) return static_cast<std::uint64_t>(p);
  decalage = bits - 64;
  const u128 reste = p & ((static_cast<u128>(1) << decalage) - 1);
  const u128 moitie = static_cast<u128>(1) << (decalage - 1);
  const u128 m = ArrondirPair(p >> decalage, reste >= moitie, reste != moitie);
  if (m >> 64) {  // carried out of the top bit
    ++decalage;
    return 1ull << 63;
  }
  return static_cast<std::uint64_t>(m);
}

Montant Normaliser(std::uint64_t m, int exposant) {
  const int z = __builtin_clzll(m);
  return Assembler(m << z, exposant - z);
}

}  // namespace

Montant EchelleEntiere(std::uint64_t entier, int n) {
  if (entier == 0) return 0.0L;
  int decalage;
  if (n >= 0) {
    const std::uint64_t m = Arrondi64(static_cast<u128>(entier) * kCinq[n], decalage);
    return Normaliser(m, n + decalage);
  }
  // entier / 10^k = (a / d) * 2^(ld - la - k), with a and d both shifted to
  // [2^63, 2^64) so that a * 2^64 / d has 64 or 65 bits.
  const int k = -n;
  const int la = __builtin_clzll(entier);
  const int ld = __builtin_clzll(kCinq[k]);
  const std::uint64_t d = kCinq[k] << ld;
  const u128 numerateur = static_cast<u128>(entier << la) << 64;
  const u128 q = numerateur / d;
  const u128 r = numerateur % d;
  int exposant = ld - la - k - 64;
  u128 m;
  if (q >> 64) {
    m = ArrondirPair(q >> 1, q & 1, r != 0);
    ++exposant;
  } else {
    const u128 deux_r = r << 1;
    const bool garde = deux_r >= d;
    m = ArrondirPair(q, garde, deux_r != (garde ? d : 0));
  }
  if (m >> 64) return Assembler(1ull << 63, exposant + 1);
  return Assembler(static_cast<std::uint64_t>(m), exposant);
}

}  // namespace plinvor
