#pragma once
// The races of the week: each race's field, the viewing question, the race itself, and the order by
// prize afterwards.
#include <cstdint>

#include "world/game.h"

namespace polmina {

// Runs the five races of the current week (slots weekBase .. weekBase + 4), then re-orders by prize.
void runWeekRaces(Game& g);
// Runs race k (1..5) of the week: field, gates, entry fee, the viewing question, the race itself.
void runRace(Game& g, int k);
// Entry fee (万) of a race of the given class when the player's cat runs.
int32_t entryFee(int raceClass);

}  // namespace polmina
