// The game for a player without a mouse or without sight: what Tab reaches in each state of the main
// window, the names a screen reader reads, the live text it hears, and a week played by keys alone.
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <memory>

#include "race/world.h"
#include "ui/chatter_window.h"
#include "ui/history_windows.h"
#include "ui/race_window.h"
#include "ui/small_windows.h"
#include "ui/title_window.h"
#include "window_world.h"

namespace polmina::test {
namespace {

// What Tab reaches in `window`, in its order.
std::vector<QWidget*> tabChain(QWidget* window) {
  std::vector<QWidget*> chain;
  for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain())
    if (w->window() == window && w->isEnabled() && w->isVisibleTo(window) &&
        (w->focusPolicy() & Qt::TabFocus))
      chain.push_back(w);
  return chain;
}

bool inView(QWidget* w, QWidget* window) {
  return window->rect().contains(QRect(w->mapTo(window, QPoint(0, 0)), w->size()));
}

// The object names of the controls that can take focus in `window` and have no accessible name.
QStringList unnamed(QWidget* window) {
  QStringList found;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    // A control that hands its focus to another (a view's viewport, a tab widget's bar) is read as that.
    if (w->focusPolicy() == Qt::NoFocus || w->focusProxy() || w->window() != window) continue;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
      found << w->objectName() + QLatin1Char('/') + QString::fromLatin1(w->metaObject()->className());
  }
  return found;
}

// The screen reader's side of the bus: the text inserted into each object or of the row that became
// current in it, and description changes.
struct Listener {
  static inline Listener* current = nullptr;
  QAccessible::UpdateHandler before = nullptr;
  std::vector<std::pair<QString, QString>> inserted;  // object name, text
  QStringList described;                              // object names

  Listener() {
    current = this;
    before = QAccessible::installUpdateHandler([](QAccessibleEvent* e) {
      QObject* o = e->object();
      const QString name = o ? o->objectName() : QString();
      // A paragraph break arrives as U+2029; an empty insertion says nothing.
      QString text =
          e->type() == QAccessible::TextInserted
              ? static_cast<QAccessibleTextInsertEvent*>(e)->textInserted().replace(QChar(0x2029), '\n')
              : QString();
      // A row of a list becoming current says its text.
      if (e->type() == QAccessible::Focus && e->child() >= 0)
        if (QAccessibleInterface* row = e->accessibleInterface()) text = row->text(QAccessible::Name);
      if (!text.isEmpty()) current->inserted.emplace_back(name, text);
      if (e->type() == QAccessible::DescriptionChanged) current->described << name;
    });
  }
  ~Listener() {
    QAccessible::installUpdateHandler(before);
    current = nullptr;
  }
  QStringList insertedInto(const QString& name) const {
    QStringList texts;
    for (const auto& [object, text] : inserted)
      if (object == name) texts << text;
    return texts;
  }
};

class EveryPlayer : public WindowTest {
 protected:
  static void activate(QWidget* w) {
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  }
  static QWidget* focused() { return QApplication::focusWidget(); }
  static void key(Qt::Key k, Qt::KeyboardModifiers m = {}) {
    QWidget* to = focused() ? focused() : QApplication::activeWindow();
    QTest::keyClick(to, k, m);
  }
  // Nothing out of view is in the chain and the focus is in it.
  void expectChainInView(const char* state) {
    const std::vector<QWidget*> chain = tabChain(main());
    ASSERT_FALSE(chain.empty()) << state;
    for (QWidget* w : chain) EXPECT_TRUE(inView(w, main())) << state << ": " << w->objectName().toStdString();
    EXPECT_NE(std::find(chain.begin(), chain.end(), focused()), chain.end()) << state;
  }
  bool inChain(const char* name) {
    const std::vector<QWidget*> chain = tabChain(main());
    return std::any_of(chain.begin(), chain.end(), [&](QWidget* w) { return w->objectName() == name; });
  }
  // Each panel opened by its command: focus goes into it, every control of it is reachable and nothing
  // out of view is; Esc closes it and the focus is back on its command.
  void expectEveryPanel(const char* state) {
    const std::pair<Command, std::vector<const char*>> panels[] = {
        {Command::Champions, {}},
        {Command::ActiveCats, {"Cmb1", "Lst0"}},
        {Command::RetiredCats, {"Cmb1", "Lst0"}},
        {Command::Registration, {"Lst1", "ButCan"}},
        {Command::Training, {"ScrSp1", "ScrSt1", "ScrPw1", "ScrSp2", "ScrSt2", "ScrPw2"}}};
    for (const auto& [c, controls] : panels) {
      QPushButton* b = main()->button(c);
      b->click();
      ASSERT_NE(main()->openPanel(), OpenPanel::None) << state;
      expectChainInView(state);
      for (const char* name : controls) EXPECT_TRUE(inChain(name)) << state << ": " << name;
      // Focus is in the panel (its controls lie deeper than the commands), or on 戻る where it has none.
      EXPECT_EQ(focused()->parentWidget() == main(), controls.empty()) << state;
      key(Qt::Key_Escape);
      EXPECT_EQ(main()->openPanel(), OpenPanel::None) << state;
      EXPECT_EQ(focused(), b) << state;
    }
  }
};

