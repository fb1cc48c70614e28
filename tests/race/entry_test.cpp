#include "race/entry.h"

#include <gtest/gtest.h>

#include <functional>

#include <algorithm>
#include <set>
#include <vector>

#include "race/model.h"
#include "race/week.h"
#include "race/world.h"
#include "rank/prize_order.h"

namespace polmina {
namespace {

using testworld::PlayerIndex;
using testworld::World;

constexpr int kSeventyRace = 2;    // 1/1 3R, a 70万下 race
constexpr int kCRace = 14;         // 1/3 5R, a C-class race
constexpr int kBigRace = 39;       // 2/4 5R 早猫賞, A class
constexpr int kYearEndRace = 239;  // 12/4 5R, S class

void book(World& w, const std::vector<int>& cats, int slot) {
  for (int i : cats) w.cat(i).entryRace = static_cast<int16_t>(slot);
}

std::vector<int> range(int from, int to) {
  std::vector<int> v;
  for (int i = from; i <= to; ++i) v.push_back(i);
  return v;
}

std::set<int> finishers(const GameState& s) {
  std::set<int> out;
  for (int16_t i : s.finishOrder)
    if (i >= 0) out.insert(i);
  return out;
}

void scan(GameState& s, bool forward) {
  s.scanFirst = forward ? 0 : s.catCount - 1;
  s.scanLast = forward ? s.catCount - 1 : 0;
  s.scanStep = forward ? 1 : -1;
}

TEST(Field, IsCutToTwelveInScanOrder) {
  for (bool forward : {true, false}) {
    World w;
    const int k = w.weekOf(kSeventyRace);
    scan(w.s(), forward);
    book(w, range(10, 22), kSeventyRace);
    runRace(w.g, k);
    const int cut = forward ? 22 : 10;
    std::vector<int> placed = range(10, 22);
    placed.erase(std::find(placed.begin(), placed.end(), cut));
    EXPECT_EQ(finishers(w.s()), std::set<int>(placed.begin(), placed.end())) << forward;
    EXPECT_EQ(w.s().runnerCount, 12);
    EXPECT_EQ(w.cat(cut).entryRace, -1);
    EXPECT_TRUE(w.ui.messages.empty()) << "a computer cat is cut silently";
    for (const Runner& r : w.s().runners) EXPECT_EQ(r.catIndex, -1);
  }
}

TEST(Field, PlayerCutFromAFullFieldIsExcludedOrFalls) {
  struct Case {
    int constitution;
    double k2Draw;
    double remarkDraw;
    const char16_t* text;
    const char16_t* remark;
    int condition;
  };
  const Case cases[] = {
      {1, 0.99, 0.5, u"頭数オーバーの為\r\n出走除外となりました", u"ユウ怒ってるニャ？・・・タマ悪くないニャ",
       90},
      {5, 0.99, 0.0, u"急な発熱の為\r\n出走を取消しました。", u"死んじゃうニャ　ユウ　助けてニャ・・・", 0},
      // constitution 2 allows k2 = 11 only for the very top of the range.
      {2, 0.9, 0.99, u"頭数オーバーの為\r\n出走除外となりました", u"ユウ勝つ自身があったのに悔しいニャ", 90},
  };
  for (const Case& c : cases) {
    World w;
    const int k = w.weekOf(kSeventyRace);
    scan(w.s(), false);  // the player's cat (index 0) comes last
    w.cat(PlayerIndex).constitution = static_cast<uint8_t>(c.constitution);
    book(w, range(0, 12), kSeventyRace);
    w.rng.script.assign(12, 0.5);  // the draw keys of the twelve placed runners
    w.rng.script.push_back(c.k2Draw);
    w.rng.script.push_back(c.remarkDraw);
    runRace(w.g, k);
    ASSERT_EQ(w.ui.messages.size(), 1u) << c.constitution;
    EXPECT_EQ(w.ui.messages[0].title, u"R3");
    EXPECT_EQ(w.ui.messages[0].text, c.text);
    EXPECT_EQ(w.s().pendingMessage, c.remark);
    EXPECT_EQ(w.cat(PlayerIndex).condition, c.condition);
    EXPECT_EQ(w.cat(PlayerIndex).entryRace, -1);
    EXPECT_EQ(finishers(w.s()).count(PlayerIndex), 0u);
  }
}

TEST(Field, FourRunnersCancelFiveRace) {
  {
    World w;
    const int k = w.weekOf(kSeventyRace);
    scan(w.s(), true);
    book(w, {PlayerIndex, 5, 6, 7}, kSeventyRace);
    w.s().money = 100;
    runRace(w.g, k);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(w.s().resultLines[2][static_cast<size_t>(i)].text, u"中止");
    ASSERT_EQ(w.ui.messages.size(), 1u) << "the player is told once";
    EXPECT_EQ(w.ui.messages[0].text, u"出走頭数が少数の為\r\nレースが中止になりました");
    EXPECT_EQ(w.s().pendingMessage, u"レースに出たかったのに中止になって残念だニャ　　");
    for (int i : {PlayerIndex, 5, 6, 7}) EXPECT_EQ(w.cat(i).entryRace, -1);
    EXPECT_TRUE(finishers(w.s()).empty());
    EXPECT_EQ(w.s().money, 100) << "no fee for a cancelled race";
  }
  {
    World w;
    const int k = w.weekOf(kSeventyRace);
    scan(w.s(), true);
    book(w, {5, 6, 7, 8, 9}, kSeventyRace);
    runRace(w.g, k);
    EXPECT_EQ(finishers(w.s()), (std::set<int>{5, 6, 7, 8, 9}));
    EXPECT_NE(w.s().resultLines[2][1].text, u"中止");
  }
}

TEST(Field, RestingCatsAreDroppedWithANotice) {
  World w;
  const int k = w.weekOf(kSeventyRace);
  scan(w.s(), true);
  book(w, range(20, 25), kSeventyRace);
  w.cat(21).restWeeks = 2;
  runRace(w.g, k);
  ASSERT_EQ(w.ui.messages.size(), 1u);
  EXPECT_EQ(w.ui.messages[0].title, u"R3");
  EXPECT_EQ(w.ui.messages[0].text, u"休養中の為\r\n出走出来ませんでした");
  EXPECT_EQ(w.cat(21).entryRace, -1);
  EXPECT_EQ(finishers(w.s()), (std::set<int>{20, 22, 23, 24, 25}));
}

TEST(Field, PlayerPaysTheFeeAndIsAskedToWatch) {
  World w;
  const int k = w.weekOf(kBigRace);
  scan(w.s(), true);
  book(w, {PlayerIndex, 30, 31, 32, 33, 34}, kBigRace);
  w.s().money = 10;
  w.ui.defaultAnswer = true;
  int watched = 0;
  int32_t moneyAtTheStart = 0;
  w.ui.runWatched = [&](Game& g, int raceNumber) {
    ++watched;
    moneyAtTheStart = g.s.money;
    EXPECT_EQ(raceNumber, k);
    runWatchedRace(g, raceNumber);
  };
  runRace(w.g, k);
  EXPECT_EQ(moneyAtTheStart, -5) << "the fee is charged even into debt";
  ASSERT_EQ(w.ui.messages.size(), 1u);
  EXPECT_EQ(w.ui.messages[0].title, u"R5");
  EXPECT_EQ(w.ui.messages[0].text, u"タマが出走します\r\n御覧になりますか？");
  EXPECT_EQ(watched, 1);
  EXPECT_EQ(finishers(w.s()).size(), 6u);
  EXPECT_FALSE(w.s().raceDone);
}

TEST(Field, TopRacesAreOfferedAndForceTheForwardScan) {
  World w;
  const int k = w.weekOf(kYearEndRace);
  scan(w.s(), false);
  book(w, range(40, 45), kYearEndRace);
  runRace(w.g, k);
  ASSERT_EQ(w.ui.messages.size(), 1u);
  EXPECT_EQ(w.ui.messages[0].text,
            w.s().calendar[kYearEndRace].raceName + u"が開催されます\r\n御覧になりますか？");
  EXPECT_EQ(w.s().scanStep, 1);
  EXPECT_EQ(w.s().scanFirst, 0);
  EXPECT_EQ(w.s().money, 0);

  World low;
  const int k2 = low.weekOf(kCRace);
  scan(low.s(), false);
  book(low, range(40, 45), kCRace);
  runRace(low.g, k2);
  EXPECT_TRUE(low.ui.messages.empty());
  EXPECT_EQ(low.s().scanStep, -1) << "lower classes keep the week's order";
}

TEST(Field, HandicapThenFormScaleTheRunner) {
  World w;
  const int k = w.weekOf(kCRace);
  scan(w.s(), true);
  CatRecord& player = w.cat(PlayerIndex);
  player.catClass = ClassB;  // one class above the race
  player.condition = 80;
  player.speed = 7000;
  player.stamina = 2500;
  player.power = 5000;
  w.s().formCycle[PlayerIndex] = 6;
  CatRecord& plain = w.cat(50);
  plain.catClass = ClassC;
  w.s().formCycle[50] = 2;
  book(w, {PlayerIndex, 50, 51, 52, 53}, kCRace);
  std::vector<Runner> field;
  w.ui.defaultAnswer = true;
  w.ui.runWatched = [&](Game& g, int) { field.assign(g.s.runners.begin(), g.s.runners.begin() + 5); };
  runRace(w.g, k);
  ASSERT_EQ(field.size(), 5u);
  for (size_t i = 0; i + 1 < field.size(); ++i) EXPECT_GE(field[i].drawKey, field[i + 1].drawKey);
  for (const Runner& r : field) {
    EXPECT_GE(r.drawKey, 1);
    EXPECT_LE(r.drawKey, 100);
    if (r.catIndex == PlayerIndex) {
      EXPECT_EQ(r.effort, 6736);  // 7160 x 0.98 = 7017, x 0.96
      EXPECT_EQ(r.staminaLeft, 2822);
      EXPECT_EQ(r.cruise, 4704);
    }
    if (r.catIndex == 50) {
      EXPECT_EQ(r.effort, 2 * plain.condition + plain.speed);
      EXPECT_EQ(r.staminaLeft, cintL(plain.stamina / 5.0 * 6));
      EXPECT_EQ(r.cruise, plain.power);
      EXPECT_EQ(r.styleFlags, plain.styleFlags);
    }
  }
}

// Damaged or extreme records (no stamina, negative condition, flags above 1, classes off the table, odd
// distances) still give a race that ends, with every runner placed and released.
TEST(Field, ExtremeCatsStillFinishTheirRace) {
  for (int seed = 0; seed < 24; ++seed) {
    World w(static_cast<uint64_t>(seed));
    GameRng r = GameRng::fixed(static_cast<uint64_t>(seed) + 1000);
    const auto pick = [&](int lo, int hi) { return lo + intFloorL((hi - lo + 1) * r.uniform()); };
    const int slot = pick(0, 239);
    const int k = w.weekOf(slot);
    if (seed % 3 == 0) w.s().calendar[static_cast<size_t>(slot)].distance = pick(-100, 1200);
    for (int i = 1; i <= 14; ++i) {
      CatRecord& c = w.cat(i);
      c.entryRace = static_cast<int16_t>(slot);
      c.condition = static_cast<int16_t>(pick(-32000, 32000));
      c.speed = pick(-100000, 100000000);
      c.stamina = pick(-100000, 100000000);
      c.power = pick(-100000, 100000000);
      for (auto& f : c.styleFlags) f = static_cast<uint8_t>(pick(0, 255));
      c.age = static_cast<uint8_t>(pick(0, 255));
      c.catClass = static_cast<int16_t>(pick(-3, 12));
      c.constitution = static_cast<uint8_t>(pick(0, 255));
      w.s().formCycle[static_cast<size_t>(i)] = static_cast<uint8_t>(pick(0, 255));
    }
    scan(w.s(), true);
    w.ui.defaultAnswer = seed % 2 == 1;
    w.ui.runWatched = [](Game& g, int raceNumber) { runWatchedRace(g, raceNumber); };
    runRace(w.g, k);
    const std::vector<int> placed = range(1, 12);
    EXPECT_EQ(finishers(w.s()), std::set<int>(placed.begin(), placed.end())) << seed;
    for (int i = 1; i <= 14; ++i) EXPECT_NE(w.cat(i).entryRace, slot) << seed;
  }
}

TEST(Gates, ExchangeOrderIsKeptForEqualKeys) {
  // Keys 3 5 3 5 9 for runners A..E: the exchange procedure gives E D B A C, not a stable order.
  std::array<Runner, MaxRunners> runners{};
  const int keys[] = {3, 5, 3, 5, 9};
  for (int i = 0; i < 5; ++i) {
    runners[static_cast<size_t>(i)].catIndex = static_cast<int16_t>(i);
    runners[static_cast<size_t>(i)].drawKey = static_cast<uint8_t>(keys[i]);
  }
  runners[5].catIndex = 99;
  runners[5].drawKey = 100;  // outside the field: untouched
  orderGates(runners, 5);
  std::vector<int> order;
  for (int i = 0; i < 6; ++i) order.push_back(runners[static_cast<size_t>(i)].catIndex);
  EXPECT_EQ(order, (std::vector<int>{4, 3, 1, 0, 2, 99}));
}

TEST(RankByPrize, MatchesTheExchangeSortRecordForRecord) {
  World w;
  GameState& s = w.s();
  for (int i = 0; i < MaxCats; ++i)
    s.cats[static_cast<size_t>(i)].totalPrize = (i * 37) % 11 * 10;  // many ties
  s.cats[PlayerIndex].totalPrize = 50;
  std::vector<CatRecord> expected(s.cats.begin(), s.cats.begin() + s.catCount);
  for (size_t i = 0; i < expected.size(); ++i)
    for (size_t j = i + 1; j < expected.size(); ++j)
      if (expected[i].totalPrize < expected[j].totalPrize) std::swap(expected[i], expected[j]);
  rankByPrize(w.g);
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), s.cats.begin()));
  EXPECT_EQ(s.cats[static_cast<size_t>(s.playerCat)].owner, 1);
}

