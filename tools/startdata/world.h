#pragma once
// A world of computer cats that has lived through some seasons, as the start data of a new game.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "world/state.h"

namespace polmina::startdata {

inline constexpr uint64_t DefaultSeed = 20010101;
// Thirty seasons: long enough for the classes to settle into the proportions the year-end cull keeps
// and for the first crops, all of one age, to have left the table.
inline constexpr int DefaultYears = 30;

struct World {
  std::unique_ptr<GameState> state;  // the engine's game at 1/1 of the year after the last season
  std::vector<CatRecord> cats;       // the computer cats in table order (the stand-in left out)
};

// Fills the table with the yearly intake, then plays `years` whole seasons with every question
// answered No. A stand-in player's cat holds cats[0] throughout; it never races and never retires.
World liveSeasons(uint64_t seed, int years);

// What is wrong with the world as start data, or empty when nothing is. Besides a sound record for
// every cat it asks for a lived-in world: every class from S to the new cats has members.
std::string startDataProblem(const World& w);

// The start data file's bytes: the computer cats in records 1..999, the hall in 1000..1100.
std::vector<uint8_t> startDataBytes(const World& w);

// A few lines on the population: cats per class, ages, hall.
std::string census(const World& w);

}  // namespace polmina::startdata
