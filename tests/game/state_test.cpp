#include "game/state.h"

#include <gtest/gtest.h>

#include "game/text.h"

namespace polmina {
namespace {

TEST(FindPlayerCat, FirstOwnerOneOrUnchanged) {
  GameState s;
  s.cats[0].owner = 0;
  s.playerCat = 17;
  findPlayerCat(s);
  EXPECT_EQ(s.playerCat, 17);
  s.cats[999].owner = 1;
  findPlayerCat(s);
  EXPECT_EQ(s.playerCat, 999);
  s.cats[42].owner = 1;
  findPlayerCat(s);
  EXPECT_EQ(s.playerCat, 42);
}

TEST(RecountCats, OneMoreThanTheLastSlotInUse) {
  GameState s;
  s.cats[3].inUse = -1;
  s.cats[700].inUse = -1;
  recountCats(s);
  EXPECT_EQ(s.catCount, 701);
  s.cats[999].inUse = -1;
  recountCats(s);
  EXPECT_EQ(s.catCount, 1000);
  s = GameState();
  recountCats(s);
  EXPECT_EQ(s.catCount, 0);
}

// A hall holding `n` careers with total prizes 10, 20, ... (in a shuffled order).
GameState hallOf(int n) {
  GameState s;
  s.retiredCount = n;
  for (int i = 0; i < n; ++i) {
    s.retiredCats[i].totalPrize = 10 * (1 + (i * 37) % n);
    s.retiredCats[i].name = padRight(u"殿堂" + num(i), CatNameLength);
  }
  return s;
}

TEST(AddRetiredCat, AppendsWhileTheHallHasRoom) {
  GameState s = hallOf(99);
  s.cats[5].totalPrize = 1;
  s.cats[5].name = padRight(u"タマ", CatNameLength);
  addRetiredCat(s, 5);
  EXPECT_EQ(s.retiredCount, 100);
  EXPECT_EQ(s.cats[5].retired, -1);
  EXPECT_EQ(s.retiredCats[99], s.cats[5]);
}

TEST(AddRetiredCat, AHallNeverSetUpStartsAtItsFirstEntry) {
  GameState s;  // retiredCount is -1 until a game sets it
  s.cats[2].totalPrize = 7;
  addRetiredCat(s, 2);
  EXPECT_EQ(s.retiredCount, 1);
  EXPECT_EQ(s.retiredCats[0].totalPrize, 7);
}

TEST(AddRetiredCat, AFullHallKeepsTheRichestCareers) {
  GameState s = hallOf(100);
  s.cats[1].totalPrize = 10;  // as poor as the poorest: not stored
  addRetiredCat(s, 1);
  EXPECT_EQ(s.retiredCount, 100);
  EXPECT_EQ(s.cats[1].retired, 0);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(s.retiredCats[i].totalPrize, 10 * (i + 1));  // sorted ascending

  s.cats[2].totalPrize = 11;
  s.cats[2].name = padRight(u"ミケ", CatNameLength);
  addRetiredCat(s, 2);
  EXPECT_EQ(s.retiredCount, 100);
  EXPECT_EQ(s.cats[2].retired, -1);
  EXPECT_EQ(s.retiredCats[0], s.cats[2]);
  EXPECT_EQ(s.retiredCats[1].totalPrize, 20);
  EXPECT_EQ(s.retiredCats[100], CatRecord{});  // the spare entry is never touched
}

}  // namespace
}  // namespace polmina