// Every pair compared and exchanged, as the week's ranking is defined.
void literalExchangeSort(std::vector<int32_t>& key, std::vector<int>& order) {
  for (size_t i = 0; i < key.size(); ++i)
    for (size_t j = i + 1; j < key.size(); ++j)
      if (key[i] < key[j]) {
        std::swap(key[i], key[j]);
        std::swap(order[i], order[j]);
      }
}

TEST(RankByPrize, FastExchangeSortMovesEqualKeysExactlyAsTheLiteralOne) {
  GameRng rng = GameRng::fixed(5);
  const auto draw = [&](int n) { return static_cast<int32_t>(rng.uniform() * n); };
  const std::vector<std::function<int32_t(int)>> shapes = {
      [&](int) { return draw(4); },                                // few values, many ties
      [&](int) { return draw(100000); },                           // nearly all distinct
      [](int i) { return i; },                                     // rising
      [](int i) { return 1000 - i; },                              // falling
      [](int i) { return i % 7; },                                 // saw teeth
      [&](int i) { return i % 10 == 0 ? 700 + draw(19300) : draw(701); },  // a few rich cats
  };
  for (size_t shape = 0; shape < shapes.size(); ++shape) {
    for (int n : {0, 1, 2, 6, 17, 300, 1000}) {
      std::vector<int32_t> key(static_cast<size_t>(n));
      std::vector<int> order(static_cast<size_t>(n));
      for (int i = 0; i < n; ++i) {
        key[static_cast<size_t>(i)] = shapes[shape](i);
        order[static_cast<size_t>(i)] = i;
      }
      auto expectedKey = key;
      auto expectedOrder = order;
      literalExchangeSort(expectedKey, expectedOrder);
      exchangeSortDescending(key, order);
      EXPECT_EQ(order, expectedOrder) << "shape " << shape << ", " << n << " entries";
      EXPECT_EQ(key, expectedKey);
    }
  }
}

