// The game played through its windows by clicks: the wizard, a week, booking, rest, quitting with a
// save and taking the game up again.
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTimer>
#include <fstream>

#include "store/savefile.h"
#include "ui/qt_text.h"
#include "ui/race_window.h"
#include "ui/small_windows.h"
#include "ui/title_window.h"
#include "window_world.h"

namespace polmina::test {
namespace {

namespace fs = std::filesystem;

using GameFlow = WindowTest;

TEST_F(GameFlow, WizardRefusesBadNamesAndAsksForTheBreedAgainAfterGoingBack) {
  WindowWorld& w = *world;
  w.wm.showWindow(GameWindow::Wizard);
  QWidget* wiz = &w.wm.wizardWindow();
  w.click(wiz, "ButNext0");
  w.click(wiz, "ButNext1");
  EXPECT_EQ(w.lastMessage(), u"名前を入力して下さい。");
  for (const QString& blank : {QStringLiteral("   "), QStringLiteral("　　"), QStringLiteral(" 　 ")}) {
    w.ui.messages.clear();
    w.type(wiz, "Txt0", blank);
    w.click(wiz, "ButNext1");
    EXPECT_EQ(w.lastMessage(), u"名前を入力して下さい。") << blank.toStdString();
  }
  w.type(wiz, "Txt0", QStringLiteral("abcdefghijk"));
  w.click(wiz, "ButNext1");
  EXPECT_EQ(w.lastMessage(), u"10文字までです。");
  EXPECT_EQ(w.wm.wizardWindow().currentPage(), 1);
  w.type(wiz, "Txt0", QStringLiteral("ab c"));
  w.click(wiz, "ButNext1");
  EXPECT_EQ(w.s().playerName, u"ａｂｃ");
  w.type(wiz, "Txt1", QStringLiteral("　"));
  w.click(wiz, "ButNext2");
  EXPECT_EQ(w.lastMessage(), u"名前を入力して下さい。");
  EXPECT_EQ(w.wm.wizardWindow().currentPage(), 2);
  w.type(wiz, "Txt1", QStringLiteral("ミケ"));
  w.click(wiz, "ButNext2");
  QTest::mouseClick(w.find<QWidget>(wiz, "Opt2"), Qt::LeftButton, {}, QPoint(8, 8));
  w.click(wiz, "ButBack3");
  w.click(wiz, "ButNext2");
  const size_t before = w.ui.messages.size();
  w.click(wiz, "ButNext3");
  ASSERT_EQ(w.ui.messages.size(), before + 1);
  EXPECT_EQ(w.lastMessage(), u"猫君のタイプを選んで下さい。");
  EXPECT_EQ(w.wm.wizardWindow().currentPage(), 3);
  // The breeds' picture chooses too: the sixth column is breed 5.
  QTest::mouseClick(w.find<QWidget>(wiz, "Image2"), Qt::LeftButton, {}, QPoint(5 * 25 + 12, 10));
  EXPECT_TRUE(w.find<QRadioButton>(wiz, "Opt5")->isChecked());
  EXPECT_EQ(w.s().cats[0].breed, 5);
}

TEST_F(GameFlow, NewGameOpensTheMainWindowWithTheFirstWords) {
  WindowWorld& w = *world;
  w.newGame(3);
  EXPECT_TRUE(main()->isVisible());
  EXPECT_FALSE(w.wm.wizardWindow().isVisible());
  EXPECT_EQ(w.s().cats[w.s().playerCat].breed, 3);
  EXPECT_GT(w.s().catCount, 900);
  EXPECT_EQ(text("labNen"), QStringLiteral("2001年1月1週"));
  EXPECT_EQ(text("Lab1"), QStringLiteral("ミケ"));
  ASSERT_FALSE(w.ui.dialogs.empty());
  EXPECT_EQ(w.ui.dialogs.back(), QStringLiteral("MsgFm"));
}

TEST_F(GameFlow, PanelsActByCaptionAndBookingRefusesThenBooks) {
  WindowWorld& w = *world;
  w.newGame();
  w.click(main(), Command::Registration);  // 登録
  EXPECT_EQ(main()->button(Command::Registration)->text(), QStringLiteral("ＯＫ"));
  EXPECT_FALSE(main()->button(Command::Quit)->isEnabled());
  auto* list = w.find<QListWidget>(main(), "Lst1");
  ASSERT_EQ(list->count(), 240);
  EXPECT_EQ(w.find<QLabel>(main(), "LabRace")->text(), QStringLiteral("7月まで出走出来ません"));
  const auto choose = [&](int row) {
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
  };
  choose(2);  // one of this week's races
  EXPECT_EQ(w.lastMessage(), u"今週のレースは登録を終了しています。");
  // The first race a new cat may run, in July.
  int slot = -1;
  for (int i = 120; i < 240 && slot < 0; ++i)
    if (w.s().calendar[i].raceClass == ClassNew) slot = i;
  ASSERT_GE(slot, 0);
  // A booking the registration programme made is no longer news once the player books a race.
  w.s().noticeLine = u"12/4 5R 天猫記念に自動で登録されました";
  w.ui.script.push_back(true);
  choose(slot);
  EXPECT_EQ(w.s().cats[w.s().playerCat].entryRace, slot);
  EXPECT_EQ(w.s().noticeLine, u"調教が設定されていません。");
  EXPECT_EQ(text("labComment"), QStringLiteral("調教が設定されていません。"));
  w.click(main(), Command::Registration);  // ＯＫ closes the panel
  EXPECT_EQ(main()->button(Command::Registration)->text(), QStringLiteral("登録"));
  EXPECT_TRUE(main()->button(Command::Quit)->isEnabled());
  // The booked race as the question's first line showed it, without the blank before the date.
  EXPECT_EQ(text("Lab7").left(4), QString::fromStdU16String(w.s().calendar[slot].raceName).trimmed().left(4));
}

TEST_F(GameFlow, AWeekPlayedByClicksAndARestThatDisablesTraining) {
  WindowWorld& w = *world;
  w.newGame();
  w.click(main(), Command::Training);  // 調教
  w.find<QScrollBar>(main(), "ScrSp2")->setValue(4);
  EXPECT_EQ(w.s().cats[w.s().playerCat].trainSpeed2, 3);
  EXPECT_EQ(text("labComment"), QString());
  w.click(main(), Command::Training);  // ＯＫ
  w.atResults = [&] {
    EXPECT_TRUE(main()->weekRunning());
    for (int i = 0; i < CommandCount; ++i) EXPECT_FALSE(main()->button(Command(i))->isEnabled()) << i;
    main()->close();  // refused while the week runs
    EXPECT_TRUE(main()->isVisible());
  };
  w.click(main(), Command::NextWeek);  // 次週, then the results' OK
  EXPECT_FALSE(main()->weekRunning());
  EXPECT_EQ(text("labNen"), QStringLiteral("2001年1月2週"));
  EXPECT_FALSE(main()->button(Command::Pet)->isEnabled());  // 飼猫 stays off from now on
  w.ui.script.push_back(true);
  w.click(main(), Command::Rest);  // 休養
  EXPECT_EQ(w.s().cats[w.s().playerCat].restWeeks, 1);
  EXPECT_FALSE(main()->button(Command::Training)->isEnabled());
  EXPECT_FALSE(main()->button(Command::Rest)->isEnabled());
  w.click(main(), Command::Champions);  // Ａ戦 and back: training stays off while resting
  w.click(main(), Command::Champions);
  EXPECT_FALSE(main()->button(Command::Training)->isEnabled());
}

TEST_F(GameFlow, QuittingWithASaveAndTakingTheGameUpAgain) {
  {
    WindowWorld& w = *world;
    w.newGame();
    w.click(main(), Command::NextWeek);
    w.ui.script = {false};  // "本当に終了します？" no: nothing happens
    main()->close();
    EXPECT_FALSE(w.ended);
    w.ui.script = {true, true};
    w.click(main(), Command::Quit);
    EXPECT_TRUE(w.ended);
    EXPECT_TRUE(hasSaveGame(dir));
  }
  const std::u16string name = world->s().cats[world->s().playerCat].name;
  world = std::make_unique<WindowWorld>(dir, 99);
  WindowWorld& w = *world;
  w.wm.showWindow(GameWindow::Title);
  w.ui.script = {true};
  w.click(&w.wm.titleWindow(), "But1");
  EXPECT_TRUE(main()->isVisible());
  EXPECT_EQ(w.s().cats[w.s().playerCat].name, name);
  EXPECT_EQ(text("labNen"), QStringLiteral("2001年1月2週"));
  EXPECT_EQ(w.s().pendingMessage, u"お帰りニャ、調教を設定しなおしてくれニャ");
}

TEST_F(GameFlow, ADamagedSaveIsRefusedAndTheTitleWindowStaysUsable) {
  WindowWorld& w = *world;
  w.wm.showWindow(GameWindow::Title);
  w.click(&w.wm.titleWindow(), "But1");
  EXPECT_EQ(w.lastMessage(), u"セーブデータが見つかりません");
  {
    std::ofstream f(savePath(dir), std::ios::binary);
    f << std::string(174 * 1200, '\x01');
  }
  w.ui.script = {true};
  w.click(&w.wm.titleWindow(), "But1");
  EXPECT_FALSE(w.wm.mainWindow().isVisible());
  EXPECT_EQ(w.s().catCount, 1);
  EXPECT_TRUE(w.find<QPushButton>(&w.wm.titleWindow(), "But0")->isEnabled());
}

TEST_F(GameFlow, AFailedSaveKeepsTheGameAndAsksBeforeQuittingWithoutIt) {
  WindowWorld& w = *world;
  w.newGame();
  // A folder where the save file should be makes the save fail.
  fs::create_directories(savePath(dir));
  w.ui.script = {true, true, false};
  main()->close();
  EXPECT_FALSE(w.ended);
  EXPECT_TRUE(main()->isVisible());
  ASSERT_GE(w.ui.messages.size(), 2u);
  EXPECT_EQ(w.ui.messages[w.ui.messages.size() - 2].title, u"セーブ");
  EXPECT_EQ(w.lastMessage(), u"セーブせずに終了しますか？");
}

}  // namespace
}  // namespace polmina::test

