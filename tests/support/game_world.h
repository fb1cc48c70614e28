#pragma once
// A game to run procedures on in tests: a fresh state, a random source, a screen and a clock. The
// random source and the screen are chosen by the test (a seeded generator and the headless screen
// unless it says otherwise); the arguments given go to the random source.
#include <cstdint>
#include <memory>
#include <utility>

#include "headless/headless.h"
#include "platform/clock.h"
#include "platform/rng.h"
#include "world/game.h"

namespace polmina {

template <typename R, typename Screen = HeadlessFrontend>
struct TestGame {
  template <typename... Args>
  explicit TestGame(Args&&... rngArgs) : rng(std::forward<Args>(rngArgs)...) {}

  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  GameState& s = *state;
  R rng;
  Screen ui;
  FixedClock clock;
  Game g{s, rng, ui, clock};
};

struct GameWorld : TestGame<GameRng> {
  explicit GameWorld(uint64_t seed = 1) : TestGame(GameRng::fixed(seed)) {}
};

}  // namespace polmina
