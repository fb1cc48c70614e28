#include <gtest/gtest.h>

#include "game/commands.h"
#include "headless/headless.h"
#include "support/scripted_rng.h"

namespace polmina {
namespace {

GameState withPlayerAt(int index) {
  GameState s;
  s.cats[index].owner = 1;
  return s;
}

TEST(Commands, ConditionLevelBands) {
  GameState s = withPlayerAt(3);
  struct Case { int condition; int level; };
  for (const Case& c : {Case{101, 1}, Case{100, 2}, Case{65, 2}, Case{64, 3}, Case{30, 3}, Case{29, 4},
                        Case{1, 4}, Case{0, 5}, Case{-7, 5}}) {
    s.cats[3].condition = static_cast<int16_t>(c.condition);
    updateConditionLevel(s);
    EXPECT_EQ(s.conditionLevel, c.level) << c.condition;
  }
  s.cats[3].restWeeks = 2;
  updateConditionLevel(s);
  EXPECT_EQ(s.conditionLevel, 6);
}

TEST(Commands, RestClearsTrainingAndStaysAtLevelSix) {
  GameState s = withPlayerAt(0);
  setTraining(s, {3, 2, 1, 1, 2, 3});
  EXPECT_EQ(s.cats[0].trainPower2, 3);
  startRest(s);
  EXPECT_EQ(s.cats[0].restWeeks, 1);
  EXPECT_EQ(s.cats[0].trainSpeed1 + s.cats[0].trainPower2, 0);
  EXPECT_EQ(s.conditionLevel, 6);
  setTraining(s, {1, 0, 0, 0, 0, 0});
  EXPECT_EQ(s.conditionLevel, 6);
  EXPECT_THROW(setTraining(s, {4, 0, 0, 0, 0, 0}), std::invalid_argument);
}

TEST(Commands, TrainingSettingsDriveTheNoticeLine) {
  GameState s = withPlayerAt(0);
  s.noticeLine = u"今週は未勝利戦に出走予定です";
  setTraining(s, {0, 0, 0, 0, 1, 0});
  EXPECT_EQ(s.noticeLine, u"");
  setTraining(s, {0, 0, 0, 0, 0, 0});
  EXPECT_EQ(s.noticeLine, u"調教が設定されていません。");
  // A rest with training set moves the sliders back to 0 and so shows the notice; with nothing set no
  // slider moves and the line stays as it was.
  setTraining(s, {1, 0, 0, 0, 0, 0});
  startRest(s);
  EXPECT_EQ(s.noticeLine, u"調教が設定されていません。");
  s.cats[0].restWeeks = 0;
  s.noticeLine = u"今週は未勝利戦に出走予定です";
  startRest(s);
  EXPECT_EQ(s.noticeLine, u"今週は未勝利戦に出走予定です");
  EXPECT_EQ(s.conditionLevel, 6);
}

TEST(Commands, RunningStyleCoinAndTheOptionItShows) {
  GameState s = withPlayerAt(0);
  HeadlessFrontend ui;
  FixedClock clock;
  ScriptedRng heads, tails;
  heads.push({0.2});
  tails.push({0.7});
  Game g0{s, heads, ui, clock};
  chooseRunningStyle(g0, 1);
  EXPECT_EQ(s.cats[0].styleFlags, (std::array<uint8_t, 4>{1, 0, 1, 0}));
  Game g1{s, tails, ui, clock};
  chooseRunningStyle(g1, 2);
  EXPECT_EQ(s.cats[0].styleFlags, (std::array<uint8_t, 4>{0, 1, 0, 1}));
  // Flags 1,0,0,1 show "先行"; no flags show nothing.
  EXPECT_EQ(runningStyleOption({1, 0, 0, 1}), 1);
  EXPECT_EQ(runningStyleOption({0, 0, 1, 1}), 3);
  EXPECT_EQ(runningStyleOption({0, 0, 0, 0}), -1);
}

}  // namespace
}  // namespace polmina
