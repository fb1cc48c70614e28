#pragma once
#include "game/game.h"

namespace polmina {

// Turns the finishing order of race k (1..5) of the week into its consequences: snapshot, condition,
// prize money, placings, growth, classes, the player's remark, points, starts, qualification, titles.
void finishRace(Game& g, int k, int runnerCount);

}  // namespace polmina
