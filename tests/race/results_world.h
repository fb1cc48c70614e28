#pragma once
// A game whose calendar is filled and whose week can be set to any race, for finishing races in tests.
#include <gtest/gtest.h>

#include <deque>
#include <numeric>
#include <string>
#include <vector>

#include "support/game_world.h"
#include "race/results.h"
#include "support/scripted_rng.h"
#include "world/calendar.h"
#include "world/game.h"
#include "world/text.h"

namespace polmina {

class ResultsWorld : public ::testing::Test, protected TestGame<ScriptedRng> {
 protected:
  ResultsWorld() : TestGame(1, ScriptedRng::WhenEmpty::Zero) {
    fillCalendar(s);
    s.playerName = u"ミナ";
    for (int i = 0; i < 20; ++i) {
      CatRecord& c = s.cats[static_cast<size_t>(i)];
      c.owner = static_cast<int16_t>(i + 2);
      c.name = padRight(u"ネコ" + num(i), CatNameLength);
      c.condition = 80;
      c.catClass = ClassD;
      c.points = 10000;
      c.inUse = -1;
    }
    s.catCount = 20;
  }

  CatRecord& cat(int i) { return catAt(s, i); }
  void makePlayer(int i) { cat(i).owner = 1; }

  // Moves the calendar to the week of `slot`; the gates are the finishing order reversed, so that a
  // mix-up of runner slots and finishing places shows.
  int setUp(int slot, const std::vector<int>& order) {
    s.month = static_cast<uint8_t>(slot / 20 + 1);
    s.week = static_cast<uint8_t>(slot % 20 / 5 + 1);
    s.weekBase = static_cast<uint8_t>(slot - slot % 5);
    s.finishOrder.fill(-1);
    const size_t n = order.size();
    for (size_t i = 0; i < MaxRunners; ++i) s.runners[i].catIndex = -1;
    for (size_t i = 0; i < n; ++i) {
      s.finishOrder[i] = static_cast<int16_t>(order[i]);
      s.runners[i].catIndex = static_cast<int16_t>(order[n - 1 - i]);
      cat(order[i]).entryRace = static_cast<int16_t>(slot);
    }
    return slot % 5 + 1;
  }

  void finish(int slot, const std::vector<int>& order) {
    const int k = setUp(slot, order);
    finishRace(g, k, static_cast<int>(order.size()));
  }

  // Finishing order 0, 1, ..., n - 1.
  static std::vector<int> inOrder(int n) {
    std::vector<int> v(static_cast<size_t>(n));
    std::iota(v.begin(), v.end(), 0);
    return v;
  }
};

}  // namespace polmina
