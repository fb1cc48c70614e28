#pragma once
#include "game/game.h"

namespace polmina {

// The registration programme of the week: books free, fit cats into races three to six weeks ahead.
void registerCats(Game& g);
// Runs the five races of the current week (slots weekBase .. weekBase + 4), then re-orders by prize.
void runWeekRaces(Game& g);
// The big-race invitations of the week (the selection committee).
void inviteBigRace(Game& g);

}  // namespace polmina
