#include "game/fast_forward.h"

#include "game/autoplay.h"
#include "game/watching.h"
#include "game/plan.h"
#include "world/state.h"

namespace polmina {

namespace {

constexpr int kWeeks = CalendarSize / 5;

int playerBooking(const GameState& s) { return catAt(s, playerCatIndex(s)).entryRace; }

bool catRunsThisWeek(const GameState& s) {
  const int booked = playerBooking(s);
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

bool isStopWeek(const GameState& s, StopAt stop, SeasonPlanner* plan) {
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

std::optional<int> weeksToStop(const GameState& s, StopAt stop, SeasonPlanner* plan) {
  const int now = s.weekBase / 5;
  switch (stop) {
    case StopAt::Race: {
      const int booked = playerBooking(s);
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

namespace {

// The face's frontend, but for the questions the player answered beforehand.
class ChoiceFrontend final : public Frontend {
 public:
  ChoiceFrontend(Frontend& face, const GameState& s, bool skipOthers) : face_(face), s_(s), skipOthers_(skipOthers) {}
  bool askYesNo(Question id, std::u16string_view title, std::u16string_view text) override {
    if (skipOthers_ && id == Question::WatchBigRace && bigRaceWithoutPlayerCat(s_)) {
      face_.answeredBeforehand(id, title, text, false);
      return false;
    }
    return face_.askYesNo(id, title, text);
  }
  void tell(Question id, std::u16string_view title, std::u16string_view text) override { face_.tell(id, title, text); }
  void watchRace(Game& g, int raceNumber) override { face_.watchRace(g, raceNumber); }
  void pause(double seconds) override { face_.pause(seconds); }
  void progress(int value, int maximum) override { face_.progress(value, maximum); }
  void progressDone() override { face_.progressDone(); }
  void refreshCatPanel(Game& g) override { face_.refreshCatPanel(g); }
  void weekStep(Game& g, WeekStep step) override { face_.weekStep(g, step); }
  void catRemark(Game& g) override { face_.catRemark(g); }
  void answeredBeforehand(Question id, std::u16string_view title, std::u16string_view text, bool answer) override {
    face_.answeredBeforehand(id, title, text, answer);
  }
  bool takeAsked() override { return face_.takeAsked(); }

 private:
  Frontend& face_;
  const GameState& s_;
  bool skipOthers_;
};

std::optional<int> totalWeeks(const GameState& s, const FastForwardGoal& goal, int done, SeasonPlanner* plan) {
  if (!goal.until) return goal.weeks;
  const std::optional<int> left = weeksToStop(s, *goal.until, plan);
  return left ? std::optional<int>(done + *left) : std::nullopt;
}

}  // namespace

FastForwardResult fastForward(Game& face, const FastForwardGoal& goal, FastForwardListener& listener) {
  GameState& s = face.s;
  ChoiceFrontend ui(face.ui, s, goal.skipOtherBigRaces);
  Game played{face.s, face.rng, ui, face.clock, face.watcher, face.planner};
  // The year end always lies ahead; a number of weeks too.
  if (goal.until && *goal.until != StopAt::YearEnd && isStopWeek(s, *goal.until, face.planner))
    return {StopReason::AlreadyThere, 0, false};
  ui.takeAsked();
  FastForwardResult r;
  for (;;) {
    if (goal.weeks && r.weeks >= *goal.weeks) return r.reason = StopReason::Weeks, r;
    listener.weekBegins(face, r.weeks, totalWeeks(s, goal, r.weeks, face.planner));
    beginWholeWeek(played);
    // A question or a notice: the week waits for the player's ＯＫ, as after a clicked "次週".
    if (ui.takeAsked()) return {StopReason::Asked, r.weeks, true};
    const bool onGoing = closeWholeWeek(played);
    ++r.weeks;
    if (!onGoing) return r.reason = StopReason::Retired, r;
    listener.weekEnded(face);
    if (ui.takeAsked()) return r.reason = StopReason::Asked, r;
    if (listener.stopRequested()) return r.reason = StopReason::Stopped, r;
    if (goal.until && isStopWeek(s, *goal.until, face.planner)) return r.reason = StopReason::Reached, r;
  }
}

}  // namespace polmina
