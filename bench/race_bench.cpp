// Costs of the race engine: one unseen race, a whole week of races on a full table, the prize ranking.
#include <benchmark/benchmark.h>

#include "race/entry.h"
#include "race/model.h"
#include "race/week.h"
#include "race/world.h"
#include "rank/prize_order.h"

namespace polmina {
namespace {

using testworld::World;

void BM_UnseenRace(benchmark::State& state) {
  World w;
  const int k = w.weekOf(199);  // 10/4 5R, 300 m: the longest race
  for (int i = 0; i < MaxRunners; ++i) {
    Runner& r = w.s().runners[static_cast<size_t>(i)];
    const CatRecord& c = w.cat(10 + i);
    r.catIndex = static_cast<int16_t>(10 + i);
    r.effort = 2 * c.condition + c.speed;
    r.cruise = c.power;
    r.staminaLeft = c.stamina / 5 * 6;
    r.styleFlags = c.styleFlags;
  }
  w.s().runnerCount = MaxRunners;
  for (auto _ : state) {
    startRace(w.g, k);
    while (!w.s().raceDone) {
      prepareFrames(w.s());
      raceTick(w.g, k);
    }
    w.s().raceDone = false;
    benchmark::DoNotOptimize(w.s().finishOrder);
  }
}
BENCHMARK(BM_UnseenRace);

void BM_WeekOfRaces(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    World w;
    w.weekOf(35);
    registerCats(w.g);
    w.weekOf(60);
    for (int i = 0; i < 300; ++i) w.cat(i).entryRace = static_cast<int16_t>(60 + i % 5);
    state.ResumeTiming();
    runWeekRaces(w.g);
    benchmark::DoNotOptimize(w.s().cats[0]);
  }
}
BENCHMARK(BM_WeekOfRaces)->Unit(benchmark::kMillisecond);

void BM_RegisterCats(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    World w;
    w.weekOf(35);
    state.ResumeTiming();
    registerCats(w.g);
  }
}
BENCHMARK(BM_RegisterCats)->Unit(benchmark::kMillisecond);

void BM_RankByPrize(benchmark::State& state) {
  World w;
  for (auto _ : state) {
    state.PauseTiming();
    testworld::populate(w.s(), 7);
    state.ResumeTiming();
    rankByPrize(w.g);
  }
}
BENCHMARK(BM_RankByPrize)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace polmina
