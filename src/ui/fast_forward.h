#pragma once
// 早送り in the windows: the game's fast-forward (game/fast_forward.h) with its count in the results
// panel and a stop button. The waits that only pace the display are skipped, the passing weeks are
// shown no more often than a screen refreshes, and the cat's remarks are chosen as usual but kept; the
// last is said at the stop.
#include <QDialog>
#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "game/fast_forward.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QSpinBox;

namespace polmina {

class MainWindow;
class SpokenLog;
struct Session;

// What the player asked for: a stop of the calendar, or a number of weeks (1 .. 48).
using FastForwardChoice = FastForwardGoal;

// The small window that asks how far to go.
class FastForwardWindow : public QDialog {
  Q_OBJECT
 public:
  explicit FastForwardWindow(QWidget* parent);
  FastForwardChoice choice() const;
  // Chooses an option (0 .. 3: the race, the big race, the year end, weeks) and the number of weeks.
  void select(int option, int weeks = 4);
  void setSkipOthers(bool skip);

 private:
  QButtonGroup* options_;
  QSpinBox* weeks_;
  QCheckBox* skipOthers_;
};

class FastForward : public QObject, private FastForwardListener {
  Q_OBJECT
 public:
  // `results` is the main window's results panel: it shows the count and the stop while weeks run.
  FastForward(MainWindow& main, Session& se, QGroupBox* results);

  // 早送り (Ctrl+F): asks how far and runs. Only from the home view.
  QAction* action() const { return action_; }
  // Runs the weeks `c` asks for; returns when the fast-forward has stopped.
  void run(const FastForwardChoice& c);
  bool running() const { return running_; }
  // The stop button (and Esc): the week that runs is finished, then the fast-forward stops.
  void requestStop();
  // While weeks run, the cat's remark is kept instead of typed; true when it was kept.
  bool keepRemark(const std::function<std::u16string()>& choose);
  QPushButton* stopButton() const { return stop_; }

  // Whether the passing week is drawn: always outside a fast-forward; in one, no more often than a
  // screen refreshes.
  bool drawing() const { return !running_ || drawWeek_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void ask();
  void weekBegins(Game& g, int done, std::optional<int> total) override;
  bool stopRequested() override { return stopAsked_; }
  void finish();
  void say(const QString& line);
  void sayStopped(const FastForwardChoice& c, const FastForwardResult& r);

  MainWindow& main_;
  Session& se_;
  QGroupBox* results_;
  QString resultsTitle_;
  QAction* action_;
  QPushButton* stop_;
  SpokenLog* log_;
  std::optional<std::u16string> remark_;
  // The last choice, offered again.
  FastForwardChoice last_{StopAt::Race, std::nullopt};
  QElapsedTimer drawn_;
  bool drawWeek_ = true;
  bool running_ = false;
  bool stopAsked_ = false;
};

}  // namespace polmina
