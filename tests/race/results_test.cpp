#include <gtest/gtest.h>

#include "race/results_world.h"

namespace polmina {
namespace {

using RaceResults = ResultsWorld;

constexpr int MaidenSlot = 0;     // 1/1 1R, class 8, 20 万
constexpr int DRaceSlot = 4;      // 1/1 5R, class 4, 300 万
constexpr int CRaceSlot = 14;     // 1/3 5R, class 3, 400 万
constexpr int EarlyCupSlot = 39;  // 2/4 5R 早猫賞, class 1, 700 万
constexpr int NewCatSlot = 125;   // 7/2 1R, class 9, 20 万

TEST_F(RaceResults, PrizeSharesGoToRecordsAndThePlayersPurse) {
  makePlayer(1);
  s.money = 1000;
  finish(EarlyCupSlot, inOrder(7));
  const int expected[] = {700, 175, 117, 70, 35, 0, 0};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(cat(i).totalPrize, expected[i]) << i;
    EXPECT_EQ(cat(i).yearPrize, expected[i]) << i;
  }
  EXPECT_EQ(s.money, 1000 + 233);  // 700 / 3 rounded
  EXPECT_EQ(cat(0).wins, 1);

  // A small prize: 20 / 8 = 2.5 rounds to even.
  cat(1).owner = 3;
  makePlayer(13);
  s.money = 0;
  finish(MaidenSlot, {10, 11, 12, 13, 14});
  EXPECT_EQ(cat(11).totalPrize, 5);
  EXPECT_EQ(cat(12).totalPrize, 3);
  EXPECT_EQ(cat(13).totalPrize, 2);
  EXPECT_EQ(cat(14).totalPrize, 1);
  EXPECT_EQ(s.money, 2);
}

TEST_F(RaceResults, RunnersTireInGateOrderBeforeTheRemarkIsDrawn) {
  makePlayer(4);
  cat(4).condition = -5;
  rng.script = {0.0, 0.5, 0.9999, 0.2, 0.1, 0.0};
  finish(MaidenSlot, inOrder(5));
  EXPECT_EQ(rng.log, "uuuuuRu");
  // Gate i holds the cat that finished 5 - i.
  EXPECT_EQ(cat(4).condition, -5 - 20);
  EXPECT_EQ(cat(3).condition, 80 - 45);
  EXPECT_EQ(cat(2).condition, 80 - 69);
  EXPECT_EQ(cat(1).condition, 80 - 30);
  EXPECT_EQ(cat(0).condition, 80 - 25);
  EXPECT_EQ(s.preRaceCondition, 0);
  EXPECT_EQ(s.pendingMessage, u"体調が悪すぎたニャ、全然走れなかったニャ、あれじゃ勝てないニャ");
  EXPECT_TRUE(s.remarkPending);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(cat(i).entryRace, -1);
    EXPECT_EQ(cat(i).starts, 1);
    EXPECT_EQ(s.raceSnapshot[static_cast<size_t>(i)].name, cat(i).name);
  }
  EXPECT_EQ(s.raceSnapshot[0].totalPrize, 0);  // taken before the prize
  EXPECT_EQ(s.raceSnapshot[0].wins, 0);
}

TEST_F(RaceResults, PlacingCountersByRace) {
  struct Case {
    int year, slot, placing, index;
  };
  const Case cases[] = {
      {2001, YearEndSlot, 1, 0}, {2002, YearEndSlot, 1, 1},   {2003, YearEndSlot, 2, 5},
      {2001, YearEndSlot, 4, 9}, {2001, EarlyCupSlot, 1, 13}, {2001, 79, 3, 26},
      {2001, 119, 1, 15},        {2001, 159, 1, 15},          {2001, 199, 4, 34},
      {2001, 19, 2, 37},         {2001, 219, 4, 39},          {2001, CRaceSlot, 3, 42},
      {2001, DRaceSlot, 1, 44},  {2001, 24, 4, 47},  // 2/1 5R, a D race too
  };
  for (const Case& c : cases) {
    CatRecord one;
    s.year = static_cast<int16_t>(c.year);
    recordPlacing(s, c.slot, one, c.placing);
    std::array<uint8_t, 48> expected{};
    expected[static_cast<size_t>(c.index)] = 1;
    EXPECT_EQ(one.results, expected) << c.slot << " " << c.placing;
  }
  // Races of the lower classes count nowhere.
  for (int slot : {MaidenSlot, 2, 3, NewCatSlot}) {
    CatRecord none;
    recordPlacing(s, slot, none, 1);
    EXPECT_EQ(none.results, (std::array<uint8_t, 48>{})) << slot;
  }
  CatRecord full;
  full.results[44] = 255;
  recordPlacing(s, DRaceSlot, full, 1);
  EXPECT_EQ(full.results[44], 255);
}

