#pragma once
// A race as the history keeps it: enough to show it in a formbook and to run it again.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rng.h"

namespace polmina {

struct RecordedRunner {
  // The cat as the race model saw it.
  std::u16string name;
  int breed = 0, age = 0, sex = 0, catClass = 0, owner = 0;
  int32_t speed = 0, stamina = 0, power = 0;
  int condition = 0;
  // What identifies the cat across weeks and tables (the name, breed, sex and the two values fixed
  // at its birth).
  int peakAge = 0;
  double adultWeight = 0;
  // The runner as the model runs it.
  int32_t effort = 0, cruise = 0, staminaLeft = 0;
  std::array<uint8_t, 4> styleFlags{};
  int place = 0;      // 1-based; 0 when it did not finish
  int32_t prize = 0;  // what it earned in this race
};

struct RecordedRace {
  int64_t id = 0;
  int year = 0, month = 0, week = 0;
  int slot = 0;  // calendar slot; the race number of its week is slot % 5 + 1
  std::u16string raceName;
  int raceClass = 0, distance = 0;
  int32_t slotPrize = 0;
  bool watched = false;
  bool replayable = false;
  RngSnapshot rng;
  std::vector<uint64_t> clock;        // the clock readings the race mixed into its random numbers
  std::vector<RecordedRunner> field;  // in gate order
};

}  // namespace polmina
