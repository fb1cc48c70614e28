#include "ui/week_panels.h"

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>

#include "game/yearend.h"
#include "ui/accessible.h"
#include "ui/panels.h"
#include "ui/qt_frontend.h"
#include "ui/sound.h"
#include "world/state.h"

namespace polmina {

WeekPanels::WeekPanels(GameState& s, QtFrontend& ui, QWidget* window, std::function<void(QWidget*)> show)
    : QObject(window),
      s_(s),
      ui_(ui),
      show_(std::move(show)),
      results_(new ResultsPanel(s, window)),
      awards_(new AwardsPanel(s, window)) {
  results_->setGeometry(0, 400, 289, 197);
  awards_->setGeometry(350, 400, 289, 197);
  // Panels cover the home view while they are shown; until the week shows them they lie outside it.
  for (QWidget* p : {static_cast<QWidget*>(results_), static_cast<QWidget*>(awards_)}) {
    p->setAutoFillBackground(true);
    polmina::putAway(p);
  }
}

void WeekPanels::begin() {
  results_->ok()->setEnabled(false);
  show_(results_);
  results_->refresh();
  // The panel holds the focus until its OK can take it, rather than the focus running over the
  // commands as they are disabled (a screen reader would call out each, 終了 among them) or resting
  // on a control that Enter would work while the races run.
  results_->setFocusPolicy(Qt::StrongFocus);
  results_->setFocus(Qt::OtherFocusReason);
}

void WeekPanels::showResults(bool draw, bool wait) {
  if (draw) {
    results_->refresh();
    QCoreApplication::processEvents();
  }
  if (wait) waitForOk(results_->ok());
  results_->ok()->setEnabled(false);
  if (draw || wait) QApplication::setOverrideCursor(Qt::WaitCursor);
}

// The week waits, in an event loop of its own, until the player gives `ok`.
void WeekPanels::waitForOk(QPushButton* ok) {
  QApplication::restoreOverrideCursor();
  ok->setEnabled(true);
  ok->setFocus();
  results_->setFocusPolicy(Qt::NoFocus);
  ui_.noteAsked();
  QEventLoop loop;
  // Given once: the OK is disabled as it is clicked.
  const QMetaObject::Connection given = connect(ok, &QPushButton::clicked, &loop, [ok, &loop] {
    ok->setEnabled(false);
    loop.quit();
  });
  waitingOk_ = ok;
  loop.exec();
  waitingOk_ = nullptr;
  disconnect(given);
}

void WeekPanels::showAwards() {
  results_->refresh();
  awards_->refresh();
  awards_->setEnabled(true);
  waitForOk(awards_->ok());
  awards_->setEnabled(false);
  if (playerRetires(catAt(s_, s_.playerCat))) SoundPlayer::instance().play(Sound::Retire);
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void WeekPanels::beforePause(bool draw) {
  if (s_.awardsPending && !awards_->isVisible()) {
    awards_->ok()->setEnabled(false);
    show_(awards_);
    SoundPlayer::instance().play(Sound::Awards);
  }
  if (awards_->isVisible()) awards_->refresh();
  if (draw) results_->refresh();
}

void WeekPanels::refreshResults() { results_->refresh(); }

void WeekPanels::showProgress(int value, int maximum) {
  (awards_->isVisible() ? awards_->bar() : results_->bar()).show(value, maximum);
}

void WeekPanels::progressDone() {
  results_->bar().hide();
  awards_->bar().hide();
}

void WeekPanels::putAway() {
  if (awards_->isVisible()) {
    awards_->bar().hide();
    awards_->move(350, 400);
    polmina::putAway(awards_);
  }
  results_->ok()->setEnabled(false);
  polmina::putAway(results_);
  results_->move(0, 400);
}

}  // namespace polmina
