#pragma once
// The game's random numbers: uniform in [0, 1), drawn fresh at each use.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace polmina {

// What it takes to draw the same numbers again: the generator's words, and whether reseed() mixes in
// the clock (then the clock readings it mixed in are needed as well).
struct RngSnapshot {
  std::array<uint64_t, 4> words{};
  bool mixesClock = false;
};

class Rng {
 public:
  virtual ~Rng() = default;
  virtual double uniform() = 0;
  // Called exactly where the game re-seeds from the clock.
  virtual void reseed() = 0;
  // The generator's state, when it can be taken; a stand-in generator of a test has none.
  virtual std::optional<RngSnapshot> snapshot() const { return std::nullopt; }
  // While `tape` is set, every clock reading reseed() mixes in is appended to it (null stops).
  virtual void recordClock(std::vector<uint64_t>* /*tape*/) {}
};

// A 64-bit generator (splitmix64-seeded xoshiro256**). Seeded with a fixed number every draw is
// reproducible and reseed() changes nothing; seeded from the clock, reseed() mixes in the clock's
// nanoseconds and never returns to an earlier sequence.
class GameRng final : public Rng {
 public:
  static GameRng fixed(uint64_t seed);
  static GameRng fromClock();
  // Draws again what a generator drew from `start`: reseed() takes its clock readings from `clock`, in
  // order (zero once they run out).
  static GameRng replaying(const RngSnapshot& start, std::vector<uint64_t> clock);

  double uniform() override;
  void reseed() override;
  std::optional<RngSnapshot> snapshot() const override;
  void recordClock(std::vector<uint64_t>* tape) override { tape_ = tape; }

 private:
  GameRng(uint64_t seed, bool deterministic);
  void seed(uint64_t s);
  uint64_t next();

  uint64_t state_[4]{};
  bool deterministic_;
  std::vector<uint64_t>* tape_ = nullptr;
  std::optional<std::vector<uint64_t>> replayClock_;
  size_t replayNext_ = 0;
};

}  // namespace polmina
