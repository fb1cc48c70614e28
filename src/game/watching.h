#pragma once
// Which watch questions a player may answer before they are asked: 早送り's "愛猫の出ない重賞は観戦しない"
// answers いいえ to the question of a big race the player's cat does not run, and the weeks go on.
#include "world/state.h"

namespace polmina {

// True while the race being held is a big race (class S or A) without the player's cat: the only
// question of the game asked then is whether to watch it.
bool bigRaceWithoutPlayerCat(const GameState& s);

}  // namespace polmina
