#pragma once
// A recorded race run again: the field as it stood at the gates, the random numbers from where they
// stood, the rules it ran under (an unseen race has its own goal line). Nothing of the running game
// is touched: the race runs in a world of its own.
#include <memory>
#include <string>
#include <vector>

#include "history/recorded.h"
#include "platform/clock.h"
#include "platform/frontend.h"
#include "world/game.h"

namespace polmina {

// A frontend that says no, tells nothing and waits for nothing: the replay's results are not shown.
class SilentFrontend final : public Frontend {
 public:
  bool askYesNo(Question, std::u16string_view, std::u16string_view) override { return false; }
  void tell(Question, std::u16string_view, std::u16string_view) override {}
  void watchRace(Game&, int) override {}
  void pause(double) override {}
};

// The world of one recorded race: its field in cats[0..], its calendar slot, the generator as it stood.
struct ReplayWorld {
  std::unique_ptr<GameState> state;
  GameRng rng;
  int raceNumber = 1;  // k, 1..5
};
ReplayWorld replayWorld(const RecordedRace& race);

// Runs the race again (watched or unseen, as it ran) and gives the names in finishing order.
std::vector<std::u16string> replayRace(const RecordedRace& race);
// The names in the finishing order the history recorded.
std::vector<std::u16string> recordedOrder(const RecordedRace& race);

}  // namespace polmina
