// The sorts and the cat lists on a full table of 1000 cats.
#include <benchmark/benchmark.h>

#include <memory>

#include "game/intake.h"
#include "headless/headless.h"
#include "platform/clock.h"
#include "platform/rng.h"
#include "rank/lists.h"
#include "rank/sort.h"

namespace polmina {
namespace {

// A year's intake five times over, then a season's worth of prizes, ages and points.
std::unique_ptr<GameState> fullTable() {
  auto s = std::make_unique<GameState>();
  GameRng rng = GameRng::fixed(11);
  HeadlessFrontend ui;
  FixedClock clock;
  Game g{*s, rng, ui, clock};
  s->catCount = 0;
  s->retiredCount = 0;
  while (s->catCount < MaxCats) intakeNewCats(g);
  for (auto& c : s->cats) {
    c.totalPrize = static_cast<int32_t>(rng.uniform() * 5000);
    c.yearPrize = static_cast<int32_t>(rng.uniform() * 2000);
    c.age = static_cast<uint8_t>(1 + rng.uniform() * 15);
    c.points = static_cast<int32_t>(8000 + rng.uniform() * 4000);
  }
  s->month = 6;
  s->week = 2;
  return s;
}

const GameState& shared() {
  static const std::unique_ptr<GameState> s = fullTable();
  return *s;
}

template <void (*Sort)(CatTable, bool, int, int)>
void BM_Sort(benchmark::State& state) {
  auto work = std::make_unique<GameState>(shared());
  for (auto _ : state) {
    state.PauseTiming();
    work->cats = shared().cats;
    state.ResumeTiming();
    Sort(work->cats, false, 0, MaxCats - 1);
    benchmark::DoNotOptimize(work->cats[0]);
  }
}
BENCHMARK(BM_Sort<sortByName>)->Name("sortByName");
BENCHMARK(BM_Sort<sortByTotalPrize>)->Name("sortByTotalPrize");
BENCHMARK(BM_Sort<sortByYearPrize>)->Name("sortByYearPrize");
BENCHMARK(BM_Sort<sortByAgeAndYearPrize>)->Name("sortByAgeAndYearPrize");
BENCHMARK(BM_Sort<sortByPoints>)->Name("sortByPoints");

void BM_ListActiveCats(benchmark::State& state) {
  auto work = std::make_unique<GameState>(shared());
  const int order = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    work->cats = shared().cats;
    state.ResumeTiming();
    benchmark::DoNotOptimize(listActiveCats(*work, order));
  }
}
BENCHMARK(BM_ListActiveCats)->DenseRange(0, 3)->Name("listActiveCats");

}  // namespace
}  // namespace polmina
