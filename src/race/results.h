#pragma once
#include <cstdint>

#include "world/game.h"

namespace polmina {

// Turns the finishing order of race k (1..5) of the week into its consequences: snapshot, condition,
// prize money, placings, growth, classes, the player's remark, points, starts, qualification, titles.
// Reads finishOrder, runners and the race's calendar slot (weekBase + k - 1).
void finishRace(Game& g, int k, int runnerCount);

// Counts one placing of a cat in the counters of the race `slot`; placing 1..3, 4 = any worse place.
// Only the year's closing race, the A-class big races and the B, C and D races are counted.
void recordPlacing(GameState& s, int slot, CatRecord& cat, int placing);

// The title a cat's placing counters earn, or -1 when none applies (the cat then keeps its title).
int earnedTitle(const CatRecord& cat);

// Change of a cat's points for place p (1 = winner) in a race of class raceClass.
int32_t pointsChange(int raceClass, int place);

// The week's result panel. Background of a race line by the race's class.
uint32_t raceLineBackground(int raceClass);
// Element 0 of race k: the race's name on its class colour.
void showRaceLine(GameState& s, int k);
// Elements 1..3 of race k read "中止".
void showRaceCancelled(GameState& s, int k);
// Elements 1..3 of every race emptied and black again, for the next week.
void clearPlacedLines(GameState& s);

}  // namespace polmina
