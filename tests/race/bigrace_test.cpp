#include "race/bigrace.h"

#include <gtest/gtest.h>

#include <vector>

#include "race/world.h"

namespace polmina {
namespace {

using testworld::World;

// Makes exactly the given owners eligible (class A, active), with points rising in the given order.
void eligible(World& w, const std::vector<int>& owners) {
  for (int i = 0; i < w.s().catCount; ++i) {
    CatRecord& c = w.cat(i);
    c.catClass = ClassB;
    c.points = 20000 + i;
  }
  int points = 100;
  for (int owner : owners) {
    for (int i = 0; i < w.s().catCount; ++i) {
      CatRecord& c = w.cat(i);
      if (c.owner != owner) continue;
      c.catClass = ClassA;
      c.points = points++;
    }
  }
}

std::vector<int> ownersBookedFor(World& w, int slot) {
  std::vector<int> out;
  for (int i = 0; i < w.s().catCount; ++i)
    if (w.cat(i).entryRace == slot) out.push_back(w.cat(i).owner);
  return out;
}

void atWeek(World& w, int month, int week) {
  w.s().month = static_cast<uint8_t>(month);
  w.s().week = static_cast<uint8_t>(week);
  w.s().weekBase = static_cast<uint8_t>((month - 1) * 20 + (week - 1) * 5);
}

TEST(Invitations, OnlyInTheLastWeekOfOddMonths) {
  for (auto [month, week] : {std::pair{2, 4}, std::pair{1, 3}, std::pair{12, 4}}) {
    World w;
    eligible(w, {10, 11, 12, 13, 14, 15, 16});
    atWeek(w, month, week);
    const GameState before = w.s();
    inviteBigRace(w.g);
    EXPECT_TRUE(w.s().cats == before.cats) << month << "/" << week;
  }
}

TEST(Invitations, JanuaryInvitesTheBestSixAndCountsBookedCats) {
  World w;
  // The player's cat (owner 1) ranks first and is skipped; a retired cat and an S cat are examined too.
  eligible(w, {1, 20, 21, 22, 23, 24, 25, 26, 27});
  w.cat(20).retired = -1;    // owner 21
  w.cat(21).entryRace = 39;  // owner 22, already booked: invited again and counted
  atWeek(w, 1, 4);
  inviteBigRace(w.g);
  EXPECT_EQ(ownersBookedFor(w, 39), (std::vector<int>{20, 22, 23, 24, 25, 26}));
  EXPECT_EQ(w.cat(w.s().playerCat).owner, 1);
  EXPECT_EQ(w.s().playerCat, 0) << "lowest points first";
  EXPECT_TRUE(w.ui.messages.empty());
}

TEST(Invitations, LaterMonthsSkipCatsAlreadyQualified) {
  World w;
  eligible(w, {30, 31, 32, 33, 34, 35, 36, 37});
  w.cat(30).entryRace = 79;  // owner 31, qualified earlier
  w.cat(32).entryRace = 12;  // owner 33: its other booking is replaced
  atWeek(w, 3, 4);
  inviteBigRace(w.g);
  EXPECT_EQ(ownersBookedFor(w, 79), (std::vector<int>{30, 31, 32, 33, 34, 35, 36}));
}

TEST(Invitations, FewEligibleCatsAreAllInvited) {
  World w;
  eligible(w, {40, 41, 42});
  atWeek(w, 5, 4);
  inviteBigRace(w.g);
  EXPECT_EQ(ownersBookedFor(w, 119), (std::vector<int>{40, 41, 42}));
}

TEST(Invitations, TheCommitteeAsksThePlayer) {
  std::vector<int> owners = {1};
  for (int o = 50; o < 63; ++o) owners.push_back(o);
  for (bool yes : {true, false}) {
    World w;
    eligible(w, owners);
    w.cat(0).entryRace = 200;
    atWeek(w, 11, 4);
    w.ui.script = {yes};
    inviteBigRace(w.g);
    ASSERT_EQ(w.ui.messages.size(), 1u);
    EXPECT_EQ(w.ui.messages[0].title, u"審査会");
    EXPECT_EQ(w.ui.messages[0].text, u"タマが『３大大会』に選ばれました\r\n出走しますか？");
    const std::vector<int> booked = ownersBookedFor(w, 239);
    std::vector<int> expected(owners.begin() + (yes ? 0 : 1), owners.begin() + (yes ? 12 : 13));
    EXPECT_EQ(booked, expected) << yes;
    EXPECT_EQ(w.cat(w.s().playerCat).entryRace, yes ? 239 : 200);
  }
}

TEST(Qualification, FirstFinishersMoveOnToTheNextBigRace) {
  struct Case {
    int slot;
    int places;
    int target;
  };
  for (const Case& c : {Case{19, 2, 29}, Case{39, 3, 79}, Case{139, 2, 159}, Case{199, 2, 239},
                        Case{20, 0, -1}, Case{239, 0, -1}}) {
    World w;
    for (int p = 0; p < 12; ++p) w.s().finishOrder[static_cast<size_t>(p)] = static_cast<int16_t>(100 + p);
    qualify(w.s(), c.slot);
    for (int p = 0; p < 12; ++p)
      EXPECT_EQ(w.cat(100 + p).entryRace, p < c.places ? c.target : -1) << c.slot << " place " << p + 1;
  }
}

}  // namespace
}  // namespace polmina
