// Seasons without windows, checking the world after every week: thirty, or as many as
// POLMINA_SOAK_SEASONS says (the long soak under the sanitizers plays a hundred).
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "game/autoplay.h"
#include "game/commands.h"
#include "game/newgame.h"
#include "sim/world.h"
#include "store/record.h"

namespace polmina::testing {
namespace {

void expectSoundWorld(const GameState& s, int week) {
  int owners = 0;
  std::set<std::u16string> names;
  for (int i = 0; i < s.catCount; ++i) {
    const CatRecord& c = s.cats[i];
    owners += c.owner == 1 ? 1 : 0;
    ASSERT_GE(c.entryRace, -1) << "week " << week << " cat " << i;
    ASSERT_LE(c.entryRace, 239) << "week " << week << " cat " << i;
    ASSERT_GE(c.catClass, -1) << "week " << week << " cat " << i;
    ASSERT_LE(c.catClass, 9) << "week " << week << " cat " << i;
    ASSERT_LE(c.wins, c.starts) << "week " << week << " cat " << i;
    ASSERT_LE(c.yearPrize, c.totalPrize) << "week " << week << " cat " << i;
    ASSERT_GE(c.yearPrize, 0) << "week " << week << " cat " << i;
    ASSERT_FALSE(catOutOfRange(c)) << "week " << week << " cat " << i << " field "
                                   << catOutOfRange(c)->field << " = " << catOutOfRange(c)->value;
    if (c.retired == 0) {
      ASSERT_TRUE(names.insert(trim(c.name)).second) << "week " << week << " twin name";
    }
  }
  ASSERT_EQ(owners, 1) << "week " << week;
  ASSERT_EQ(s.cats[s.playerCat].owner, 1) << "week " << week;
  ASSERT_EQ(s.weekBase, (s.month - 1) * 20 + (s.week - 1) * 5) << "week " << week;
  ASSERT_GE(s.retiredCount, 0);
  ASSERT_LE(s.retiredCount, 100);
  for (int j = 0; j < s.retiredCount; ++j) ASSERT_FALSE(catOutOfRange(s.retiredCats[j])) << "hall " << j;
}

int soakSeasons() {
  const char* env = std::getenv("POLMINA_SOAK_SEASONS");
  return env != nullptr ? std::atoi(env) : 30;
}

TEST(Soak, SeasonsKeepTheWorldSound) {
  TempDir dir;
  writeStartData(dir.path(), 3);
  auto state = std::make_unique<GameState>();
  GameRng rng = GameRng::fixed(2024);
  HeadlessFrontend ui;  // every question answered No
  FixedClock clock;
  Game g{*state, rng, ui, clock};
  const NewGameChoices choices{u"ソーク", 0, u"ナガイキ", 1, 0, 4};
  ASSERT_EQ(startNewGame(g, choices, {dir.path()}).kind, NewGameResult::Ok);
  GameState& s = *state;
  const int seasons = soakSeasons();
  // The player's cat must outlive every season: far past any peak it would retire.
  s.cats[s.playerCat].peakAge = 250;
  setTraining(s, {1, 1, 1, 1, 1, 1});
  int week = 0;
  for (int season = 0; season < seasons; ++season) {
    for (int w = 0; w < 48; ++w, ++week) {
      ASSERT_TRUE(playWholeWeek(g)) << "week " << week;
      ui.messages.clear();
      ASSERT_NO_FATAL_FAILURE(expectSoundWorld(s, week));
    }
    ASSERT_EQ(s.catCount, MaxCats) << "after the year end of season " << season;
    ASSERT_EQ(s.month, 1);
    ASSERT_EQ(s.week, 1);
  }
  EXPECT_EQ(s.year, 2001 + seasons);
  // A lived-in world: many classes are populated after years of racing.
  std::set<int> classes;
  for (int i = 0; i < s.catCount; ++i) classes.insert(s.cats[i].catClass);
  EXPECT_GE(classes.size(), 8u);
}

}  // namespace
}  // namespace polmina::testing
