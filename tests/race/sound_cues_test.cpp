#include "race/sound_cues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "race/model.h"
#include "race/world.h"

namespace polmina {
namespace {

using testworld::field;
using testworld::twelve;
using testworld::World;

bool has(const std::vector<Cue>& cues, Sound s) {
  return std::any_of(cues.begin(), cues.end(), [s](const Cue& c) { return c.sound == s; });
}

// A watched race tick by tick, as the race window paces it, with the cues of each tick.
struct HeardRace {
  std::vector<std::vector<Cue>> frames;
  int winnerFrame = -1;  // the tick on which finishOrder[0] was first set
  int goalFrame = -1;    // the tick on which the goal section began
  int homeFrame = -1;    // the tick on which the last runner finished
  std::vector<Cue> result;
};

HeardRace hear(World& w, int k) {
  HeardRace h;
  setUpRunners(w.g, k);
  RaceCues cues(w.s(), k);
  for (int tick = 0; !w.s().raceDone; ++tick) {
    prepareFrames(w.s());
    viewTick(w.g, k, nullptr, WatchedRace);
    const RaceState& st = w.s().raceStates[0];
    if (h.winnerFrame < 0 && w.s().finishOrder[0] >= 0) h.winnerFrame = tick;
    if (h.goalFrame < 0 && st.sectionIndex == GoalSection) h.goalFrame = tick;
    if (h.homeFrame < 0 && w.s().finishOrder[static_cast<size_t>(w.s().runnerCount - 1)] >= 0) h.homeFrame = tick;
    h.frames.push_back(cues.frame(w.s(), st));
  }
  h.result = cues.result(w.s());
  return h;
}

std::vector<int> framesWith(const HeardRace& h, Sound s) {
  std::vector<int> at;
  for (size_t i = 0; i < h.frames.size(); ++i)
    if (has(h.frames[i], s)) at.push_back(static_cast<int>(i));
  return at;
}

TEST(RaceCues, FinishCrowdAndPawsFollowTheFrames) {
  for (int distance : {100, 300}) {
    World w(static_cast<uint64_t>(distance));
    const HeardRace h = hear(w, field(w, distance, twelve()));
    ASSERT_GE(h.winnerFrame, 0);
    EXPECT_EQ(framesWith(h, Sound::Finish), std::vector<int>{h.winnerFrame});
    EXPECT_EQ(framesWith(h, Sound::Cheer), std::vector<int>{h.winnerFrame});
    EXPECT_EQ(framesWith(h, Sound::Crowd), std::vector<int>{h.goalFrame});
    const std::vector<int> paws = framesWith(h, Sound::Paws);
    EXPECT_GT(paws.size(), h.frames.size() / 3);
    // The patter ends once the whole field is home (the last frames are the trot off the picture).
    EXPECT_LT(paws.back(), h.homeFrame);
    for (const auto& f : h.frames)
      for (const Cue& c : f) EXPECT_TRUE(c.volume > 0 && c.volume <= 1);
  }
}

TEST(RaceCues, BiggerFieldsPatterLouder) {
  const auto loudestPaws = [](const HeardRace& h) {
    double most = 0;
    for (const auto& f : h.frames)
      for (const Cue& c : f)
        if (c.sound == Sound::Paws) most = std::max(most, c.volume);
    return most;
  };
  World big(3), small(3);
  const HeardRace full = hear(big, field(big, 200, twelve()));
  const HeardRace few = hear(small, field(small, 200, {1, 2, 3}));
  EXPECT_GT(loudestPaws(full), loudestPaws(few));
}

TEST(RaceCues, FanfareForTheBigClassesOnlyAndAJingleOnlyForAGoodPlace) {
  World w(9);
  const int k = field(w, 300, twelve());
  RaceSlot& slot = slotAt(w.s(), w.s().weekBase + k - 1);
  slot.raceClass = ClassC;
  EXPECT_TRUE(RaceCues(w.s(), k).title().empty());
  slot.raceClass = ClassA;
  const std::vector<Cue> a = RaceCues(w.s(), k).title();
  slot.raceClass = ClassS;
  const std::vector<Cue> s = RaceCues(w.s(), k).title();
  ASSERT_EQ(a.size(), 1u);
  ASSERT_EQ(s.size(), 1u);
  EXPECT_NE(a[0].sound, s[0].sound);

  RaceCues cues(w.s(), k);
  w.s().finishOrder = {};
  w.s().finishOrder.fill(-1);
  const std::vector<int> order = {5, testworld::PlayerIndex, 7, 8, 9};
  std::copy(order.begin(), order.end(), w.s().finishOrder.begin());
  EXPECT_EQ(cues.result(w.s()), (std::vector<Cue>{{Sound::Place, 1.0}}));
  std::swap(w.s().finishOrder[0], w.s().finishOrder[1]);
  EXPECT_EQ(cues.result(w.s()), (std::vector<Cue>{{Sound::Win, 1.0}}));
  std::swap(w.s().finishOrder[0], w.s().finishOrder[4]);
  EXPECT_TRUE(cues.result(w.s()).empty()) << "fifth: nothing sad, nothing at all";
}

TEST(TitleWatch, ChimesOnceForANewTitleOfTheSameCat) {
  World w;
  TitleWatch watch;
  EXPECT_FALSE(watch.newTitle(w.s())) << "the first look only remembers";
  w.cat(testworld::PlayerIndex).title = 3;
  EXPECT_TRUE(watch.newTitle(w.s()));
  EXPECT_FALSE(watch.newTitle(w.s()));
  w.s().playerCatName = u"ミケ";
  w.cat(testworld::PlayerIndex).title = 4;
  EXPECT_FALSE(watch.newTitle(w.s())) << "another game's cat";
}

}  // namespace
}  // namespace polmina
