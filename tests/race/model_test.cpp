#include "race/model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "race/world.h"

namespace polmina {
namespace {

using testworld::field;
using testworld::twelve;
using testworld::World;

constexpr int kTickLimit = 100000;

// Runs an unseen race to its end; `each` sees the state after every tick.
template <typename F>
int runUnseen(World& w, int k, F each) {
  startRace(w.g, k);
  int ticks = 1;
  while (!w.s().raceDone && ticks < kTickLimit) {
    prepareFrames(w.s());
    raceTick(w.g, k);
    each();
    ++ticks;
  }
  return ticks;
}

std::vector<int> placings(const GameState& s) { return {s.finishOrder.begin(), s.finishOrder.end()}; }

TEST(RaceSetUp, DrawsPhasesInOrderForEverySlot) {
  World w;
  const int k = field(w, 300, {1, 2, 3, 4, 5});
  // Slot 11 comes first: d1, d2, d4, d3, then the animation step.
  w.rng.script = {0.0, 0.99, 0.2, 0.65, 0.9};
  setUpRunners(w.g, k);
  const Runner& last = w.s().runners[11];
  EXPECT_EQ(last.phaseEnd1, 372);    // 30 m
  EXPECT_EQ(last.phaseEnd2, 918);    // 30 + 44 m
  EXPECT_EQ(last.finalWindow, 409);  // 33 m
  EXPECT_EQ(last.lateWindow, 893);   // 33 + 39 m
  EXPECT_EQ(last.animFrame, 7);
  EXPECT_EQ(last.laneY, 242);
  EXPECT_EQ(w.s().runners[0].laneY, 66);
  EXPECT_EQ(w.rng.draws, 60);
  EXPECT_EQ(w.rng.reseeds, 1);
  for (int16_t f : w.s().finishOrder) EXPECT_EQ(f, -1);
}

TEST(Race, EveryRunnerFinishesInBothModesAtEveryDistance) {
  for (int distance : {100, 150, 200, 250, 300}) {
    for (size_t n : {5u, 12u}) {
      for (bool watched : {false, true}) {
        World w(static_cast<uint64_t>(distance + n));
        std::vector<int> cats = twelve();
        cats.resize(n);
        const int k = field(w, distance, cats);
        if (watched) {
          runWatchedRace(w.g, k);
        } else {
          EXPECT_LT(runUnseen(w, k, [] {}), kTickLimit);
        }
        std::vector<int> order = placings(w.s());
        EXPECT_TRUE(
            std::all_of(order.begin() + static_cast<long>(n), order.end(), [](int i) { return i == -1; }));
        order.resize(n);
        std::sort(order.begin(), order.end());
        std::sort(cats.begin(), cats.end());
        EXPECT_EQ(order, cats) << distance << " m, " << n << (watched ? " watched" : " unseen");
        EXPECT_TRUE(w.s().raceDone);
        EXPECT_EQ(w.s().raceStates[watched ? 0 : 1], RaceState{}) << "the race state is cleared";
      }
    }
  }
}

TEST(Race, NoRunnerGainsMoreThanTwoPixelsATickWhileTheCourseRuns) {
  World w;
  for (int i : twelve()) {
    w.cat(i).speed = 1000000;
    w.cat(i).styleFlags = {1, 1, 1, 1};
    w.cat(i).stamina = 100000;
  }
  const int k = field(w, 200, twelve());
  std::array<int32_t, MaxRunners> before{};
  int maxStep = 0;
  bool primed = false;
  runUnseen(w, k, [&] {
    const GameState& s = w.s();
    if (primed && !s.raceDone && s.raceStates[1].finishedCount < s.runnerCount)
      for (size_t i = 0; i < MaxRunners; ++i) maxStep = std::max(maxStep, s.runners[i].position - before[i]);
    for (size_t i = 0; i < MaxRunners; ++i) before[i] = s.runners[i].position;
    primed = true;
  });
  EXPECT_EQ(maxStep, 2);
}

TEST(Race, IdenticalRunnersCrossTogetherAndArePlacedInGateOrder) {
  World w;
  for (int i : twelve()) {
    CatRecord& c = w.cat(i);
    c.speed = 50000;
    c.power = 50000;
    c.condition = 0;
    c.stamina = 100000;
    c.styleFlags = {1, 1, 1, 1};
  }
  const int k = field(w, 150, twelve());
  runUnseen(w, k, [] {});
  std::vector<int> expected = twelve();
  EXPECT_EQ(placings(w.s()), expected);
}

TEST(Race, ExhaustedRunnerWaitsForTheLastStretch) {
  World w;
  std::vector<int> cats = twelve();
  w.cat(cats[3]).stamina = 0;
  const int k = field(w, 200, cats);
  const int32_t lastStretch = 4 * SectionPixels - 600;
  bool movedEarly = false;
  bool moved = false;
  runUnseen(w, k, [&] {
    const GameState& s = w.s();
    if (s.raceDone) return;
    if (s.runners[3].position != 0) (s.raceStates[1].scroll < lastStretch ? movedEarly : moved) = true;
  });
  EXPECT_FALSE(movedEarly);
  EXPECT_TRUE(moved);
  EXPECT_NE(std::find(w.s().finishOrder.begin(), w.s().finishOrder.end(), cats[3]), w.s().finishOrder.end());
}

TEST(Race, SprintRunsAtCruiseForTheFirstThird) {
  World w;
  for (int i : twelve()) {
    w.cat(i).power = 0;  // cruise 0: no progress until a third of the course
    w.cat(i).stamina = 100000;
  }
  const int k = field(w, 100, twelve());
  bool movedEarly = false;
  runUnseen(w, k, [&] {
    const GameState& s = w.s();
    if (s.raceDone || s.raceStates[1].scroll > 2 * SectionPixels / 3) return;
    for (int i = 0; i < 12; ++i) movedEarly |= s.runners[static_cast<size_t>(i)].position != 0;
  });
  EXPECT_FALSE(movedEarly);
  EXPECT_NE(w.s().finishOrder[11], -1);
}

// Every tick re-seeds once and draws one number per runner; the watched race draws one more for each
// runner whose stride comes round (the pose that may break the stride).
TEST(Race, EachTickReseedsOnceAndDrawsOncePerRunner) {
  class Counter : public RaceView {
   public:
    int ticks = 0;
    int strideEnds = 0;
    void scenery(const RaceState&, bool) override { ++ticks; }
    void runner(int, const Runner& run, int) override { strideEnds += run.animFrame == 1; }
  };
  for (size_t n : {5u, 12u}) {
    World w(3);
    std::vector<int> cats = twelve();
    cats.resize(n);
    const int k = field(w, 250, cats);
    const int ticks = runUnseen(w, k, [] {});
    // The last tick runs finishRace: one draw per runner and, after one more re-seed, the remark.
    EXPECT_EQ(w.rng.reseeds, 1 + ticks + 1);
    EXPECT_EQ(w.rng.draws, 60 + ticks * static_cast<int>(n) + static_cast<int>(n) + 1);

    World v(3);
    field(v, 250, cats);
    Counter view;
    const int before = v.rng.draws;
    runWatchedRace(v.g, k, &view);
    EXPECT_EQ(v.rng.reseeds, 1 + view.ticks + 1);
    EXPECT_EQ(v.rng.draws - before,
              60 + view.ticks * static_cast<int>(n) + view.strideEnds + static_cast<int>(n) + 1);
    EXPECT_GT(view.strideEnds, 0);
  }
}

class Recorder : public RaceView {
 public:
  std::vector<std::u16string> messages;
  int runnerCalls = 0;
  int badPoses = 0;
  void runner(int, const Runner&, int pose) override {
    ++runnerCalls;
    if (pose < 0 || pose > 5) ++badPoses;
  }
  void message(std::u16string_view text) override { messages.emplace_back(text); }
};

TEST(WatchedRace, AnnouncesEachSectionOnceAndEveryGoal) {
  for (int distance : {100, 300}) {
    World w(5);
    const int k = field(w, distance, twelve());
    std::vector<std::u16string> captions;
    for (int i = 0; i < 12; ++i) captions.push_back(runnerCaption(w.s(), i));
    EXPECT_EQ(captions[0], u"1番 ネコ11 " + num(w.cat(11).age) + u"才　");
    Recorder view;
    runWatchedRace(w.g, k, &view);
    EXPECT_GT(view.runnerCalls, 0);
    EXPECT_EQ(view.badPoses, 0);
    int goals = 0;
    int expectedMark = 50;
    std::u16string previous = captions[0];
    for (const std::u16string& m : view.messages) {
      if (m == u"ゴーーール") {
        ++goals;
        continue;
      }
      const std::u16string head = num(expectedMark) + u"m地点通過、先頭は";
      ASSERT_EQ(m.substr(0, head.size()), head) << toUtf8(m);
      std::u16string leader = m.substr(head.size());
      const bool still = leader.starts_with(u"まだ");
      if (still) leader = leader.substr(2);
      EXPECT_NE(std::find(captions.begin(), captions.end(), leader), captions.end()) << toUtf8(m);
      EXPECT_EQ(still, leader == previous) << toUtf8(m);
      previous = leader;
      expectedMark += 50;
    }
    EXPECT_EQ(goals, 12);
    EXPECT_EQ(expectedMark, distance == 100 ? 100 : 300) << "one call per running section";
  }
}

}  // namespace
}  // namespace polmina
