#pragma once
#include <array>
#include <cstdint>

#include "game/game.h"

namespace polmina {

// After the race of `slot` its first finishers (cats indices in finishing order, -1 = none) are entered
// for the next big race.
void qualify(Game& g, int slot, const std::array<int16_t, MaxRunners>& finishOrder);

}  // namespace polmina
