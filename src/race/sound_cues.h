#pragma once
// What the race and the game sound like, worked out from the race's own frames: which sound starts on
// which frame and how loud. A face plays the cues; nothing here touches a device, and nothing here
// changes the race (the cues only read the state the ticks leave behind).
#include <cstdint>
#include <string>
#include <vector>

#include "world/game.h"

namespace polmina {

// Every sound of the game, each one file of the sound folder.
enum class Sound : uint8_t {
  Gate,
  Start,
  FanfareA,
  FanfareS,
  Paws,
  Crowd,
  Cheer,
  Finish,
  Win,
  Place,
  Awards,
  NewTitle,
  Retire,
  Paper,
  Click,
  Stopped,
  Count
};
// The two tunes.
enum class Tune : uint8_t { Title, Home };

// "gate.wav", "title-theme.wav" ...: the file names the generator writes and the game loads.
const char* soundFileName(Sound sound);
const char* tuneFileName(Tune tune);

// One sound to start now, at `volume` (0..1) of the effects' level.
struct Cue {
  Sound sound;
  double volume;
  bool operator==(const Cue&) const = default;
};

// The cues of one watched race, asked frame by frame by whoever paces it.
class RaceCues {
 public:
  // Race k (1..5) of the week, its field already set up.
  RaceCues(const GameState& s, int k);
  // While the race's name shows: the fanfare of an A-class race or the S race, else nothing.
  std::vector<Cue> title() const;
  // The field is in the gate; the gate opens.
  std::vector<Cue> gate() const;
  std::vector<Cue> start() const;
  // After each tick of the race: the paws, the crowd as the goal comes in sight, the winner's finish
  // with a cheer that is louder the closer the second was.
  std::vector<Cue> frame(const GameState& s, const RaceState& st);
  // Once the placings are out: a jingle when the player's cat won or placed, nothing when it lost.
  std::vector<Cue> result(const GameState& s) const;

 private:
  double bigness_;  // 0 an everyday race .. 1 the S race
  Sound title_;
  bool fanfare_;
  int field_;
  int frames_ = 0;
  int finished_ = 0;
  bool crowdCalled_ = false;
};

// The player's cat's title, week by week: true once when it has earned a new one (never for the first
// look at a cat, a loaded game's included).
class TitleWatch {
 public:
  bool newTitle(const GameState& s);

 private:
  std::u16string cat_;
  int title_ = 0;
};

}  // namespace polmina
