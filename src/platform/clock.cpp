#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace polmina {

double SystemClock::secondsSinceMidnight() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const auto sub = std::chrono::duration<double>(now - std::chrono::system_clock::from_time_t(t)).count();
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + sub;
}

}  // namespace polmina
