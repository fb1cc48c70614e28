#include <gtest/gtest.h>

#include "world/calendar.h"
#include "world/text.h"

namespace polmina {
namespace {

GameState withCalendar(int year) {
  GameState s;
  s.year = static_cast<int16_t>(year);
  fillCalendar(s);
  return s;
}

TEST(Calendar, YearEndRaceRotatesWithTheYear) {
  struct Case { int year; const char16_t* name; int distance; };
  for (const Case& c : {Case{2001, u"12/4 5R 猫皇記念", 100}, Case{2002, u"12/4 5R 猫聖記念", 200},
                        Case{2003, u"12/4 5R 天猫記念", 300}}) {
    const GameState s = withCalendar(c.year);
    EXPECT_EQ(s.calendar[239].raceName, c.name) << c.year;
    EXPECT_EQ(s.calendar[239].distance, c.distance);
    EXPECT_EQ(s.calendar[239].raceClass, ClassS);
    EXPECT_EQ(s.calendar[239].prize, 1500);
  }
}

TEST(Calendar, NewCatSeasonAndItsEdges) {
  const GameState s = withCalendar(2001);
  EXPECT_EQ(s.calendar[120].raceName, u" 7/1 1R 未勝利戦");
  EXPECT_EQ(s.calendar[120].raceClass, ClassMaiden);
  EXPECT_EQ(s.calendar[125].raceName, u" 7/2 1R 新猫戦");
  EXPECT_EQ(s.calendar[125].raceClass, ClassNew);
  EXPECT_EQ(s.calendar[slotIndex(10, 4, 1)].raceClass, ClassNew);
  EXPECT_EQ(s.calendar[slotIndex(11, 1, 1)].raceClass, ClassMaiden);
  // 11/2 1R keeps the maiden label but takes new cats.
  EXPECT_EQ(s.calendar[slotIndex(11, 2, 1)].raceName, u"11/2 1R 未勝利戦");
  EXPECT_EQ(s.calendar[slotIndex(11, 2, 1)].raceClass, ClassNew);
  EXPECT_EQ(s.calendar[slotIndex(7, 3, 2)].distance, 100);
  EXPECT_EQ(s.calendar[slotIndex(7, 4, 2)].distance, 150);
}

TEST(Calendar, ClassesPrizesAndDistancesOfTheGrid) {
  const GameState s = withCalendar(2001);
  EXPECT_EQ(s.calendar[slotIndex(2, 4, 5)].raceName, u" 2/4 5R 早猫賞");
  EXPECT_EQ(s.calendar[slotIndex(10, 4, 5)].raceName, u"10/4 5R 有猫記念");
  EXPECT_EQ(s.calendar[slotIndex(10, 4, 5)].distance, 300);
  EXPECT_EQ(s.calendar[slotIndex(9, 4, 5)].raceName, u" 9/4 5R Ｂクラス戦");
  EXPECT_EQ(s.calendar[slotIndex(9, 4, 5)].distance, 300);
  EXPECT_EQ(s.calendar[slotIndex(6, 3, 4)].raceName, u" 6/3 4R ７００万下戦");
  EXPECT_EQ(s.calendar[slotIndex(6, 3, 4)].prize, 200);
  EXPECT_EQ(s.calendar[slotIndex(2, 3, 5)].distance, 250);
  EXPECT_EQ(s.calendar[slotIndex(5, 1, 3)].distance, 150);
  for (const RaceSlot& slot : s.calendar) {
    EXPECT_EQ(slot.raceClassByte, static_cast<uint8_t>(slot.raceClass));
    EXPECT_GE(slot.distance, 100);
    // The label starts at the ninth character for every slot.
    EXPECT_EQ(slot.raceName[2], u'/');
    EXPECT_EQ(slot.raceName[7], u' ');
  }
}

TEST(Calendar, FillLeavesRegistrationCountsAlone) {
  GameState s = withCalendar(2001);
  s.calendar[17].raceState = 9;
  fillCalendar(s);
  EXPECT_EQ(s.calendar[17].raceState, 9);
}

TEST(Titles, TableHasTwentySixNames) {
  GameState s;
  EXPECT_EQ(s.titleNames[0], u"　無　　し");
  EXPECT_EQ(s.titleNames[25], u"　神に挑みし猫");
  EXPECT_TRUE(s.titleNames[26].empty());
}

}  // namespace
}  // namespace polmina
