#include "game/turn.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "support/game_world.h"
#include "support/scripted_rng.h"
#include "world/calendar.h"
#include "world/text.h"

namespace polmina {
namespace {

// Hands out the given numbers in order and counts every draw; an unplanned draw fails the test.
struct TurnFixture : ::testing::Test, TestGame<ScriptedRng> {
  TurnFixture() : TestGame(1, ScriptedRng::WhenEmpty::Fail) {}

  void SetUp() override { fillCalendar(s); }

  // A young computer cat of normal growth, in the middle of its abilities.
  static CatRecord computerCat() {
    CatRecord c;
    c.owner = 2;
    c.age = 3;
    c.peakAge = 15;
    c.growthType = 2;
    c.favouriteTraining = 1;
    c.constitution = 2;
    c.weight = 500;
    c.adultWeight = 3000;
    c.speedMax = 9000;
    c.speed = 6000;
    c.staminaMax = 3000;
    c.stamina = 2000;
    c.powerMax = 5000;
    c.power = 4000;
    c.condition = 70;
    c.formCycleLength = 3;
    c.entryRace = -1;
    c.inUse = -1;
    return c;
  }
  CatRecord playerCat() {
    CatRecord c = computerCat();
    c.owner = 1;
    return c;
  }
  void setCats(std::initializer_list<CatRecord> cats) {
    int i = 0;
    for (const CatRecord& c : cats) s.cats[i++] = c;
    s.catCount = i;
  }
  void draws(std::initializer_list<double> v) { rng.script.assign(v); }
};

// Menu 1 (speed), no rest, weight +50, fatigue 8 - 5 - 8, gains x1.2 (normal, young) x1.2 (condition 70),
// stamina traded away by speed.
TEST_F(TurnFixture, ComputerCatDevelopsInTheGameOrder) {
  setCats({playerCat(), computerCat()});
  s.cats[0].condition = 50;
  draws({0.5, 0.0,                   // player: weight, fatigue
         0.0, 0.0, 0.5, 0.5, 0.3});  // computer: menu, two rest draws, weight, fatigue
  developCats(g);
  const CatRecord& c = s.cats[1];
  EXPECT_EQ(c.speed, 6006);  // 6000 + 4 x 1.44
  EXPECT_EQ(c.stamina, 2000);
  EXPECT_EQ(c.power, 4001);
  EXPECT_DOUBLE_EQ(c.weight, 550);
  EXPECT_EQ(c.condition, 75);
  EXPECT_EQ(rng.draws, 7);
  EXPECT_EQ(s.formTick, 1);
}

TEST_F(TurnFixture, ComputerCatWithoutMenuInheritsThePreviousCatsFinalGains) {
  CatRecord noFavourite = computerCat();
  noFavourite.favouriteTraining = 0;
  setCats({playerCat(), computerCat(), noFavourite});
  s.cats[0].condition = 50;
  draws({0.5, 0.0, 0.0, 0.0, 0.5, 0.5, 0.3,  // as above: final gains (5.76, 0, 1.44)
         0.9, 0.0, 0.5, 0.5, 0.3});          // menu 8 -> favourite 0 -> no menu
  developCats(g);
  const CatRecord& c = s.cats[2];
  // The inherited gains are scaled again: (8.2944, 0, 2.0736), then stamina loses speed / 4.
  EXPECT_EQ(c.speed, 6008);
  EXPECT_EQ(c.stamina, 1998);
  EXPECT_EQ(c.power, 4002);
  // The inherited gains also load the cat: CInt(5.76 + 0 + 1.44 + 2) - 5 - 8.
  EXPECT_EQ(c.condition, 74);
}

TEST_F(TurnFixture, FirstCatWithoutMenuHasNoGainsAndRecovers) {
  CatRecord c = computerCat();
  c.favouriteTraining = 0;
  setCats({c, playerCat()});
  s.cats[1].condition = 50;
  draws({0.9, 0.5, 0.5, 0.5, 0.3, 0.5, 0.0});
  developCats(g);
  EXPECT_EQ(s.cats[0].speed, 6000);
  // load -10, fatigue -10 - 5 - 8 = -23
  EXPECT_EQ(s.cats[0].condition, 93);
}

TEST_F(TurnFixture, ComputerCatRestsWhenTiredAndPassedCeilingTurnsBalanced) {
  CatRecord c = computerCat();
  c.speed = 9100;  // above its ceiling
  setCats({c, playerCat()});
  draws({0.0, 0.5, 0.0, 0.5, 0.3,  // menu 1, may rest (2), condition 70 < 80: rests
         0.5, 0.0});
  developCats(g);
  EXPECT_EQ(s.cats[0].favouriteTraining, 4);
  EXPECT_EQ(s.cats[0].speed, 9000);    // set back to the ceiling
  EXPECT_EQ(s.cats[0].condition, 93);  // resting: load -10
}

TEST_F(TurnFixture, ConditionDecidesWhetherTrainingHelps) {
  CatRecord low = playerCat();
  low.trainSpeed1 = 2;
  low.trainStamina1 = 2;
  low.trainPower1 = 2;
  low.condition = 20;
  CatRecord exhausted = computerCat();
  exhausted.favouriteTraining = 4;
  exhausted.condition = 0;
  exhausted.power = 4500;
  setCats({low, exhausted});
  draws({0.5, 0.9,                   // player
         0.9, 0.0, 0.5, 0.5, 0.9});  // menu 8 -> balanced, no rest
  developCats(g);
  EXPECT_EQ(s.cats[0].speed, 6000);  // 1..29: no gain
  EXPECT_EQ(s.cats[0].condition, 31);
  EXPECT_EQ(s.cats[1].speed, 5998);  // 0: (2, 2, 2) x1.2 negated -> -2.4
  EXPECT_EQ(s.cats[1].stamina, 1998);
  EXPECT_EQ(s.cats[1].power, 4498);
}

TEST_F(TurnFixture, PastThePeakTrainingCostsAndAgeDeclines) {
  CatRecord atPeak = playerCat();
  atPeak.age = 12;
  atPeak.peakAge = 12;
  atPeak.speed = 8000;
  atPeak.trainSpeed1 = 1;
  setCats({atPeak});
  draws({0.5, 0.5});
  developCats(g);
  // Once the weekly decline (age > 10), not the second one; the gain of 1 x1.2 is negated.
  EXPECT_EQ(s.cats[0].speed, 8000 - 3 - 1);
  EXPECT_EQ(s.cats[0].power, 4000);  // not above 5000: no decline

  atPeak.powerMax = 6000;
  atPeak.power = 5500;
  atPeak.age = 13;
  setCats({atPeak});
  draws({0.5, 0.5});
  developCats(g);
  EXPECT_EQ(s.cats[0].power, 5500 - 4);
}

TEST_F(TurnFixture, FloorsAndConditionEdges) {
  CatRecord c = playerCat();
  c.speed = 4000;
  c.power = 3000;
  c.staminaMax = 3001;
  c.stamina = 100;
  c.condition = 105;  // recovering past 106 falls back to 90 or 105
  CatRecord veteran = computerCat();
  veteran.starts = 91;
  setCats({c, veteran});
  draws({0.5, 0.5, 0.9,              // player: weight, fatigue -7 -8: 120, then Fix(4 x rnd) = 3: 90
         0.0, 0.0, 0.0, 0.5, 0.5});  // veteran: trains, 77
  developCats(g);
  EXPECT_EQ(s.cats[0].speed, 9000 - 4000);
  EXPECT_EQ(s.cats[0].power, 4000);
  EXPECT_EQ(s.cats[0].stamina, 1500);  // CInt(1500.5) rounds to even
  EXPECT_EQ(s.cats[0].condition, 90);
  EXPECT_EQ(s.conditionLevel, 2);
  EXPECT_EQ(s.cats[1].condition, 77);
  EXPECT_EQ(s.cats[1].growthType, 5);
  EXPECT_EQ(s.cats[1].exhaustionCount, 10);
}

TEST_F(TurnFixture, ExhaustionTurnsACatWornOut) {
  CatRecord c = playerCat();
  c.trainSpeed1 = c.trainSpeed2 = 3;
  c.trainStamina1 = c.trainStamina2 = 3;
  c.trainPower1 = c.trainPower2 = 3;
  c.constitution = 5;
  c.growthType = 1;
  c.age = 9;  // other ages, early type: no growth adjustment
  c.condition = 10;
  c.exhaustionCount = 9;
  setCats({c});
  draws({0.5, 0.0});  // fatigue 23 - 2 = 21 -> -11
  developCats(g);
  EXPECT_EQ(s.cats[0].condition, 0);
  EXPECT_EQ(s.cats[0].exhaustionCount, 10);
  EXPECT_EQ(s.cats[0].growthType, 5);
  EXPECT_EQ(s.conditionLevel, 5);
}

TEST_F(TurnFixture, FormCycleFollowsTheTick) {
  CatRecord slow = playerCat();
  slow.formCycleLength = 5;
  setCats({slow});
  s.formCycle[0] = 7;
  s.formTick = 3;
  draws({0.5, 0.5});
  developCats(g);  // tick 4 >= 4: steps, wrapping to 0
  EXPECT_EQ(s.formTick, 4);
  EXPECT_EQ(s.formCycle[0], 0);
  s.formTick = 5;
  draws({0.5, 0.5});
  developCats(g);  // tick 0: no step
  EXPECT_EQ(s.formTick, 0);
  EXPECT_EQ(s.formCycle[0], 0);
}

// Twelve months of four weeks; the week after 12/4 is 1/1 of the next year and everybody is older.
TEST_F(TurnFixture, CalendarMovesWeekByWeekAndChangesTheYear) {
  CatRecord c = playerCat();
  c.trainSpeed1 = 1;
  setCats({c, computerCat()});
  s.cats[1].name = u"タマ                ";
  std::deque<double> many(2000, 0.5);
  rng.script = many;
  for (int n = 1; n < 48; ++n) {
    advanceWeek(g);
    EXPECT_EQ(s.weekBase, 5 * n);
    EXPECT_EQ(s.month, 1 + (n / 4));
    EXPECT_EQ(s.week, 1 + (n % 4));
  }
  EXPECT_FALSE(s.awardsPending);
  const int ageBefore = s.cats[1].age;
  advanceWeek(g);
  EXPECT_EQ(s.year, 2002);
  EXPECT_EQ(s.month, 1);
  EXPECT_EQ(s.week, 1);
  EXPECT_EQ(s.weekBase, 0);
  EXPECT_EQ(s.calendar[239].raceName, u"12/4 5R 猫聖記念");
  EXPECT_EQ(s.calendar[239].distance, 200);
  EXPECT_TRUE(s.awardsPending);
  for (int i = 0; i < 2; ++i)
    if (s.cats[i].owner != 1) {
      EXPECT_EQ(s.cats[i].age, ageBefore + 1);
    }
}

TEST_F(TurnFixture, NoticeLineNamesTheWeeksRaceOrMissingTraining) {
  setCats({playerCat()});
  rng.script.assign(100, 0.5);
  s.cats[0].entryRace = 7;  // 1/2 3R
  advanceWeek(g);
  EXPECT_EQ(s.noticeLine, u"今週は７０万下戦に出走予定です");
  advanceWeek(g);
  EXPECT_EQ(s.noticeLine, u"調教が設定されていません。");
  s.cats[0].trainPower2 = 1;
  advanceWeek(g);
  EXPECT_EQ(s.noticeLine, u"");
}

TEST_F(TurnFixture, RestLastsFourWeeksAndEndsRefreshed) {
  CatRecord c = playerCat();
  c.restWeeks = 1;
  c.condition = 40;
  setCats({c});
  s.conditionLevel = 6;
  rng.script.assign(100, 0.5);
  for (int n = 0; n < 3; ++n) {
    advanceWeek(g);
    EXPECT_EQ(s.conditionLevel, 6);
    EXPECT_GT(s.cats[0].condition, 40);  // a resting cat recovers every week
    EXPECT_EQ(s.pendingMessage, u"");
  }
  EXPECT_EQ(s.cats[0].restWeeks, 4);
  advanceWeek(g);
  EXPECT_EQ(s.cats[0].restWeeks, 0);
  EXPECT_EQ(s.pendingMessage, u"休養させてくれたお陰で元気が出たニャ、また調教してくれニャ");
  EXPECT_TRUE(s.remarkPending);
  // From 101 the week's recovery passes 106 and settles at 90 or 105.
  EXPECT_TRUE(s.cats[0].condition == 90 || s.cats[0].condition == 105);
  EXPECT_EQ(s.conditionLevel, conditionLevelOf(s.cats[0].condition));
}

// The week ends by building the cat list again, which puts the table itself in the list's order; the
// form-cycle steps stay with the slots.
TEST_F(TurnFixture, WeekEndsWithTheTableInTheCatListsOrder) {
  CatRecord mike = playerCat();
  mike.name = padRight(u"ミケ", CatNameLength);
  mike.restWeeks = 4;  // the rest ends this week
  mike.condition = 40;
  CatRecord ao = computerCat();
  ao.name = padRight(u"アオ", CatNameLength);
  ao.totalPrize = 50;
  CatRecord tama = computerCat();
  tama.name = padRight(u"タマ", CatNameLength);
  tama.totalPrize = 900;
  setCats({mike, ao, tama});
  s.formCycle[0] = 7;
  rng.script.assign(100, 0.5);
  advanceWeek(g);
  EXPECT_EQ(trim(s.cats[0].name), u"アオ");
  EXPECT_EQ(trim(s.cats[1].name), u"タマ");
  EXPECT_EQ(s.playerCat, 2);
  const CatRecord& player = s.cats[2];
  EXPECT_EQ(player.restWeeks, 0);
  EXPECT_GT(player.condition, 40);
  EXPECT_EQ(s.cats[0].restWeeks, 0);
  EXPECT_EQ(s.formCycle[0], 7);  // the step stays in slot 0, it does not follow ミケ to slot 2
  EXPECT_EQ(s.formCycle[2], 0);

  s.listSortOrder = 1;  // richest first
  advanceWeek(g);
  EXPECT_EQ(trim(s.cats[0].name), u"タマ");
  EXPECT_EQ(trim(s.cats[1].name), u"アオ");
  EXPECT_EQ(s.playerCat, 2);
}

TEST_F(TurnFixture, WeekFlowOpensAndClosesTheWeek) {
  CatRecord c = playerCat();
  c.entryRace = 5;
  c.styleFlags = {1, 0, 0, 0};
  setCats({c});
  rng.script.assign(100, 0.5);
  s.noticeLine = u"x";
  s.pendingMessage = u"old";
  nextWeek(g);
  EXPECT_FALSE(s.noticeVisible);
  EXPECT_EQ(s.pendingMessage, u"");
  closeWeek(g);
  EXPECT_TRUE(s.noticeVisible);
  EXPECT_EQ(s.pendingMessage, u"今週は出走するニャ\r\n 作戦を決めるニャ　　");
  EXPECT_TRUE(s.remarkPending);
}

TEST_F(TurnFixture, ChangeOfYearKeepsTheWeekOpenForTheAwards) {
  setCats({playerCat()});
  s.cats[0].peakAge = 30;
  rng.script.assign(100, 0.5);
  s.month = 12;
  s.week = 4;
  s.weekBase = 235;
  nextWeek(g);
  closeWeek(g);
  EXPECT_TRUE(s.awardsPending);
  EXPECT_FALSE(s.noticeVisible);
}

TEST_F(TurnFixture, EndOfWeekRemarks) {
  setCats({playerCat()});
  s.weekBase = 40;
  s.conditionLevel = 2;
  composeWeekRemark(g);
  EXPECT_EQ(s.pendingMessage, u"\r\n今週は早猫賞の結果があるニャ、見てニャ");

  s.pendingMessage.clear();
  s.weekBase = 5;
  s.conditionLevel = 6;
  composeWeekRemark(g);
  EXPECT_EQ(s.pendingMessage, u"ムニャムニャ・・・・・今週はなにもないニャ 　　ムニャムニャ・・");

  s.pendingMessage = u"勝ったニャ";
  composeWeekRemark(g);
  EXPECT_EQ(s.pendingMessage, u"ムニャムニャ・・・・・勝ったニャ　　ムニャムニャ・・");

  s.pendingMessage.clear();
  s.conditionLevel = 4;
  draws({0.1});
  composeWeekRemark(g);
  EXPECT_EQ(s.pendingMessage, u"お話ししようニャ");

  s.pendingMessage.clear();
  s.conditionLevel = 1;
  s.noticeLine = NoTrainingNotice;
  composeWeekRemark(g);
  EXPECT_EQ(s.pendingMessage, u"調教の予定が入ってないニャ！！");
  EXPECT_EQ(rng.draws, 1);
}

TEST_F(TurnFixture, TheProgrammeBookingThePlayersCatIsToldOnceOnTheNoticeLine) {
  CatRecord c = playerCat();
  c.catClass = 8;
  c.age = 3;
  c.condition = 100;
  setCats({c});
  rng.script.assign(400, 0.0);
  nextWeek(g);
  closeWeek(g);
  const int booked = catAt(s, 0).entryRace;
  ASSERT_GE(booked, 0);
  EXPECT_EQ(s.noticeLine, trim(slotAt(s, booked).raceName) + u"に自動で登録されました");
  nextWeek(g);
  closeWeek(g);
  EXPECT_EQ(s.noticeLine, NoTrainingNotice);
}

}  // namespace
}  // namespace polmina
