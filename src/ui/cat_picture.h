#pragma once
// The cat at home: its still picture, and the tick that closes the chatter window once it is done.
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "game/state.h"
#include "platform/rng.h"

namespace polmina {

class CatPicture : public QWidget {
  Q_OBJECT
 public:
  CatPicture(GameState& s, Rng& rng, QWidget* parent = nullptr);
  void drawCatPicture() { update(); }
  void startIdle() { timer2_.start(); }
  void stopTimers() { timer2_.stop(); }

 signals:
  void clicked();
  void chatterDoneSeen();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override { emit clicked(); }

 private:
  GameState& s_;
  QTimer timer2_;
};

}  // namespace polmina
