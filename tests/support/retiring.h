#pragma once
// A game whose player's cat retires at the coming year end: the last week of the year, the cat at its
// peak age with nothing won this year and no race booked.
#include "world/state.h"

namespace polmina::testing {

inline void setRetiring(GameState& s) {
  s.month = 12;
  s.week = 4;
  s.weekBase = 235;
  findPlayerCat(s);
  CatRecord& cat = catAt(s, s.playerCat);
  cat.age = cat.peakAge;
  cat.yearPrize = 0;
  cat.entryRace = -1;
}

}  // namespace polmina::testing
