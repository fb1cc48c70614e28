#pragma once
#include "world/game.h"

namespace polmina {

// The yearly crop of new computer cats: indices catCount .. catCount + 199 (0..199 when catCount is 1),
// never past 999; generated unique names, drawn abilities; ends with recountCats.
void intakeNewCats(Game& g);

// Zeroes the 1st-3rd place counters of a cat: the three S races, A-class race numbers 0..3 and the B, C
// and D classes. The unplaced counters and those of A-class race number 4 keep their values.
void clearPlacingCounters(CatRecord& c);

}  // namespace polmina
