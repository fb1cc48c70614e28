#pragma once
// 早送り: weeks played by the main window's own commands in a loop (次週, then the results' ＯＫ) with
// the training as it stands, until the chosen stop, the player's stop, or anything that needs the
// player (a question or notice, the year's awards, the end of the game). The waits that only pace the
// display are skipped and the cat's remarks are chosen as usual but kept; the last is said at the stop.
#include <QDialog>
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
struct Session;

// What the player asked for: a stop of the calendar, or a number of weeks (1 .. 48).
struct FastForwardChoice {
  std::optional<StopAt> until;
  int weeks = 0;
  // 愛猫の出ない重賞は観戦しない: the watch question of a big race the cat does not run is answered
  // いいえ without stopping.
  bool skipOthers = false;
};

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

class FastForward : public QObject {
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

 private:
  void ask();
  bool alreadyThere(const FastForwardChoice& c);
  bool reached(const FastForwardChoice& c, int done);
  void showCount(const FastForwardChoice& c, int done);
  void finish();

  MainWindow& main_;
  Session& se_;
  QGroupBox* results_;
  QString resultsTitle_;
  QAction* action_;
  QPushButton* stop_;
  std::optional<std::u16string> remark_;
  bool running_ = false;
  bool stopAsked_ = false;
};

}  // namespace polmina
