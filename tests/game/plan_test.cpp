// The season plan: what it marks is what 登録 answers, targets book what clicks would book, and the
// record against a followed cat is counted from every race of the history.
#include "game/plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "game/autoplay.h"
#include "game/commands.h"
#include "game/newgame.h"
#include "sim/world.h"
#include "store/savefile.h"
#include "support/game_world.h"

namespace polmina::testing {
namespace {

// A new game in its own folder; with a history and its season plan when asked.
struct Planned : TestGame<GameRng> {
  TempDir dir;
  std::unique_ptr<History> history;
  std::unique_ptr<SeasonPlanner> planner;

  explicit Planned(bool withPlan) : TestGame(GameRng::fixed(31)) {
    writeStartData(dir.path(), 3);
    EXPECT_EQ(startNewGame(g, {u"ヨテイ", 0, u"モクヒョウ", 1, 0, 4}, {dir.path()}).kind, NewGameResult::Ok);
    // The cat must outlive the seasons played.
    s.cats[s.playerCat].peakAge = 250;
    setTraining(s, {1, 1, 1, 1, 1, 1});
    if (!withPlan) return;
    history = std::make_unique<History>(dir.path());
    planner = std::make_unique<SeasonPlanner>(*history);
    g.watcher = history.get();
    g.planner = planner.get();
  }
  CatRecord& player() {
    findPlayerCat(s);
    return catAt(s, s.playerCat);
  }
};

int64_t key(int year, int slot) { return int64_t{year} * CalendarSize + slot; }

TEST(SeasonPlan, EveryVerdictOfTenSeasonsIsWhatTheBookingCheckAnswersThatWeek) {
  Planned p(true);
  std::set<BookingVerdict> seen;
  for (int week = 0; week < 480; ++week) {
    const std::vector<PlanRow> plan = p.planner->plan(p.s);
    ASSERT_EQ(plan.size(), static_cast<size_t>(2 * CalendarSize - p.s.weekBase)) << "week " << week;
    for (const PlanRow& r : plan) {
      const bool listed = (r.slot >= p.s.weekBase ? p.s.year : p.s.year + 1) == r.year;
      const BookingAnswer a = checkBooking(p.s, r.slot);
      const BookingVerdict expected = listed ? a.verdict : BookingVerdict::Later;
      ASSERT_EQ(r.verdict, expected) << "week " << week << " " << r.year << "/" << r.slot;
      const bool open = r.verdict == BookingVerdict::Bookable || r.verdict == BookingVerdict::Below;
      ASSERT_EQ(open, listed && !a.refused) << "week " << week << " " << r.year << "/" << r.slot;
      const auto booked = std::count_if(p.s.cats.begin(), p.s.cats.begin() + p.s.catCount,
                                        [&](const CatRecord& c) { return c.entryRace == r.slot; });
      ASSERT_EQ(r.entries, listed ? booked : 0) << "week " << week << " " << r.year << "/" << r.slot;
      ASSERT_EQ(r.booked, listed && p.player().entryRace == r.slot);
      seen.insert(r.verdict);
    }
    ASSERT_TRUE(playWholeWeek(p.g)) << "week " << week;
  }
  EXPECT_EQ(seen.size(), 5u) << "every kind of verdict was met";
}

// Targets booked at the start of the week leave every week's save as the player's own clicks on the
// same races do; a target whose week came without the cat in it is missed and told once.
TEST(SeasonPlan, TargetsSaveWhatClickingTheSameRacesAtEachWeeksStartSaves) {
  Planned planned(true);
  Planned clicked(false);
  // The player plans as the season goes: each week the first race two weeks ahead that the cat may
  // book becomes a target as well.
  std::set<std::pair<int, int>> targets;
  const auto planAhead = [&] {
    GameState& s = planned.s;
    for (int slot = s.weekBase + 10; slot < CalendarSize; ++slot)
      if (!checkBooking(s, slot).refused) {
        if (targets.emplace(s.year, slot).second) planned.history->setTarget(s, s.year, slot, true);
        return;
      }
  };
  int booked = 0, missedTold = 0;
  for (int week = 0; week < 96; ++week) {
    planAhead();
    ASSERT_TRUE(playWholeWeek(planned.g));
    ASSERT_TRUE(playWholeWeek(clicked.g));
    // The player opens 登録 at the week's start and books the next target when the check allows it.
    GameState& s = clicked.s;
    const auto next = std::find_if(targets.begin(), targets.end(), [&](const auto& t) {
      return key(t.first, t.second) >= key(s.year, s.weekBase + 5);
    });
    if (clicked.player().entryRace == -1 && next != targets.end() &&
        (next->second >= s.weekBase ? s.year : s.year + 1) == next->first &&
        !checkBooking(s, next->second).refused) {
      setBooking(clicked.g, next->second);
      ++booked;
      EXPECT_NE(planned.s.noticeLine.find(checkBooking(s, next->second).text.substr(0, 8)),
                std::u16string::npos);
    }
    for (size_t at = 0;
         (at = planned.s.noticeLine.find(u"出走できなくなりました", at)) != std::u16string::npos; ++at)
      ++missedTold;
    ASSERT_EQ(saveImage(planned.s), saveImage(s)) << "week " << week;
  }
  EXPECT_GE(booked, 5);
  const auto kept = planned.history->targets(planned.s);
  const auto missed = std::count_if(kept.begin(), kept.end(), [](const TargetRace& t) { return t.missed; });
  EXPECT_GT(missed, 0);
  EXPECT_EQ(missedTold, missed) << "each missed target is told once";
}

// The head-to-head of a followed cat counts the races of the history in which both cats ran.
TEST(SeasonPlan, TheRecordAgainstAFollowedCatCountsEveryRaceBothRan) {
  Planned p(true);
  for (int week = 0; week < 60; ++week) ASSERT_TRUE(playWholeWeek(p.g));
  const std::vector<FormbookRow> mine = p.history->formbook(p.player());
  ASSERT_FALSE(mine.empty());
  // The winners and runners-up of the cat's races, and a cat it never met.
  std::vector<std::u16string> names;
  for (const FormbookRow& r : mine) names.insert(names.end(), {r.winner, r.second});
  std::vector<int> rivals;
  for (int i = 0; i < p.s.catCount && rivals.size() < 4; ++i) {
    const std::u16string name = trim(p.s.cats[i].name);
    if (i != p.s.playerCat && p.s.cats[i].retired == 0 && std::count(names.begin(), names.end(), name) > 0)
      rivals.push_back(i);
  }
  rivals.push_back(p.s.catCount - 1);
  for (int i : rivals) p.history->follow(p.s, p.s.cats[i], true);
  int met = 0;
  for (const RivalRow& r : p.planner->rivals(p.s)) {
    ASSERT_GE(r.index, 0);
    int together = 0, ahead = 0;
    for (const FormbookRow& theirs : p.history->formbook(p.s.cats[r.index]))
      for (const FormbookRow& m : mine)
        if (m.raceId == theirs.raceId) {
          ++together;
          ahead += theirs.place > 0 && (m.place == 0 || theirs.place < m.place) ? 1 : 0;
        }
    EXPECT_EQ(r.against.together, together) << toUtf8(r.cat.name);
    EXPECT_EQ(r.against.ahead, ahead) << toUtf8(r.cat.name);
    met += together > 0 ? 1 : 0;
  }
  EXPECT_GE(met, 1);
  EXPECT_EQ(p.planner->rivals(p.s).size(), rivals.size());
}

}  // namespace
}  // namespace polmina::testing
