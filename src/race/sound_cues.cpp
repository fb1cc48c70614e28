#include "race/sound_cues.h"

#include <algorithm>
#include <array>

#include "race/model.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr std::array<const char*, static_cast<size_t>(Sound::Count)> kSoundFiles = {
    "gate.wav",   "start.wav",  "fanfare-a.wav", "fanfare-s.wav", "paws.wav",   "crowd.wav",
    "cheer.wav",  "finish.wav", "win.wav",       "place.wav",     "awards.wav", "new-title.wav",
    "retire.wav", "paper.wav",  "click.wav",     "stopped.wav"};

// The paws sound every other frame at most: a frame is 10 to 200 ms, and a denser patter is a hum.
constexpr int kPawEvery = 2;

int runnersFinished(const GameState& s) {
  int n = 0;
  for (int i = 0; i < std::clamp(s.runnerCount, 0, MaxRunners); ++i)
    if (s.runners[static_cast<size_t>(i)].finished != 0) ++n;
  return n;
}

// Pixels between the winner and the one behind it when the winner crossed the line.
int winningMargin(const GameState& s, int winnerSlot) {
  const int32_t first = s.runners[static_cast<size_t>(winnerSlot)].position;
  int32_t second = 0;
  for (int i = 0; i < std::clamp(s.runnerCount, 0, MaxRunners); ++i)
    if (i != winnerSlot && s.runners[static_cast<size_t>(i)].catIndex >= 0)
      second = std::max(second, s.runners[static_cast<size_t>(i)].position);
  return std::max(0, first - second);
}

int slotOf(const GameState& s, int catIndex) {
  for (int i = 0; i < MaxRunners; ++i)
    if (s.runners[static_cast<size_t>(i)].catIndex == catIndex && catIndex >= 0) return i;
  return -1;
}

}  // namespace

const char* soundFileName(Sound sound) { return kSoundFiles.at(static_cast<size_t>(sound)); }

const char* tuneFileName(Tune tune) { return tune == Tune::Title ? "title-theme.wav" : "home-loop.wav"; }

RaceCues::RaceCues(const GameState& s, int k) {
  const RaceSlot& slot = slotAt(s, s.weekBase + k - 1);
  bigness_ = slot.raceClass <= ClassS ? 1.0 : slot.raceClass == ClassA ? 0.6 : 0.0;
  field_ = 0;
  for (int i = 0; i < std::clamp(s.runnerCount, 0, MaxRunners); ++i)
    if (s.runners[static_cast<size_t>(i)].catIndex >= 0) ++field_;
  title_ = slot.raceClass <= ClassS ? Sound::FanfareS : Sound::FanfareA;
  fanfare_ = slot.raceClass <= ClassA;
}

std::vector<Cue> RaceCues::title() const {
  if (!fanfare_) return {};
  return {{title_, 1.0}};
}

std::vector<Cue> RaceCues::gate() const { return {{Sound::Gate, 0.9}}; }

std::vector<Cue> RaceCues::start() const { return {{Sound::Start, 1.0}}; }

std::vector<Cue> RaceCues::frame(const GameState& s, const RaceState& st) {
  std::vector<Cue> cues;
  frames_ += 1;
  const int finished = runnersFinished(s);
  const bool running = finished < field_;
  // A full field at top speed patters loudest; a small one trotting off after the line, softest.
  if (running && frames_ % kPawEvery == 0 && field_ > 0) {
    const double pace = std::clamp(st.scroll / 180.0, 0.3, 1.0);
    cues.push_back({Sound::Paws, std::clamp(0.25 + 0.05 * field_, 0.3, 0.85) * pace});
  }
  if (!crowdCalled_ && st.sectionIndex == GoalSection && running) {
    crowdCalled_ = true;
    cues.push_back({Sound::Crowd, 0.55 + 0.45 * bigness_});
  }
  if (finished_ == 0 && finished > 0) {
    const int winner = slotOf(s, s.finishOrder[0]);
    // Within a length (about a cat's sprite) the stands roar; a runaway win gets polite applause.
    const double close = winner < 0 ? 0.0 : 1.0 - std::clamp(winningMargin(s, winner) / 48.0, 0.0, 1.0);
    cues.push_back({Sound::Finish, 1.0});
    cues.push_back({Sound::Cheer, std::clamp(0.45 + 0.3 * close + 0.25 * bigness_, 0.0, 1.0)});
  }
  finished_ = finished;
  return cues;
}

std::vector<Cue> RaceCues::result(const GameState& s) const {
  for (int place = 0; place < 3; ++place) {
    const int cat = s.finishOrder[static_cast<size_t>(place)];
    if (cat < 0) continue;
    if (trim(catAt(s, cat).name) != s.playerCatName) continue;
    return {{place == 0 ? Sound::Win : Sound::Place, 1.0}};
  }
  return {};
}

bool TitleWatch::newTitle(const GameState& s) {
  const int title = catAt(s, s.playerCat).title;
  const bool earned = cat_ == s.playerCatName && title != title_ && title != 0;
  cat_ = s.playerCatName;
  title_ = title;
  return earned;
}

}  // namespace polmina
