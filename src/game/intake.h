#pragma once
#include "game/game.h"

namespace polmina {

// The yearly crop of new computer cats: indices catCount .. catCount + 199 (0..199 when catCount is 1),
// never past 999; generated unique names, drawn abilities; ends with recountCats.
void intakeNewCats(Game& g);

}  // namespace polmina