TEST_F(RaceResults, PrizeMoneyClassesFollowTheCareerPrize) {
  const int16_t before[] = {ClassNew, ClassNew, Class70, ClassNew, ClassMaiden};
  const int32_t prize[] = {0, 0, 60, 65, 699};
  for (int i = 0; i < 5; ++i) {
    cat(i).catClass = before[i];
    cat(i).totalPrize = prize[i];
  }
  finish(NewCatSlot, inOrder(5));
  EXPECT_EQ(cat(0).catClass, Class70);      // won 20 万
  EXPECT_EQ(cat(1).catClass, ClassMaiden);  // a new cat that ran is a maiden
  EXPECT_EQ(cat(2).catClass, Class70);      // 63 万: stays
  EXPECT_EQ(cat(3).catClass, ClassMaiden);  // 67 万
  EXPECT_EQ(cat(4).catClass, ClassD);       // 700 万
}

TEST_F(RaceResults, WinnersOfTheTopClassesMoveUpOneClass) {
  struct Case {
    int slot;
    int16_t before, after;
  };
  const Case cases[] = {{DRaceSlot, ClassD, ClassC},
                        {DRaceSlot, ClassC, ClassC},
                        {YearEndSlot, ClassS, ClassSS},
                        {YearEndSlot, ClassSS, ClassSS},
                        {EarlyCupSlot, ClassB, ClassA}};
  for (const Case& c : cases) {
    cat(0).catClass = c.before;
    cat(1).catClass = ClassD;
    finish(c.slot, inOrder(5));
    EXPECT_EQ(cat(0).catClass, c.after) << c.slot << " " << c.before;
    EXPECT_EQ(cat(1).catClass, ClassD);
  }
}

TEST_F(RaceResults, PointsByRaceClassAndPlace) {
  finish(YearEndSlot, inOrder(12));
  const int s0[] = {-100, -90, -50, -30, -5, 0, 2, 4, 6, 8, 10, 12};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(cat(i).points, 10000 + s0[i]) << i;
  EXPECT_EQ(cat(0).results[0], 1);  // 2001: the first of the three
  EXPECT_EQ(cat(11).results[9], 1);
  EXPECT_EQ(pointsChange(ClassA, 4), -25);
  EXPECT_EQ(pointsChange(ClassA, 5), 0);
  EXPECT_EQ(pointsChange(ClassB, 7), 4);
  EXPECT_EQ(pointsChange(ClassC, 3), -10);
  EXPECT_EQ(pointsChange(ClassC, 6), 2);
  EXPECT_EQ(pointsChange(ClassD, 1), -3);
  EXPECT_EQ(pointsChange(ClassNew, 12), 0);
}

