// polmina-sim's view of the cat's history: formbooks, growth, recovery, replays.
#include <iostream>
#include <memory>

#include "game/recovery.h"
#include "history/replay.h"
#include "sim/commands.h"
#include "sim/json.h"
#include "sim/support.h"
#include "store/savefile.h"
#include "world/text.h"

namespace polmina::sim {

namespace {

using nlohmann::ordered_json;

ordered_json namesJson(const std::vector<std::u16string>& names) {
  ordered_json out = ordered_json::array();
  for (const auto& n : names) out.push_back(toUtf8(n));
  return out;
}

int showFormbook(const ShowOptions& o, History& h) {
  if (!o.number) {
    fail(tr(u"猫の番号を指定してください。"));
    return ExitBadArgument;
  }
  auto state = std::make_unique<GameState>();
  if (!loadSaved(*state, o.dir)) return ExitNoGame;
  const bool retired = o.what == "retired-formbook";
  const int count = retired ? state->retiredCount : state->catCount;
  if (*o.number < 0 || *o.number >= count) {
    fail(tr(u"その番号の猫はいません。"));
    return ExitBadArgument;
  }
  const auto at = static_cast<size_t>(*o.number);
  h.lookAt(*state);
  std::cout << formbookJson(h.formbook(retired ? state->retiredCats[at] : state->cats[at])).dump() << "\n";
  return ExitOk;
}

}  // namespace

ordered_json formbookJson(const std::vector<FormbookRow>& rows) {
  ordered_json out = ordered_json::array();
  for (const FormbookRow& r : rows)
    out.push_back({{"year", r.year},
                   {"month", r.month},
                   {"week", r.week},
                   {"slot", r.slot},
                   {"raceName", toUtf8(r.raceName)},
                   {"distance", r.distance},
                   {"runners", r.runners},
                   {"place", r.place},
                   {"winner", toUtf8(r.winner)},
                   {"prize", r.prize},
                   {"raceId", r.raceId}});
  return out;
}

ordered_json growthJson(const std::vector<GrowthRow>& rows) {
  ordered_json out = ordered_json::array();
  for (const GrowthRow& r : rows)
    out.push_back({{"year", r.year},
                   {"month", r.month},
                   {"week", r.week},
                   {"speed", r.speed},
                   {"stamina", r.stamina},
                   {"power", r.power},
                   {"weight", r.weight},
                   {"condition", r.condition},
                   {"catClass", r.catClass},
                   {"points", r.points},
                   {"yearPrize", r.yearPrize},
                   {"totalPrize", r.totalPrize}});
  return out;
}

int showHistory(const ShowOptions& o) {
  const bool isFormbook = o.what == "formbook" || o.what == "retired-formbook";
  if (!isFormbook && o.number) {
    fail(tr(u"余分な引数があります。"));
    return ExitBadArgument;
  }
  auto h = openHistory(o.dir, HistoryAccess::Read);
  if (isFormbook) return showFormbook(o, *h);
  if (o.what == "growth") {
    // The saved game's growth; without a save, the game played last.
    auto state = std::make_unique<GameState>();
    if (hasSaveGame(o.dir) && loadGame(*state, o.dir)) h->lookAt(*state);
    std::cout << growthJson(h->growth()).dump() << "\n";
    return ExitOk;
  }
  const auto point = recoveryOffer(*h, o.dir);
  if (auto problem = h->takeProblem()) fail(*problem);
  ordered_json out{{"available", point.has_value()}};
  if (point) {
    out["year"] = point->year;
    out["month"] = point->month;
    out["week"] = point->week;
  } else {
    out["year"] = nullptr;
    out["month"] = nullptr;
    out["week"] = nullptr;
  }
  std::cout << out.dump() << "\n";
  return ExitOk;
}

int runReplay(const ReplayOptions& o) {
  auto h = openHistory(o.dir, HistoryAccess::Read);
  const auto race = h->race(o.raceId);
  if (!race) {
    fail(tr(u"その番号のレースは履歴にありません。"));
    return ExitBadArgument;
  }
  if (!race->replayable) {
    fail(tr(u"このレースは乱数の記録がないため再生できません。"));
    return ExitMismatch;
  }
  const auto placed = replayRace(*race);
  const auto recorded = recordedOrder(*race);
  ordered_json out{{"raceId", o.raceId}, {"placed", namesJson(placed)}, {"recorded", namesJson(recorded)}};
  std::cout << out.dump() << "\n";
  return placed == recorded ? ExitOk : ExitMismatch;
}

int runRecover(const std::string& dir) {
  const auto lock = lockFolder(dir);
  if (!lock) return ExitLocked;
  auto h = openHistory(dir);
  const SaveWitness witness(*h);
  const auto point = recoveryOffer(*h, dir);
  if (auto problem = h->takeProblem()) fail(*problem);
  if (!point) {
    fail(tr(u"履歴にセーブより新しい週はありません。"));
    return ExitBadArgument;
  }
  const StoreResult saved = saveRecovered(*point, dir);
  if (!saved) {
    fail(saved.message);
    return ExitNoGame;
  }
  return ExitOk;
}

}  // namespace polmina::sim
