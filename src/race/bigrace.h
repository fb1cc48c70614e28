#pragma once
// The big races: invitations of the best-ranked top-class cats and qualification of the first
// finishers of the races that lead up to them.
#include "game/game.h"
#include "race/week.h"

namespace polmina {

// Books the first finishers of the race just run in calendar slot `slot` (s.finishOrder) into the next
// big race, when that race is one of the qualifying races; any other slot does nothing.
void qualify(GameState& s, int slot);

}  // namespace polmina