TEST_F(EveryPlayer, TabReachesWhatIsInViewAfterANewGameAndAfterContinuing) {
  WindowWorld& w = *world;
  w.newGame();
  activate(main());
  EXPECT_EQ(focused(), main()->button(Command::NextWeek));
  expectChainInView("new game");
  EXPECT_FALSE(inChain("butRace"));
  EXPECT_FALSE(inChain("butNendo"));
  // The results' OK out of view closes no week that has not run.
  emit w.find<QPushButton>(main(), "butRace")->clicked();
  EXPECT_EQ(text("labNen"), QStringLiteral("2001年1月1週"));
  expectEveryPanel("new game");

  w.ui.script = {true, true};
  w.click(main(), Command::Quit);
  world = std::make_unique<WindowWorld>(dir, 99);
  WindowWorld& again = *world;
  again.wm.showWindow(GameWindow::Title);
  again.ui.script = {true};
  again.click(&again.wm.titleWindow(), "But1");  // 続きから
  ASSERT_TRUE(main()->isVisible());
  activate(main());
  EXPECT_EQ(focused(), main()->button(Command::NextWeek));
  expectChainInView("continued");
  EXPECT_FALSE(inChain("butRace"));
  emit again.find<QPushButton>(main(), "butRace")->clicked();
  EXPECT_EQ(text("labNen"), QStringLiteral("2001年1月1週"));
  expectEveryPanel("continued");
}

