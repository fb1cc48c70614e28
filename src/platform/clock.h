#pragma once
// Seconds since midnight, the clock the game's pauses wait on.
namespace polmina {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual double secondsSinceMidnight() = 0;
};

class SystemClock final : public Clock {
 public:
  double secondsSinceMidnight() override;
};

// A clock that stands still unless moved; for tests and the headless tool.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(double seconds = 0) : seconds_(seconds) {}
  double secondsSinceMidnight() override { return seconds_; }
  void advance(double s) { seconds_ += s; }

 private:
  double seconds_;
};

}  // namespace polmina
