#pragma once
// The race model: a course that scrolls past the screen at a rising rate, runners that gain or lose
// ground against it. The unseen race and the watched race run the same model; the watched one needs
// more progress for each step and places the goal line further on, and keeps the commentary.
#include <string>
#include <string_view>

#include "world/game.h"

namespace polmina {

// The two ways a race is run. raceStates[stateIndex] holds the running race of each.
struct RaceMode {
  int stateIndex;
  double stepThreshold;  // progress needed for one 2-pixel step
  int goalLine;          // screen x of the goal line at the start of the goal section
  bool watched;
};
inline constexpr RaceMode UnseenRace{1, 10.0, 600, false};
inline constexpr RaceMode WatchedRace{0, 15.0, 620, true};

inline constexpr int SectionPixels = 620;
inline constexpr int StartSectionPixels = 100;
inline constexpr int GoalSection = 10;

// What the race window draws while a watched tick runs. Every hook is optional.
class RaceView {
 public:
  virtual ~RaceView() = default;
  // Before the runners move; `allFinished` once the course has stopped.
  virtual void scenery(const RaceState& /*state*/, bool /*allFinished*/) {}
  // A runner after its move, with the pose column 0..5 of its sprite.
  virtual void runner(int /*slot*/, const Runner& /*runner*/, int /*pose*/) {}
  // A line for the message label: commentary or the goal call.
  virtual void message(std::u16string_view /*text*/) {}
  // After the runner loop: the picture is complete.
  virtual void refresh() {}
};

// Sets up all 12 runner slots for race k (1..5) of the week: phase lengths, animation step, lane.
void setUpRunners(Game& g, int k);
// Every placed runner that stands still (animation step 0) starts moving.
void prepareFrames(GameState& s);
// Unseen race: set-up, prepareFrames and the first tick.
void startRace(Game& g, int k);
// One tick of the unseen race; when the race is over it runs the results (finishRace).
void raceTick(Game& g, int k);
// One tick of the watched race; `view` may be null. The caller shows the placings and runs
// finishRace once raceDone is set. A recorded unseen race is shown again with its own rules (mode).
void viewTick(Game& g, int k, RaceView* view = nullptr, const RaceMode& mode = WatchedRace);
// A whole watched race without pauses: set-up, ticks until the end, then finishRace. The race window
// paces the same steps itself; a frontend without a screen can run this instead.
void runWatchedRace(Game& g, int k, RaceView* view = nullptr);

// The runner line of the race window: "3番 ミケ 4才　".
std::u16string runnerCaption(const GameState& s, int slot);

}  // namespace polmina