namespace polmina::test {
namespace {

// Plays weeks by clicks through the year's last week, the awards included (a test answers them with
// whenAwardsWait); `atLastResults` runs while that week's results wait. Every question is answered no.
void playToYearEnd(WindowWorld& w, MainWindow* m, const std::function<void()>& atLastResults = {}) {
  bool last = false;
  for (int week = 0; week < 48 && !last; ++week) {
    w.atResults = [&] {
      last = w.s().month == 12 && w.s().week == 4;
      if (last && atLastResults) atLastResults();
    };
    w.click(m, Command::NextWeek);
  }
}

TEST_F(GameFlow, AtTheWatchQuestionThePanelShowsThisWeeksRacesAndThePlacingsSoFar) {
  WindowWorld& w = *world;
  w.newGame();
  bool asked = false;
  w.ui.onMessage = [&](const MessageRecord& m) {
    if (asked || m.id != Question::WatchOwnRace) return;
    asked = true;
    const GameState& s = w.s();
    const int catsRace = s.cats[s.playerCat].entryRace - s.weekBase + 1;
    for (int k = 1; k <= 5; ++k) {
      const std::string line = "LabZyuni" + std::to_string(k) + "_";
      EXPECT_EQ(text((line + "0").c_str()), qs(slotAt(s, s.weekBase + k - 1).raceName)) << k;
      EXPECT_EQ(text((line + "1").c_str()).isEmpty(), k >= catsRace) << k << " of " << catsRace;
    }
  };
  for (int week = 0; week < 30 && !asked; ++week) w.click(main(), Command::NextWeek);
  EXPECT_TRUE(asked);
}

TEST_F(GameFlow, TheCloseBoxDuringTheWeekIsAnsweredAndQuittingWaitsForTheOK) {
  WindowWorld& w = *world;
  w.newGame();
  w.atResults = [&] {
    w.ui.messages.clear();
    main()->close();
    EXPECT_TRUE(main()->isVisible());
    ASSERT_EQ(w.ui.messages.size(), 1u);
    EXPECT_EQ(w.ui.messages[0].id, Question::QuitBusy);
    EXPECT_EQ(w.lastMessage(), u"週の処理中は終了できません。\r\n「OK」の後で終了して下さい。");
  };
  w.click(main(), Command::NextWeek);
  main()->close();
  EXPECT_EQ(w.lastMessage(), u"本当に終了します？");
  EXPECT_FALSE(w.ended);
}

TEST_F(GameFlow, HelpOpensInTheGamesOwnWindowOrSaysThePageCannotBeOpened) {
  WindowWorld& w = *world;
  w.newGame();
  w.click(main(), Command::Help);
  auto* help = main()->findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("ご感想")));
  help->close();
  w.session.paths.dataDirs = {dir};
  w.click(main(), Command::Help);
  EXPECT_EQ(w.lastMessage(), u"ファイルが開けません。");
  EXPECT_FALSE(help->isVisible());
}

