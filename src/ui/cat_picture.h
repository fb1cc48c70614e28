#pragma once
// The player's cat at home: an 80 x 80 picture whose size follows the cat's weight and whose face
// follows its condition, animated in short bursts while the home view is idle, asleep with floating
// "Z" letters while it rests.
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <array>

class QLabel;
class QTimer;

namespace polmina {

struct GameState;
class Rng;

class CatPicture : public QWidget {
  Q_OBJECT
 public:
  CatPicture(GameState& s, Rng& rng, QWidget* parent = nullptr);

  // Draws one frame of the cat and repaints the picture.
  void drawCatPicture();
  // Starts the idle animation (the one-second timer that begins each burst).
  void startIdle();
  // Stops the animation, for as long as a command runs.
  void stopTimers();

  // What the picture shows: the sprite frame last drawn, its size, where the scene lies in the
  // picture, and whether the "Z" letters are up.
  int frame() const { return frame_; }
  int spriteSize() const { return size_; }
  QPoint offset() const { return offset_; }
  bool zShown() const;
  // The 80 x 80 picture as it stands, at one pixel per pixel.
  const QImage& picture() const { return picture_; }

  // A chatter window has said its text: the next frame's tick closes it (chatterToClose).
  void chatterSaid() { chatterSaid_ = true; }
  // The chatter window is gone (closed by the tick or by the player).
  void chatterGone() { chatterSaid_ = false; }
  // A said chatter window still waits for its tick.
  bool chatterWaiting() const { return chatterSaid_; }

 public slots:
  // The ticks of "Timer1" (every second: a new burst) and "Timer2" (every 200 ms: one frame).
  void timer1Tick();
  void timer2Tick();

 signals:
  void clicked();
  // A frame's tick found the chatter window done: it closes now.
  void chatterToClose();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Enter or Space on the focused picture does what a click does.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int nextFrame();
  int sleepingFrame();
  void stepZLetters();
  void setZShown(bool shown);
  void compose(int breed, int frame);
  const QImage& sheet(int breed);

  GameState& s_;
  Rng& rng_;
  bool chatterSaid_ = false;
  QTimer* timer1_;
  QTimer* timer2_;
  std::array<QLabel*, 3> labZ_{};
  std::array<QImage, 11> sheets_{};
  QImage background_;
  QImage shadow_;
  QImage picture_;
  QImage work_;

  int burstLength_ = 0;
  int burstCount_ = 0;
  int phase_ = 0;
  int sleepFrame_ = 0;
  int zCounter_ = 0;
  int frame_ = -1;
  int size_ = 0;
  QPoint offset_;
};

}  // namespace polmina
