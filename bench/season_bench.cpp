// The weekly turn and a whole season, in a new game set up from the shipped start data: a lived-in
// world with every class racing, as a player meets it.
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

#include "game/autoplay.h"
#include "game/commands.h"
#include "game/newgame.h"
#include "headless/headless.h"
#include "platform/clock.h"
#include "platform/rng.h"

namespace polmina {
namespace {

struct Bench {
  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  GameRng rng = GameRng::fixed(1);
  HeadlessFrontend ui;  // every question answered No
  FixedClock clock;
  Game g{*state, rng, ui, clock};

  Bench() {
    const NewGameChoices choices{u"ベンチ", 0, u"ハカリ", 1, 0, 3};
    if (startNewGame(g, choices, {POLMINA_DATA_DIR}).kind != NewGameResult::Ok)
      throw std::runtime_error("no start data in " POLMINA_DATA_DIR);
    state->cats[state->playerCat].peakAge = 255;  // never retires: the benchmark plays on
    setTraining(*state, {2, 1, 1, 2, 1, 1});
  }

  void playWeek() {
    playWholeWeek(g);
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
BENCHMARK(BM_Week)->Unit(benchmark::kMillisecond);

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
