// 早送り and 結果へ: weeks fast-forwarded and races skipped to their end leave the same game as the
// same weeks clicked and the same races watched to the end; each stop holds where it says.
#include "game/fast_forward.h"

#include <sqlite3.h>

#include <QAction>
#include <QGroupBox>
#include <QScrollBar>
#include <QTimer>
#include <fstream>
#include <iterator>

#include "history/history.h"
#include "store/savefile.h"
#include "ui/fast_forward.h"
#include "ui/race_window.h"
#include "window_world.h"

namespace polmina::test {
namespace {

namespace fs = std::filesystem;

std::string fileBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Every row of every table of the history, as text.
std::string historyRows(const fs::path& dir) {
  sqlite3* db = nullptr;
  std::string out;
  if (sqlite3_open_v2((dir / HistoryFileName).string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) ==
      SQLITE_OK) {
    for (const char* table : {"cats", "races", "runners", "growth", "recovery"}) {
      const std::string sql = std::string("SELECT * FROM ") + table + " ORDER BY rowid";
      sqlite3_exec(
          db, sql.c_str(),
          [](void* to, int n, char** values, char**) {
            auto& s = *static_cast<std::string*>(to);
            for (int i = 0; i < n; ++i) s += (values[i] ? values[i] : "NULL") + std::string("|");
            s += '\n';
            return 0;
          },
          &out, nullptr);
    }
  }
  sqlite3_close(db);
  return out;
}

// A game of its own with its history beside the save, as the program runs it.
struct Played {
  explicit Played(const fs::path& folder) : dir(folder) {
    fs::create_directories(dir);
    world = std::make_unique<WindowWorld>(dir);
    history = std::make_unique<History>(dir);
    world->session.history = history.get();
    world->g.watcher = history.get();
    world->newGame();
    // Training as a player sets it before the first week.
    world->click(main(), Command::Training);
    world->find<QScrollBar>(main(), "ScrSp2")->setValue(4);
    world->click(main(), Command::Training);
  }
  ~Played() {
    world.reset();
    history.reset();
    fs::remove_all(dir);
  }
  MainWindow* main() { return &world->wm.mainWindow(); }
  GameState& s() { return world->s(); }
  int weeksPlayed() { return (s().year - 2001) * 48 + s().weekBase / 5; }
  FastForward& ff() { return main()->fastForward(); }
  // A fast-forward; the results' OK is given when it stopped at a question of the week.
  void forward(const FastForwardChoice& c) { ff().run(c); }
  void clickWeek() {
    world->click(main(), Command::NextWeek);
  }
  // The save as the quit would write it, and the history's rows.
  std::pair<std::string, std::string> saved() {
    EXPECT_TRUE(saveGame(s(), dir).ok);
    return {fileBytes(dir / SaveFileName), historyRows(dir)};
  }

