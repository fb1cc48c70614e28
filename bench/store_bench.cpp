// Saving and loading a full game: 1000 cats and a hall of 100 retired cats.
#include <benchmark/benchmark.h>

#include "store/builders.h"
#include "store/savefile.h"

namespace polmina {
namespace {

void BM_SaveGame(benchmark::State& state) {
  testing::TempDir dir;
  const auto game = testing::plausibleGame(100);
  for (auto _ : state) {
    if (!saveGame(*game, dir.path())) state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMillisecond);

void BM_LoadGame(benchmark::State& state) {
  testing::TempDir dir;
  if (!saveGame(*testing::plausibleGame(100), dir.path())) state.SkipWithError("save failed");
  auto s = std::make_unique<GameState>();
  for (auto _ : state) {
    if (!loadGame(*s, dir.path())) state.SkipWithError("load failed");
  }
}
BENCHMARK(BM_LoadGame)->Unit(benchmark::kMillisecond);

void BM_SaveThenLoad(benchmark::State& state) {
  testing::TempDir dir;
  const auto game = testing::plausibleGame(100);
  auto s = std::make_unique<GameState>();
  for (auto _ : state) {
    if (!saveGame(*game, dir.path()) || !loadGame(*s, dir.path())) state.SkipWithError("save or load failed");
  }
}
BENCHMARK(BM_SaveThenLoad)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace polmina
