#include "game/fast_forward.h"

#include "game/plan.h"
#include "world/state.h"

namespace polmina {

namespace {

constexpr int kWeeks = CalendarSize / 5;

bool catRunsThisWeek(GameState& s) {
  findPlayerCat(s);
  const int booked = catAt(s, s.playerCat).entryRace;
  return booked >= s.weekBase && booked <= s.weekBase + 4;
}

// Week `w` (0 .. 47) of the calendar holds an A-class race or the S race.
bool bigRaceInWeek(const GameState& s, int w) {
  for (int k = 0; k < 5; ++k) {
    const int cls = slotAt(s, w * 5 + k).raceClass;
    if (cls == ClassS || cls == ClassA) return true;
  }
  return false;
}

bool bigRaceThisWeek(const GameState& s) { return bigRaceInWeek(s, s.weekBase / 5); }

// The weeks to the week of the next target: 0 when it is this week's (it counts from this week on).
std::optional<int> nextTargetIn(const GameState& s, SeasonPlanner& plan) {
  for (const TargetRace& t : plan.history().targets(s))
    // A target missed this week still stops the fast-forward at its week.
    if (const int w = weeksUntil(s, t.year, t.slot); w == 0 || (w > 0 && !t.missed)) return w;
  return std::nullopt;
}

}  // namespace

bool isStopWeek(GameState& s, StopAt stop, SeasonPlanner* plan) {
  switch (stop) {
    case StopAt::Race:
      return catRunsThisWeek(s);
    case StopAt::BigRace:
      return bigRaceThisWeek(s);
    case StopAt::YearEnd:
      return s.month == 1 && s.week == 1;
    case StopAt::Target:
      return plan && nextTargetIn(s, *plan) == 0;
    case StopAt::Rival:
      return plan && catRunsThisWeek(s) && plan->rivalInCatsRace(s);
  }
  return false;
}

std::optional<int> weeksToStop(GameState& s, StopAt stop, SeasonPlanner* plan) {
  const int now = s.weekBase / 5;
  switch (stop) {
    case StopAt::Race: {
      findPlayerCat(s);
      const int booked = catAt(s, s.playerCat).entryRace;
      if (booked < 0) return std::nullopt;
      return (booked / 5 - now + kWeeks) % kWeeks;
    }
    case StopAt::BigRace:
      for (int d = 0; d < kWeeks; ++d)
        if (bigRaceInWeek(s, (now + d) % kWeeks)) return d;
      return std::nullopt;
    case StopAt::YearEnd:
      return kWeeks - now;
    case StopAt::Target:
      return plan ? nextTargetIn(s, *plan) : std::nullopt;
    case StopAt::Rival: {
      if (!plan) return std::nullopt;
      const std::optional<int> race = weeksToStop(s, StopAt::Race);
      return race && plan->rivalInCatsRace(s) ? race : std::nullopt;
    }
  }
  return std::nullopt;
}

std::string_view stopName(StopAt stop) {
  switch (stop) {
    case StopAt::Race:
      return "race";
    case StopAt::BigRace:
      return "bigrace";
    case StopAt::YearEnd:
      return "yearend";
    case StopAt::Target:
      return "target";
    case StopAt::Rival:
      return "rival";
  }
  return {};
}

}  // namespace polmina
