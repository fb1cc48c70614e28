#pragma once
// A game to run procedures on in tests: a fresh state, a seeded random source, a headless screen.
#include <cstdint>
#include <memory>

#include "headless/headless.h"
#include "platform/clock.h"
#include "platform/rng.h"
#include "world/game.h"

namespace polmina {

struct GameWorld {
  explicit GameWorld(uint64_t seed = 1) : rng(GameRng::fixed(seed)) {}

  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  GameState& s = *state;
  GameRng rng;
  HeadlessFrontend ui;
  FixedClock clock;
  Game g{s, rng, ui, clock};
};

}  // namespace polmina
