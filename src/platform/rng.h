#pragma once
// The game's random numbers: uniform in [0, 1), drawn fresh at each use.
#include <cstdint>

namespace polmina {

class Rng {
 public:
  virtual ~Rng() = default;
  virtual double uniform() = 0;
  // Called exactly where the game re-seeds from the clock.
  virtual void reseed() = 0;
};

// A 64-bit generator (splitmix64-seeded xoshiro256**). Seeded with a fixed number every draw is
// reproducible and reseed() changes nothing; seeded from the clock, reseed() mixes in the clock's
// nanoseconds and never returns to an earlier sequence.
class GameRng final : public Rng {
 public:
  static GameRng fixed(uint64_t seed);
  static GameRng fromClock();

  double uniform() override;
  void reseed() override;

 private:
  GameRng(uint64_t seed, bool deterministic);
  void seed(uint64_t s);
  uint64_t next();

  uint64_t state_[4]{};
  bool deterministic_;
};

}  // namespace polmina