TEST_F(GameFlow, TheYearEndsThroughTheAwardsPanelAndItsOK) {
  WindowWorld& w = *world;
  w.newGame();
  auto* awards = w.find<QWidget>(main(), "Frm6");
  bool shown = false;
  whenAwardsWait(w, main(), [&] {
    // The awards are up and wait for their OK while the week is still open.
    shown = true;
    EXPECT_TRUE(awards->isVisible());
    EXPECT_TRUE(w.s().awardsPending);
    EXPECT_FALSE(w.find<QLabel>(main(), "LabKingName0")->text().isEmpty());
    w.click(main(), "butNendo");
  });
  playToYearEnd(w, main());
  EXPECT_TRUE(shown);
  EXPECT_FALSE(awards->isVisible());
  EXPECT_FALSE(w.s().awardsPending);
  EXPECT_EQ(text("labNen"), QStringLiteral("2002年1月1週"));
  EXPECT_TRUE(main()->button(Command::NextWeek)->isEnabled());
  EXPECT_FALSE(w.ended);
}

TEST_F(GameFlow, ARetiringCatSaysFarewellAndTheProgramEnds) {
  WindowWorld& w = *world;
  w.newGame();
  whenAwardsWait(w, main(), [&] { w.click(main(), "butNendo"); });
  playToYearEnd(w, main(), [&] {
    CatRecord& cat = w.s().cats[w.s().playerCat];
    cat.age = cat.peakAge;
  });
  EXPECT_TRUE(w.ended);
  EXPECT_EQ(w.lastMessage(), u"ゲームを終了します\r\nありがとうございました");
}

}  // namespace
}  // namespace polmina::test

namespace polmina::test {
namespace {

QWidget* topLevel(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String(name)) return w;
  return nullptr;
}

TEST_F(GameFlow, AWatchedRaceRunsInTheRaceWindowOverTheDisabledMainWindow) {
  WindowWorld& w = *world;
  w.newGame();
  RaceWindow::setPace(0);
  w.ui.defaultAnswer = true;  // watch every race offered
  bool sawDisabledMain = false;
  auto* poll = new QTimer(main());
  QObject::connect(poll, &QTimer::timeout, [&] {
    QWidget* race = topLevel("RaceFm");
    if (race && race->isVisible()) sawDisabledMain = sawDisabledMain || !main()->isEnabled();
  });
  poll->start(1);
  for (int week = 0; week < 12 && !topLevel("RaceFm"); ++week) w.click(main(), Command::NextWeek);
  poll->stop();
  ASSERT_NE(topLevel("RaceFm"), nullptr);
  EXPECT_TRUE(sawDisabledMain);
  EXPECT_FALSE(topLevel("RaceFm")->isVisible());
  EXPECT_TRUE(main()->isEnabled());
  RaceWindow::setPace(1);
}

}  // namespace
}  // namespace polmina::test