TEST(Registration, AttemptsDrawOnlyWhenTheirPreconditionHolds) {
  World w;
  const int slot = 100;  // 6/1 1R, 100 m
  CatRecord& cat = w.cat(60);
  RaceSlot& race = w.s().calendar[slot];
  cat.age = 1;
  cat.stamina = 1800;
  cat.speed = 6500;
  // A one-year-old: only the sprint attempt may draw.
  w.rng.script = {0.1};
  EXPECT_TRUE(tryRegister(w.g, 60, slot));
  EXPECT_EQ(w.rng.draws, 1);
  EXPECT_EQ(w.rng.reseeds, 1);
  EXPECT_EQ(cat.entryRace, slot);
  EXPECT_EQ(race.raceState, 1);

  World w2;
  CatRecord& older = w2.cat(60);
  RaceSlot& long_ = w2.s().calendar[39];  // 100 m
  older.age = 3;
  older.stamina = 1200;
  older.speed = 7500;
  // The first (long) attempt draws and fails on distance; the second books; the third books again.
  w2.rng.script = {0.1, 0.1, 0.2};
  EXPECT_TRUE(tryRegister(w2.g, 60, 39));
  EXPECT_EQ(w2.rng.draws, 3);
  EXPECT_EQ(long_.raceState, 2);
  EXPECT_EQ(older.entryRace, 39);
}