TEST_F(RaceResults, PlacedCatsBelowTheirPeakGrow) {
  auto young = [&](int i, int age, int peak) {
    cat(i).age = static_cast<uint8_t>(age);
    cat(i).peakAge = static_cast<uint8_t>(peak);
    cat(i).speed = cat(i).stamina = cat(i).power = 1000;
  };
  young(0, 3, 5);
  young(1, 11, 12);  // past ten: only the class part
  young(2, 4, 4);    // at its peak: nothing
  finish(EarlyCupSlot, inOrder(5));
  EXPECT_EQ(cat(0).speed, 1000 + 105 + 40);
  EXPECT_EQ(cat(0).stamina, 1000 + 70 + 30);
  EXPECT_EQ(cat(0).power, 1000 + 35 + 20);
  EXPECT_EQ(cat(1).speed, 1000 + 30);
  EXPECT_EQ(cat(1).stamina, 1000 + 20);
  EXPECT_EQ(cat(1).power, 1000 + 10);
  EXPECT_EQ(cat(2).speed, 1000);

  young(3, 2, 9);
  finish(MaidenSlot, {4, 5, 3, 6, 7});  // 3rd in a low class
  EXPECT_EQ(cat(3).speed, 1000 + 64 + 5);
  EXPECT_EQ(cat(3).stamina, 1000 + 32 + 3);
  EXPECT_EQ(cat(3).power, 1000 + 16);

  young(8, 1, 9);
  finish(YearEndSlot, {8, 9, 10, 11, 12});  // the S race makes nobody grow
  EXPECT_EQ(cat(8).speed, 1000);
}

TEST_F(RaceResults, PlayersRemarkAfterARace) {
  makePlayer(0);
  rng.script = {0, 0, 0, 0, 0, 0.0};
  finish(MaidenSlot, inOrder(5));
  EXPECT_EQ(s.pendingMessage, u"ミナ見たニャ？見たニャ？見たニャ？見たニャ？　勝ったニャ　　　");

  cat(0).owner = 2;
  makePlayer(7);
  rng.script = {0, 0, 0, 0, 0, 0.99};
  finish(MaidenSlot, {5, 6, 7, 8, 9});
  EXPECT_EQ(s.pendingMessage, u"ごめんニャミナ、３着だったニャ　怒ってるニャ？　　");

  struct Band {
    int condition;
    const char16_t* remark;
  };
  const Band bands[] = {
      {101, u"相手が強かったのかニャ？、それとも作戦ミスかニャ？ミナ何でニャ？"},
      {100, u"調子は悪くなかったんだけどニャ、でも相手が強かったし、絶好調で勝負したかったニャ"},
      {31, u"調子は悪くなかったんだけどニャ、でも相手が強かったし、やっぱ作戦ミスかニャ？"},
      {1, u"調子が悪かったニャ、つぎは頑張るから、体調管理しっかりしてくれニャ"}};
  for (const Band& b : bands) {
    cat(7).condition = static_cast<int16_t>(b.condition);
    finish(MaidenSlot, {5, 6, 8, 9, 7});
    EXPECT_EQ(s.pendingMessage, b.remark) << b.condition;
  }

  // A race without the player's cat says nothing.
  s.pendingMessage.clear();
  s.remarkPending = false;
  finish(MaidenSlot, {1, 2, 3, 4, 5});
  EXPECT_EQ(s.pendingMessage, u"");
  EXPECT_FALSE(s.remarkPending);
}

TEST_F(RaceResults, QualifiedPlayerIsToldOfItsNextBigRace) {
  makePlayer(1);
  finish(EarlyCupSlot, inOrder(5));
  EXPECT_EQ(cat(0).entryRace, 79);
  EXPECT_EQ(cat(2).entryRace, 79);
  EXPECT_EQ(cat(3).entryRace, -1);
  EXPECT_EQ(s.pendingMessage,
            u"ミナ２着だったニャ　悔しいニャー　　\r\n 4/4 5R 桜猫賞の出走権を獲得したニャ");
  EXPECT_TRUE(s.remarkPending);
}

