// Our amount text routines beside the standard library doing the same work,
// in one binary: build/bench/converter_bench.
#include <benchmark/benchmark.h>

#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "converter/conversion.h"
#include "converter/cycle.h"
#include "converter/montant.h"
#include "textutil/textutil.h"

namespace plinvor {
namespace {

const std::vector<Montant>& Montants() {
  static const std::vector<Montant> montants = {0.01L, 8.38L, 54.969196L, 1819.200683L, 119331.74L,
                                                5496919.66L, 1234567890.12L, 1e12L, 98765432109876.5L,
                                                1e17L};
  return montants;
}

void Reglages() {
  SeparateurDecimal = ".";
  SeparateurMilliers = ",";
}

void BM_FormaterMontant(benchmark::State& state) {
  Reglages();
  const int decimales = static_cast<int>(state.range(0));
  const auto& montants = Montants();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormaterMontant(montants[i], decimales));
    if (++i == montants.size()) i = 0;
  }
}
BENCHMARK(BM_FormaterMontant)->Arg(2)->Arg(0);

constexpr Montant kScientifiques[] = {1e18L, 1.5e20L, 1234567890123456789.0L, 6.02214076e123L,
                                      8.38e4928L};

void BM_FormaterMontant_Scientifique(benchmark::State& state) {
  Reglages();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormaterMontant(kScientifiques[i], 2));
    if (++i == std::size(kScientifiques)) i = 0;
  }
}
BENCHMARK(BM_FormaterMontant_Scientifique);

// The same 18 significant digits in the C library's scientific form.
void BM_snprintf_scientific(benchmark::State& state) {
  std::size_t i = 0;
  char tampon[64];
  for (auto _ : state) {
    std::snprintf(tampon, sizeof tampon, "%.17LE", kScientifiques[i]);
    benchmark::DoNotOptimize(std::string(tampon));
    if (++i == std::size(kScientifiques)) i = 0;
  }
}
BENCHMARK(BM_snprintf_scientific);

void BM_snprintf_grouped_2(benchmark::State& state) {
  std::setlocale(LC_NUMERIC, "en_US.UTF-8");
  const auto& montants = Montants();
  std::size_t i = 0;
  char tampon[64];
  for (auto _ : state) {
    std::snprintf(tampon, sizeof tampon, "%'.2Lf", montants[i]);
    benchmark::DoNotOptimize(std::string(tampon));
    if (++i == montants.size()) i = 0;
  }
  std::setlocale(LC_NUMERIC, "C");
}
BENCHMARK(BM_snprintf_grouped_2);

void BM_to_chars_fixed_2(benchmark::State& state) {
  const auto& montants = Montants();
  std::size_t i = 0;
  char tampon[64];
  for (auto _ : state) {
    auto r = std::to_chars(tampon, tampon + sizeof tampon, montants[i], std::chars_format::fixed, 2);
    benchmark::DoNotOptimize(std::string(tampon, r.ptr));
    if (++i == montants.size()) i = 0;
  }
}
BENCHMARK(BM_to_chars_fixed_2);

const std::vector<std::string>& Textes() {
  static const std::vector<std::string> textes = {"1000", "54.97", "8.38", "119332", "6559.57",
                                                  "-5", "0.15", "1234567.89", "1e6", "100000"};
  return textes;
}

void BM_LireMontant(benchmark::State& state) {
  Reglages();
  const auto& textes = Textes();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LireMontant(textes[i]));
    if (++i == textes.size()) i = 0;
  }
}
BENCHMARK(BM_LireMontant);

void BM_strtold(benchmark::State& state) {
  const auto& textes = Textes();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::strtold(textes[i].c_str(), nullptr));
    if (++i == textes.size()) i = 0;
  }
}
BENCHMARK(BM_strtold);

class Champ : public ChampMontant {
 public:
  explicit Champ(int tag) : tag_(tag) {}
  std::string Text() const override { return texte; }
  void SetText(const std::string& t) override {
    if (t != texte) texte = t;
  }
  void SetCaret(std::size_t) override {}
  int Tag() const override { return tag_; }
  std::string texte;

 private:
  int tag_;
};

// One key-up that converts: SupprEspaces, LireMontant, Convertir and two
// formatted writes into fields whose texts change every time.
void BM_CycleKeyUp(benchmark::State& state) {
  Reglages();
  Champ cfp(TagCfp), ff(TagFf), euro(TagEuro);
  CycleEdition cycle(cfp, ff, euro);
  const std::string textes[] = {"1 000", "100 000"};
  std::size_t i = 0;
  for (auto _ : state) {
    cfp.texte = textes[i];
    cycle.KeyUp(cfp, '0');
    benchmark::DoNotOptimize(ff.texte.data());
    i ^= 1;
  }
}
BENCHMARK(BM_CycleKeyUp);

// A 10 MB paste: spaces removed, then read (it overflows and is refused).
void BM_TenMegabytes(benchmark::State& state) {
  Reglages();
  std::string texte;
  texte.reserve(10'000'000);
  while (texte.size() < 10'000'000) texte += "1234567 89 ";
  for (auto _ : state) {
    const std::string sans = SupprEspaces(texte);
    try {
      benchmark::DoNotOptimize(LireMontant(sans));
    } catch (const EConvertError&) {
    }
  }
}
BENCHMARK(BM_TenMegabytes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plinvor

BENCHMARK_MAIN();
