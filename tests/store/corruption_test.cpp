// Save files damaged at random: every load either refuses the file, leaving the game as it was, or
// gives a game whose indices and codes are all in range and that saves again.
#include <gtest/gtest.h>

#include "platform/rng.h"
#include "store/builders.h"
#include "store/savefile.h"

namespace polmina::testing {
namespace {

void expectUsable(const GameState& s) {
  ASSERT_EQ(s.cats.at(static_cast<size_t>(s.playerCat)).owner, 1);
  for (const CatRecord& c : s.cats) {
    ASSERT_LE(c.breed, 10);
    ASSERT_LE(c.title, 100);
    ASSERT_GE(c.catClass, -1);
    ASSERT_LE(c.catClass, 9);
    ASSERT_GE(c.entryRace, -1);
    ASSERT_LE(c.entryRace, 239);
    ASSERT_EQ(c.name.size(), static_cast<size_t>(CatNameLength));
  }
  ASSERT_GE(s.month, 1);
  ASSERT_LE(s.month, 12);
  ASSERT_GE(s.week, 1);
  ASSERT_LE(s.week, 4);
}

TEST(DamagedSave, RandomDamageNeverGivesAnUnusableGame) {
  TempDir dir;
  ASSERT_TRUE(saveGame(*plausibleGame(), dir.path()).ok);
  const Bytes good = readBytes(savePath(dir.path()));
  GameRng rng = GameRng::fixed(77);
  const auto draw = [&](size_t n) { return static_cast<size_t>(rng.uniform() * static_cast<double>(n)); };
  int refused = 0;
  for (int round = 0; round < 150; ++round) {
    Bytes bad = good;
    const size_t hits = 1 + draw(4);
    for (size_t h = 0; h < hits; ++h) bad[draw(bad.size())] = static_cast<uint8_t>(draw(256));
    if (round % 10 == 9) bad.resize(draw(bad.size()));  // cut short, too
    writeBytes(savePath(dir.path()), bad);

    auto game = std::make_unique<GameState>();
    game->year = 1999;  // a mark: a refused load must leave the game as it was
    const StoreResult r = loadGame(*game, dir.path());
    if (!r.ok) {
      ++refused;
      EXPECT_FALSE(r.message.empty());
      EXPECT_EQ(game->year, 1999) << "round " << round;
      continue;
    }
    ASSERT_NO_FATAL_FAILURE(expectUsable(*game)) << "round " << round;
    EXPECT_TRUE(saveGame(*game, dir.path()).ok) << "round " << round;
  }
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace polmina::testing