TEST(Registration, BooksOnlySuitableRacesThreeToSixWeeksAhead) {
  World w;
  w.weekOf(35);  // 2/4 just played
  w.s().registrationPass = 1;
  registerCats(w.g);
  EXPECT_EQ(w.s().registrationPass, 0);
  int booked = 0;
  for (int i = 0; i < w.s().catCount; ++i) {
    const CatRecord& c = w.cat(i);
    if (c.entryRace == -1) continue;
    ++booked;
    EXPECT_GE(c.condition, 45);
    const int start = c.age == 1 ? 15 : c.age == 2 ? 20 : c.age == 3 ? 25 : 30;
    const int ahead = (c.entryRace - 35 + CalendarSize) % CalendarSize;
    EXPECT_GT(ahead, start) << i;
    EXPECT_LE(ahead, start + 60) << i;
    const int rc = w.s().calendar[static_cast<size_t>(c.entryRace)].raceClass;
    if (c.catClass <= ClassS) {
      EXPECT_TRUE(rc == ClassS || rc == ClassA) << i;
    } else if (c.catClass <= ClassC) {
      EXPECT_TRUE(rc == c.catClass || rc == c.catClass + 1) << i;
    } else {
      EXPECT_EQ(rc, c.catClass) << i;
    }
  }
  EXPECT_GT(booked, 300);
  int counted = 0;
  for (const RaceSlot& r : w.s().calendar) counted += r.raceState;
  EXPECT_GE(counted, booked);
}

