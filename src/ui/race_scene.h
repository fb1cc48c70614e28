#pragma once
// The race picture: sky strip, course, the gate / distance post / goal and the runners, composed into
// one off-screen picture as each watched tick draws it. The picture has as many pixels per game pixel
// as the pictures drawn for the display (1, 2 or 3): the window shows it stretched over its 600 x 300.
#include <QPixmap>

class QPainter;
#include <array>
#include <functional>

#include "race/model.h"

namespace polmina {

class RaceScene : public RaceView {
 public:
  static constexpr int Width = 600;
  static constexpr int Height = 300;
  static constexpr int StripHeight = 50;
  static constexpr int ObjectTop = 51;
  static constexpr int Sprite = 40;

  RaceScene();

  void scenery(const RaceState& state, bool allFinished) override;
  void runner(int slot, const Runner& runner, int pose) override;
  void message(std::u16string_view text) override;
  void refresh() override;

  // The runner slot of the player's cat, -1 when it does not run: a marker in the blue of its line
  // rides above that cat's head.
  void markPlayer(int slot) { playerSlot_ = slot; }
  int playerSlot() const { return playerSlot_; }

  // Width x Height game pixels, ratio() device pixels each.
  const QPixmap& picture() const { return picture_; }
  int ratio() const { return ratio_; }

  // The window's share of a tick: the state before the runners move, a line for the message label,
  // the finished picture.
  std::function<void(const RaceState&)> onScenery;
  std::function<void(std::u16string_view)> onMessage;
  std::function<void()> onRefresh;

 private:
  void drawPlayerMarker(QPainter& p, const Runner& run) const;
  void drawGoal(QPainter& p, QPoint at) const;

  int ratio_;
  int playerSlot_ = -1;
  QPixmap picture_;
  QPixmap upper_;
  QPixmap course_;
  QPixmap gate_;
  QPixmap marker_;
  QPixmap goal_;
  std::array<QPixmap, 11> breeds_;
};

}  // namespace polmina
