#pragma once
// The field of the race being run and the two race states (watched, unseen). Filled in by the race
// engine; the game state holds them so that every part of the game sees the same race.
#include <cstdint>

namespace polmina {

struct Runner {};

struct RaceState {};

}  // namespace polmina
