// The cat's history as the player meets it: the recovery question at "続きから", the formbook with a
// race shown again, the growth charts.
#include "ui/history_windows.h"

#include <QChartView>
#include <QTabWidget>
#include <QTableWidget>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QXYSeries>
#include <map>

#include "game/plan.h"
#include "game/recovery.h"
#include "history/replay.h"
#include "store/savefile.h"
#include "ui/race_window.h"
#include "ui/title_window.h"
#include "window_world.h"
#include "world/text.h"

namespace polmina::test {
namespace {

class HistoryWindows : public WindowTest {
 protected:
  std::unique_ptr<History> history;

  // The world of the running program: its history beside the save, as the game starts it.
  void start(uint64_t seed = 7) {
    history.reset();
    world = std::make_unique<WindowWorld>(dir, seed);
    history = std::make_unique<History>(dir);
    world->session.history = history.get();
    world->g.watcher = history.get();
  }
  void playWeeks(int n) {
    for (int i = 0; i < n; ++i) {
      world->click(main(), Command::NextWeek);
    }
  }
  void continueGame(std::deque<bool> answers) {
    world->wm.showWindow(GameWindow::Title);
    world->ui.script = std::move(answers);
    world->click(&world->wm.titleWindow(), "But1");
  }
};

TEST_F(HistoryWindows, AGameThatEndedWithoutSavingGoesOnFromItsLastWeekUnlessThePlayerThrewItAway) {
  start();
  world->newGame();
  playWeeks(1);
  ASSERT_TRUE(saveGame(world->s(), dir));  // saved at 1月2週
  playWeeks(2);
  // The game goes on as it stood, its training to be set again as after any resume.
  CatRecord expected = world->s().cats[world->s().playerCat];
  expected.trainSpeed1 = expected.trainStamina1 = expected.trainPower1 = 0;
  expected.trainSpeed2 = expected.trainStamina2 = expected.trainPower2 = 0;
  const int32_t money = world->s().money;

  start(99);  // the program was killed: the next run
  continueGame({true});
  ASSERT_TRUE(main()->isVisible());
  const auto& asked = world->ui.messages.front().text;
  EXPECT_NE(asked.find(u"2001年1月4週まで覚えている"), std::u16string::npos) << toUtf8(asked);
  EXPECT_EQ(text("labNen"), QStringLiteral("2001年1月4週"));
  EXPECT_EQ(world->s().cats[world->s().playerCat], expected);
  EXPECT_EQ(world->s().money, money);

  // Quitting without saving throws the weeks since the save away for good.
  world->ui.script = {true, false};
  main()->close();
  ASSERT_TRUE(world->ended);
  start();
  continueGame({true});
  ASSERT_EQ(world->ui.messages.front().text, u"ゲームを再開します。");
  EXPECT_EQ(text("labNen"), QStringLiteral("2001年1月2週"));
}

TEST_F(HistoryWindows, TheFormbookListsACatsRacesAndShowsOneAgainWithoutChangingTheGame) {
  start();
  world->newGame();
  GameState& s = world->s();
  // The start data's cats come with careers of their own: only the races run since are recorded.
  std::map<std::u16string, int> startsBefore;
  for (int i = 0; i < s.catCount; ++i) startsBefore[s.cats[i].name] = s.cats[i].starts;
  playWeeks(8);
  int k = 0;
  while (k < s.catCount && s.cats[k].starts == startsBefore[s.cats[k].name]) ++k;
  ASSERT_LT(k, s.catCount);
  const auto before = saveImage(s);
  RaceWindow::setPace(0);
  bool raceShown = false;
  QString shownWinner;
  auto* poll = new QTimer(main());
  QObject::connect(poll, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() != QStringLiteral("RaceFm") || !w->isVisible()) continue;
      raceShown = true;
      if (auto* first = w->findChild<QLabel*>(QStringLiteral("LabZyun0")); first && first->isVisible())
        shownWinner = first->text().trimmed();
    }
  });
  poll->start(0);  // between any two events: the placings stand for no time at all
  int rows = -1;
  world->ui.onDialog = [&](QDialog& d) {
    if (d.objectName() != QStringLiteral("FormbookFm")) return;
    auto* table = d.findChild<QTableWidget*>(QStringLiteral("tblRaces"));
    rows = table->rowCount();
    ASSERT_GT(rows, 0);
    EXPECT_TRUE(table->item(0, 4)->text().endsWith(QStringLiteral("着")));
    // Enter on the row watches its race; Tab leaves the table.
    d.show();
    EXPECT_EQ(d.focusWidget(), table);
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(d.focusWidget(), table) << "back on the row after the race";
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_EQ(d.focusWidget()->objectName(), QStringLiteral("butReplay"));
    d.hide();
  };
  openFormbook(world->session, s.cats[k], main());
  RaceWindow::setPace(1);
  EXPECT_EQ(rows, s.cats[k].starts - startsBefore[s.cats[k].name]);
  EXPECT_EQ(saveImage(s), before) << "a race shown again changes nothing";
  poll->stop();
  EXPECT_TRUE(raceShown);
  EXPECT_EQ(shownWinner, QString::fromStdU16String(u"1着 " + history->formbook(s.cats[k]).front().winner))
      << "the race shown again ends as it did";

  // The player's own formbook and the growth charts come from the keyboard.
  world->ui.onDialog = [&](QDialog& d) {
    if (d.objectName() != QStringLiteral("GrowthFm")) return;
    auto* tabs = d.findChild<QTabWidget*>(QStringLiteral("tabCharts"));
    ASSERT_EQ(tabs->count(), 5);
    auto* abilities = static_cast<QChartView*>(tabs->widget(0));
    ASSERT_EQ(abilities->chart()->series().size(), 3);
    auto* speed = static_cast<QXYSeries*>(abilities->chart()->series()[0]);
    EXPECT_EQ(speed->count(), 8);
    // The same numbers in the table tab, for those who cannot see the lines.
    auto* table = qobject_cast<QTableWidget*>(tabs->widget(4));
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 8);
    EXPECT_EQ(table->item(7, 1)->text(), QString::number(speed->at(7).y()));
  };
  QApplication::setActiveWindow(main());
  QTest::keyClick(main(), Qt::Key_R, Qt::ControlModifier);
  QTest::keyClick(main(), Qt::Key_G, Qt::ControlModifier);
  const auto& shown = world->ui.dialogs;
  EXPECT_NE(std::find(shown.begin(), shown.end(), QStringLiteral("GrowthFm")), shown.end());
  EXPECT_EQ(std::count(shown.begin(), shown.end(), QStringLiteral("FormbookFm")), 2);
}

