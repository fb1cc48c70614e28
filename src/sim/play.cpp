// polmina-sim play: weeks of the saved game played as a steady player would, without windows.
#include <filesystem>
#include <iostream>
#include <memory>

#include "game/autoplay.h"
#include "game/career.h"
#include "game/commands.h"
#include "game/fast_forward.h"
#include "game/plan.h"
#include "game/turn.h"
#include "headless/headless.h"
#include "news/topics.h"
#include "sim/commands.h"
#include "sim/json.h"
#include "sim/support.h"
#include "store/savefile.h"
#include "world/text.h"

namespace polmina::sim {

namespace {

using nlohmann::ordered_json;

bool contains(std::u16string_view text, std::u16string_view part) {
  return text.find(part) != std::u16string_view::npos;
}

// The player's standing answers: never watch a race, answer the selection committee as told.
void answerLikeThePlayer(HeadlessFrontend& ui, bool acceptInvitation) {
  ui.decide = [acceptInvitation](std::u16string_view title, std::u16string_view text) {
    if (contains(text, tr(u"御覧になりますか？"))) return false;
    if (title == u"審査会") return acceptInvitation;
    return false;
  };
}

// The rest command as the player confirms it; its box is part of the record.
void takeRest(Game& g, HeadlessFrontend& ui) {
  ui.messages.push_back({u"休養", u"1ヶ月間休養をさせますか？", true});
  startRest(g.s);
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
    out.push_back(std::move(j));
  }
  return out;
}

struct Session {
  GameState& s;
  Game g;
  HeadlessFrontend& ui;
  const PlayOptions& o;
  std::array<int, 6> training{};
  int weeks = 0;
  bool retired = false;
  ordered_json lastWeek = ordered_json::array();
  ordered_json news = ordered_json::array();

  CatRecord& player() {
    findPlayerCat(s);
    return catAt(s, s.playerCat);
  }

  // One week: the rest decision, "次週", the results panel's "OK", the awards' OK at the change of year.
  void playWeek() {
    if (o.restBelow && player().restWeeks == 0 && player().condition < *o.restBelow) takeRest(g, ui);
    const bool resting = player().restWeeks != 0;
    // The result panel is read before its OK clears the placed names.
    nextWeek(g);
    lastWeek = resultPanelJson(s);
    if (!closeWholeWeek(g)) {
      retired = true;
      return;
    }
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

// The catalog of `lang` beside the program, or in the installed data folder.
bool useLanguage(const std::string& lang) {
  Language l = Language::Japanese;
  if (!languageFromCode(fromUtf8(lang), l) || l == Language::Japanese) return true;
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return false;
  const std::string file = catalogFileName(l);
  for (const auto& dir : {exe.parent_path(), exe.parent_path().parent_path() / "share" / "polmina"})
    if (loadCatalog(dir / file)) return true;
  return false;
}

// The most weeks --until plays without --weeks: a career ends long before.
constexpr int kMostWeeks = 100000;

std::optional<StopAt> untilStop(const std::string& name) {
  for (StopAt stop : {StopAt::Race, StopAt::BigRace, StopAt::YearEnd, StopAt::Target})
    if (stopName(stop) == name) return stop;
  return std::nullopt;
}

}  // namespace

int runPlay(const PlayOptions& o) {
  if (!useLanguage(o.lang)) {
    fail(u"言語のカタログ (" + fromUtf8(catalogFileName(Language::English)) + u") が見つかりません。");
    return ExitNoGame;
  }
  auto state = std::make_unique<GameState>();
  GameState& s = *state;
  if (!loadSaved(s, o.dir)) return ExitNoGame;
  GameRng rng = makeRng(o.seed);
  HeadlessFrontend ui;
  answerLikeThePlayer(ui, o.invite == "yes");
  FixedClock clock;
  auto history = openHistory(o.dir);
  // On a full disk the history gives way to the save.
  setRoomMaker([&history](bool hard) { history->makeRoom(hard); });
  struct Unset {
    ~Unset() { setRoomMaker({}); }
  } unset;
  // A game played on from the save leaves behind any weeks the history holds after it.
  history->resumedAt(s);
  Session run{s, Game{s, rng, ui, clock, history.get()}, ui, o};
  SeasonPlanner planner(*history);
  run.g.planner = &planner;
  if (!o.train.empty()) std::copy(o.train.begin(), o.train.end(), run.training.begin());
  setTraining(s, run.training);
  if (o.style) chooseRunningStyle(run.g, *o.style);

  const std::optional<StopAt> until = untilStop(o.until);
  // Without --until the weeks are played as asked; with it, weeks are played until the stop (and no
  // more than --weeks, when given).
  const int cap = o.weeks >= 0 ? o.weeks : kMostWeeks;
  // Already at the week asked for: nothing is played (the year end always lies ahead).
  bool stopped = until && *until != StopAt::YearEnd && isStopWeek(s, *until, &planner);
  std::string_view stopReason = stopped ? stopName(*until) : "weeks";
  while (!stopped && run.weeks < cap && !run.retired) {
    run.playWeek();
    ++run.weeks;
    stopped = until && !run.retired && isStopWeek(s, *until, &planner);
    if (stopped) stopReason = stopName(*until);
  }
  if (run.retired) stopReason = "retired";
  if (auto problem = history->takeProblem()) fail(*problem);

  ordered_json out;
  out["weeks"] = run.weeks;
  out["year"] = s.year;
  out["month"] = s.month;
  out["week"] = s.week;
  out["money"] = s.money;
  out["retired"] = run.retired;
  out["player"] = catJson(run.player());
  if (run.retired) {
    out["farewell"] = toUtf8(careerRecordText(s, run.player(), CareerView::Farewell));
  } else {
    const StoreResult saved = saveGame(s, o.dir);
    if (!saved) {
      fail(saved.message);
      return ExitNoGame;
    }
  }
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
