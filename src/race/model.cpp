#include "race/model.h"

#include <algorithm>
#include <array>

#include "race/results.h"
#include "world/numbers.h"
#include "world/text.h"

namespace polmina {

namespace {

// Width and base (metres) of the phase draws for a race distance.
struct PhaseDraw {
  int width;
  int base;
};

PhaseDraw phaseDraw(int distance) {
  switch (distance) {
    case 100:
      return {5, 10};
    case 150:
      return {10, 15};
    case 200:
      return {10, 20};
    case 250:
      return {15, 25};
    default:
      return {15, 30};
  }
}

int32_t metresToPixels(double metres) { return cintL(metres / 50 * SectionPixels); }

int runnersIn(const GameState& s) { return std::clamp(s.runnerCount, 0, MaxRunners); }

const RaceSlot& slotOfRace(const GameState& s, int k) { return slotAt(s, s.weekBase + k - 1); }

// Course speed: the course starts slowly and picks up.
int scrollStep(int32_t scroll) {
  if (scroll < 30) return 2;
  if (scroll < 80) return 3;
  if (scroll < 180) return 4;
  return 5;
}

void moveCourse(RaceState& st, int a) {
  st.backScroll += a;
  if (st.backScroll > 300) st.backScroll = 0;
  st.tickCount += 1;
  if (st.tickCount > 300) st.tickCount = 0;
  const int sectionLength = st.sectionIndex == 0 ? StartSectionPixels : SectionPixels;
  // The goal section is the last one: all runners are past the line before it could end.
  if (st.sectionIndex != GoalSection && st.sectionPos >= sectionLength) {
    st.sectionPos = 0;
    if (st.sections == st.sectionIndex + 1) {
      st.sectionIndex = GoalSection;
      st.commentaryStep = 9;
    } else {
      st.sectionIndex += 1;
      st.commentaryStep = st.sectionIndex;
      st.announced = 0;
    }
  }
  st.sectionPos += a;
  st.scroll += a;
}

// Progress of runner i this tick. Style flag f (1..4) makes the runner run at its effort in phase f;
// otherwise it holds back at r3.
double progressOf(const Runner& run, RaceState& st, int i, double r3, int courseLength) {
  const double effort = run.effort / 1000.0;
  const double cruise = run.cruise / 1000.0;
  const int32_t sc = st.scroll;
  const auto styled = [&](int flag) { return run.styleFlags[flag - 1] != 0 ? effort : r3; };
  const bool beforeRunOff = sc < courseLength + 100;
  if (run.staminaLeft <= 0) return (courseLength - 600 <= sc && beforeRunOff) ? cruise : 0.0;
  if (st.sections <= 2) return courseLength / 3.0 > sc ? cruise : effort;
  if (sc < run.phaseEnd1) {
    if (effort > st.pace[i]) {
      st.pace[i] += 1;
      return st.pace[i];
    }
    return styled(1);
  }
  if (sc < run.phaseEnd2) return styled(2);
  if (courseLength - run.finalWindow <= sc && beforeRunOff) return styled(4);
  if (courseLength - run.lateWindow <= sc && beforeRunOff) return styled(3);
  return cruise;
}

// Sprite pose column for an animation step, drawn before the step advances.
int poseOf(int animFrame, Rng& rng) {
  static constexpr std::array<int, 9> kPose = {0, 1, 2, 3, 4, 3, 2, 1, 0};
  if (animFrame == 8 && intFloorL(5 * rng.uniform()) == 0) return 5;
  return kPose[static_cast<size_t>(animFrame)];
}

void nameLeader(const GameState& s, RaceState& st, int i) {
  const std::u16string caption = runnerCaption(s, i);
  st.leaderText = caption == runnerCaption(s, st.leaderSlot) ? trf(u"まだ{runner}", {{u"runner", caption}}) : caption;
  st.leaderSlot = i;
}

void announce(RaceState& st, RaceView* view) {
  if (st.leaderText.empty() || st.announced != 0) return;
  if (st.commentaryStep >= 1 && st.commentaryStep <= 5 && view)
    view->message(trf(u"{m}m地点通過、先頭は{leader}", {{u"m", num(st.commentaryStep * 50)}, {u"leader", st.leaderText}}));
  st.commentaryStep = 0;
  st.announced = -1;
}

void finishRunner(GameState& s, RaceState& st, int i, RaceView* view) {
  Runner& run = s.runners[static_cast<size_t>(i)];
  s.finishOrder.at(static_cast<size_t>(st.finishedCount)) = run.catIndex;
  run.finished = -1;
  st.lastFinisher = i;
  st.finishedCount += 1;
  if (view) view->message(tr(u"ゴーーール"));
}

void runnerStep(Game& g, RaceState& st, const RaceMode& mode, int i, int a, RaceView* view) {
  GameState& s = g.s;
  Runner& run = s.runners[static_cast<size_t>(i)];
  if (st.pace[i] == 0) st.pace[i] = run.cruise / 1000.0;
  run.staminaLeft -= a;
  const double r3 = 3 * g.rng.uniform();
  st.accum[i] += progressOf(run, st, i, r3, st.sections * SectionPixels);
  int m = 0;
  if (st.accum[i] >= mode.stepThreshold) {
    m = 2;
    st.accum[i] -= mode.stepThreshold;
  }
  // Once everybody is home the course stands still and the runners trot off the picture.
  if (st.finishedCount == s.runnerCount) m = a;
  if (run.animFrame < 1 || run.animFrame > 8) return;
  const int pose = mode.watched ? poseOf(run.animFrame, g.rng) : 0;
  run.animFrame = run.animFrame == 8 ? 1 : run.animFrame + 1;
  run.position += m;
  if (view) view->runner(i, run, pose);
  if (st.sectionIndex == GoalSection && run.finished == 0 &&
      run.position + 10 >= mode.goalLine - st.sectionPos)
    finishRunner(s, st, i, view);
  // The commentary draws no random number: a race shown again under the unseen rules has it too.
  if ((mode.watched || view) && st.sectionIndex >= 1 && st.sectionIndex <= 9 &&
      run.position + 10 >= 600 - st.sectionPos && st.leaderText.empty() && st.announced == 0)
    nameLeader(s, st, i);
}

// One tick of either mode; true when the race has ended with it.
bool tick(Game& g, int k, const RaceMode& mode, RaceView* view) {
  GameState& s = g.s;
  RaceState& st = s.raceStates[static_cast<size_t>(mode.stateIndex)];
  g.rng.reseed();
  const int a = scrollStep(st.scroll);
  if (st.sections == 0) st.sections = cintL(slotOfRace(s, k).distance / 50.0);
  if (st.finishedCount != s.runnerCount) moveCourse(st, a);
  if (view) view->scenery(st, st.finishedCount == s.runnerCount);
  const int n = runnersIn(s);
  for (int i = 0; i < n; ++i) runnerStep(g, st, mode, i, a, view);
  if (mode.watched || view) announce(st, view);
  if (view) view->refresh();
  st.leaderText.clear();
  // An empty field (never held, but harmless) is over at once.
  const bool over = st.finishedCount == s.runnerCount &&
                    (n == 0 || s.runners[static_cast<size_t>(st.lastFinisher)].position > 600);
  if (!over) return false;
  st = RaceState{};
  s.raceDone = true;
  return true;
}

}  // namespace

void setUpRunners(Game& g, int k) {
  GameState& s = g.s;
  const PhaseDraw pd = phaseDraw(slotOfRace(s, k).distance);
  const auto draw = [&] { return pd.width * g.rng.uniform() + pd.base; };
  g.rng.reseed();
  for (int slot = MaxRunners - 1, n = 0; slot >= 0; --slot, ++n) {
    Runner& run = s.runners[static_cast<size_t>(slot)];
    const double d1 = fix(draw());
    const double d2 = intFloor(draw()) + d1;
    const double d4 = fix(draw());
    const double d3 = intFloor(draw()) + d4;
    run.phaseEnd1 = metresToPixels(d1);
    run.phaseEnd2 = metresToPixels(d2);
    run.lateWindow = metresToPixels(d3);
    run.finalWindow = metresToPixels(d4);
    run.position = 0;
    run.animFrame = static_cast<uint8_t>(intFloorL(8 * g.rng.uniform()));
    run.laneY = 242 - 16 * n;
    run.finished = 0;
  }
  s.finishOrder.fill(-1);
}

void prepareFrames(GameState& s) {
  const int n = runnersIn(s);
  for (int i = 0; i < n; ++i)
    if (s.runners[static_cast<size_t>(i)].animFrame == 0) s.runners[static_cast<size_t>(i)].animFrame = 1;
}

void startRace(Game& g, int k) {
  setUpRunners(g, k);
  prepareFrames(g.s);
  raceTick(g, k);
}

void raceTick(Game& g, int k) {
  if (tick(g, k, UnseenRace, nullptr)) finishRace(g, k, g.s.runnerCount);
}

void viewTick(Game& g, int k, RaceView* view, const RaceMode& mode) { tick(g, k, mode, view); }

void runWatchedRace(Game& g, int k, RaceView* view) {
  setUpRunners(g, k);
  prepareFrames(g.s);
  viewTick(g, k, view);
  while (!g.s.raceDone) {
    prepareFrames(g.s);
    viewTick(g, k, view);
  }
  finishRace(g, k, g.s.runnerCount);
}

std::u16string runnerCaption(const GameState& s, int slot) {
  const Runner& run = s.runners.at(static_cast<size_t>(slot));
  if (run.catIndex < 0) return u"";
  const CatRecord& cat = catAt(s, run.catIndex);
  return trf(u"{gate}番 {cat} {age}才　", {{u"gate", num(slot + 1)}, {u"cat", trim(cat.name)}, {u"age", num(cat.age)}});
}

}  // namespace polmina
