#pragma once
// One whole week, the only way a week is played, by the windows, the fast-forward and polmina-sim
// alike: "次週" (the week's races), the results and their ＯＫ, the close of the week, at the change of
// year the awards and their ＯＫ, then the home view with the cat's remark. What a face does between
// the steps it is asked through the frontend (`weekStep`, `catRemark`); without a screen every step
// returns at once.
#include "world/game.h"

namespace polmina {

// "次週": the face is told the week begins, then the week's races run.
void beginWholeWeek(Game& g);

// The week's second half: the results' ＯＫ, the close of the week and, at the change of year, the
// awards' ＯＫ and the year end. Returns false when the player's cat retired at this year end (the
// game is over; nothing changed after the farewell).
bool closeWholeWeek(Game& g);

// beginWholeWeek and then closeWholeWeek.
bool playWholeWeek(Game& g);

}  // namespace polmina