  fs::path dir;
  std::unique_ptr<WindowWorld> world;
  std::unique_ptr<History> history;
};

class FastForwardTest : public ::testing::Test {
 protected:
  fs::path scratch(const char* name) {
    return fs::temp_directory_path() /
           (std::string("polmina-ff-") + name + std::to_string(std::random_device{}()));
  }
};

TEST_F(FastForwardTest, FastForwardedWeeksLeaveTheSameSaveAndHistoryAsClickedOnes) {
  constexpr int kWeeks = 30;
  Played clicked(scratch("clicked"));
  while (clicked.weeksPlayed() < kWeeks) clicked.clickWeek();
  Played forwarded(scratch("forwarded"));
  int runs = 0;
  while (forwarded.weeksPlayed() < kWeeks) {
    forwarded.forward({std::nullopt, kWeeks - forwarded.weeksPlayed()});
    ++runs;
  }
  EXPECT_GT(runs, 1) << "the questions of the weeks stopped it on the way";
  // 愛猫の出ない重賞は観戦しない: the big races the cat does not run are answered いいえ beforehand, as the
  // clicks answered them, and stop nothing.
  Played skipping(scratch("skipping"));
  int skippingRuns = 0;
  while (skipping.weeksPlayed() < kWeeks) {
    skipping.forward({std::nullopt, kWeeks - skipping.weeksPlayed(), true});
    ++skippingRuns;
  }
  EXPECT_LT(skippingRuns, runs);
  ASSERT_EQ(clicked.weeksPlayed(), forwarded.weeksPlayed());
  EXPECT_EQ(clicked.world->ui.messages.size(), forwarded.world->ui.messages.size());
  EXPECT_EQ(clicked.world->ui.messages.size(), skipping.world->ui.messages.size());
  // The cat said its remarks in the clicked weeks; the forwarded ones kept them, drawn the same way.
  EXPECT_LT(forwarded.world->ui.chatter.size(), clicked.world->ui.chatter.size());
  EXPECT_EQ(clicked.world->ui.chatter.back(), forwarded.world->ui.chatter.back());
  const auto a = clicked.saved();
  const auto b = forwarded.saved();
  EXPECT_TRUE(a.first == b.first) << "the save files differ";
  EXPECT_FALSE(a.second.empty());
  EXPECT_TRUE(a.second == b.second) << "the histories differ";
  const auto c = skipping.saved();
  EXPECT_TRUE(a.first == c.first) << "the save files differ with the big races skipped";
  EXPECT_TRUE(a.second == c.second) << "the histories differ with the big races skipped";
}

TEST_F(FastForwardTest, EachStopHoldsWhereItSaysAndNothingIsAnsweredForThePlayer) {
  Played p(scratch("stops"));
  WindowWorld& w = *p.world;
  // To the cat's first race: the game stands before that week, at the home view.
  while (!isStopWeek(p.s(), StopAt::Race)) p.forward({StopAt::Race, std::nullopt});
  EXPECT_FALSE(p.main()->weekRunning());
  EXPECT_TRUE(p.main()->button(Command::NextWeek)->isEnabled());
  EXPECT_EQ(w.find<QLabel>(p.main(), "labComment")->text().right(7), QStringLiteral("に出走予定です"));
  // Asked again in that week: it says so and runs nothing.
  const int week = p.weeksPlayed();
  p.ff().run({StopAt::Race, std::nullopt});
  EXPECT_EQ(w.lastMessage(), u"今週は出走する週です。");
  EXPECT_EQ(p.weeksPlayed(), week);
  // The race's week puts the watch question (or tells why the cat cannot run): the fast-forward stops
  // with the week open for its OK.
  const size_t told = w.ui.messages.size();
  bool open = false;
  w.atResults = [&] {
    open = true;
    EXPECT_EQ(w.ui.messages.size(), told + 1);
    EXPECT_EQ(w.ui.messages.back().title.substr(0, 1), u"R");
    EXPECT_TRUE(p.main()->weekRunning());
    EXPECT_FALSE(p.ff().stopButton()->isVisible());
  };
  const int before = p.weeksPlayed();
  p.ff().run({std::nullopt, 5});
  EXPECT_TRUE(open);
  EXPECT_EQ(p.weeksPlayed(), before + 1);
  // The stop button, pressed while the first week runs: that week ends, and nothing more.
  QTimer::singleShot(0, p.ff().stopButton(), [&] {
    EXPECT_TRUE(p.ff().stopButton()->isVisible());
    p.ff().stopButton()->click();
  });
  const int first = p.weeksPlayed();
  p.forward({std::nullopt, 10});
  EXPECT_EQ(p.weeksPlayed(), first + 1);
  // To the big races and the year end: the awards wait for their OK, as after a clicked week.
  while (!isStopWeek(p.s(), StopAt::BigRace)) p.forward({StopAt::BigRace, std::nullopt});
  bool awardsShown = false;
  whenAwardsWait(w, p.main(), [&] {
    awardsShown = true;
    w.click(p.main(), "butNendo");
  });
  while (p.s().year == 2001) p.forward({StopAt::YearEnd, std::nullopt});
  EXPECT_TRUE(awardsShown);
  EXPECT_EQ(w.find<QLabel>(p.main(), "labNen")->text(), QStringLiteral("2002年1月1週"));
  EXPECT_FALSE(p.main()->weekRunning());
  EXPECT_EQ(w.find<QGroupBox>(p.main(), "Frm5")->title(), QStringLiteral("レース結果"));
}

TEST_F(FastForwardTest, AWatchedRaceSkippedToItsResultEndsAsIfWatchedToTheEnd) {
  RaceWindow::setPace(0);
  Played watched(scratch("watched"));
  Played skipped(scratch("skipped"));
  bool skippedOne = false;
  auto* poll = new QTimer(skipped.main());
  QObject::connect(poll, &QTimer::timeout, [&] {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->objectName() == QLatin1String("RaceFm") && top->isVisible()) {
        auto* toResult = top->findChild<QAction*>(QStringLiteral("actToResult"));
        ASSERT_NE(toResult, nullptr);
        toResult->trigger();
        skippedOne = true;
      }
  });
  for (Played* p : {&watched, &skipped}) {
    p->world->ui.defaultAnswer = true;  // watch every race offered
    if (p == &skipped) poll->start(1);
    while (p->weeksPlayed() < 30) p->clickWeek();
    poll->stop();
  }
  RaceWindow::setPace(1);
  EXPECT_TRUE(skippedOne);
  const auto a = watched.saved();
  const auto b = skipped.saved();
  EXPECT_TRUE(a.first == b.first) << "the save files differ";
  EXPECT_TRUE(a.second == b.second) << "the histories differ";
}

}  // namespace
}  // namespace polmina::test
