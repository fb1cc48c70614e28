#pragma once
// A running game: its state and the services the procedures of the game use.
#include "platform/clock.h"
#include "platform/frontend.h"
#include "platform/rng.h"
#include "world/state.h"

namespace polmina {

struct Game {
  GameState& s;
  Rng& rng;
  Frontend& ui;
  Clock& clock;
};

}  // namespace polmina
