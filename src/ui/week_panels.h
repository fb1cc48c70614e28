#pragma once
// The week's two panels over the home view: the results (レース結果, its OK closes the week) and, at the
// change of year, the awards (its OK ends the year). The week waits for each OK in an event loop of
// its own, so that the game's one week routine runs from start to end while the windows go on.
#include <QObject>
#include <functional>

class QPushButton;
class QWidget;

namespace polmina {

class AwardsPanel;
class QtFrontend;
class ResultsPanel;
struct GameState;

class WeekPanels : public QObject {
  Q_OBJECT
 public:
  // `show` moves a panel over the home view. Both panels are made on `window`, out of view.
  WeekPanels(GameState& s, QtFrontend& ui, QWidget* window, std::function<void(QWidget*)> show);

  ResultsPanel* results() const { return results_; }
  AwardsPanel* awards() const { return awards_; }
  // The OK the week waits for, while it waits.
  QPushButton* waitingOk() const { return waitingOk_; }

  // "次週": the results panel shows, empty, and holds the focus until its OK can take it.
  void begin();
  // The races have run: the results, then (unless `wait` is false) their OK.
  void showResults(bool draw, bool wait);
  // The year's awards and their OK.
  void showAwards();
  // A pause of the week: the awards appear as the year end pends; the results fill race by race.
  void beforePause(bool draw);
  void refreshResults();
  void showProgress(int value, int maximum);
  void progressDone();
  // The week is closed: both panels out of view.
  void putAway();

 private:
  void waitForOk(QPushButton* ok);

  GameState& s_;
  QtFrontend& ui_;
  std::function<void(QWidget*)> show_;
  ResultsPanel* results_;
  AwardsPanel* awards_;
  QPushButton* waitingOk_ = nullptr;
};

}  // namespace polmina
