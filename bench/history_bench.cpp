// Costs of the cat's history: writing one closed week (its races, the player's cat, the game kept for
// recovery) and the size of the file after twenty-five seasons.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "game/autoplay.h"
#include "game/commands.h"
#include "game/newgame.h"
#include "game/turn.h"
#include "game/yearend.h"
#include "headless/headless.h"
#include "history/history.h"
#include "store/builders.h"
#include "store/savefile.h"

namespace polmina {
namespace {

using testing::TempDir;

struct HistoryGame {
  TempDir dir;
  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  GameRng rng;
  HeadlessFrontend ui;
  FixedClock clock;
  Game g{*state, rng, ui, clock};
  std::unique_ptr<History> history;

  explicit HistoryGame(GameRng r) : rng(r) {
    startNewGame(g, {u"ベンチ", 0, u"ハカリ", 1, 0, 4}, {POLMINA_DATA_DIR});
    // The player's cat races on for every season measured.
    state->cats[static_cast<size_t>(state->playerCat)].peakAge = 250;
    setTraining(*state, {1, 1, 1, 1, 1, 1});
    history = std::make_unique<History>(dir.path());
    g.watcher = history.get();
  }
};

// The week is played unmeasured; only the history's write at its close is timed.
void BM_HistoryWeekWrite(benchmark::State& state) {
  HistoryGame h(GameRng::fromClock());
  for (int w = 0; w < 12; ++w) playWholeWeek(h.g);
  for (auto _ : state) {
    state.PauseTiming();
    nextWeek(h.g);
    h.g.watcher = nullptr;
    closeWeek(h.g);
    if (h.state->awardsPending) {
      yearEnd(h.g);
      finishWeek(h.g);
    }
    h.g.watcher = h.history.get();
    state.ResumeTiming();
    h.history->weekClosed(h.g);
  }
}
BENCHMARK(BM_HistoryWeekWrite)->Unit(benchmark::kMillisecond)->Iterations(96);

// A whole week as the player lives it: the turn, its races and the history's write at its close.
void BM_WeekWithHistory(benchmark::State& state) {
  HistoryGame h(GameRng::fixed(3));
  for (int w = 0; w < 12; ++w) playWholeWeek(h.g);
  for (auto _ : state) {
    playWholeWeek(h.g);
    h.ui.messages.clear();
  }
}
BENCHMARK(BM_WeekWithHistory)->Unit(benchmark::kMillisecond)->Iterations(96);

// What the week's write spends on the game kept for recovery: the save file's records.
void BM_SaveImage(benchmark::State& state) {
  HistoryGame h(GameRng::fixed(5));
  for (auto _ : state) benchmark::DoNotOptimize(saveImage(*h.state));
}
BENCHMARK(BM_SaveImage)->Unit(benchmark::kMillisecond);

std::uintmax_t sizeOf(const std::filesystem::path& file) {
  std::error_code ec;
  const auto n = std::filesystem::file_size(file, ec);
  return ec ? 0 : n;
}

// Twenty-five seasons with the clock's random numbers (each race keeps its clock readings).
void BM_HistoryTwentyFiveSeasons(benchmark::State& state) {
  for (auto _ : state) {
    HistoryGame h(GameRng::fromClock());
    for (int w = 0; w < 25 * 48; ++w) playWholeWeek(h.g);
    const auto file = h.dir.path() / HistoryFileName;
    h.history.reset();  // closing checkpoints the journal into the file
    auto wal = file;
    wal += "-wal";
    state.counters["MB"] = static_cast<double>(sizeOf(file) + sizeOf(wal)) / 1e6;
    state.counters["weeks"] = 25 * 48;
  }
}
BENCHMARK(BM_HistoryTwentyFiveSeasons)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace polmina