// Training set and a race booked by keys, the week run and its results read from the focused OK, and
// the date, notice and details read from 次週 when the week is over.
TEST_F(EveryPlayer, AWeekByKeysAloneWithTrainingAndBooking) {
  WindowWorld& w = *world;
  w.newGame();
  activate(main());
  key(Qt::Key_T, Qt::ControlModifier);  // 調教
  EXPECT_EQ(focused()->objectName(), QStringLiteral("ScrSp1"));
  key(Qt::Key_Right);
  key(Qt::Key_Right);
  key(Qt::Key_Tab);
  key(Qt::Key_Tab);
  EXPECT_EQ(focused()->objectName(), QStringLiteral("ScrPw1"));
  key(Qt::Key_End);
  const CatRecord& cat = w.s().cats[w.s().playerCat];
  EXPECT_EQ(cat.trainSpeed1, 1);
  EXPECT_EQ(cat.trainPower1, 3);
  EXPECT_EQ(text("labComment"), QString::fromStdU16String(w.s().noticeLine));
  key(Qt::Key_Tab);
  EXPECT_EQ(focused()->objectName(), QStringLiteral("ScrSp2"));
  for (int i = 0; i < 4; ++i) key(Qt::Key_Backtab);  // back past the Wednesday bars to ＯＫ
  EXPECT_EQ(focused(), main()->button(Command::Training));
  key(Qt::Key_Return);  // ＯＫ
  EXPECT_EQ(main()->openPanel(), OpenPanel::None);
  EXPECT_EQ(focused(), main()->button(Command::Training));

  key(Qt::Key_B, Qt::ControlModifier);  // 登録
  auto* list = w.find<QListWidget>(main(), "Lst1");
  EXPECT_EQ(focused(), list);
  // From the coming weeks to the first race a new cat may run, in July.
  int slot = -1;
  for (int i = 120; i < 240 && slot < 0; ++i)
    if (w.s().calendar[i].raceClass == ClassNew) slot = i;
  ASSERT_GE(slot, 0);
  const size_t asked = w.ui.messages.size();
  while (list->currentRow() < slot) key(Qt::Key_Down);
  EXPECT_EQ(w.ui.messages.size(), asked) << "moving in the list books nothing";
  w.ui.script.push_back(true);
  key(Qt::Key_Return);
  EXPECT_EQ(cat.entryRace, slot);
  key(Qt::Key_Escape);
  EXPECT_EQ(focused(), main()->button(Command::Registration));

  auto* ok = w.find<QPushButton>(main(), "butRace");
  bool closedByKey = false;
  w.atResults = [&] {
    EXPECT_EQ(focused(), ok);
    const QString read = QAccessible::queryAccessibleInterface(ok)->text(QAccessible::Description);
    EXPECT_TRUE(read.contains(w.find<QLabel>(main(), "LabZyuni1_0")->text().trimmed())) << read.toStdString();
    EXPECT_TRUE(
        read.contains(QStringLiteral("1着 ") + w.find<QLabel>(main(), "LabZyuni5_1")->text().trimmed()));
    expectChainInView("results");
    key(Qt::Key_Return);
    closedByKey = !ok->isEnabled();
  };
  key(Qt::Key_N, Qt::ControlModifier);  // 次週, then its results' OK by Enter
  EXPECT_TRUE(closedByKey);
  EXPECT_FALSE(main()->weekRunning());
  EXPECT_EQ(text("labNen"), QStringLiteral("2001年1月2週"));
  EXPECT_EQ(focused(), main()->button(Command::NextWeek));
  const QString week = QAccessible::queryAccessibleInterface(main()->button(Command::NextWeek))
                           ->text(QAccessible::Description);
  EXPECT_TRUE(week.startsWith(QStringLiteral("2001年1月2週"))) << week.toStdString();
  EXPECT_TRUE(week.contains(text("Lab7"))) << "the booked race as the next race";
  EXPECT_FALSE(inChain("butRace"));
}

// Every control that takes focus has a name; the wizard's fields are labelled by their captions.
TEST_F(EveryPlayer, EveryFocusableControlHasANameAndTheWizardsCaptionsLabelTheirFields) {
  WindowWorld& w = *world;
  w.wm.showWindow(GameWindow::Title);
  EXPECT_EQ(unnamed(&w.wm.titleWindow()), QStringList());
  w.newGame();
  EXPECT_EQ(unnamed(&w.wm.wizardWindow()), QStringList());
  EXPECT_EQ(unnamed(main()), QStringList());
  HelpWindow help(main());
  GrowthWindow growth(u"ミケ", std::vector<GrowthRow>(3), main());
  FormbookWindow formbook(w.session, w.s().cats[0], main());
  RaceWindow race;
  for (QWidget* window : std::initializer_list<QWidget*>{&help, &growth, &formbook, &race})
    EXPECT_EQ(unnamed(window), QStringList()) << window->objectName().toStdString();
  // The speed bar answers the arrow keys (its setting is kept for the session: put back after).
  auto* speed = race.findChild<QScrollBar*>(QStringLiteral("Scr"));
  const int was = speed->value();
  QTest::keyClick(speed, Qt::Key_Left);
  EXPECT_EQ(speed->value(), was - 1);
  QTest::keyClick(speed, Qt::Key_Right);
  EXPECT_EQ(speed->value(), was);
  const std::pair<const char*, QString> captions[] = {{"OptPlayerSex0", QStringLiteral("性　別：")},
                                                      {"OptCatSex0", QStringLiteral("性　別：")},
                                                      {"Cmb2", QStringLiteral("特　徴：")},
                                                      {"Txt1", QStringLiteral("猫の名前：")}};
  for (const auto& [field, caption] : captions) {
    QAccessibleInterface* a =
        QAccessible::queryAccessibleInterface(w.find<QWidget>(&w.wm.wizardWindow(), field));
    QStringList labels;
    for (const auto& [other, relation] : a->relations(QAccessible::Label))
      labels << other->text(QAccessible::Name);
    EXPECT_TRUE(labels.contains(caption)) << field;
  }
  // The picture in words, and Enter on it as a click (the chatter comes).
  auto* pic = w.find<QWidget>(main(), "pic");
  EXPECT_FALSE(QAccessible::queryAccessibleInterface(pic)->text(QAccessible::Description).isEmpty());
  activate(main());
  pic->setFocus();
  const size_t before = w.ui.chatter.size();
  key(Qt::Key_Return);
  EXPECT_EQ(w.ui.chatter.size(), before + 1);
}