TEST(Week, RunsFiveRacesAndRanksByPrize) {
  const auto play = [](World& w) {
    w.weekOf(35);
    registerCats(w.g);
    w.weekOf(60);  // 4/1: every booking of the two-year-olds and up lies ahead, some are due
    for (int i = 0; i < 200; ++i) w.cat(i).entryRace = static_cast<int16_t>(60 + i % 5);
    runWeekRaces(w.g);
  };
  World a;
  play(a);
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(a.s().resultLines[static_cast<size_t>(k)][0].text, a.s().calendar[60 + k].raceName);
    EXPECT_EQ(a.s().calendar[60 + k].raceState, 0);
  }
  for (int i = 0; i + 1 < a.s().catCount; ++i) EXPECT_GE(a.cat(i).totalPrize, a.cat(i + 1).totalPrize);
  EXPECT_EQ(a.cat(a.s().playerCat).owner, 1);
  EXPECT_FALSE(a.s().raceDone);
  EXPECT_EQ(a.s().runnerCount, 12);
  EXPECT_EQ(std::count(a.s().finishOrder.begin(), a.s().finishOrder.end(), -1), 0) << "race 5 was run";

  World b;
  play(b);
  EXPECT_TRUE(std::equal(a.s().cats.begin(), a.s().cats.end(), b.s().cats.begin()))
      << "a fixed seed replays the week";
  EXPECT_EQ(a.s().runnerCount, b.s().runnerCount);
}

}  // namespace
}  // namespace polmina
