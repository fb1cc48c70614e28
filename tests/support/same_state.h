#pragma once
// Two games compared field by field, so that a difference names the field.
#include <gtest/gtest.h>

#include "world/state.h"

namespace polmina {

// What the save file holds: the cat tables (the hall's last slot is never saved), the date, the player.
inline void expectSameSavedGame(const GameState& a, const GameState& b) {
  for (int i = 0; i < MaxCats; ++i) ASSERT_EQ(a.cats[i], b.cats[i]) << "cat " << i;
  for (int j = 0; j < MaxRetired - 1; ++j) ASSERT_EQ(a.retiredCats[j], b.retiredCats[j]) << "retired " << j;
  EXPECT_EQ(a.year, b.year);
  EXPECT_EQ(a.month, b.month);
  EXPECT_EQ(a.week, b.week);
  EXPECT_EQ(a.weekBase, b.weekBase);
  EXPECT_EQ(a.playerName, b.playerName);
  EXPECT_EQ(a.playerSex, b.playerSex);
}

inline void expectSameState(const GameState& a, const GameState& b) {
  expectSameSavedGame(a, b);
  EXPECT_TRUE(a.retiredCats == b.retiredCats);
  EXPECT_EQ(a.catCount, b.catCount);
  EXPECT_EQ(a.playerCat, b.playerCat);
  EXPECT_EQ(a.retiredCount, b.retiredCount);
  EXPECT_TRUE(a.titleNames == b.titleNames);
  EXPECT_TRUE(a.calendar == b.calendar);
  EXPECT_EQ(a.money, b.money);
  EXPECT_EQ(a.playerCatName, b.playerCatName);
  EXPECT_EQ(a.conditionLevel, b.conditionLevel);
  EXPECT_TRUE(a.formCycle == b.formCycle);
  EXPECT_EQ(a.formTick, b.formTick);
  EXPECT_EQ(a.pendingMessage, b.pendingMessage);
  EXPECT_TRUE(a.runners == b.runners);
  EXPECT_EQ(a.runnerCount, b.runnerCount);
  EXPECT_TRUE(a.finishOrder == b.finishOrder);
  EXPECT_TRUE(a.raceSnapshot == b.raceSnapshot);
  EXPECT_EQ(a.scanFirst, b.scanFirst);
  EXPECT_EQ(a.scanLast, b.scanLast);
  EXPECT_EQ(a.scanStep, b.scanStep);
  EXPECT_EQ(a.registrationPass, b.registrationPass);
  EXPECT_TRUE(a.raceStates == b.raceStates);
  EXPECT_EQ(a.raceDone, b.raceDone);
  EXPECT_EQ(a.preRaceCondition, b.preRaceCondition);
  EXPECT_EQ(a.awardsPending, b.awardsPending);
  EXPECT_EQ(a.remarkPending, b.remarkPending);
  EXPECT_TRUE(a.winnerCaptions == b.winnerCaptions);
  EXPECT_TRUE(a.runnerUpCaptions == b.runnerUpCaptions);
  EXPECT_TRUE(a.resultLines == b.resultLines);
  EXPECT_EQ(a.noticeLine, b.noticeLine);
}

}  // namespace polmina