// Qt sends accessibility events only while a screen reader's bus is up: on the offscreen screen there
// is none, so this runs as every_player_on_the_bus (on_the_bus.sh).
bool busUp() {
  QAccessible::isActive();  // starts the connection
  for (int i = 0; i < 100 && !QAccessible::isActive(); ++i) QTest::qWait(50);
  return QAccessible::isActive();
}

// The commentary reaches a focused log line by line as its current row, the player's place and the
// placings too; the chatter's remark whole, at once.
TEST_F(EveryPlayer, TheCommentaryAndTheChatterArriveAsCurrentRows) {
  if (!qEnvironmentVariableIsSet("POLMINA_ACCESSIBILITY_BUS")) GTEST_SKIP() << "needs the bus: on_the_bus.sh";
  ASSERT_TRUE(busUp());
  Listener bus;
  testworld::World shown(5);
  std::vector<int> field = testworld::twelve();
  field[0] = 0;  // the player's cat runs
  const int k = testworld::field(shown, 300, field);
  RaceWindow::setPace(0);
  RaceWindow race;
  race.run(shown.g, k);
  RaceWindow::setPace(1);
  const QStringList lines = bus.insertedInto(QStringLiteral("LogMsg"));
  ASSERT_GE(lines.size(), 4);
  for (const QString& l : lines) EXPECT_EQ(l.trimmed().count(QLatin1Char('\n')), 0) << l.toStdString();
  EXPECT_TRUE(lines[0].endsWith(QStringLiteral("、各猫ゲート入り完了"))) << "the race's name with the gate";
  EXPECT_EQ(lines[1].trimmed(), QStringLiteral("スタートしました"));
  // The placings come as one line once all are up, the player's cat's place first.
  const CatRecord& winner = shown.cat(shown.s().finishOrder[0]);
  const QString player = QString::fromStdU16String(shown.s().playerCatName);
  EXPECT_TRUE(lines.back().startsWith(player + QLatin1Char(' '))) << lines.back().toStdString();
  EXPECT_TRUE(lines.back().contains(QStringLiteral("、1着 ") + QString::fromStdU16String(winner.name).trimmed()))
      << lines.back().toStdString();
  EXPECT_TRUE(bus.described.contains(QStringLiteral("scr_bkg")));

  WindowWorld& w = *world;
  QString remark;
  w.ui.onDialog = [&](QDialog& d) {
    auto* c = qobject_cast<ChatterWindow*>(&d);
    if (!c) return;
    d.show();
    EXPECT_EQ(d.focusWidget(), d.findChild<QListWidget*>(QStringLiteral("LogRemark")));
    c->tick();
    // One line, its breaks as spaces.
    remark = QString::fromStdU16String(c->text())
                 .split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts)
                 .join(QLatin1Char(' '))
                 .trimmed();
    d.hide();
  };
  w.newGame();
  ASSERT_FALSE(remark.isEmpty());
  EXPECT_EQ(bus.insertedInto(QStringLiteral("LogRemark")), QStringList{remark});
}

}  // namespace
}  // namespace polmina::test
