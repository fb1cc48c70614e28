#include "game/yearend.h"

#include <gtest/gtest.h>

#include <memory>

#include "headless/headless.h"
#include "platform/clock.h"
#include "platform/rng.h"
#include "support/game_world.h"
#include "world/calendar.h"
#include "world/text.h"

namespace polmina {
namespace {

struct YearEndFixture : ::testing::Test, GameWorld {
  YearEndFixture() : GameWorld(7) {}

  static CatRecord cat(int owner, std::u16string_view name, int catClass, int age, int yearPrize) {
    CatRecord c;
    c.owner = static_cast<int16_t>(owner);
    c.name = padRight(name, CatNameLength);
    c.catClass = static_cast<int16_t>(catClass);
    c.age = static_cast<uint8_t>(age);
    c.peakAge = 12;
    c.yearPrize = yearPrize;
    c.entryRace = -1;
    c.inUse = -1;
    return c;
  }

  // The player's young, rich cat "ミケ" at 0 and computer cats of class C, age 2, after it.
  void populate(int n) {
    fillCalendar(s);
    s.playerCatName = u"ミケ";
    s.retiredCount = 0;
    s.cats[0] = cat(1, u"ミケ", ClassS, 1, 9999);
    s.cats[0].peakAge = 15;
    for (int i = 1; i < n; ++i) s.cats[i] = cat(i + 1, u"ネコ" + num(i), ClassC, 2, 0);
    s.catCount = n;
  }

  int countClass(int catClass) const {
    int n = 0;
    for (int i = 0; i < s.catCount; ++i) n += s.cats[i].catClass == catClass ? 1 : 0;
    return n;
  }

