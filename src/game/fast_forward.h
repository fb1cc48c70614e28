#pragma once
// Where a fast-forward stops: before the week in which the player's cat runs, before the week of a
// big race, or at the change of year. The windows and polmina-sim ask the same questions.
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
bool isStopWeek(GameState& s, StopAt stop, SeasonPlanner* plan = nullptr);

// The weeks to play before that stop, as the calendar and the cat's booking stand now: for the year
// end the rest of the year through 12/4; none for a cat that is not booked (its booking comes later).
// For the next target, the weeks to its week; for a followed cat, the weeks to the cat's race when a
// followed cat is entered in it now.
std::optional<int> weeksToStop(GameState& s, StopAt stop, SeasonPlanner* plan = nullptr);

// polmina-sim's names for the stops: "race", "bigrace", "yearend", "target", "rival".
std::string_view stopName(StopAt stop);

}  // namespace polmina