TEST_F(HistoryWindows, RacesWatchedInTheRaceWindowRunAgainToTheirRecordedOrder) {
  start();
  world->newGame();
  RaceWindow::setPace(0);
  world->ui.defaultAnswer = true;  // every race offered is watched, the cat's picture waiting meanwhile
  playWeeks(10);
  world->ui.defaultAnswer = false;
  RaceWindow::setPace(1);
  int watched = 0;
  for (int64_t id = 1; auto race = history->race(id); ++id) {
    watched += race->watched ? 1 : 0;
    EXPECT_EQ(replayRace(*race), recordedOrder(*race)) << toUtf8(race->raceName);
  }
  EXPECT_GT(watched, 0);
}

TEST_F(HistoryWindows, ANewGameLeavesTheSavedCareerInTheHallAndADamagedSaveComesBackFromABackup) {
  start();
  world->newGame(3);
  playWeeks(2);
  world->ui.script = {true, true};  // 終了, with a save
  main()->close();
  const QString savedWeek = text("labNen");

  start();
  world->newGame(5);  // 最初から
  int careers = -1;
  QString ended;
  world->ui.onDialog = [&](QDialog& d) {
    if (d.objectName() != QStringLiteral("HallFm")) return;
    auto* table = d.findChild<QTableWidget*>(QStringLiteral("tblCareers"));
    careers = table->rowCount();
    if (careers > 0) ended = table->item(0, 6)->text();
  };
  QApplication::setActiveWindow(main());
  QTest::keyClick(main(), Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(careers, 1);
  EXPECT_EQ(ended, QStringLiteral("中断"));
  playWeeks(1);
  world->ui.script = {true, true};
  main()->close();  // the new game saved: the first game's save is a backup now

  std::filesystem::resize_file(savePath(dir), 1000);
  start();
  continueGame({false, true});  // not the history's last week, but the backup
  ASSERT_GE(world->ui.messages.size(), 2u);
  EXPECT_NE(world->ui.messages[0].text.find(u"セーブデータが読み込めない"), std::u16string::npos)
      << toUtf8(world->ui.messages[0].text);
  EXPECT_NE(world->ui.messages[1].text.find(u"のバックアップから再開しますか？"), std::u16string::npos)
      << toUtf8(world->ui.messages[1].text);
  ASSERT_TRUE(main()->isVisible());
  EXPECT_EQ(text("labNen"), savedWeek);
}

TEST_F(HistoryWindows, AnUnusableHistoryIsToldOnceAndTheGameGoesOn) {
  std::filesystem::create_directory(dir / HistoryFileName);  // in the way of the file
  start();
  world->newGame();
  playWeeks(3);
  int told = 0;
  for (const auto& m : world->ui.messages)
    told += m.text.find(u"履歴ファイル") != std::u16string::npos ? 1 : 0;
  EXPECT_EQ(told, 1);
  EXPECT_EQ(text("labNen"), QStringLiteral("2001年1月4週"));
  world->ui.script = {true, true};
  main()->close();
  EXPECT_TRUE(world->ended);
  EXPECT_TRUE(hasSaveGame(dir));
}

// The season plan and the followed cats by keyboard alone: Ctrl+O, the arrows and Enter mark a target,
// Esc closes; Ctrl+J on a cat of the list follows it; Ctrl+U lists it.
TEST_F(HistoryWindows, ThePlanAndTheFollowedCatsWorkByKeyboard) {
  start();
  SeasonPlanner planner(*history);
  world->g.planner = &planner;
  world->newGame();
  playWeeks(1);
  GameState& s = world->s();
  const auto key = [](QWidget* to, Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(to, k, m); };
  PlanRow marked;
  world->ui.onDialog = [&](QDialog& d) {
    if (d.objectName() != QStringLiteral("PlanFm")) return;
    auto* table = d.findChild<QTableWidget*>(QStringLiteral("tblPlan"));
    d.show();
    ASSERT_EQ(d.focusWidget(), table);
    key(table, Qt::Key_Down);
    key(table, Qt::Key_Return);
    marked = planner.plan(s)[1];
    EXPECT_EQ(table->item(1, 6)->text(), QStringLiteral("★"));
    EXPECT_TRUE(table->item(1, 0)->data(Qt::AccessibleDescriptionRole).toString().contains(QStringLiteral("目標のレース")));
    EXPECT_TRUE(table->item(0, 5)->text().contains(QStringLiteral("終わりました"))) << "this week's races";
    key(table, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
  };
  key(main(), Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(world->ui.dialogs.back(), QStringLiteral("PlanFm"));
  EXPECT_TRUE(marked.target);
  ASSERT_EQ(history->targets(s).size(), 1u);
  EXPECT_EQ(history->targets(s)[0].slot, marked.slot);

  // The 登録 list marks each race with what choosing it answers, and how full it is.
  world->click(main(), Command::Registration);
  auto* races = world->find<QListWidget>(main(), "Lst1");
  for (int i = 0; i < races->count(); ++i) {
    const BookingAnswer a = checkBooking(s, i);
    const QString said = races->item(i)->data(Qt::AccessibleDescriptionRole).toString();
    EXPECT_TRUE(said.startsWith(QString::fromStdU16String(verdictText(a.verdict, slotAt(s, i).raceClass)))) << i;
    EXPECT_TRUE(said.endsWith(QString::fromStdU16String(fullnessText(s, i)))) << i;
    EXPECT_EQ(races->item(i)->foreground().color() == QColor(0x80, 0x80, 0x80), a.refused) << i;
  }
  world->click(main(), Command::Registration);

  world->click(main(), Command::ActiveCats);
  auto* list = world->find<QListWidget>(main(), "Lst0");
  list->setFocus();
  list->setCurrentRow(3);
  const std::u16string followed = trim(s.cats[2].name);
  key(list, Qt::Key_J, Qt::ControlModifier);
  EXPECT_EQ(world->ui.messages.back().text, followed + u"を注目猫にしました。");
  int rows = -1;
  world->ui.onDialog = [&](QDialog& d) {
    if (d.objectName() != QStringLiteral("RivalsFm")) return;
    auto* table = d.findChild<QTableWidget*>(QStringLiteral("tblRivals"));
    rows = table->rowCount();
    EXPECT_EQ(table->item(0, 0)->text(), QString::fromStdU16String(followed));
  };
  key(main(), Qt::Key_U, Qt::ControlModifier);
  EXPECT_EQ(rows, 1);
}

}  // namespace
}  // namespace polmina::test