  void expectPlayerAlive() {
    findPlayerCat(s);
    ASSERT_LT(s.playerCat, s.catCount);
    EXPECT_EQ(s.cats[s.playerCat].owner, 1);
    EXPECT_EQ(trim(s.cats[s.playerCat].name), u"ミケ");
    EXPECT_EQ(s.cats[s.playerCat].retired, 0);
  }
};

TEST_F(YearEndFixture, AwardsNameTheRichestActiveCatOfEachAgeBand) {
  populate(MaxCats);
  struct Entry {
    int index, age, prize;
  };
  for (const Entry& e : {Entry{1, 2, 300},
                         {2, 3, 200},
                         {3, 5, 100},
                         {4, 8, 50},
                         {5, 11, 900},
                         {6, 11, 60},
                         {7, 14, 10},
                         {8, 17, 5}}) {
    s.cats[e.index].age = static_cast<uint8_t>(e.age);
    s.cats[e.index].yearPrize = e.prize;
  }
  s.cats[0].yearPrize = 0;
  s.cats[5].retired = -1;
  showYearAwards(g);
  EXPECT_TRUE(s.awardsPending);
  const std::array<std::u16string, 7> expected = {padRight(u"ネコ1", 20),
                                                  padRight(u"ネコ3", 20),
                                                  padRight(u"ネコ4", 20),
                                                  padRight(u"ネコ6", 20),
                                                  padRight(u"ネコ7", 20),
                                                  padRight(u"ネコ8", 20),
                                                  u"ネコ1"};
  EXPECT_EQ(s.awardNames, expected);
  EXPECT_DOUBLE_EQ(ui.pausedSeconds, 6.5);
  EXPECT_EQ(s.cats[0].yearPrize, 900);  // the table itself is now richest first
  findPlayerCat(s);
  EXPECT_EQ(s.cats[s.playerCat].owner, 1);
}

TEST_F(YearEndFixture, BestCatOfTheYearOnlyWithAFullTable) {
  populate(500);
  s.cats[0].yearPrize = 0;
  s.cats[3].yearPrize = 100;
  showYearAwards(g);
  EXPECT_EQ(s.awardNames[0], padRight(u"ネコ3", 20));
  EXPECT_EQ(s.awardNames[6], u"");
}

// A cull that finds fewer than 200 cats to remove must not let the new cats overwrite live ones.
TEST_F(YearEndFixture, ShortCullLeavesEveryLiveCatAndFreesOnlyWhatItRemoved) {
  populate(MaxCats);
  // Every class exactly as crowded as it may be, except 350 maidens: 190 of them have to go.
  struct Group {
    int catClass, count, prize;
  };
  int i = 1;
  for (const Group& grp : {Group{ClassS, 7, 400},
                           {ClassA, 8, 200},
                           {ClassB, 50, 0},
                           {ClassC, 80, 0},
                           {ClassD, 100, 0},
                           {Class700, 129, 0},
                           {Class200, 125, 0},
                           {Class70, 150, 0},
                           {ClassMaiden, 350, 0}}) {
    for (int k = 0; k < grp.count; ++k, ++i) {
      s.cats[i].catClass = static_cast<int16_t>(grp.catClass);
      s.cats[i].yearPrize = grp.prize;
    }
  }
  ASSERT_EQ(i, MaxCats);
  yearEnd(g);
  // The player's cat, youngest and richest, sorts last: at 809 it would have been inside 800..999.
  // The 810 survivors stay in 0..809; the new cats take exactly the 190 freed slots.
  EXPECT_EQ(s.catCount, MaxCats);
  expectPlayerAlive();
  for (int k = 0; k < 810; ++k) EXPECT_NE(s.cats[k].catClass, ClassNew) << k;
  for (int k = 810; k < MaxCats; ++k) {
    EXPECT_EQ(s.cats[k].catClass, ClassNew) << k;
    EXPECT_EQ(s.cats[k].owner, k + 1) << k;
  }
  EXPECT_EQ(countClass(ClassMaiden), 160);
  EXPECT_EQ(countClass(ClassA), 8);
  EXPECT_FALSE(s.awardsPending);
}

TEST_F(YearEndFixture, FullCullStopsAtTwoHundredOldestFirstAndSparesThePlayersName) {
  populate(MaxCats);
  s.cats[1] = cat(2, u"ロウネコ", ClassB, 21, 0);  // past its peak by more than 8: goes whatever its class
  s.cats[1].title = 5;
  for (int k = 2; k < 22; ++k) {  // crowded A class with titles: the poorer go to the hall
    s.cats[k].catClass = ClassA;
    s.cats[k].age = 5;
    s.cats[k].yearPrize = 50;
    s.cats[k].title = 3;
  }
  s.cats[22] = cat(23, u"ミケ", ClassC, 4, 0);  // a computer cat named like the player's
  yearEnd(g);
  EXPECT_EQ(s.catCount, MaxCats);
  EXPECT_EQ(s.cats[800].catClass, ClassNew);
  EXPECT_EQ(s.cats[799].catClass == ClassNew, false);
  EXPECT_EQ(s.retiredCount, 15);  // A class down to 5; the old cat is not taken into the hall
  for (int k = 0; k < s.retiredCount; ++k) EXPECT_EQ(s.retiredCats[k].catClass, ClassA);
  EXPECT_EQ(countClass(ClassA), 5);
  EXPECT_EQ(countClass(ClassC), 794);  // 978 class C (with the namesake) less 184
  int namesakes = 0;
  for (int k = 0; k < s.catCount; ++k) namesakes += trim(s.cats[k].name) == u"ミケ" ? 1 : 0;
  EXPECT_EQ(namesakes, 2);
  expectPlayerAlive();
}

TEST_F(YearEndFixture, CloseOfYearResetsPrizesClassesAndChampions) {
  populate(10);
  s.cats[3].catClass = ClassNew;
  s.cats[4].yearPrize = 800;
  s.winnerCaptions[2] = u"ネコ4";
  s.awardsPending = true;
  yearEnd(g);
  EXPECT_FALSE(s.gameOver);
  EXPECT_EQ(s.catCount, 210);  // no cull below a full table: the crop comes on top
  EXPECT_EQ(s.cats[3].catClass, ClassMaiden);
  for (int k = 0; k < 10; ++k) EXPECT_EQ(s.cats[k].yearPrize, 0);
  EXPECT_EQ(s.winnerCaptions[2], u"未　定");
  EXPECT_FALSE(s.awardsPending);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(YearEndFixture, PlayersCatRetiresAtItsPeakWithoutEarningsAndTheGameEnds) {
  populate(5);
  s.cats[0].age = 15;
  s.cats[0].yearPrize = 500;  // earned enough: races on
  yearEnd(g);
  EXPECT_FALSE(s.gameOver);

  s.cats[0].yearPrize = 499;
  s.cats[0].totalPrize = 1200;
  s.awardsPending = true;
  yearEnd(g);
  EXPECT_TRUE(s.gameOver);
  ASSERT_EQ(ui.messages.size(), 3u);
  EXPECT_EQ(ui.messages[0].title, u"ルネッタ");
  EXPECT_EQ(ui.messages[0].text, u"ミケが引退することになりました。");
  EXPECT_EQ(ui.messages[1].title, padRight(u"ミケ", 20));
  EXPECT_TRUE(ui.messages[1].text.ends_with(u"総獲得賞金　1200万\r\n\r\n以上がミケの全成績でした。\r\n"));
  EXPECT_EQ(ui.messages[2].title, u"ルネッタ");
  EXPECT_EQ(ui.messages[2].text, u"ゲームを終了します\r\nありがとうございました");
  EXPECT_EQ(s.cats[0].yearPrize, 499);  // nothing of the year end ran
  EXPECT_TRUE(s.awardsPending);
}

TEST_F(YearEndFixture, ClearAndCompact) {
  populate(MaxCats);
  CatRecord& c = s.cats[2];
  c.raceMark = -1;
  c.speed = 7000;
  c.results.fill(4);
  clearCat(s, 2);
  EXPECT_EQ(c.name, std::u16string(20, u' '));
  EXPECT_EQ(c.catClass, ClassNew);
  EXPECT_EQ(c.entryRace, -1);
  EXPECT_EQ(c.points, 10000);
  EXPECT_EQ(c.retired, -1);
  EXPECT_EQ(c.inUse, -1);
  EXPECT_EQ(c.raceMark, -1);
  EXPECT_EQ(c.speed, 0);
  for (int k = 0; k < 48; ++k) {
    // Kept: the 着外 counters, A race numbers 4 and 5.
    const bool kept = (k >= 9 && k <= 11) || (k >= 30 && k <= 35) || k == 16 || k == 17 || k == 22 ||
                      k == 23 || k == 28 || k == 29 || k == 39 || k == 43 || k == 47;
    EXPECT_EQ(c.results[k], kept ? 4 : 0) << k;
  }
  s.cats[4].retired = -1;
  s.cats[5].retired = -1;
  compactCats(s);
  EXPECT_EQ(trim(s.cats[1].name), u"ネコ1");
  EXPECT_EQ(trim(s.cats[2].name), u"ネコ3");
  EXPECT_EQ(trim(s.cats[3].name), u"ネコ6");
  EXPECT_EQ(trim(s.cats[996].name), u"ネコ999");
  for (int k = 997; k < MaxCats; ++k) EXPECT_EQ(s.cats[k].retired, -1);
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
