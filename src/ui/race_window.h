#pragma once
// The race window: a watched race of the week, drawn frame by frame with running commentary, the
// placings at the end, and the speed bar that sets the pace.
#include <QWidget>
#include <array>
#include <optional>

#include "ui/accessible.h"
#include "race/sound_cues.h"
#include "ui/race_scene.h"
#include "world/game.h"

class QAction;
class QEventLoop;
class QFrame;
class QLabel;
class QScrollBar;
class QPlainTextEdit;

namespace polmina {

class RaceWindow : public QWidget {
  Q_OBJECT
 public:
  explicit RaceWindow(QWidget* parent = nullptr);
  // Runs race k (1..5) of the week in the window: title animation, gate, start, the frame loop paced
  // by timers, the placings, then finishRace; returns when the race is over and the window has closed
  // (a nested event loop; never a busy loop or a sleep). The speed setting is kept between races.
  void run(Game& g, int k, const RaceMode& mode = WatchedRace);
  // A race of the history shown again: "リプレイ" in the title, at the normal speed whatever was
  // chosen last (the choice made meanwhile is not kept), and it may be closed at any moment.
  void runReplay(Game& g, int k, const RaceMode& mode);
  // 結果へ (End, or the window's context menu): the race runs to its end at once, through the same
  // ticks, and the placings are shown together; again, it ends their look.
  void skipToResult();
  QAction* toResultAction() const { return toResult_; }

  // Every wait of the race is multiplied by this (1 on screen; 0 lets tests run at full speed).
  static void setPace(double scale);

 protected:
  enum class Phase { Title, Gate, Running, Placings };
  // Called once the title has grown, as the field is in the gate, after every frame, and once all
  // placings are shown.
  virtual void reached(Phase /*phase*/) {}
  void closeEvent(QCloseEvent* event) override;

 private:
  // The speed bar's setting (kept from race to race, replays included) and the pace of the waits.
  static int speed_;
  static double pace_;
  static QRect runnerLineRect(int slot);
  void buildPicture();
  void buildSpeedPanel();
  void showRunnerLines(const GameState& s);
  void playTitle(const RaceSlot& slot);
  void announceStart(const RaceSlot& slot);
  void playFrames(Game& g, int k);
  void clearOvertakenLines(const GameState& s);
  void revealPlacings(Game& g);
  QString playerPlace(const GameState& s) const;
  void callFinalStretch(const RaceState& st);
  void centreOnScreen();
  void say(const QString& line, const QString& before = {});
  QString leaders() const;
  void wait(double seconds);

  RaceScene scene_;
  QWidget* scrBkg_ = nullptr;
  std::array<QLabel*, MaxRunners> labName_{};
  std::array<QLabel*, 5> labZyun_{};
  QLabel* labRaceName_ = nullptr;
  QLabel* labRace_ = nullptr;
  QLabel* labMsg_ = nullptr;
  QFrame* frame_ = nullptr;
  QScrollBar* scr_ = nullptr;
  // The commentary and the placings line by line, for a screen reader; it has focus while a race shows.
  SpokenLog* log_ = nullptr;
  const GameState* shown_ = nullptr;
  QAction* toResult_ = nullptr;
  QEventLoop* waiting_ = nullptr;
  bool skipped_ = false;
  bool replay_ = false;
  bool closed_ = false;
  bool raceViewOpen_ = false;
  bool finalStretchCalled_ = false;
  RaceMode mode_ = WatchedRace;
  // What the race sounds like, frame by frame.
  std::optional<RaceCues> cues_;
};

}  // namespace polmina
