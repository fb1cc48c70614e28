// polmina-sim play: weeks of the saved game played as a steady player would, without windows.
#include <filesystem>
#include <iostream>
#include <memory>

#include "game/autoplay.h"
#include "game/career.h"
#include "game/commands.h"
#include "game/fast_forward.h"
#include "game/resume.h"
#include "game/plan.h"
#include "game/turn.h"
#include "headless/headless.h"
#include "news/topics.h"
#include "sim/commands.h"
#include "sim/json.h"
#include "sim/support.h"
#include "store/data_folders.h"
#include "store/savefile.h"
#include "world/text.h"

namespace polmina::sim {

namespace {

using nlohmann::ordered_json;

// The player's standing answers: never watch a race, rest when asked to, answer the selection
// committee as told.
void answerLikeThePlayer(HeadlessFrontend& ui, bool acceptInvitation) {
  ui.decide = [acceptInvitation](Question q) {
    switch (q) {
      case Question::SelectionCommittee:
        return acceptInvitation;
      case Question::Rest:
        return true;
      default:
        return false;
    }
  };
}

ordered_json resultPanelJson(const GameState& s) {
  ordered_json lines = ordered_json::array();
  for (const auto& race : s.resultLines) {
    ordered_json placed = ordered_json::array();
    for (size_t e = 1; e <= 3; ++e) placed.push_back(toUtf8(race[e].text));
    lines.push_back({{"race", toUtf8(race[0].text)}, {"placed", std::move(placed)}});
  }
  return lines;
}

ordered_json messagesJson(const HeadlessFrontend& ui) {
  ordered_json out = ordered_json::array();
  for (const MessageRecord& m : ui.messages) {
    ordered_json j{{"title", toUtf8(m.title)}, {"text", toUtf8(m.text)}};
    if (m.answer) j["answer"] = *m.answer;
    if (m.beforehand) j["beforehand"] = true;
    out.push_back(std::move(j));
  }
  return out;
}

// The weeks as a steady player plays them: the rest decision before each week, the results panel read
// before its OK clears the placed names, the training set again after a rest, the newspaper.
struct Session final : FastForwardListener {
  Session(GameState& state, Game game, HeadlessFrontend& frontend, const PlayOptions& options)
      : s(state), g(game), ui(frontend), o(options) {
    ui.onWeekStep = [this](Game&, WeekStep step) {
      if (step == WeekStep::Results) lastWeek = resultPanelJson(s);
    };
  }

  GameState& s;
  Game g;
  HeadlessFrontend& ui;
  const PlayOptions& o;
  std::array<int, 6> training{};
  bool resting = false;
  ordered_json lastWeek = ordered_json::array();
  ordered_json news = ordered_json::array();

  CatRecord& player() {
    findPlayerCat(s);
    return catAt(s, s.playerCat);
  }

  void weekBegins(Game& /*g*/, int /*done*/, std::optional<int> /*total*/) override {
    if (o.restBelow && player().restWeeks == 0 && player().condition < *o.restBelow) askRest(g);
    resting = player().restWeeks != 0;
  }

  void weekEnded(Game& /*g*/) override {
    if (resting && player().restWeeks == 0) setTraining(s, training);
    if (o.readNews) readNews();
  }

  // The "新聞" button pressed in the week that has just begun; a week without a topic leaves no entry.
  void readNews() {
    const Topic t = readNewspaper(g);
    if (!t.news) return;
    news.push_back({{"year", s.year},
                    {"month", s.month},
                    {"week", s.week},
                    {"headline", toUtf8(t.headline)},
                    {"article", toUtf8(t.article)},
                    {"caption", toUtf8(t.caption)},
                    {"name", toUtf8(t.faceName)},
                    {"breed", t.faceBreed}});
  }
};

// The most weeks --until plays without --weeks: a career ends long before.
constexpr int kMostWeeks = 100000;

std::optional<StopAt> untilStop(const std::string& name) {
  for (StopAt stop : {StopAt::Race, StopAt::BigRace, StopAt::YearEnd, StopAt::Target})
    if (stopName(stop) == name) return stop;
  return std::nullopt;
}

}  // namespace

int runPlay(const PlayOptions& o) {
  const auto lock = lockFolder(o.dir);
  if (!lock) return ExitLocked;
  auto state = std::make_unique<GameState>();
  GameState& s = *state;
  if (!loadSaved(s, o.dir)) return ExitNoGame;
  GameRng rng = makeRng(o.seed);
  HeadlessFrontend ui;
  answerLikeThePlayer(ui, o.invite == "yes");
  FixedClock clock;
  auto history = openHistory(o.dir);
  const SaveWitness witness(*history);
  // On a full disk the history gives way to the save.
  const RoomForSaves room([&history](bool hard) { history->makeRoom(hard); });
  Session run{s, Game{s, rng, ui, clock, history.get()}, ui, o};
  SeasonPlanner planner(*history);
  run.g.planner = &planner;
  // A game played on from the save leaves behind any weeks the history holds after it.
  takeUpGame(run.g);
  if (!o.train.empty()) std::copy(o.train.begin(), o.train.end(), run.training.begin());
  setTraining(s, run.training);
  if (o.style) chooseRunningStyle(run.g, *o.style);

  const std::optional<StopAt> until = untilStop(o.until);
  // Without --until the weeks are played as asked; with it, weeks are played until the stop (and no
  // more than --weeks, when given).
  const int cap = o.weeks >= 0 ? o.weeks : kMostWeeks;
  const FastForwardResult played = fastForward(run.g, FastForwardGoal{until, cap, o.skipOthers}, run);
  const bool retired = played.reason == StopReason::Retired;
  const bool reached = played.reason == StopReason::Reached || played.reason == StopReason::AlreadyThere;
  const std::string_view stopReason = retired ? "retired" : reached ? stopName(*until) : "weeks";

  ordered_json out;
  out["weeks"] = played.weeks;
  out["year"] = s.year;
  out["month"] = s.month;
  out["week"] = s.week;
  out["money"] = s.money;
  out["retired"] = retired;
  out["player"] = catJson(run.player());
  if (retired) {
    out["farewell"] = toUtf8(careerRecordText(s, run.player(), CareerView::Farewell));
  } else {
    const StoreResult saved = saveGame(s, o.dir);
    if (!saved.message.empty()) fail(saved.message);
    if (!saved) return ExitNoGame;
  }
  // Only once the save is written: what the history says of itself assumes it.
  if (auto problem = history->takeProblem()) fail(*problem);
  out["messages"] = messagesJson(ui);
  out["lastWeek"] = std::move(run.lastWeek);
  if (until) {
    out["stoppedAt"] = {{"year", s.year}, {"month", s.month}, {"week", s.week}};
    out["stopReason"] = stopReason;
  }
  if (o.readNews) out["news"] = std::move(run.news);
  std::cout << out.dump() << "\n";
  return ExitOk;
}

}  // namespace polmina::sim
