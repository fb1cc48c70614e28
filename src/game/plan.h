#pragma once
// The season plan (予定表): every race from this week to the end of next season with what the booking
// check answers for it today, the races the player aims the cat at (targets, booked at the start of a
// week as the player's own 登録 would book them), and the cats the player follows (注目猫).
#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "game/booking.h"
#include "history/history.h"
#include "world/game.h"

namespace polmina {

struct PlanRow {
  int year = 0, slot = 0;
  BookingVerdict verdict = BookingVerdict::Never;
  bool target = false, missed = false;
  bool booked = false;  // the player's cat is booked for this race now
  int entries = 0;      // cats booked for it now (none yet for a race the list cannot reach)
};

// The races of the weeks from this one to the end of next season, in date order.
std::vector<PlanRow> seasonPlan(GameState& s, const std::vector<TargetRace>& targets);

// The cat's own record at one distance.
struct DistanceRecord {
  int starts = 0, wins = 0, best = 0;  // best: the best place, 0 when it never ran it
};
std::map<int, DistanceRecord> recordByDistance(const std::vector<FormbookRow>& formbook);
std::u16string distanceRecordText(const DistanceRecord& r);

// The weeks from this one to the week of race `slot` of `year`.
int weeksUntil(const GameState& s, int year, int slot);

// A followed cat as the 注目猫 list shows it.
struct RivalRow {
  FollowedCat cat;
  int index = -1;      // its index among the active cats now; -1 once retired
  CatRecord record;    // as it stands (or stood when it retired)
  HeadToHead against;  // the races it and the player's cat both ran
};

class SeasonPlanner {
 public:
  explicit SeasonPlanner(History& h) : h_(h) {}
  History& history() { return h_; }

  // The start of a week: a target race whose week has come without the cat in it is missed (the
  // player is told once); a cat without a booking is booked for the next target when the booking
  // check allows it, and the question's texts go to the notice line; the player is told once when a
  // followed cat is entered in the cat's race, and when one retires.
  void weekBegun(Game& g);

  std::vector<PlanRow> plan(GameState& s) { return seasonPlan(s, h_.targets(s)); }
  std::vector<RivalRow> rivals(const GameState& s);
  // The next target not yet missed, from the week after this one on.
  std::optional<TargetRace> nextTarget(const GameState& s);
  // A followed cat is entered in the race the player's cat is booked for.
  bool rivalInCatsRace(const GameState& s);

 private:
  void checkTargets(Game& g, std::vector<std::u16string>& told);
  void bookTarget(Game& g, std::vector<std::u16string>& told);
  void watchRivals(Game& g, std::vector<std::u16string>& told);
  History& h_;
};

// The index among the active cats of the followed cat `f`, or -1.
int activeIndexOf(const GameState& s, const FollowedCat& f);

}  // namespace polmina
