#include "ui/race_window.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <map>
#include <set>

#include "race/world.h"

namespace polmina {
namespace {

using testworld::field;
using testworld::twelve;
using testworld::World;

// Watches a race in the window at full speed: the picture at each phase (mid-race at frame 200), every
// line of the message label, whether the window let itself be closed during the race.
class ProbedRaceWindow : public RaceWindow {
 public:
  ProbedRaceWindow() { setPace(0); }
  ~ProbedRaceWindow() override { setPace(1); }

  const GameState* state = nullptr;
  std::map<Phase, QImage> shots;
  std::array<Runner, MaxRunners> atGate{};  // the runners as the title shows them, in the gate
  std::vector<QString> messages;
  Runner firstRunner;
  int backScroll = 0;
  int frames = 0;
  bool closedMidRace = false;

  QLabel* labelNamed(const QString& name) const { return findChild<QLabel*>(name); }
  static constexpr Phase Running = Phase::Running;
  static constexpr std::array<Phase, 3> Phases = {Phase::Title, Phase::Running, Phase::Placings};

 protected:
  void reached(Phase phase) override {
    if (phase == Phase::Title) atGate = state->runners;
    if (phase == Phase::Running) {
      const QString msg = labelNamed(QStringLiteral("LabMsg"))->text();
      if (messages.empty() || messages.back() != msg) messages.push_back(msg);
      if (++frames != 200) return;
    }
    if (phase == Phase::Running) {
      firstRunner = state->runners[0];
      backScroll = state->raceStates[0].backScroll;
      closedMidRace = close() || !isVisible();
    }
    shots[phase] = findChild<QWidget*>(QStringLiteral("scr_bkg"))->grab().toImage();
  }
};

int colours(const QImage& img) {
  std::set<QRgb> seen;
  for (int y = 0; y < img.height(); y += 3)
    for (int x = 0; x < img.width(); x += 3) seen.insert(img.pixel(x, y));
  return static_cast<int>(seen.size());
}

// Pixels of the top of a runner's sprite (above the next lane) that are not the bare course.
int spritePixels(const QImage& shot, const Runner& run, int backScroll) {
  const QImage course(QStringLiteral(":/art/race/course.png"));
  int differ = 0;
  for (int y = run.laneY; y < run.laneY + 16; ++y)
    for (int x = run.position; x < run.position + 40; ++x)
      differ += shot.pixel(x, y) != course.pixel(backScroll + x, y - 50);
  return differ;
}

TEST(RaceWindow, WatchedRaceEndsAsTheRaceWithoutAScreenAtEverySpeed) {
  for (int speed : {1, 5}) {
    World plain(11);
    const int k = field(plain, 300, twelve());
    runWatchedRace(plain.g, k);

    World shown(11);
    field(shown, 300, twelve());
    ProbedRaceWindow window;
    window.state = &shown.s();
    window.findChild<QScrollBar*>(QStringLiteral("Scr"))->setValue(speed);
    window.run(shown.g, k);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.closedMidRace);
    EXPECT_EQ(shown.rng.log, plain.rng.log) << "the same draws and re-seeds in the same order";
    EXPECT_EQ(shown.s().finishOrder, plain.s().finishOrder);
    EXPECT_EQ(shown.s().cats, plain.s().cats);
    EXPECT_EQ(shown.s().money, plain.s().money);
  }
}

// Title, race and placings each show the composed scene; the runner lines, the calls and the placings
// follow the race.
TEST(RaceWindow, ShowsEachPhaseWithItsCallsAndPlacings) {
  World w(5);
  std::vector<int> cats = twelve();
  cats[3] = testworld::PlayerIndex;
  const int k = field(w, 300, cats);
  ProbedRaceWindow window;
  window.state = &w.s();
  window.run(w.g, k);
  for (auto phase : ProbedRaceWindow::Phases) EXPECT_GT(colours(window.shots[phase]), 40);
  EXPECT_GT(spritePixels(window.shots[ProbedRaceWindow::Running], window.firstRunner, window.backScroll),
            100);
  // Once every runner is home the course is drawn from its start (the left edge is bare course).
  const QImage course(QStringLiteral(":/art/race/course.png"));
  const QImage& home = window.shots[ProbedRaceWindow::Phases[2]];
  int moved = 0;
  for (int y = 60; y < 290; y += 7)
    for (int x = 2; x < 30; ++x) moved += home.pixel(x, y) != course.pixel(x, y - 50);
  EXPECT_EQ(moved, 0);

  EXPECT_TRUE(
      window.labelNamed(QStringLiteral("labName3"))->styleSheet().contains(QStringLiteral("#0000ff")));
  EXPECT_FALSE(
      window.labelNamed(QStringLiteral("labName4"))->styleSheet().contains(QStringLiteral("#0000ff")));
  const std::vector<QString>& m = window.messages;
  ASSERT_GE(m.size(), 4u);
  EXPECT_EQ(m[0], QStringLiteral("スタートしました"));
  const QString lastStretch = QStringLiteral("残り100ｍを切りました 各猫が追い上げます");
  const auto call = std::find(m.begin(), m.end(), lastStretch);
  ASSERT_NE(call, m.end());
  EXPECT_EQ(std::count(m.begin(), m.end(), lastStretch), 1);
  EXPECT_TRUE((call - 1)->startsWith(QStringLiteral("250m地点通過、先頭は")));
  EXPECT_EQ(*(call + 1), QStringLiteral("ゴーーール"));
  for (int i = 0; i < 5; ++i) {
    const CatRecord& cat = w.cat(w.s().finishOrder[static_cast<size_t>(i)]);
    EXPECT_EQ(window.labelNamed(QStringLiteral("LabZyun%1").arg(i))->text(),
              QString::number(i + 1) + QStringLiteral("着 ") + QString::fromStdU16String(cat.name));
  }
}

// Rows of a picture where column x is drawn on: [first, last] of each run of them, top down.
std::vector<std::pair<int, int>> drawnRuns(const QImage& img, int x) {
  std::vector<std::pair<int, int>> runs;
  for (int y = 0; y < img.height(); ++y) {
    if (qAlpha(img.pixel(x, y)) == 0) continue;
    if (!runs.empty() && runs.back().second == y - 1)
      runs.back().second = y;
    else
      runs.push_back({y, y});
  }
  return runs;
}

// Each runner stands in its own stall of the gate, stall 1 at the top, with its line level with it.
TEST(RaceWindow, EveryRunnerStandsInItsStallBesideItsLine) {
  World w(4);
  const int k = field(w, 100, twelve());
  ProbedRaceWindow window;
  window.state = &w.s();
  window.run(w.g, k);
  // The gate's bars cross the course below its top beam; a stall lies between two bars.
  std::vector<int> bars;
  for (auto [from, to] : drawnRuns(QImage(QStringLiteral(":/art/race/gate.png")), 20))
    if (from > 12) bars.push_back(RaceScene::ObjectTop + (from + to) / 2);
  ASSERT_EQ(bars.size(), static_cast<size_t>(MaxRunners + 1));
  for (int i = 0; i < MaxRunners; ++i) {
    const Runner& run = window.atGate[static_cast<size_t>(i)];
    const QImage strip(QStringLiteral(":/art/race/breed%1.png").arg(run.breed, 2, 10, QLatin1Char('0')));
    const auto cat = drawnRuns(strip.copy(0, 0, RaceScene::Sprite, RaceScene::Sprite), RaceScene::Sprite / 2);
    ASSERT_FALSE(cat.empty());
    const int catMiddle = run.laneY + (cat.front().first + cat.back().second) / 2;
    const int lineMiddle = window.labelNamed(QStringLiteral("labName%1").arg(i))->geometry().center().y();
    for (int y : {catMiddle, lineMiddle}) {
      EXPECT_GT(y, bars[static_cast<size_t>(i)]) << "runner " << i;
      EXPECT_LT(y, bars[static_cast<size_t>(i) + 1]) << "runner " << i;
    }
  }
}

// The window is used again for a smaller field: the lines of the empty gates are cleared, and the
// speed chosen in one race holds in the next.
TEST(RaceWindow, SmallerFieldInTheSameWindowLeavesEmptyGatesBlank) {
  ProbedRaceWindow window;
  QScrollBar* scr = window.findChild<QScrollBar*>(QStringLiteral("Scr"));
  World first(2);
  window.state = &first.s();
  window.run(first.g, field(first, 100, twelve()));
  scr->setValue(2);

  World second(3);
  std::vector<int> five = twelve();
  five.resize(5);
  window.state = &second.s();
  window.run(second.g, field(second, 100, five));
  EXPECT_EQ(window.labelNamed(QStringLiteral("labName4"))->text().left(3), QStringLiteral("5番 "));
  for (int i = 5; i < MaxRunners; ++i)
    EXPECT_TRUE(window.labelNamed(QStringLiteral("labName%1").arg(i))->text().isEmpty()) << i;
  EXPECT_EQ(ProbedRaceWindow().findChild<QScrollBar*>(QStringLiteral("Scr"))->value(), 2);
  scr->setValue(4);
}

}  // namespace
}  // namespace polmina
