#include "ui/window_manager.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "ui/main_window.h"
#include "ui/race_window.h"
#include "ui/sound.h"
#include "ui/title_window.h"
#include "ui/week_panels.h"
#include "ui/wizard_window.h"

namespace polmina {

// The program ends at once with success: quit() would first ask every window to close, and the main
// window refuses while its week is still open, which it is when the farewell ends the game.
WindowManager::WindowManager(Session& session) : quit([] { QCoreApplication::exit(0); }), session_(session) {
  session_.ui.setListener(this);
}

WindowManager::~WindowManager() { session_.ui.setListener(nullptr); }

bool WindowManager::watchRace(Game& g, int raceNumber) {
  if (!race_) race_ = std::make_unique<RaceWindow>();
  MainWindow& main = mainWindow();
  main.stopCatTimers();
  main.setEnabled(false);
  race_->run(g, raceNumber);
  main.setEnabled(true);
  // The keys come back to the main window when the race window goes.
  main.activateWindow();
  return true;
}

void WindowManager::beforePause() {
  if (main_) main_->beforePause();
}

void WindowManager::beforeBox() {
  if (main_) main_->beforeBox();
}

void WindowManager::progress(int value, int maximum) {
  if (main_) main_->weekPanels().showProgress(value, maximum);
}

void WindowManager::progressDone() {
  if (main_) main_->weekPanels().progressDone();
}

void WindowManager::catPanel() {
  if (!main_) return;
  main_->setDate();
  main_->refreshCatPanel();
}

void WindowManager::weekStep(Game& /*g*/, WeekStep step) {
  if (main_) main_->weekStep(step);
}

void WindowManager::catRemark(Game& /*g*/) {
  if (main_) main_->catClicked();
}

MainWindow& WindowManager::mainWindow() {
  if (!main_) main_ = std::make_unique<MainWindow>(*this);
  return *main_;
}

TitleWindow& WindowManager::titleWindow() {
  if (!title_) title_ = std::make_unique<TitleWindow>(*this);
  return *title_;
}

WizardWindow& WindowManager::wizardWindow() {
  if (!wizard_) wizard_ = std::make_unique<WizardWindow>(*this);
  return *wizard_;
}

void WindowManager::showWindow(GameWindow w) {
  QWidget* window = nullptr;
  switch (w) {
    case GameWindow::Main:
      mainWindow().prepare();
      window = main_.get();
      SoundPlayer::instance().playTune(Tune::Home);
      break;
    case GameWindow::Title:
      window = &titleWindow();
      SoundPlayer::instance().playTune(Tune::Title);
      break;
    case GameWindow::Wizard:
      window = &wizardWindow();
      break;
  }
  if (!window->isVisible()) makeFixedWindow(window);
  window->setWindowState(Qt::WindowNoState);
  window->setFixedSize(SmallWindowWidth, SmallWindowHeight);
  centreOnScreen(window);
  window->show();
  window->raise();
  window->activateWindow();
}

void makeFixedWindow(QWidget* w, Qt::WindowFlags extra) {
  w->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | extra);
}

namespace {

void centreFrame(QWidget* w) {
  const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QSize frame = w->frameGeometry().size().expandedTo(w->size());
  w->move(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
}

}  // namespace

void centreOnScreen(QWidget* w) {
  centreFrame(w);
  if (w->frameGeometry() != w->geometry()) return;
  // The frame is not known yet: once the window is up and framed, it is centred again, unless the
  // player has moved it meanwhile.
  const QPoint placed = w->pos();
  QTimer::singleShot(150, w, [w, placed] {
    if (w->isVisible() && w->pos() == placed && w->frameGeometry() != w->geometry()) centreFrame(w);
  });
}

void centreOn(QWidget* w, const QWidget* over) {
  const QRect o = over->frameGeometry();
  const QSize own = w->frameGeometry().size().expandedTo(w->size());
  w->move(o.x() + o.width() / 2 - own.width() / 2, o.y() + o.height() / 2 - own.height() / 2);
}

}  // namespace polmina
