#pragma once
// "調教設定": six sliders, one per ability and training day, each with five lit cells.
#include <array>

#include "ui/widgets.h"

class QFrame;
class QPushButton;
class QScrollBar;

namespace polmina {

struct GameState;

class TrainingPanel : public Panel {
  Q_OBJECT
 public:
  TrainingPanel(GameState& s, QWidget* parent);
  // All six sliders back to 0 and every cell off (a rest has begun); the levels are not touched here.
  void clear();
  QScrollBar* slider(int i) const { return bars_[i]; }
  // The bars as a week is played with them: the player's last training (remembered for later runs
  // too), unless all six are at 0.
  void keepAsLast();
  // 前回と同じ (Ctrl+Y): each bar moves to where the last training had it, as the player would move it.
  void sameAsLast();
  QPushButton* sameAsLastButton() const { return same_; }
  // The bars as a sentence for the ear ("水曜 スピードUP 2、木曜 調教なし").
  QString spoken() const;

 signals:
  void trainingChanged();

 private:
  void build(int day);
  void moved(int bar, int value);
  void light(int bar, int value);

  GameState& s_;
  std::array<QScrollBar*, 6> bars_{};
  std::array<std::array<QFrame*, 5>, 6> cells_{};
  std::array<int, 6> last_{};
  QPushButton* same_ = nullptr;
};

}  // namespace polmina
