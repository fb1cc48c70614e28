#pragma once
// The big races: invitations of the best-ranked top-class cats and qualification of the first
// finishers of the races that lead up to them.
#include "world/game.h"

namespace polmina {

// The big-race invitations of the week (the selection committee).
void inviteBigRace(Game& g);

// Books the first finishers of the race just run in calendar slot `slot` (s.finishOrder) into the next
// big race, when that race is one of the qualifying races; any other slot does nothing.
void qualify(GameState& s, int slot);

}  // namespace polmina
