#pragma once
// One whole week as the main window runs it when every box is answered at once: "次週", the results
// panel's "OK" and, at the change of year, the awards' "OK".
#include "world/game.h"

namespace polmina {

// The week's second half: the results panel's "OK" and, at the change of year, the awards' "OK".
// Returns false when the player's cat retired at this year end.
bool closeWholeWeek(Game& g);

// "次週" and then closeWholeWeek. Returns false when the player's cat retired at this year end (the game is over; nothing changed after
// the farewell).
bool playWholeWeek(Game& g);

}  // namespace polmina
