#include "world/state.h"

#include <gtest/gtest.h>

#include "world/text.h"

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

}  // namespace
}  // namespace polmina
