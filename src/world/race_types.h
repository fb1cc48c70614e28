#pragma once
// The field of the race being run and the two race states (watched, unseen). The game state holds
// them so that every part of the game sees the same race.
#include <array>
#include <cstdint>
#include <string>

namespace polmina {

inline constexpr int MaxRunners = 12;

// One runner of the race being run.
struct Runner {
  int16_t catIndex = -1;  // index into cats; -1 = empty slot
  int32_t position = 0;   // course pixels from the start
  int32_t laneY = 0;
  int32_t effort = 0;
  int32_t cruise = 0;
  int32_t staminaLeft = 0;
  std::array<uint8_t, 4> styleFlags{};
  int32_t phaseEnd1 = 0;
  int32_t phaseEnd2 = 0;
  int32_t lateWindow = 0;
  int32_t finalWindow = 0;
  uint8_t animFrame = 0;
  uint8_t breed = 0;
  int16_t finished = 0;  // -1 once past the goal
  uint8_t drawKey = 0;   // 1..100, decides the gate order

  bool operator==(const Runner&) const = default;
};

// The running race. raceStates[0] is the watched race, raceStates[1] the unseen one; all zero before a
// race and again after it.
struct RaceState {
  std::u16string leaderText;
  int32_t leaderSlot = 0;
  int32_t lastFinisher = 0;
  int32_t commentaryStep = 0;
  std::array<double, MaxRunners> accum{};
  int32_t finishedCount = 0;
  int32_t sections = 0;
  int32_t scroll = 0;
  int32_t backScroll = 0;
  int32_t tickCount = 0;
  int32_t sectionPos = 0;
  int32_t sectionIndex = 0;
  int16_t announced = 0;
  std::array<double, MaxRunners> pace{};

  bool operator==(const RaceState&) const = default;
};


}  // namespace polmina
