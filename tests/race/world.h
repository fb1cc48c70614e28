#pragma once
// A populated game for the race tests and benchmarks: 1000 cats (the player's cat at index 0), a
// filled calendar, a headless frontend, and a generator whose next numbers a test can dictate.
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "headless/headless.h"
#include "platform/clock.h"
#include "platform/rng.h"
#include "support/scripted_rng.h"
#include "world/calendar.h"
#include "world/game.h"
#include "world/numbers.h"
#include "world/text.h"

namespace polmina::testworld {

// Gives the scripted numbers first, then a fixed-seed sequence. Counts draws and re-seeds.
inline constexpr int PlayerIndex = 0;

inline std::u16string catName(int i) { return padRight(u"ネコ" + num(i), CatNameLength); }

inline CatRecord computerCat(int i, Rng& rng) {
  const auto pick = [&](int lo, int hi) { return lo + intFloorL((hi - lo + 1) * rng.uniform()); };
  CatRecord c;
  c.owner = static_cast<int16_t>(i + 1);
  c.name = catName(i);
  c.breed = static_cast<uint8_t>(pick(0, 10));
  c.sex = static_cast<uint8_t>(pick(0, 1));
  c.age = static_cast<uint8_t>(pick(1, 8));
  c.peakAge = static_cast<uint8_t>(pick(6, 10));
  c.looks = static_cast<uint8_t>(pick(1, 5));
  c.favouriteTraining = static_cast<uint8_t>(pick(1, 4));
  c.growthType = static_cast<uint8_t>(pick(1, 4));
  c.adultWeight = pick(3000, 5000);
  c.weight = c.adultWeight - pick(0, 300);
  const int first = pick(0, 3);
  c.styleFlags[static_cast<size_t>(first)] = 1;
  c.styleFlags[static_cast<size_t>((first + pick(1, 3)) % 4)] = 1;
  c.powerMax = 6000;
  c.power = pick(4000, 6000);
  c.speedMax = pick(7800, 8200);
  c.speed = pick(6000, 8200);
  c.staminaMax = pick(2500, 3000);
  c.stamina = pick(1000, 3000);
  c.constitution = static_cast<uint8_t>(pick(1, 5));
  c.catClass = static_cast<int16_t>(i % 11 - 1);
  c.condition = static_cast<int16_t>(pick(40, 105));
  c.formCycleLength = static_cast<uint8_t>(pick(1, 5));
  c.entryRace = -1;
  c.totalPrize = c.catClass >= ClassD ? pick(0, 700) : pick(700, 20000);
  c.yearPrize = c.totalPrize / 3;
  c.points = 10000 + pick(-600, 600);
  c.inUse = -1;
  return c;
}

inline CatRecord playerCat() {
  CatRecord c;
  c.owner = 1;
  c.name = padRight(u"タマ", CatNameLength);
  c.age = 2;
  c.peakAge = 15;
  c.growthType = 2;
  c.styleFlags = {1, 1, 0, 0};
  c.powerMax = 6000;
  c.power = 5000;
  c.speedMax = 8100;
  c.speed = 7800;
  c.staminaMax = 3000;
  c.stamina = 2500;
  c.constitution = 1;
  c.catClass = ClassMaiden;
  c.condition = 90;
  c.formCycleLength = 3;
  c.entryRace = -1;
  c.points = 10000;
  c.inUse = -1;
  return c;
}

// Fills a state with the player's cat, 999 computer cats and the calendar of 2001.
inline void populate(GameState& s, uint64_t seed) {
  GameRng rng = GameRng::fixed(seed);
  s.playerName = u"ユウ";
  s.playerCatName = u"タマ";
  s.cats[PlayerIndex] = playerCat();
  for (int i = 1; i < MaxCats; ++i) s.cats[static_cast<size_t>(i)] = computerCat(i, rng);
  for (auto& f : s.formCycle) f = static_cast<uint8_t>(intFloorL(8 * rng.uniform()));
  s.formCycle[PlayerIndex] = 2;
  s.finishOrder.fill(-1);
  s.catCount = MaxCats;
  s.playerCat = PlayerIndex;
  s.retiredCount = 0;
  fillCalendar(s);
}

// A game to run races in. The state lives on the heap (it is large).
struct World {
  std::unique_ptr<GameState> state;
  ScriptedRng rng;
  HeadlessFrontend ui;
  FixedClock clock;
  Game g;

  explicit World(uint64_t seed = 7)
      : state(std::make_unique<GameState>()), rng(seed), g{*state, rng, ui, clock} {
    populate(*state, seed);
  }
  GameState& s() { return *state; }
  CatRecord& cat(int i) { return catAt(*state, i); }
  // Sets the calendar position to the week holding slot `slot`; returns its race number k.
  int weekOf(int slot) {
    state->weekBase = static_cast<uint8_t>(slot - slot % 5);
    state->month = static_cast<uint8_t>(slot / 20 + 1);
    state->week = static_cast<uint8_t>(slot % 20 / 5 + 1);
    return slot % 5 + 1;
  }
};

inline int slotOfDistance(const GameState& s, int distance) {
  for (int i = 0; i < CalendarSize; ++i)
    if (s.calendar[static_cast<size_t>(i)].distance == distance) return i;
  return -1;
}

// Puts cats into the gates as the field builder would, without handicap or form; returns the race
// number k of the first race of that distance, in its week.
inline int field(World& w, int distance, const std::vector<int>& cats) {
  const int k = w.weekOf(slotOfDistance(w.s(), distance));
  GameState& s = w.s();
  for (size_t i = 0; i < cats.size(); ++i) {
    const CatRecord& c = w.cat(cats[i]);
    Runner& r = s.runners[i];
    r = Runner{};
    r.catIndex = static_cast<int16_t>(cats[i]);
    r.effort = 2 * c.condition + c.speed;
    r.cruise = c.power;
    r.staminaLeft = cintL(c.stamina / 5.0 * 6);
    r.styleFlags = c.styleFlags;
    r.breed = c.breed;
  }
  s.runnerCount = static_cast<int32_t>(cats.size());
  return k;
}

inline std::vector<int> twelve() { return {11, 23, 35, 47, 59, 71, 83, 95, 107, 119, 131, 143}; }

}  // namespace polmina::testworld
