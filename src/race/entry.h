#pragma once
#include <cstdint>
#include <vector>
// Race entry: the weekly registration programme and the building of each race's field.
#include <cstdint>
#include <span>

#include "game/game.h"
#include "race/week.h"

namespace polmina {

inline constexpr int MinRunners = 5;

// Up to three attempts to book cat `cat` into calendar slot `slot`; true when one of them booked it.
// Re-seeds the generator first.
bool tryRegister(Game& g, int cat, int slot);
// Runs race k (1..5) of the week: field, gates, entry fee, the viewing question, the race itself.
void runRace(Game& g, int k);
// Puts the first n runners into gate order: the larger draw key gets the earlier gate.
void orderGates(std::span<Runner> runners, int n);
// Entry fee (万) of a race of the given class when the player's cat runs.
int32_t entryFee(int raceClass);
// Re-orders cats[0 .. catCount-1] by career prize, richest first, and finds the player's cat again.
void rankByPrize(Game& g);
// The exchange sort behind it, largest first, on keys with their table indices beside them.
void exchangeSortDescending(std::vector<int32_t>& key, std::vector<int>& order);

}  // namespace polmina
