// The weekly turn and a whole season on a full table of cats.
#include <benchmark/benchmark.h>

#include <memory>

#include "game/calendar.h"
#include "game/numbers.h"
#include "game/text.h"
#include "game/turn.h"
#include "game/yearend.h"
#include "platform/clock.h"
#include "platform/headless.h"
#include "platform/rng.h"

namespace polmina {
namespace {

CatRecord randomCat(Rng& rng, int index) {
  CatRecord c;
  c.owner = static_cast<int16_t>(index + 1);
  c.name = padRight(u"ネコ" + num(index), CatNameLength);
  c.breed = static_cast<uint8_t>(fixL(11 * rng.uniform()));
  c.age = static_cast<uint8_t>(1 + fixL(12 * rng.uniform()));
  c.peakAge = static_cast<uint8_t>(11 + fixL(10 * rng.uniform()));
  c.favouriteTraining = static_cast<uint8_t>(fixL(5 * rng.uniform()));
  c.growthType = static_cast<uint8_t>(1 + fixL(4 * rng.uniform()));
  c.weight = 1000 + fixL(3000 * rng.uniform());
  c.adultWeight = 3000 + fixL(3000 * rng.uniform());
  c.speedMax = 9000 + fixL(500 * rng.uniform());
  c.speed = c.speedMax - 3000 + fixL(3000 * rng.uniform());
  c.staminaMax = 2500 + fixL(600 * rng.uniform());
  c.stamina = 1500 + fixL(1000 * rng.uniform());
  c.powerMax = c.speedMax - 4000;
  c.power = 4000 + fixL(1000 * rng.uniform());
  c.trait2 = static_cast<uint8_t>(1 + fixL(5 * rng.uniform()));
  c.catClass = static_cast<int16_t>(fixL(11 * rng.uniform()) - 1);
  c.condition = static_cast<int16_t>(fixL(110 * rng.uniform()));
  c.formCycleLength = static_cast<uint8_t>(1 + fixL(5 * rng.uniform()));
  c.yearPrize = fixL(1000 * rng.uniform());
  c.totalPrize = c.yearPrize + fixL(5000 * rng.uniform());
  c.entryRace = -1;
  c.points = 10000;
  c.inUse = -1;
  return c;
}

std::unique_ptr<GameState> populatedState() {
  auto s = std::make_unique<GameState>();
  GameRng rng = GameRng::fixed(2024);
  fillCalendar(*s);
  s->retiredCount = 0;
  s->playerCatName = u"ミケ";
  for (int i = 0; i < MaxCats; ++i) s->cats[i] = randomCat(rng, i);
  CatRecord& player = s->cats[0];
  player.owner = 1;
  player.name = padRight(u"ミケ", CatNameLength);
  player.peakAge = 255;  // never retires: the benchmark plays on
  player.trainSpeed1 = player.trainStamina2 = player.trainPower1 = 2;
  s->catCount = MaxCats;
  return s;
}

struct Bench {
  std::unique_ptr<GameState> state = populatedState();
  GameRng rng = GameRng::fixed(1);
  HeadlessFrontend ui;
  FixedClock clock;
  Game g{*state, rng, ui, clock};

  void playWeek() {
    nextWeek(g);
    closeWeek(g);
    if (g.s.awardsPending != 0) {
      yearEnd(g);
      finishWeek(g);
    }
    g.s.remarkPending = 0;
    ui.messages.clear();
  }
};

void BM_Week(benchmark::State& st) {
  Bench b;
  for (auto _ : st) {
    b.playWeek();
    benchmark::DoNotOptimize(b.state->cats[0].speed);
  }
}
BENCHMARK(BM_Week);

void BM_SeasonWithYearEnd(benchmark::State& st) {
  for (auto _ : st) {
    st.PauseTiming();
    Bench b;
    st.ResumeTiming();
    for (int w = 0; w < 48; ++w) b.playWeek();
    benchmark::DoNotOptimize(b.state->catCount);
  }
}
BENCHMARK(BM_SeasonWithYearEnd)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace polmina
