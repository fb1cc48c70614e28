#pragma once
// "調教設定": six sliders, one per ability and training day, each with five lit cells.
#include <array>

#include "ui/widgets.h"

class QFrame;
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

 signals:
  void trainingChanged();

 private:
  void build(int day);
  void moved(int bar, int value);
  void light(int bar, int value);

  GameState& s_;
  std::array<QScrollBar*, 6> bars_{};
  std::array<std::array<QFrame*, 5>, 6> cells_{};
};

}  // namespace polmina