TEST_F(RaceResults, TitlesFromThePlacingCounters) {
  struct Case {
    std::array<int, 3> yearEnd;
    int bigWins, bRaceWins, breed, sex, title;
  };
  const Case cases[] = {
      {{3, 3, 3}, 0, 0, 0, 0, 1},  {{6, 0, 0}, 0, 0, 0, 0, 3},  {{0, 5, 0}, 0, 0, 0, 0, 4},
      {{1, 1, 1}, 0, 0, 0, 0, 2},  {{3, 0, 0}, 0, 0, 0, 0, 5},  {{0, 0, 2}, 0, 0, 0, 0, 6},
      {{0, 0, 2}, 0, 0, 1, 0, 7},  {{0, 0, 2}, 0, 0, 8, 0, 8},  {{0, 0, 2}, 0, 0, 5, 0, 9},
      {{0, 2, 0}, 0, 0, 8, 0, 12}, {{2, 0, 0}, 0, 0, 3, 0, 17}, {{1, 1, 0}, 0, 0, 0, 0, 25},
      {{0, 1, 0}, 9, 0, 0, 0, 18}, {{0, 0, 0}, 5, 0, 0, 0, 19}, {{0, 0, 0}, 3, 0, 0, 1, 21},
      {{0, 0, 0}, 4, 0, 0, 0, 20}, {{0, 0, 0}, 1, 0, 0, 1, 23}, {{0, 0, 0}, 2, 0, 0, 0, 22},
      {{0, 0, 0}, 0, 1, 0, 0, 24}, {{0, 0, 0}, 0, 0, 0, 0, -1},
  };
  for (const Case& c : cases) {
    CatRecord r;
    for (size_t v = 0; v < 3; ++v) r.results[v] = static_cast<uint8_t>(c.yearEnd[v]);
    // Big-race wins spread over the columns, the never-counted column 12 left out.
    for (int w = 0; w < c.bigWins; ++w) r.results[13 + static_cast<size_t>(w % 4)] += 1;
    r.results[36] = static_cast<uint8_t>(c.bRaceWins);
    r.breed = static_cast<uint8_t>(c.breed);
    r.sex = static_cast<uint8_t>(c.sex);
    EXPECT_EQ(earnedTitle(r), c.title) << c.title;
  }

  // In a race the title follows the counters just updated; without a rule the cat keeps its title.
  cat(1).title = 7;
  finish(YearEndSlot, inOrder(5));
  EXPECT_EQ(cat(0).title, 18);
  EXPECT_EQ(cat(1).title, 7);
}

TEST_F(RaceResults, ResultPanelAndChampionsCaptions) {
  makePlayer(1);
  const int k = setUp(79, inOrder(5));
  showRaceLine(s, k);
  finishRace(g, k, 5);
  const auto& lines = s.resultLines[4];
  EXPECT_EQ(lines[0].text, u" 4/4 5R 桜猫賞");
  EXPECT_EQ(lines[0].background, 0xC0C0FFu);
  for (size_t e = 1; e <= 3; ++e) EXPECT_EQ(lines[e].text, cat(static_cast<int>(e) - 1).name);
  EXPECT_EQ(lines[1].textColour, ColourBlack);
  EXPECT_EQ(lines[2].textColour, ColourRed);
  EXPECT_EQ(s.winnerCaptions[1], u"1着 " + cat(0).name);
  EXPECT_EQ(s.runnerUpCaptions[1], u"2着 " + cat(1).name);
  EXPECT_EQ(s.winnerCaptions[0], u"未　定");

  finish(159, {3, 4, 0, 1, 2});  // 菊猫賞 is the fourth caption though it counts with 優駿猫
  EXPECT_EQ(s.winnerCaptions[3], u"1着 " + cat(3).name);
  EXPECT_EQ(s.winnerCaptions[2], u"未　定");

  showRaceCancelled(s, 2);
  EXPECT_EQ(s.resultLines[1][3].text, u"中止");
  clearPlacedLines(s);
  EXPECT_EQ(s.resultLines[4][2], ResultLine{});
  EXPECT_EQ(s.resultLines[4][0].text, u" 4/4 5R 桜猫賞");
  EXPECT_EQ(raceLineBackground(ClassS), 0xFFC0FFu);
  EXPECT_EQ(raceLineBackground(ClassNew), 0xFFC0C0u);
  EXPECT_EQ(raceLineBackground(Class200), 0xFFFFC0u);
}

TEST_F(RaceResults, CountersStopAt255) {
  cat(0).wins = 255;
  cat(0).starts = 255;
  cat(0).results[44] = 255;
  finish(DRaceSlot, inOrder(5));
  EXPECT_EQ(cat(0).wins, 255);
  EXPECT_EQ(cat(0).starts, 255);
  EXPECT_EQ(cat(0).results[44], 255);
}

}  // namespace
}  // namespace polmina
