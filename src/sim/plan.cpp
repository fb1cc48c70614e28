// polmina-sim's season plan: the plan and the followed cats (show), targets and following (target,
// follow).
#include "game/plan.h"

#include <iostream>
#include <memory>

#include "sim/commands.h"
#include "sim/support.h"
#include "world/text.h"

namespace polmina::sim {

namespace {

using nlohmann::ordered_json;

ordered_json planJson(GameState& s, SeasonPlanner& planner) {
  ordered_json out = ordered_json::array();
  for (const PlanRow& r : planner.plan(s)) {
    const RaceSlot& race = slotAt(s, r.slot);
    out.push_back({{"slot", r.slot},
                   {"year", r.year},
                   {"month", r.slot / 20 + 1},
                   {"week", r.slot % 20 / 5 + 1},
                   {"race", r.slot % 5 + 1},
                   {"name", toUtf8(trim(race.raceName))},
                   {"raceClass", race.raceClass},
                   {"distance", race.distance},
                   {"prize", race.prize},
                   {"verdict", verdictName(r.verdict)},
                   {"target", r.target},
                   {"booked", r.booked},
                   {"entries", r.entries}});
  }
  return out;
}

ordered_json rivalsJson(const GameState& s, SeasonPlanner& planner) {
  ordered_json out = ordered_json::array();
  for (const RivalRow& r : planner.rivals(s))
    out.push_back({{"id", r.cat.id},
                   {"index", r.index},
                   {"name", toUtf8(r.cat.name)},
                   {"catClass", r.record.catClass},
                   {"starts", r.record.starts},
                   {"wins", r.record.wins},
                   {"retired", r.index < 0},
                   {"together", r.against.together},
                   {"ahead", r.against.ahead}});
  return out;
}

// The saved game and its history, for a look or a mark.
struct Opened {
  std::unique_ptr<GameState> s = std::make_unique<GameState>();
  std::unique_ptr<History> history;
};

std::optional<Opened> openGame(const std::string& dir, HistoryAccess access) {
  Opened o;
  if (!loadSaved(*o.s, dir)) return std::nullopt;
  o.history = openHistory(dir, access);
  o.history->lookAt(*o.s);
  return o;
}

int problemOr(History& h, int code) {
  if (auto problem = h.takeProblem()) {
    fail(*problem);
    return ExitNoGame;
  }
  return code;
}

}  // namespace

int showPlan(const ShowOptions& o) {
  if (o.number) {
    fail(tr(u"余分な引数があります。"));
    return ExitBadArgument;
  }
  auto game = openGame(o.dir, HistoryAccess::Read);
  if (!game) return ExitNoGame;
  SeasonPlanner planner(*game->history);
  const ordered_json out = o.what == "plan" ? planJson(*game->s, planner) : rivalsJson(*game->s, planner);
  std::cout << out.dump() << "\n";
  return problemOr(*game->history, ExitOk);
}

int runTarget(const std::string& dir, int year, int slot, bool off) {
  const auto lock = lockFolder(dir);
  if (!lock) return ExitLocked;
  auto game = openGame(dir, HistoryAccess::Write);
  if (!game) return ExitNoGame;
  const GameState& s = *game->s;
  const bool inPlan =
      slot >= 0 && slot < CalendarSize && ((year == s.year && slot >= s.weekBase) || year == s.year + 1);
  if (!inPlan) {
    fail(tr(u"そのレースは予定表にありません。"));
    return ExitBadArgument;
  }
  game->history->setTarget(s, year, slot, !off);
  return problemOr(*game->history, ExitOk);
}

int runFollow(const std::string& dir, int index, bool off) {
  const auto lock = lockFolder(dir);
  if (!lock) return ExitLocked;
  auto game = openGame(dir, HistoryAccess::Write);
  if (!game) return ExitNoGame;
  const GameState& s = *game->s;
  if (index < 0 || index >= s.catCount) {
    fail(tr(u"その番号の猫はいません。"));
    return ExitBadArgument;
  }
  game->history->follow(s, s.cats[static_cast<size_t>(index)], !off);
  return problemOr(*game->history, ExitOk);
}

}  // namespace polmina::sim
