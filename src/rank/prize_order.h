#pragma once
// The order of the cat table by career prize, kept after every week's races.
#include <cstdint>
#include <vector>

#include "world/game.h"

namespace polmina {

// Re-orders cats[0 .. catCount-1] by career prize, richest first, and finds the player's cat again.
void rankByPrize(Game& g);
// The exchange sort behind it, largest first, on keys with their table indices beside them.
void exchangeSortDescending(std::vector<int32_t>& key, std::vector<int>& order);

}  // namespace polmina
