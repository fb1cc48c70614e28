#pragma once
// A random source for tests: hands out scripted values first; when they run out it goes on with a
// fixed-seed sequence, or gives 0, or fails the test, as the test chooses. It counts the draws and
// the re-seeds and logs both in order ('u' a draw, 'R' a re-seed), so a test can check exactly where
// the game draws.
#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/rng.h"

namespace polmina {

class ScriptedRng final : public Rng {
 public:
  enum class WhenEmpty { Seeded, Zero, Fail };

  explicit ScriptedRng(uint64_t seed = 1, WhenEmpty whenEmpty = WhenEmpty::Seeded)
      : whenEmpty(whenEmpty), fallback_(GameRng::fixed(seed)) {}

  // The value that makes Fix(n x rnd) come out as k.
  static double pickOf(int k, int n) { return (k + 0.5) / n; }

  void push(std::initializer_list<double> values) { script.insert(script.end(), values); }

  double uniform() override {
    ++draws;
    log += 'u';
    if (!script.empty()) {
      const double v = script.front();
      script.pop_front();
      return v;
    }
    if (whenEmpty == WhenEmpty::Fail) ADD_FAILURE() << "unplanned random draw #" << draws;
    return whenEmpty == WhenEmpty::Seeded ? fallback_.uniform() : 0.0;
  }

  void reseed() override {
    ++reseeds;
    reseedsAt.push_back(draws);
    log += 'R';
  }

  std::deque<double> script;
  WhenEmpty whenEmpty;
  int draws = 0;
  int reseeds = 0;
  std::vector<int> reseedsAt;  // draws made before each re-seed
  std::string log;

 private:
  GameRng fallback_;
};

}  // namespace polmina
