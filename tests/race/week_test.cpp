#include "race/week.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "race/entry.h"
#include "race/model.h"
#include "race/world.h"
#include "support/same_state.h"

namespace polmina {
namespace {

using testworld::PlayerIndex;
using testworld::World;

constexpr int kCupWeek = 35;  // 2/4: races 35..39, the last one 早猫賞 (A class, qualifies for 79)
constexpr int kCup = 39;
constexpr int kCupTarget = 79;

// A season's registrations up to the cup week, then the cup week itself. The player's cat is booked
// into the cup (the last race, so its finishing order is the one left when the week is over) and
// watches it; one race gets too few runners, one too many.
struct CupWeek {
  World w;
  std::map<std::u16string, int> bookedFor;  // name -> slot of this week, before the races
  int32_t moneyBefore = 0;

  explicit CupWeek(uint64_t seed) : w(seed) {
    for (int base = 0; base < kCupWeek; base += 5) {
      w.weekOf(base + 4);
      registerCats(w.g);
    }
    w.weekOf(kCupWeek);
    GameState& s = w.s();
    findPlayerCat(s);
    int four = 0, crowd = 0;
    for (int i = 0; i < s.catCount; ++i) {
      CatRecord& c = w.cat(i);
      if (c.entryRace == 36) c.entryRace = four++ < 4 ? 36 : -1;
      if (c.entryRace == -1 && c.owner != 1 && c.catClass == s.calendar[37].raceClass && crowd < 15) {
        c.entryRace = 37;
        ++crowd;
      }
    }
    // The cup is filled in forward order; first in the table, the player's cat is sure of its place.
    std::swap(s.cats[0], s.cats[static_cast<size_t>(s.playerCat)]);
    s.playerCat = 0;
    w.cat(0).entryRace = kCup;
    for (int i = 0; i < s.catCount; ++i) {
      const CatRecord& c = w.cat(i);
      if (c.entryRace >= kCupWeek && c.entryRace < kCupWeek + 5) bookedFor[c.name] = c.entryRace;
    }
    s.money = 1000;
    moneyBefore = s.money;
    w.ui.defaultAnswer = true;
    w.ui.runWatched = [](Game& g, int k) { runWatchedRace(g, k); };
    runWeekRaces(w.g);
  }
};

TEST(WholeWeek, ReplaysExactlyFromTheSameSeed) {
  CupWeek a(11), b(11);
  expectSameState(a.w.s(), b.w.s());
  ASSERT_EQ(a.w.ui.messages.size(), b.w.ui.messages.size());
  for (size_t i = 0; i < a.w.ui.messages.size(); ++i) {
    EXPECT_EQ(a.w.ui.messages[i].title, b.w.ui.messages[i].title);
    EXPECT_EQ(a.w.ui.messages[i].text, b.w.ui.messages[i].text);
  }
  EXPECT_EQ(a.w.rng.draws, b.w.rng.draws);
  EXPECT_EQ(a.w.rng.reseeds, b.w.rng.reseeds);
}

TEST(WholeWeek, EveryRaceIsRunOrCancelledAndEveryRunnerIsFree) {
  CupWeek t(11);
  const GameState& s = t.w.s();
  ASSERT_GE(t.bookedFor.size(), 20u);

  std::set<std::u16string> placedNames;
  int cancelled = 0;
  for (int k = 1; k <= 5; ++k) {
    const auto& lines = s.resultLines[static_cast<size_t>(k - 1)];
    EXPECT_EQ(lines[0].text, s.calendar[static_cast<size_t>(kCupWeek + k - 1)].raceName);
    EXPECT_EQ(s.calendar[static_cast<size_t>(kCupWeek + k - 1)].raceState, 0);
    if (lines[1].text == u"中止") {
      ++cancelled;
      EXPECT_EQ(lines[2].text, u"中止");
      EXPECT_EQ(lines[3].text, u"中止");
      continue;
    }
    for (size_t e = 1; e <= 3; ++e) {
      ASSERT_EQ(t.bookedFor.count(lines[e].text), 1u) << "race " << k << " placed an unbooked cat";
      EXPECT_EQ(t.bookedFor.at(lines[e].text), kCupWeek + k - 1);
      placedNames.insert(lines[e].text);
    }
  }
  EXPECT_EQ(cancelled, 1) << "only the race with four runners is called off";
  EXPECT_EQ(s.resultLines[1][1].text, u"中止");

  // Nobody is left booked for a race of the week; only the cup's first three move on to 桜猫賞.
  std::map<std::u16string, const CatRecord*> byName;
  for (int i = 0; i < s.catCount; ++i)
    byName[s.cats[static_cast<size_t>(i)].name] = &s.cats[static_cast<size_t>(i)];
  int movedOn = 0;
  for (const auto& [name, slot] : t.bookedFor) {
    const CatRecord& c = *byName.at(name);
    if (slot == kCup && c.entryRace == kCupTarget) {
      ++movedOn;
      continue;
    }
    EXPECT_EQ(c.entryRace, -1) << toUtf8(name) << " was booked for " << slot;
  }
  EXPECT_EQ(movedOn, 3);
  for (const auto& [name, cat] : byName)
    EXPECT_FALSE(cat->entryRace >= kCupWeek && cat->entryRace < kCupWeek + 5);
  for (const Runner& r : s.runners) EXPECT_EQ(r.catIndex, -1);
  EXPECT_FALSE(s.raceDone);
  EXPECT_EQ(s.raceStates[0], RaceState{});
  EXPECT_EQ(s.raceStates[1], RaceState{});

  // The crowded race turned three computer cats away without a word.
  int crowd = 0;
  for (const auto& [name, slot] : t.bookedFor) crowd += slot == 37;
  EXPECT_GE(crowd, 15);
  for (const MessageRecord& m : t.w.ui.messages)
    EXPECT_EQ(m.text.find(u"頭数オーバー"), std::u16string::npos);
}

TEST(WholeWeek, MoneyMovesByThePlayersFeeAndPrizeOnly) {
  for (uint64_t seed : {11u, 12u, 13u}) {
    CupWeek t(seed);
    const GameState& s = t.w.s();
    // The cup is the last race: its finishing order and snapshots are still there.
    int place = 0;
    for (int i = 0; i < MaxRunners; ++i)
      if (s.finishOrder[static_cast<size_t>(i)] != -1 && s.raceSnapshot[static_cast<size_t>(i)].owner == 1)
        place = i + 1;
    ASSERT_GE(place, 1) << "the player's cat ran the cup";
    const int32_t prize = s.calendar[kCup].prize;
    const int purse[] = {1, 3, 5, 8, 10};
    const int32_t won = place <= 5 ? cintL(double(prize) / purse[place - 1]) : 0;
    EXPECT_EQ(s.money, t.moneyBefore - entryFee(ClassA) + won) << "seed " << seed << ", place " << place;
    // It was asked once and watched; nobody else was asked about the lower races.
    int asked = 0;
    for (const MessageRecord& m : t.w.ui.messages)
      if (m.answer) asked += m.text == u"タマが出走します\r\n御覧になりますか？";
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(t.w.cat(s.playerCat).owner, 1);
  }
}

}  // namespace
}  // namespace polmina
