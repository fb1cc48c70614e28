#pragma once
// 早送り: whole weeks played one after another with the training as it stands, until a stop of the
// calendar (before the week in which the player's cat runs, before the week of a big race, the change
// of year), a number of weeks, the player's stop, or anything that asked the player. The windows and
// polmina-sim run this one loop.
#include <optional>
#include <string_view>

#include "world/game.h"

namespace polmina {

enum class StopAt {
  Race,     // the player's cat is booked for a race of the current week
  BigRace,  // an A-class race or the year's S race is run this week
  YearEnd,  // the year has just closed: the current week is 1/1
  Target,   // the week of the next target race of the season plan
  Rival,    // the player's cat runs this week in a race a followed cat is entered in
};

// Whether the current week is the week `stop` asks for: a fast-forward stops before it.
// The plan's stops need the season plan; without one they are never reached.
bool isStopWeek(const GameState& s, StopAt stop, SeasonPlanner* plan = nullptr);

// The weeks to play before that stop, as the calendar and the cat's booking stand now: for the year
// end the rest of the year through 12/4; none for a cat that is not booked (its booking comes later).
// For the next target, the weeks to its week; for a followed cat, the weeks to the cat's race when a
// followed cat is entered in it now.
std::optional<int> weeksToStop(const GameState& s, StopAt stop, SeasonPlanner* plan = nullptr);

// polmina-sim's names for the stops: "race", "bigrace", "yearend", "target", "rival".
std::string_view stopName(StopAt stop);

// How far to go: a stop of the calendar, and at most `weeks` weeks (without a stop of the calendar,
// `weeks` weeks are played).
struct FastForwardGoal {
  std::optional<StopAt> until;
  std::optional<int> weeks;
  // "愛猫の出ない重賞は観戦しない": the watch question of a big race the player's cat does not run is
  // answered いいえ beforehand, and the weeks go on.
  bool skipOtherBigRaces = false;
};

enum class StopReason {
  AlreadyThere,  // the game stands at the week asked for: nothing was played
  Reached,       // before the week the stop asks for
  Weeks,         // the number of weeks was played
  Asked,         // something asked the player (a question, a notice, the awards' ＯＫ)
  Stopped,       // the player asked to stop
  Retired,       // the player's cat retired: the game is over
};

struct FastForwardResult {
  StopReason reason = StopReason::Weeks;
  int weeks = 0;          // whole weeks played
  bool weekOpen = false;  // the last week's races ran but the week waits for its close (Asked)
};

// What a face follows of a fast-forward; every hook is optional.
class FastForwardListener {
 public:
  virtual ~FastForwardListener() = default;
  // Week `done` + 1 is about to be played; `total`, the weeks of the whole run as far as they are known.
  virtual void weekBegins(Game& /*g*/, int /*done*/, std::optional<int> /*total*/) {}
  // The week has closed.
  virtual void weekEnded(Game& /*g*/) {}
  // The player's stop: the week that runs is finished, then the fast-forward stops.
  virtual bool stopRequested() { return false; }
};

// Plays weeks towards `goal` through the one week routine. A week whose races asked the player is
// left open (`weekOpen`): the face closes it with closeWholeWeek, as after a clicked "次週".
FastForwardResult fastForward(Game& g, const FastForwardGoal& goal, FastForwardListener& listener);

}  // namespace polmina
