#pragma once
// A game with its windows on the offscreen screen: fixed random numbers and clock, message boxes
// answered from a script, the save in a scratch folder, and "the program ends" recorded.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <utility>

#include "platform/clock.h"
#include "platform/rng.h"
#include "scripted_frontend.h"
#include "ui/main_window.h"
#include "ui/session.h"
#include "ui/window_manager.h"
#include "ui/wizard_window.h"
#include "world/state.h"

namespace polmina::test {

struct WindowWorld {
  explicit WindowWorld(std::filesystem::path saveDir, uint64_t seed = 7)
      : state(std::make_unique<GameState>()),
        rng(GameRng::fixed(seed)),
        g{*state, rng, ui, clock},
        session{g, ui, {saveDir, saveDir, {POLMINA_DATA_DIR}}},
        wm(session) {
    resetProgramState(*state);
    wm.quit = [this] { ended = true; };
    giveResultsOk();
  }

  GameState& s() { return *state; }

  template <class W = QWidget>
  W* find(QWidget* window, const char* name) {
    W* w = window->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void click(QWidget* window, const char* name) { click(find<QPushButton>(window, name), name); }
  // A command of the main window, by its button.
  void click(MainWindow* m, Command c) { click(m->button(c), "command"); }
  void click(QPushButton* b, const char* what) {
    ASSERT_TRUE(b && b->isEnabled() && b->isVisible()) << what;
    QTest::mouseClick(b, Qt::LeftButton);
  }
  void type(QWidget* window, const char* name, const QString& text) {
    auto* t = find<QLineEdit>(window, name);
    t->clear();
    // Key clicks only know ASCII; other text is put in as an input method would.
    bool ascii = true;
    for (QChar c : text) ascii = ascii && c.unicode() < 0x80;
    if (ascii)
      QTest::keyClicks(t, text);
    else
      t->insert(text);
  }
  // The week waits for its results' OK after 次週: the OK is given as soon as it can be, once
  // `atResults` (when a test has set it, for one week) has looked at the week.
  std::function<void()> atResults;
  void giveResultsOk() {
    auto* poll = new QTimer(&pollOwner);
    QObject::connect(poll, &QTimer::timeout, &pollOwner, [this] {
      MainWindow* m = wm.madeMainWindow();
      auto* ok = m ? m->findChild<QPushButton*>(QStringLiteral("butRace")) : nullptr;
      if (!ok || !ok->isEnabled() || !ok->isVisible()) return;
      if (auto look = std::exchange(atResults, nullptr)) look();
      if (ok->isEnabled()) ok->click();
    });
    poll->start(5);
  }

  std::u16string lastMessage() const { return ui.messages.empty() ? u"" : ui.messages.back().text; }

  // Through the wizard to the main window with a cat of `breed`.
  void newGame(int breed = 3) {
    wm.showWindow(GameWindow::Wizard);
    QWidget* w = &wm.wizardWindow();
    click(w, "ButNext0");
    type(w, "Txt0", QStringLiteral("ab c"));
    click(w, "ButNext1");
    type(w, "Txt1", QStringLiteral("ミケ"));
    click(w, "ButNext2");
    QTest::mouseClick(find<QWidget>(w, ("Opt" + std::to_string(breed)).c_str()), Qt::LeftButton, {},
                      QPoint(8, 8));
    ui.script.push_back(true);
    click(w, "ButNext3");
  }

  std::unique_ptr<GameState> state;
  GameRng rng;
  FixedClock clock;
  ScriptedFrontend ui;
  Game g;
  Session session;
  WindowManager wm;
  bool ended = false;
  QObject pollOwner;
};

// Once the awards' OK can be clicked, runs `then` (from inside the wait for that OK).
inline void whenAwardsWait(WindowWorld& w, MainWindow* m, std::function<void()> then) {
  auto* poll = new QTimer(m);
  QObject::connect(poll, &QTimer::timeout, m, [&w, m, poll, then] {
    const QWidget* ok = w.find<QWidget>(m, "butNendo");
    if (!ok->isEnabled() || !ok->isVisible()) return;
    poll->deleteLater();
    poll->stop();
    then();
  });
  poll->start(5);
}

// A fresh game world per test, its save in a scratch folder of its own.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder name with Japanese characters and spaces, as a player's own folders have.
    dir = std::filesystem::temp_directory_path() / std::filesystem::path(u8"ポルミナ の窓 ");
    dir += std::to_string(std::random_device{}());
    std::filesystem::create_directories(dir);
    world = std::make_unique<WindowWorld>(dir);
  }
  void TearDown() override {
    world.reset();
    std::filesystem::remove_all(dir);
  }
  MainWindow* main() { return &world->wm.mainWindow(); }
  QString text(const char* label) { return world->find<QLabel>(main(), label)->text(); }

  std::filesystem::path dir;
  std::unique_ptr<WindowWorld> world;
};

}  // namespace polmina::test
